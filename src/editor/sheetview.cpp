#include "sheetview.h"

#include "cellcolors.h"

#include "platform/units.h"

#include <QMouseEvent>
#include <QPainter>

SheetView::SheetView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("I_page"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetView::createCells(const SheetLayout &layout, QSize labelSize)
{
    m_layout = layout;
    m_labelSize = labelSize;
    const int count = layout.labelCount();
    m_colors.resize(count);
    m_diagonals.fill(false, count);
    for (int i = 0; i < count; ++i)
        m_colors[i] = cellcolors::empty(i);
    m_pressedCell = -1;
    update();
}

QRect SheetView::cellRect(int index) const
{
    // Each edge is rounded from the page's origin, so neighbouring cells
    // share their edge whatever the cell size in twips.
    const QRect twips = m_layout.cell(index);
    if (twips.isNull())
        return {};
    const QPoint topLeft(units::twipsToPixels(twips.left()), units::twipsToPixels(twips.top()));
    const QPoint next(units::twipsToPixels(twips.left() + twips.width()),
                      units::twipsToPixels(twips.top() + twips.height()));
    return QRect(topLeft, next - QPoint(1, 1));
}

QColor SheetView::cellColor(int index) const
{
    return index >= 0 && index < m_colors.size() ? m_colors[index] : QColor();
}

void SheetView::setCellColor(int index, const QColor &color)
{
    if (index < 0 || index >= m_colors.size())
        return;
    m_colors[index] = color;
    m_diagonals[index] = false;
    update(cellRect(index));
}

bool SheetView::hasDiagonal(int index) const
{
    return index >= 0 && index < m_diagonals.size() && m_diagonals[index];
}

void SheetView::setDiagonal(int index, bool shown)
{
    if (index < 0 || index >= m_diagonals.size())
        return;
    m_diagonals[index] = shown;
    update(cellRect(index));
}

int SheetView::cellAt(QPoint pixel) const
{
    for (int i = 0; i < m_colors.size(); ++i) {
        if (cellRect(i).contains(pixel))
            return i;
    }
    return -1;
}

void SheetView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int i = 0; i < m_colors.size(); ++i) {
        const QRect r = cellRect(i);
        if (!r.intersects(event->rect()))
            continue;
        painter.fillRect(r, m_colors[i]);
        // One line between two cells: each draws its top and left edges,
        // the last row and column their far ones too.
        painter.setPen(QColor(0, 0, 0, 90));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        if ((i + 1) % m_layout.cols == 0)
            painter.drawLine(r.topRight(), r.bottomRight());
        if (i >= m_colors.size() - m_layout.cols)
            painter.drawLine(r.bottomLeft(), r.bottomRight());
        if (m_diagonals[i]) {
            // The diagonal of the label at its true size, seen through the cell.
            painter.save();
            painter.setClipRect(r);
            painter.setPen(Qt::white);
            painter.drawLine(r.topLeft(), r.topLeft() + QPoint(units::twipsToPixels(m_labelSize.width()),
                                                               units::twipsToPixels(m_labelSize.height())));
            painter.restore();
        }
    }
}

void SheetView::mousePressEvent(QMouseEvent *event)
{
    m_pressedCell = cellAt(event->position().toPoint());
}

void SheetView::mouseReleaseEvent(QMouseEvent *event)
{
    const int cell = m_pressedCell;
    m_pressedCell = -1;
    if (cell >= 0)
        emit cellReleased(cell, event->button(), event->modifiers());
}
