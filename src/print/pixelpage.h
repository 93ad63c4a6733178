#pragma once

#include "print/renderoptions.h"
#include "print/sheetsnapshot.h"

#include <QImage>

class TextMeasure;

// The "Pixels" print mode: the page goes to the printer as one picture,
// which some printers print better than text. Only what fits on the screen
// could be captured once, so the mode limits the sheet to the label rows the
// screen holds.
namespace pixelpage {

// Whole label rows that fit in `screenHeight`, times the columns (twips).
int usableLabelCount(int screenHeight, int marginTop, int rowGap, int labelHeight, int cols);

// The paper at `dotsPerInch`, white, with the labels drawn as the printer
// would draw them (corrections, cut frame and label limit of `options`).
// A null image when the size is beyond what can be held.
QImage draw(const SheetSnapshot &sheet, const RenderOptions &options, int dotsPerInch, TextMeasure &measure);

inline constexpr int minimumDpi = 50;
inline constexpr int maximumDpi = 1200;

} // namespace pixelpage
