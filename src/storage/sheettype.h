#pragma once

#include <QString>

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

    int labelCount() const { return cols * rows; }
    bool operator==(const SheetType &) const = default;
};
