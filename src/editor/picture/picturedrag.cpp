#include "picturedrag.h"

#include "halfeven.h"
#include "labelpicture.h"

#include <cstdlib>

PointerShape PictureDrag::press(QPoint at)
{
    if (!m_picture.hasPicture())
        return m_shape;
    m_reference = at;
    if (m_shape == PointerShape::Arrow) {
        m_moving = true;
        m_shape = PointerShape::SizeAll;
        return m_shape;
    }
    const QSize size = m_picture.geometry().frame().size();
    const int x = at.x();
    const int y = at.y();
    if (x >= 0 && x < edgeGrip) {
        m_edge = Edge::dimgauche;
        m_shape = PointerShape::SizeWestEast;
    } else if (x > size.width() - edgeGrip && x < size.width()) {
        m_edge = Edge::dimdroit;
        m_shape = PointerShape::SizeWestEast;
    } else if (y >= 0 && y < edgeGrip) {
        m_edge = Edge::dimhaut;
        m_shape = PointerShape::SizeNorthSouth;
    } else if (y > size.height() - edgeGrip && y < size.height()) {
        m_edge = Edge::dimbas;
        m_shape = PointerShape::SizeNorthSouth;
    }
    return m_shape;
}

PointerShape PictureDrag::move(QPoint at)
{
    if (!m_picture.hasPicture())
        return m_shape;
    if (m_moving) {
        m_shape = PointerShape::SizeAll;
        moveBy(at - m_reference);
    } else if (m_edge != Edge::None) {
        dragEdge(at - m_reference);   // the edge's pointer stays while dragging
    } else {
        m_shape = hoverShape(at);
    }
    return m_shape;
}

PointerShape PictureDrag::release()
{
    m_moving = false;
    m_edge = Edge::None;
    m_shape = PointerShape::Arrow;
    return m_shape;
}

PointerShape PictureDrag::hoverShape(QPoint at) const
{
    const QSize size = m_picture.geometry().frame().size();
    const int x = at.x();
    const int y = at.y();
    if ((x >= 0 && x < hoverZone) || (x > size.width() - hoverZone && x < size.width()))
        return PointerShape::SizeWestEast;
    if ((y >= 0 && y < hoverZone) || (y > size.height() - hoverZone && y < size.height()))
        return PointerShape::SizeNorthSouth;
    return PointerShape::Arrow;
}

// The picture follows the pointer, one axis at a time; an axis whose move
// would take the picture into the margin stays where it is.
void PictureDrag::moveBy(QPoint delta)
{
    const QRect frame = m_picture.geometry().frame();
    const QRect editor = m_picture.editor();
    const int margin = PictureGeometry::margin;
    const int left = frame.left() + delta.x();
    if (delta.x() != 0 && left >= editor.left() + margin
        && left + frame.width() <= editor.left() + editor.width() - margin)
        m_picture.changeleft(left);
    const int top = frame.top() + delta.y();
    if (delta.y() != 0 && top >= editor.top() + margin
        && top + frame.height() <= editor.top() + editor.height() - margin)
        m_picture.changetop(top);
}

void PictureDrag::dragEdge(QPoint delta)
{
    const QSize before = m_picture.geometry().frame().size();
    switch (m_edge) {
    case Edge::dimgauche:
        if (std::abs(delta.x()) >= edgeStep)
            resize(-delta.x(), true, true);
        break;
    case Edge::dimdroit:
        // The pointer stays on the right edge: the reference follows it.
        if (std::abs(delta.x()) >= edgeStep && resize(delta.x(), true, false))
            m_reference.rx() += m_picture.geometry().frame().width() - before.width();
        break;
    case Edge::dimhaut:
        if (std::abs(delta.y()) >= edgeStep)
            resize(-delta.y(), false, true);
        break;
    case Edge::dimbas:
        if (std::abs(delta.y()) >= edgeStep && resize(delta.y(), false, false))
            m_reference.ry() += m_picture.geometry().frame().height() - before.height();
        break;
    case Edge::None:
        break;
    }
}

// Grows the picture by `change` twips across the dragged axis (shrinks when
// negative) through `A_format`, converting through the proportions when
// `A_format` measures the other axis. With `keepFarEdge` the edge opposite
// the dragged one stays put (left or top drags); otherwise the near edge
// does. Nothing happens when the new size is outside `A_format`'s range or
// the dragged edge would enter the margin.
bool PictureDrag::resize(int change, bool horizontal, bool keepFarEdge)
{
    const PictureGeometry &geometry = m_picture.geometry();
    const bool formatAlongDrag = (geometry.mode() == FitMode::Width) == horizontal;
    int formatChange = change;
    if (!formatAlongDrag)
        formatChange = halfeven::round(horizontal ? change / geometry.aspectRatio() : change * geometry.aspectRatio());
    const int value = geometry.A_format().value + formatChange;
    if (formatChange == 0 || !geometry.A_format().contains(value))
        return false;

    const QRect frame = geometry.frame();
    const QRect editor = m_picture.editor();
    const QSize size = geometry.sizeFor(value);
    const int margin = PictureGeometry::margin;
    const int left = keepFarEdge && horizontal ? frame.left() + frame.width() - size.width() : frame.left();
    const int top = keepFarEdge && !horizontal ? frame.top() + frame.height() - size.height() : frame.top();
    const bool inside = horizontal
        ? left >= editor.left() + margin && left + size.width() <= editor.left() + editor.width() - margin
        : top >= editor.top() + margin && top + size.height() <= editor.top() + editor.height() - margin;
    if (!inside)
        return false;

    m_picture.changeformat(value);
    if (horizontal)
        m_picture.changeleft(left);
    else
        m_picture.changetop(top);
    return true;
}
