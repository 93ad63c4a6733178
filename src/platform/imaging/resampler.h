#pragma once

#include <QImage>
#include <QSize>

namespace imaging {

// Resamples to exactly `size` pixels. Along an axis that shrinks, each new
// pixel is the average of the source area it covers (weighted by the part
// of each source pixel inside it), so fine detail turns into its mean
// colour instead of aliasing; along an axis that grows, it interpolates
// linearly. Colours with transparency are averaged premultiplied.
// Returns a null image when `size` is empty or memory is short.
QImage resampleImage(const QImage &source, QSize size);

} // namespace imaging
