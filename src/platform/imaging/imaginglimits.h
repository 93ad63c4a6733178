#pragma once

#include <QtGlobal>

// Every picture file is read as if a stranger wrote it: these bounds keep a
// huge or hostile file from taking the program's memory or time.
namespace imaging {

// Larger files are refused before a byte is decoded.
inline constexpr qint64 maxFileBytes = qint64(256) << 20;

// Decoded pictures are held at 32 bits per pixel: 64 megapixels is 256 MB,
// already far beyond what a label printed at 180 pixels per inch needs.
inline constexpr qint64 maxPixels = qint64(64) << 20;
inline constexpr int maxDecodedMegabytes = 256;
// A photo is decoded no larger than the largest label can use: 210 mm at
// 180 pixels per inch, on both sides, so it can still be stretched.
inline constexpr int usefulPictureSide = 1489;

// Run lengths let a few bytes of a BMP claim any size. Up to this many
// pixels any file may; beyond, each byte of the file may stand for at most
// rlePixelsPerByte pixels (a run of 255 pixels takes two bytes; a blank
// rest of a row, two bytes too), or the file is a bomb, not a picture.
inline constexpr qint64 rleFreePixels = qint64(4) << 20;
inline constexpr qint64 rlePixelsPerByte = 2048;

// A metafile reports a pixel size derived from its frame; it is brought
// within this many pixels on its longer side so rasterising stays cheap.
inline constexpr int maxVectorSide = 4096;

// Metafile playback bounds.
inline constexpr int maxWmfRecords = 1'000'000;
inline constexpr int maxWmfObjects = 4096;
inline constexpr int maxWmfSavedStates = 256;
inline constexpr int maxWmfTextRuns = 10'000;
inline constexpr qint64 maxWmfBitmapPixels = qint64(64) << 20;   // all bitmaps of one playing
// Painting stops once this many times the target's area has been painted
// (and never before a million device pixels).
inline constexpr double wmfPaintBudgetPerArea = 500;
inline constexpr double wmfMinimumPaintBudget = 1e6;
// What one edge crossing one scanline of a filled polygon costs, in pixels.
inline constexpr double wmfCrossingCost = 100;
// A metafile is played once when read, at this many pixels on its longer
// side (the widest label at 180 pixels per inch); one its budget cuts short
// is refused.
inline constexpr int wmfTrialSide = 1500;

inline bool pixelCountAllowed(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= maxPixels && height <= maxPixels
           && width * height <= maxPixels;
}

} // namespace imaging
