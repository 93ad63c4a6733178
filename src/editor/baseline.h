#pragma once

class QFont;
class TextMeasure;

// Where the baseline of a font lies, so that characters of different fonts on
// one printed line can sit on a common baseline.
class BaselineGauge {
public:
    explicit BaselineGauge(TextMeasure &measure) : m_measure(measure) {}

    // defmilieu: the depth of the font's baseline below the top of its text
    // cell, in twips. Also raises fontCellMax to the font's cell height.
    int defmilieu(const QFont &characterFont);

    // The tallest text cell seen since the last reset, in twips.
    int fontCellMax() const { return m_fontCellMax; }
    void resetFontCellMax() { m_fontCellMax = 0; }

private:
    TextMeasure &m_measure;
    int m_fontCellMax = 0;
};
