#pragma once

#include <QColor>
#include <QFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// A document as readable text, for comparing documents in tests: each run
// of text is preceded by its resolved character properties in brackets,
// "[Arial 10 bi #ff0000]" (family, point size, b/i/u/s, colour unless
// automatic); paragraphs are joined by " | ". An empty paragraph shows the
// properties of its paragraph mark. Properties a character does not set are
// those of the document's default font.
namespace testing {

inline QTextDocument *newDocument(QObject *parent)
{
    auto *document = new QTextDocument(parent);
    document->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    return document;
}

inline QString describeFormat(const QTextCharFormat &format, const QFont &defaultFont)
{
    const QFont font = format.font().resolve(defaultFont);
    QString flags;
    if (font.weight() >= QFont::DemiBold) flags += u'b';
    if (font.italic()) flags += u'i';
    if (font.underline()) flags += u'u';
    if (font.strikeOut()) flags += u's';
    QStringList parts{font.family(), QString::number(font.pointSizeF())};
    if (!flags.isEmpty()) parts << flags;
    if (format.foreground().style() != Qt::NoBrush) parts << format.foreground().color().name();
    return u'[' + parts.join(u' ') + u']';
}

inline QString describe(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString paragraph, lastFormat;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString format = describeFormat(it.fragment().charFormat(), document.defaultFont());
            paragraph += (format == lastFormat ? QString() : format) + it.fragment().text();
            lastFormat = format;
        }
        paragraphs << (paragraph.isEmpty() ? describeFormat(block.charFormat(), document.defaultFont()) : paragraph);
    }
    return paragraphs.join(QStringLiteral(" | "));
}

// The inverse of describeFormat; "[]" sets no property at all.
inline QTextCharFormat parseFormat(const QString &description)
{
    static const QRegularExpression re(QStringLiteral("^(.+) ([\\d.]+)(?: ([bius]+))?(?: (#\\w{6}))?$"));
    QTextCharFormat format;
    const QRegularExpressionMatch match = re.match(description);
    if (!match.hasMatch())
        return format;
    format.setFontFamilies({match.captured(1)});
    format.setFontPointSize(match.captured(2).toDouble());
    const QString flags = match.captured(3);
    format.setFontWeight(flags.contains(u'b') ? QFont::Bold : QFont::Normal);
    format.setFontItalic(flags.contains(u'i'));
    format.setFontUnderline(flags.contains(u'u'));
    format.setFontStrikeOut(flags.contains(u's'));
    if (!match.captured(4).isEmpty())
        format.setForeground(QColor(match.captured(4)));
    return format;
}

// The inverse of describe: builds the document a description shows.
inline void build(QTextDocument *document, const QString &description)
{
    static const QRegularExpression run(QStringLiteral("\\[([^\\]]*)\\]([^\\[]*)"));
    QTextCursor cursor(document);
    const QStringList paragraphs = description.split(QStringLiteral(" | "), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        for (const QRegularExpressionMatch &piece : run.globalMatch(paragraphs[i]))
            if (piece.captured(2).isEmpty())
                cursor.setBlockCharFormat(parseFormat(piece.captured(1)));
            else
                cursor.insertText(piece.captured(2), parseFormat(piece.captured(1)));
    }
}

// The paragraphs' text joined by '\n', keeping every other character as it
// is (QTextDocument::toPlainText turns no-break spaces into spaces).
inline QString paragraphsText(const QTextDocument &document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

} // namespace testing
