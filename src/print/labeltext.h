#pragma once

#include <QPointF>

class QPainter;
class QTextDocument;
class TextMeasure;

// Prints the fitted text of one label, character by character, each with its
// own font and colour, one paragraph of the document per line. Widths come
// from the same measures as text fitting, so the lines are the fitted lines.
class LabelTextPrinter {
public:
    explicit LabelTextPrinter(TextMeasure &measure) : m_measure(measure) {}

    // `start` is where the first line's top-left lies. A line whose bottom
    // would pass `bottom` ends the text. With `commonBaseline` (a label that
    // mixes fonts) a line advances by its tallest character and all its
    // characters sit on one baseline; otherwise it advances by its first
    // character's height and each character hangs from the line's top.
    void print(QPainter &painter, const QTextDocument &text, QPointF start, double bottom, bool commonBaseline);

private:
    TextMeasure &m_measure;
};
