#pragma once

#include <QString>

#include <climits>

// One label-sheet type: a row of ETIQ. Lengths in twips.
struct SheetType {
    QString nom;
    int cols = 0;
    int rows = 0;
    int widthetiq = 0;
    int heightetiq = 0;
    int margehaut = 0;
    int margebas = 0;
    int margegauche = 0;
    int margedroite = 0;

    // Computed wide: a stored row may hold anything until it is checked.
    int labelCount() const
    {
        const long long count = (long long)cols * rows;
        return count < 0 ? 0 : count > INT_MAX ? INT_MAX : int(count);
    }
    bool operator==(const SheetType &) const = default;
};
