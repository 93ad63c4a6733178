#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QStringView>

#include <memory>

class QTextCharFormat;

// Measures of one font, in twips. The font is re-sized so that one of its
// pixels is one twip (points x 20) and measured without hinting, so widths
// are fine enough that no screen or printer rounding decides a line break.
class FontMeasure {
public:
    explicit FontMeasure(const QFont &characterFont);

    // The font to draw with on a painter whose unit is the twip.
    const QFont &twipFont() const { return m_twipFont; }

    qreal width(QStringView text) const;
    // Cached per character; `character` is one Unicode code point.
    qreal charWidth(char32_t character);
    // How much a character eats into the next one of its kind:
    // round(2 x width(c) - width(cc)).
    int pairOverlap(char32_t character);

    // The text cell (ascent + descent) and the baseline's depth below the
    // cell's top, in whole twips.
    int cellHeight() const { return m_cellHeight; }
    int baselineDepth() const { return m_baselineDepth; }

private:
    struct CharMeasure {
        qreal width;
        int overlap;
    };
    const CharMeasure &measureOf(char32_t character);

    QFont m_twipFont;
    QFontMetricsF m_metrics;
    int m_cellHeight;
    int m_baselineDepth;
    QHash<char32_t, CharMeasure> m_chars;
};

// The one text-measuring service of the program: text fitting and the print
// engine measure through it so that a printed line is the line that was fitted.
class TextMeasure {
public:
    // The font a character is drawn in: its own format over the document's font.
    static QFont characterFont(const QTextCharFormat &format, const QFont &documentFont);
    // A font's size in twips, whether it was given in points or in screen pixels.
    static qreal sizeInTwips(const QFont &font);
    static QFont twipFont(const QFont &characterFont);

    // The reference stays valid as long as this TextMeasure.
    FontMeasure &font(const QFont &characterFont);

private:
    QHash<QFont, std::shared_ptr<FontMeasure>> m_fonts;
};
