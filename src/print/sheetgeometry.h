#pragma once

#include <QRect>

struct SheetType;

// Where the labels of a sheet type lie on the paper, in twips from its
// top-left corner: the margins, then the labels spread evenly over what is
// left, rounded once so that every printed label lands on the same grid.
struct SheetGeometry {
    int hGap = 0;
    int vGap = 0;
    int colPitch = 0;
    int rowPitch = 0;
    int left = 0;
    int top = 0;
    int labelWidth = 0;
    int labelHeight = 0;

    QRect labelRect(int col, int row) const
    {
        return QRect(left + col * colPitch, top + row * rowPitch, labelWidth, labelHeight);
    }
};

SheetGeometry sheetGeometry(const SheetType &type, int pageWidth, int pageHeight);
