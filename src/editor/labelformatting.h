#pragma once

#include "platform/choosers.h"

#include <QDate>
#include <QTextCharFormat>

class QTextCursor;
class QTextDocument;

// The label editor's formatting commands, without the widgets: fonts on a
// selection, and copy, cut, paste and date through the scratch document
// (`T_calcul`) and the system clipboard.
class LabelFormatting {
public:
    explicit LabelFormatting(QTextDocument &scratch);

    // The formatting of the character that starts at `position`.
    static FontChoice fontAt(const QTextDocument &document, int position);
    static void applyFont(QTextCursor &selection, const FontChoice &font);
    static FontChoice fontOf(const QTextCharFormat &format, const QFont &fallback);

    void copy(const QTextCursor &selection);
    void cut(QTextCursor &selection);
    // Pastes what the scratch document holds; false when it holds no text.
    bool paste(QTextCursor &selection);
    void insertDate(QTextCursor &selection, const QDate &date);

    static QString dateText(const QDate &date);

private:
    void throughClipboard(QTextCursor &selection);

    QTextDocument &m_scratch;
};
