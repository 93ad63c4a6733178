#include "sheetgeometry.h"

#include "storage/sheettype.h"

#include <cmath>

namespace {

// The space between `count` items of `size` laid over `room`: rounded to the
// nearest twip, halves to even (the default rounding mode); none for one item.
int gap(int room, int size, int count)
{
    if (count <= 1)
        return 0;
    return static_cast<int>(std::nearbyint((double(room) - double(size) * count) / (count - 1)));
}

} // namespace

SheetGeometry sheetGeometry(const SheetType &type, int pageWidth, int pageHeight)
{
    SheetGeometry g;
    g.labelWidth = type.widthetiq;
    g.labelHeight = type.heightetiq;
    g.hGap = gap(pageWidth - type.margegauche - type.margedroite, type.widthetiq, type.cols);
    g.vGap = gap(pageHeight - type.margehaut - type.margebas, type.heightetiq, type.rows);
    g.colPitch = g.hGap + type.widthetiq;
    g.rowPitch = g.vGap + type.heightetiq;
    g.left = type.margegauche;
    g.top = type.margehaut;
    return g;
}
