#pragma once

#include "print/printoutcome.h"

#include <QString>

#include <optional>

// The rules of the margin calibration: a 20 x 20 mm square printed 20 mm
// from the paper's left and top edges, measured on paper by the user, turned
// into corrections (twips) that every later print adds to its positions.
namespace calibration {

inline constexpr int squareTwips = 1134;   // 20 mm at 56.7 twips per millimetre

// A measure typed as "xx.x": four characters, the point third, a digit
// last, and not zero (9.5 mm is typed 09.5).
bool validMeasure(const QString &text);

// CORRIGER is offered once both fields hold a number other than zero.
bool canCorrect(const QString &left, const QString &top);

// What a square measured `measuredMm` from the edge asks to add to the
// correction that printed it: floor((20 - measured) x 56.7), in twips.
int correctionFor(double measuredMm);

struct Corrected {
    double deltaH = 0;
    double deltaV = 0;
};

// The corrections after measuring a square printed with `deltaH`, `deltaV`
// in force; nullopt with `message` set when a field is not in the "xx.x"
// form (the left one is checked first).
std::optional<Corrected> correct(const QString &left, const QString &top, double deltaH, double deltaV,
                                 QString *message);

// The test square, carrying the corrections in force.
PageDrawing testSquare(double deltaH, double deltaV);

} // namespace calibration
