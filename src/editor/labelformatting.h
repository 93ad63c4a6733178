#pragma once

#include "platform/choosers.h"

#include <QDate>
#include <QLocale>
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
    void insertDate(QTextCursor &selection, const QDate &date, const QLocale &locale = QLocale::system());

    // Day, month and year in that order ("dd/mm/yyyy"), whatever the
    // locale's own order, joined by the locale's date separator.
    static QString dateText(const QDate &date, const QLocale &locale = QLocale::system());
    // What separates the fields of the locale's short date ("/" when only
    // blanks do, as in the C locale's "d MMM yyyy").
    static QString dateSeparator(const QLocale &locale);

private:
    void throughClipboard(QTextCursor &selection);

    QTextDocument &m_scratch;
};
