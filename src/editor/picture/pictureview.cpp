#include "pictureview.h"

#include "platform/units.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

QPoint twipsAt(const QPointF &pixels)
{
    return QPoint(units::pixelsToTwips(int(std::floor(pixels.x()))),
                  units::pixelsToTwips(int(std::floor(pixels.y()))));
}

PictureView::PictureView(QWidget *parent)
    : QWidget(parent)
{
}

void PictureView::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_picture.draw(painter, QRectF(rect()));
}

void PictureView::mousePressEvent(QMouseEvent *event)
{
    emit pressed(twipsAt(event->position()), event->button());
}

void PictureView::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(twipsAt(event->position()));
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(twipsAt(event->position()), event->button());
}
