#include "labeltext.h"

#include "editor/baseline.h"
#include "editor/textmeasure.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace {

struct Glyph {
    char32_t character;
    QFont font;   // the character's own font, before sizing in twips
    QColor colour;
};

std::vector<Glyph> glyphsOf(const QTextBlock &block, const QFont &documentFont)
{
    std::vector<Glyph> glyphs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const QFont font = TextMeasure::characterFont(format, documentFont);
        const QColor colour = format.foreground().style() == Qt::NoBrush ? QColor(Qt::black)
                                                                         : format.foreground().color();
        for (char32_t c : fragment.text().toUcs4())
            glyphs.push_back({c, font, colour});
    }
    return glyphs;
}

} // namespace

void LabelTextPrinter::print(QPainter &painter, const QTextDocument &text, QPointF start, double bottom,
                             bool commonBaseline)
{
    const QFont documentFont = text.defaultFont();
    BaselineGauge gauge(m_measure);
    double lineTop = start.y();
    painter.save();
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        const std::vector<Glyph> glyphs = glyphsOf(block, documentFont);
        if (glyphs.empty()) {
            // An empty line is as high as an "a" in the line's font.
            const int height = m_measure.font(TextMeasure::characterFont(block.charFormat(), documentFont)).cellHeight();
            if (lineTop + height > bottom)
                break;
            lineTop += height;
            continue;
        }
        int lineHeight = m_measure.font(glyphs.front().font).cellHeight();
        int baseline = 0;   // below the line's top, for a common baseline
        if (commonBaseline) {
            for (const Glyph &g : glyphs) {
                lineHeight = std::max(lineHeight, m_measure.font(g.font).cellHeight());
                baseline = std::max(baseline, gauge.defmilieu(g.font));
            }
        }
        if (lineTop + lineHeight > bottom)
            break;
        double x = start.x();
        for (const Glyph &g : glyphs) {
            FontMeasure &font = m_measure.font(g.font);
            const double drop = commonBaseline ? baseline : font.baselineDepth();
            painter.setFont(font.twipFont());
            painter.setPen(g.colour);
            painter.drawText(QPointF(x, lineTop + drop), QString::fromUcs4(&g.character, 1));
            // The advance of a character without what it lends the next one.
            x = qRound(x + font.charWidth(g.character) - font.pairOverlap(g.character));
        }
        lineTop += lineHeight;
    }
    painter.restore();
}
