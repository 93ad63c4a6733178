#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

// A document as readable text, for comparing documents in tests: each run
// of text is preceded by its resolved character properties in brackets,
// "[Arial 10 bi #ff0000]" (family, point size, b/i/u/s, colour unless
// automatic); paragraphs are joined by " | ". An empty paragraph shows the
// properties of its paragraph mark. Properties a character does not set are
// those of the document's default font.
namespace testing {

inline QString describeFormat(const QTextCharFormat &format, const QFont &defaultFont)
{
    const QFont font = format.font().resolve(defaultFont);
    QString flags;
    if (font.weight() >= QFont::DemiBold) flags += u'b';
    if (font.italic()) flags += u'i';
    if (font.underline()) flags += u'u';
    if (font.strikeOut()) flags += u's';
    QStringList parts{font.family(), QString::number(font.pointSizeF())};
    if (!flags.isEmpty())
        parts << flags;
    if (format.foreground().style() != Qt::NoBrush)
        parts << format.foreground().color().name();
    return u'[' + parts.join(u' ') + u']';
}

inline QString describe(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString paragraph;
        QString lastFormat;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString format = describeFormat(it.fragment().charFormat(), document.defaultFont());
            if (format != lastFormat)
                paragraph += format;
            paragraph += it.fragment().text();
            lastFormat = format;
        }
        if (paragraph.isEmpty())
            paragraph = describeFormat(block.charFormat(), document.defaultFont());
        paragraphs << paragraph;
    }
    return paragraphs.join(QStringLiteral(" | "));
}

// The paragraphs' text joined by '\n', keeping every character as it is
// (QTextDocument::toPlainText turns no-break spaces into spaces).
inline QString paragraphsText(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs.join(u'\n');
}

} // namespace testing
