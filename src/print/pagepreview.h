#pragma once

#include "print/sheetsnapshot.h"

#include <QImage>
#include <QRect>

class TextMeasure;

// The page as the preview shows it: the paper in grey with each label's
// rectangle in white, the written labels drawn by the printer's renderer at
// their nominal places (no corrections), and the strips the printer cannot
// reach shaded. Text the printer would drop below its printable area is
// dropped here too.
struct PreviewPaper {
    int pageWidth = 11906;
    int pageHeight = 16838;
    QRect printable{0, 0, 11906, 16838};   // twips from the paper's corner
};

namespace pagepreview {

inline const QColor paperColor{208, 208, 208};
inline const QColor stripColor{96, 96, 96, 110};

// A label's white rectangle: 15 twips inside the label when the sheet has
// neither a top nor a left margin, so that touching labels stay apart.
QRect labelBox(const SheetType &type, const QRect &label);

QImage draw(const SheetSnapshot &sheet, const PreviewPaper &paper, double pixelsPerTwip, TextMeasure &measure);

} // namespace pagepreview
