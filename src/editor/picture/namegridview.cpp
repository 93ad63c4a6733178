#include "namegridview.h"

#include "filegrid.h"
#include "pictureview.h"

#include "platform/units.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

QRect cellRect(int index)
{
    const int column = index / FileGrid::rows;
    const int row = index % FileGrid::rows;
    return QRect(units::twipsToPixels(column * FileGrid::columnWidth), units::twipsToPixels(row * FileGrid::rowHeight),
                 units::twipsToPixels(FileGrid::columnWidth), units::twipsToPixels(FileGrid::rowHeight));
}

} // namespace

NameGridView::NameGridView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFixedSize(units::twipsToPixels(FileGrid::columns * FileGrid::columnWidth),
                 units::twipsToPixels(FileGrid::rows * FileGrid::rowHeight));
    QFont small = font();
    small.setPixelSize(units::twipsToPixels(FileGrid::rowHeight) - 2);   // one name a row
    setFont(small);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void NameGridView::setNames(const QStringList &names)
{
    m_names = names;
    m_selected = -1;
    update();
}

void NameGridView::setSelected(int index)
{
    const int chosen = index >= 0 && index < m_names.size() ? index : -1;
    if (chosen == m_selected)
        return;
    m_selected = chosen;
    update();
}

QString NameGridView::selectedText() const
{
    return m_selected >= 0 ? m_names.at(m_selected) : QString();
}

void NameGridView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int i = 0; i < m_names.size() && i < FileGrid::pageSize; ++i) {
        const QRect cell = cellRect(i);
        const bool chosen = i == m_selected;
        if (chosen)
            painter.fillRect(cell, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(chosen ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(m_names[i], Qt::ElideRight, cell.width() - 4));
    }
}

void NameGridView::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered(twipsAt(event->position()));
}

void NameGridView::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(twipsAt(event->position()));
}
