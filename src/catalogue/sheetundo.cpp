#include "sheetundo.h"

#include <algorithm>
#include <cmath>

namespace {

// The division is stored in an integer column: nearest, halves to even.
int share(int length, int count)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(length) / std::max(count, 1)));
}

} // namespace

SavedCopy SavedCopy::of(const SheetType &t)
{
    return {t.margehaut, t.margebas, t.margegauche, t.margedroite, t.rows, t.cols};
}

SheetType SavedCopy::restored(const QString &nom, int pageWidth, int pageHeight) const
{
    SheetType t;
    t.nom = nom;
    t.margehaut = margehaut;
    t.margebas = margebas;
    t.margegauche = margegauche;
    t.margedroite = margedroite;
    t.cols = cols;
    t.rows = rows;
    t.widthetiq = share(pageWidth - margegauche - margedroite, cols);
    t.heightetiq = share(pageHeight - margehaut - margebas, rows);
    return t;
}
