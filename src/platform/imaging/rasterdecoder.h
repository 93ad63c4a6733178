#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace imaging {

struct RasterDecode {
    QImage image;     // null when refused
    QString reason;   // short French reason when refused
};

// Decodes bitmap bytes of the given Qt format name ("bmp", "jpeg", "png",
// "ico") within the pixel and memory limits. Photos are turned upright from
// their orientation tag; of an icon's several images the largest is kept.
RasterDecode decodeRaster(const QByteArray &bytes, const QByteArray &format);

} // namespace imaging
