#pragma once

#include <QImage>
#include <QString>

namespace imaging {

// Writes `image` laid over white as an uncompressed Windows bitmap
// (BITMAPINFOHEADER, rows bottom-up, 96 pixels per inch):
//  - 8 bits per pixel: a palette of 256 greys, each pixel its luminance;
//  - 24 bits per pixel: blue, green, red.
// The file is written through QSaveFile, so an existing file is replaced
// only once the new one is complete. On failure returns false and, when
// `error` is given, a short French explanation.
bool writeBmp(const QImage &image, const QString &path, int bitsPerPixel, QString *error);

} // namespace imaging
