#pragma once

#include <QRect>

#include <cmath>

// Every length the program stores or computes is a whole number of twips.
// The conversions live here so that no other file divides by 15 or 56.7.
namespace units {

inline constexpr int twipsPerInch = 1440;
inline constexpr int twipsPerPixel = 15;      // the screen is counted at 96 dpi
inline constexpr double twipsPerMm = 56.7;    // the program's own millimetre, not 56.6929
inline constexpr int twipsPerPoint = 20;

// Lengths typed in millimetres are stored truncated, never rounded.
inline int mmToTwips(double mm) { return static_cast<int>(mm * twipsPerMm); }
inline double twipsToMm(int twips) { return twips / twipsPerMm; }

// Screen geometry: a control placed at a twip position lands on the pixel
// that contains it.
inline constexpr int twipsToPixels(int twips) { return twips / twipsPerPixel; }
inline constexpr int pixelsToTwips(int pixels) { return pixels * twipsPerPixel; }
inline QRect twipsToPixels(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
inline QRect twipsToPixels(const QRect &twips)
{
    return twipsToPixels(twips.left(), twips.top(), twips.width(), twips.height());
}
inline int twipsToPixelsRounded(double twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

// A length rounded down to whole pixels, still in twips.
inline constexpr int floorToPixel(int twips) { return twips / twipsPerPixel * twipsPerPixel; }

inline constexpr double pointsToTwips(double points) { return points * twipsPerPoint; }

} // namespace units
