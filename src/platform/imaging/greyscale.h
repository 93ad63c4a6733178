#pragma once

#include <QImage>

namespace imaging {

// The picture as it looks laid over white paper, without transparency
// (Format_RGB32, or Format_Grayscale8 when it already is one).
QImage flattenedOnWhite(const QImage &image);

// True when every pixel laid over white has equal red, green and blue.
bool isGreyscaleImage(const QImage &image);

} // namespace imaging
