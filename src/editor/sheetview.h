#pragma once

#include "sheetlayout.h"

#include <QColor>
#include <QList>
#include <QWidget>

// The page picture `I_page` with its label cells `I_etiq(i)`, drawn as cells
// of one widget: each keeps its index, geometry, colour and diagonal.
class SheetView : public QWidget {
    Q_OBJECT
public:
    explicit SheetView(QWidget *parent = nullptr);

    // Lays out `layout.labelCount()` cells, each empty-coloured by its index.
    // `labelSize` (twips) gives the slope of the mixed-font diagonal.
    void createCells(const SheetLayout &layout, QSize labelSize);

    int cellCount() const { return static_cast<int>(m_colors.size()); }
    QRect cellRect(int index) const;   // pixels, in this widget
    QColor cellColor(int index) const;
    void setCellColor(int index, const QColor &color);
    bool hasDiagonal(int index) const;
    // Changing a cell's colour wipes its diagonal, as painting it anew would.
    void setDiagonal(int index, bool shown);

signals:
    // A mouse button was released over the cell it was pressed on.
    void cellReleased(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int cellAt(QPoint pixel) const;

    SheetLayout m_layout;
    QSize m_labelSize;
    QList<QColor> m_colors;
    QList<bool> m_diagonals;
    int m_pressedCell = -1;
};
