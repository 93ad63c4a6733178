#pragma once

#include <QFont>
#include <QTextDocumentFragment>

class QMimeData;

// Rich text on the system clipboard. The clipboard carries the text as RTF
// (text/rtf, and text/richtext, the name some office suites look for), as
// HTML for programs without RTF, and as plain text. Reading prefers RTF,
// then HTML, then plain text.
namespace richtext {

// A new QMimeData for the fragment; the caller owns it (QClipboard takes
// ownership of what it is given). baseFont stands for the default font of
// the document the fragment came from.
QMimeData *mimeDataFor(const QTextDocumentFragment &fragment, const QFont &baseFont = QFont());

// The rich text the data carries; an empty fragment when it carries no
// text in a form read here (or when data is null).
QTextDocumentFragment fragmentFromMimeData(const QMimeData *data);

// Whether the data carries text in one of the forms fragmentFromMimeData reads.
bool mimeDataHasText(const QMimeData *data);

// The same on the application's clipboard (QGuiApplication::clipboard()).
void copyToClipboard(const QTextDocumentFragment &fragment, const QFont &baseFont = QFont());
QTextDocumentFragment fragmentFromClipboard();
bool clipboardHasText();

} // namespace richtext
