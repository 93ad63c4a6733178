#include "labelformatting.h"

#include "platform/richtext/rtfclipboard.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

LabelFormatting::LabelFormatting(QTextDocument &scratch)
    : m_scratch(scratch)
{
}

FontChoice LabelFormatting::fontOf(const QTextCharFormat &format, const QFont &fallback)
{
    const QFont font = format.font().resolve(fallback);
    FontChoice choice;
    choice.family = font.family();
    choice.pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : fallback.pointSizeF();
    choice.color = format.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : format.foreground().color();
    choice.bold = font.bold();
    choice.italic = font.italic();
    choice.underline = font.underline();
    choice.strikeOut = font.strikeOut();
    return choice;
}

FontChoice LabelFormatting::fontAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    const int last = document.characterCount() - 1; // the final paragraph mark
    cursor.setPosition(std::clamp(position + 1, 0, std::max(0, last)));
    return fontOf(cursor.charFormat(), document.defaultFont());
}

void LabelFormatting::applyFont(QTextCursor &selection, const FontChoice &font)
{
    QTextCharFormat format;
    format.setFontFamilies({font.family});
    format.setFontPointSize(font.pointSize);
    format.setForeground(font.color);
    format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic);
    format.setFontUnderline(font.underline);
    format.setFontStrikeOut(font.strikeOut);
    selection.mergeCharFormat(format);
}

void LabelFormatting::copy(const QTextCursor &selection)
{
    m_scratch.clear();
    // A fragment forgets its document's font: what the user typed without
    // choosing one keeps the editor's.
    m_scratch.setDefaultFont(selection.document()->defaultFont());
    QTextCursor(&m_scratch).insertFragment(selection.selection());
}

void LabelFormatting::cut(QTextCursor &selection)
{
    copy(selection);
    selection.removeSelectedText();
}

bool LabelFormatting::paste(QTextCursor &selection)
{
    if (m_scratch.toPlainText().isEmpty())
        return false;
    throughClipboard(selection);
    return true;
}

QString LabelFormatting::dateSeparator(const QLocale &locale)
{
    // The characters between the first two fields of the short format,
    // e.g. "." in "dd.MM.yy"; quoted literals are not separators.
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && !format[i].isLetter())
        ++i;
    while (i < format.size() && format[i].isLetter())
        ++i;
    QString separator;
    for (; i < format.size() && !format[i].isLetter() && format[i] != u'\''; ++i)
        separator += format[i];
    // "yyyy. MM. dd." gives ". ": the spaces only pad the separator. Blanks
    // alone ("d MMM yyyy" of the C locale) separate words, not numbers.
    separator = separator.trimmed();
    return separator.isEmpty() ? QStringLiteral("/") : separator;
}

QString LabelFormatting::dateText(const QDate &date, const QLocale &locale)
{
    const QString separator = dateSeparator(locale);
    return date.toString(QStringLiteral("dd")) + separator + date.toString(QStringLiteral("MM")) + separator
        + date.toString(QStringLiteral("yyyy"));
}

void LabelFormatting::insertDate(QTextCursor &selection, const QDate &date, const QLocale &locale)
{
    const QTextCharFormat format = selection.charFormat();
    m_scratch.clear();
    m_scratch.setDefaultFont(selection.document()->defaultFont());
    QTextCursor scratch(&m_scratch);
    scratch.insertText(dateText(date, locale), format);
    throughClipboard(selection);
}

void LabelFormatting::throughClipboard(QTextCursor &selection)
{
    QTextCursor all(&m_scratch);
    all.select(QTextCursor::Document);
    richtext::copyToClipboard(all.selection(), m_scratch.defaultFont());
    selection.insertFragment(richtext::fragmentFromClipboard());
}
