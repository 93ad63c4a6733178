#pragma once

#include "storage/sheettype.h"

#include <QString>

// What "ANNULER" puts back: the margins and counts of the type shown when
// "OK" was pressed. The label size is not kept; it is recomputed to fill the
// printer's page between the margins.
struct SavedCopy {
    int margehaut = 0;
    int margebas = 0;
    int margegauche = 0;
    int margedroite = 0;
    int rows = 0;
    int cols = 0;

    static SavedCopy of(const SheetType &type);

    // The row "ANNULER" writes under `nom`; page sizes in twips.
    SheetType restored(const QString &nom, int pageWidth, int pageHeight) const;
};
