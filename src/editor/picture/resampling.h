#pragma once

#include <QColor>
#include <QSize>

// redimimage's arithmetic: a label picture is kept at no more than 180
// pixels per inch over the label's usable area, and its print quality is
// the pixels per inch it ends up with.
namespace resampling {

inline constexpr int pixelsPerInch = 180;

// The usable label area (editor less 30 twips each way) in pixels at 180
// pixels per inch, each side rounded to nearest with halves to even.
QSize box(QSize editorTwips);

struct Plan {
    double factor = 1.0;   // 1.0 when the picture already fits the box
    QSize size;            // the pixel size to resample to
    bool reduced = false;  // the picture was larger than the box
};

// A picture inside the box keeps its pixels; a larger one is brought inside
// it keeping its proportions: the limiting side becomes the box's, the other
// is rounded to nearest with halves to even (and kept at least 1 pixel).
Plan plan(QSize pixels, QSize box);

// qualpix: floor(pixel width / (width in twips / 1440)); 0 without a width.
int quality(int pixelWidth, int widthTwips);

// The colours of the quality caption: dark red under 121 pixels per inch,
// orange up to 178, light green from 179.
struct QualityColours {
    QColor background;
    QColor text;
};
QualityColours colours(int quality);

} // namespace resampling
