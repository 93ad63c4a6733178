#pragma once

#include "storage/sheettype.h"

#include <QString>

// What "ANNULER" puts back: the row as it was before the last change, label
// size included, so an undone change leaves the catalogue exactly as before.
struct SavedCopy {
    SheetType row;

    static SavedCopy of(const SheetType &type) { return {type}; }

    // The row "ANNULER" writes under `nom`.
    SheetType restored(const QString &nom) const
    {
        SheetType t = row;
        t.nom = nom;
        return t;
    }
};
