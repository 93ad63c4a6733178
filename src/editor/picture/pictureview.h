#pragma once

#include "platform/imaging/picture.h"

#include <QPoint>
#include <QWidget>

// An imaging control on screen: draws its picture scaled into its own
// rectangle, and reports the mouse in twips relative to itself.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    void setPicture(const Picture &picture);
    const Picture &picture() const { return m_picture; }

signals:
    void pressed(QPoint twips, Qt::MouseButton button);
    void moved(QPoint twips);
    void released(QPoint twips, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Picture m_picture;
};

// A point of a mouse event in twips.
QPoint twipsAt(const QPointF &pixels);
