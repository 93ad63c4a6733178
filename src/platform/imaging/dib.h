#pragma once

#include <QByteArrayView>
#include <QImage>

namespace imaging {

// Decodes a device-independent bitmap (an info header, an optional palette
// or colour masks, then the pixels) as stored inside metafile records. It
// gets the same checks as a BMP file; a damaged one gives a null image.
QImage decodeDib(QByteArrayView dib);

// The pixel count its header declares, or -1 when the header is unreadable.
qint64 dibPixelCount(QByteArrayView dib);

} // namespace imaging
