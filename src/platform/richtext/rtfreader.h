#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads RTF 1.x as word processors and rich-text controls write it into a
// QTextDocument: one block per paragraph, each character with its font
// family, point size, bold, italic, underline, strike-out and colour.
//
// What is kept:
// - \par, \line (soft line break), \page, \sect and \row all end a
//   paragraph: the program treats every line end as a paragraph break.
// - \tab and table cell ends become tab characters; \- becomes the soft
//   hyphen U+00AD.
// - \'hh is decoded with the code page of the character's font
//   (\fcharset, \cpg), else the document's (\ansicpg; Windows-1252 when
//   none is named); \uN takes the Unicode character and skips the \ucN
//   fallback characters after it.
// - East Asian characters (and emoji) take the font and size given for
//   them with \af and \afs after \dbch, as office suites write them.
// - \cb and \highlight are read and dropped: a label's background colour is
//   a property of the whole label, stored apart from its text.
// - {\*\...} groups and known non-text destinations (style sheet, document
//   information, pictures, headers, notes, field codes) are skipped; a
//   field's displayed result is read.
// - Paragraph formatting (alignment, indents, spacing) is not kept.
//
// Bad data never crashes or hangs the reader; its time and memory are
// bounded (see rtflimits.h).
namespace richtext {

struct RtfReadResult {
    // False when the data was not whole and well-formed RTF; the document
    // then holds the text that could be read, possibly nothing, and error
    // says briefly why, in French, to be set inside a message to the user.
    bool ok = false;
    QString error;
    // True when the document reached the reader's bounds on characters,
    // formatting runs or paragraphs: it holds the start of the text, cut
    // there (ok is then false).
    bool truncated = false;
};

// Replaces the document's content with the RTF read. The document's undo
// history is cleared; its default font is left alone and applies where the
// RTF names no font.
RtfReadResult readRtf(const QByteArray &rtf, QTextDocument *into);

// readRtf on a file's content; a missing or unreadable file, or one larger
// than the reader takes, leaves the document empty.
RtfReadResult loadRtfFile(const QString &path, QTextDocument *into);

} // namespace richtext
