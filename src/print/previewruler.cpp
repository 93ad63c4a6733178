#include "previewruler.h"

#include <QPainter>

namespace {

constexpr double twipsPerMm = 1440 / 25.4;

} // namespace

PreviewRuler::PreviewRuler(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
    , m_orientation(orientation)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(thickness);
    else
        setFixedWidth(thickness);
}

void PreviewRuler::setView(double pixelsPerTwip, int offset, int paper, const QList<int> &marks)
{
    m_scale = pixelsPerTwip;
    m_offset = offset;
    m_paper = paper;
    m_marks = marks;
    update();
}

void PreviewRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(248, 248, 240));
    const bool horizontal = m_orientation == Qt::Horizontal;
    const double length = std::min<double>(horizontal ? width() : height(), m_offset + m_paper * m_scale);
    auto line = [&](double at, int from, int to) {
        if (horizontal)
            painter.drawLine(QPointF(at, from), QPointF(at, to));
        else
            painter.drawLine(QPointF(from, at), QPointF(to, at));
    };
    // Every millimetre when they stand 3 pixels apart, else every 5.
    const double pixelsPerMm = twipsPerMm * m_scale;
    const int step = pixelsPerMm >= 3 ? 1 : 5;
    const int labelEvery = pixelsPerMm >= 3 ? 10 : 50;
    painter.setPen(Qt::black);
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    for (int mm = 0; m_offset + mm * pixelsPerMm <= length; mm += step) {
        const double at = m_offset + mm * pixelsPerMm;
        if (at < 0)
            continue;
        const int tick = mm % 10 == 0 ? thickness : mm % 5 == 0 ? thickness / 2 : thickness / 4;
        line(at, thickness - tick, thickness);
        if (mm % labelEvery == 0 && mm > 0) {
            const QString text = QString::number(mm);
            if (horizontal)
                painter.drawText(QPointF(at + 2, 10), text);
            else
                painter.drawText(QPointF(1, at - 2), text);
        }
    }
    // Where the labels start: a red mark across the ruler's edge.
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    for (int mark : m_marks)
        line(m_offset + mark * m_scale, thickness - 6, thickness);
}
