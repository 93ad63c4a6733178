#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

class QTextDocument;
class QTextDocumentFragment;

// Writes RTF that this reader reads back unchanged and that common word
// processors open with the same fonts, sizes, styles and colours: a font
// table and a colour table built from the text, Windows-1252 (\ansicpg1252)
// with \'hh for the characters it has and \uN? for the others (surrogate
// pairs for characters beyond the BMP).
//
// The header names this program in a {\*\generator} group. Each
// paragraph ends with \par, the last one too, as rich-text controls
// write it; a soft line break (U+2028) is written as \line. An empty
// document is a small valid RTF document. Paragraph formatting and the
// document's background are not written.
namespace richtext {

// Characters without a font, size or style of their own take the
// document's default font.
QByteArray writeRtf(const QTextDocument &document);

// A fragment (a selection) does not carry the default font of the document
// it came from: baseFont stands for it.
QByteArray writeRtf(const QTextDocumentFragment &fragment, const QFont &baseFont = QFont());

// Writes the file through a temporary file that replaces it only once
// complete, so an interrupted save leaves the old file as it was.
bool saveRtfFile(const QTextDocument &document, const QString &path, QString *error = nullptr);

} // namespace richtext
