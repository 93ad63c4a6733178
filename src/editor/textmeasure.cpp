#include "editor/textmeasure.h"

#include "platform/units.h"

#include <QTextCharFormat>

#include <algorithm>

FontMeasure::FontMeasure(const QFont &characterFont)
    : m_twipFont(TextMeasure::twipFont(characterFont)),
      m_metrics(m_twipFont),
      m_cellHeight(qRound(m_metrics.height())),
      m_baselineDepth(qRound(m_metrics.ascent()))
{
}

qreal FontMeasure::width(QStringView text) const
{
    return m_metrics.horizontalAdvance(text.toString());
}

qreal FontMeasure::charWidth(char32_t character)
{
    return measureOf(character).width;
}

int FontMeasure::pairOverlap(char32_t character)
{
    return measureOf(character).overlap;
}

const FontMeasure::CharMeasure &FontMeasure::measureOf(char32_t character)
{
    auto found = m_chars.constFind(character);
    if (found != m_chars.constEnd())
        return *found;
    const QString once = QString::fromUcs4(&character, 1);
    const qreal single = m_metrics.horizontalAdvance(once);
    const qreal doubled = m_metrics.horizontalAdvance(once + once);
    return *m_chars.insert(character, {single, qRound(2 * single - doubled)});
}

QFont TextMeasure::characterFont(const QTextCharFormat &format, const QFont &documentFont)
{
    return format.font().resolve(documentFont);
}

qreal TextMeasure::sizeInTwips(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return units::pointsToTwips(font.pointSizeF());
    return qreal(font.pixelSize()) * units::twipsPerPixel;
}

QFont TextMeasure::twipFont(const QFont &characterFont)
{
    QFont font = characterFont;
    font.setPixelSize(std::max(1, qRound(sizeInTwips(characterFont))));
    // Hinting would snap advances to the grid of a size that no device uses.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

FontMeasure &TextMeasure::font(const QFont &characterFont)
{
    std::shared_ptr<FontMeasure> &slot = m_fonts[characterFont];
    if (!slot)
        slot = std::make_shared<FontMeasure>(characterFont);
    return *slot;
}
