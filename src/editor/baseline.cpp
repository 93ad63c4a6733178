#include "editor/baseline.h"

#include "editor/textmeasure.h"

#include <algorithm>

int BaselineGauge::defmilieu(const QFont &characterFont)
{
    const FontMeasure &font = m_measure.font(characterFont);
    m_fontCellMax = std::max(m_fontCellMax, font.cellHeight());
    return font.baselineDepth();
}
