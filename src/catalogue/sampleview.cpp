#include "sampleview.h"

#include "platform/units.h"

#include <QPainter>

SampleView::SampleView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("I_page"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SampleView::setSample(const SheetSample &sample)
{
    m_sample = sample;
    m_boxes = sample.boxes();
    m_printable = sample.printableArea();
    m_drawn = true;
    update();
}

void SampleView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_drawn)
        return;
    // The sample is laid out in twips; one pixel is 15 of them.
    painter.scale(1.0 / units::twipsPerPixel, 1.0 / units::twipsPerPixel);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(labelColor(), 0));
    for (const QRect &box : m_boxes) {
        if (box.width() >= 0 && box.height() >= 0)
            painter.drawRect(QRectF(box.x(), box.y(), box.width(), box.height()));
    }
    painter.setPen(QPen(printableColor(), 0));
    painter.drawRect(QRectF(m_printable.x(), m_printable.y(), m_printable.width(), m_printable.height()));
}
