#pragma once

#include <QByteArrayView>
#include <QString>

// Structural checks made before decoding. The decoders behind QImageReader
// accept a cut-off JPEG (filling the rest with grey) or a BMP whose pixel
// rows run past the end of the file (leaving memory undefined); a file in
// that state is refused instead. Each returns a short French reason, or an
// empty string when the file is whole.
namespace imaging {

QString jpegProblem(QByteArrayView bytes);
QString pngProblem(QByteArrayView bytes);
QString bmpProblem(QByteArrayView bytes);

} // namespace imaging
