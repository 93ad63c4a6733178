#pragma once

#include <QPoint>

class LabelPicture;

// The pointer shapes the picture shows.
enum class PointerShape { Arrow, SizeAll, SizeWestEast, SizeNorthSouth };

// Dragging the label picture with the mouse: the middle moves it, an edge
// resizes it. Positions are twips relative to the picture (`L_etiquet`).
// Every change goes through the picture's scroll bars, so it stays 15 twips
// inside the label: a move that would cross that margin is ignored on that
// axis, and an edge step is taken only when the new size lies within
// `A_format`'s range and the dragged edge stays inside the margin.
class PictureDrag {
public:
    enum class Edge { None, dimgauche, dimdroit, dimhaut, dimbas };

    explicit PictureDrag(LabelPicture &picture) : m_picture(picture) {}

    // Each returns the pointer shape to show from then on.
    PointerShape press(QPoint at);
    PointerShape move(QPoint at);
    PointerShape release();

    PointerShape shape() const { return m_shape; }
    bool isMoving() const { return m_moving; }
    Edge edge() const { return m_edge; }
    QPoint reference() const { return m_reference; }

    // Wider than the hover zones, so a press where the edge pointer shows
    // always catches that edge.
    static constexpr int edgeGrip = 90;
    static constexpr int hoverZone = 60;
    // Edges follow the pointer in steps of at least this many twips.
    static constexpr int edgeStep = 16;

private:
    PointerShape hoverShape(QPoint at) const;
    void moveBy(QPoint delta);
    void dragEdge(QPoint delta);
    bool resize(int change, bool horizontal, bool keepFarEdge);

    LabelPicture &m_picture;
    PointerShape m_shape = PointerShape::Arrow;
    QPoint m_reference;
    bool m_moving = false;
    Edge m_edge = Edge::None;
};
