#include "platform/imaging/wmfbitmap.h"

#include "platform/imaging/dib.h"
#include "platform/imaging/wmfrecord.h"

namespace imaging {

namespace {

// Raster operations of the bitmap records.
constexpr quint32 srcCopy = 0x00CC0020;
constexpr quint32 srcPaint = 0x00EE0086;
constexpr quint32 srcAnd = 0x008800C6;
constexpr quint32 srcInvert = 0x00660046;

} // namespace

std::optional<WmfBitmapDraw> readBitmapRecord(const WmfRecord &r, bool rasterOps, qint64 &pixelBudget)
{
    const quint16 function = r.function();
    // Source and destination rectangles precede the bitmap; their layout
    // differs by record.
    const quint32 rop = r.u32(0);
    int word = 2;
    if (function == wmf::StretchDib)
        ++word;   // colour usage
    QRectF source;
    QRectF dest;
    if (function == wmf::DibBitBlt) {
        // y source, x source, height, width, y, x.
        if (!r.has(word + 6))
            return std::nullopt;
        const double h = r.s16(word + 2), w = r.s16(word + 3);
        source = QRectF(r.s16(word + 1), r.s16(word), w, h);
        dest = QRectF(r.s16(word + 5), r.s16(word + 4), w, h);
        word += 6;
    } else {
        // Source height, width, y, x; destination height, width, y, x.
        if (!r.has(word + 8))
            return std::nullopt;
        source = QRectF(r.s16(word + 3), r.s16(word + 2), r.s16(word + 1), r.s16(word));
        dest = QRectF(r.s16(word + 7), r.s16(word + 6), r.s16(word + 5), r.s16(word + 4));
        word += 8;
    }
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (rop != srcCopy) {
        if (rop == srcAnd && rasterOps)
            mode = QPainter::RasterOp_SourceAndDestination;
        else if (rop == srcPaint && rasterOps)
            mode = QPainter::RasterOp_SourceOrDestination;
        else if (rop == srcInvert && rasterOps)
            mode = QPainter::RasterOp_SourceXorDestination;
        else if (rop == srcAnd || rop == srcPaint || rop == srcInvert)
            return std::nullopt;   // a mask step this device cannot combine: leave it out
    }

    const QByteArrayView dib = r.bytes(word, r.parameterWords() * 2);
    const qint64 pixels = dibPixelCount(dib);
    if (pixels <= 0 || pixels > pixelBudget)
        return std::nullopt;
    pixelBudget -= pixels;
    QImage image = decodeDib(dib);
    if (image.isNull())
        return std::nullopt;

    // The source rectangle counts rows from the bottom of an upright bitmap.
    const int height = image.height();
    source = QRectF(source.x(), height - source.y() - source.height(), source.width(), source.height());
    if (source.width() <= 0 || source.height() <= 0)
        source = image.rect();
    source = source.intersected(QRectF(image.rect()));
    if (source.isEmpty())
        return std::nullopt;
    const bool mirrorX = dest.width() < 0;
    const bool mirrorY = dest.height() < 0;
    if (mirrorX || mirrorY) {
        image = image.copy(source.toAlignedRect()).mirrored(mirrorX, mirrorY);
        source = image.rect();
        dest = dest.normalized();
    }
    return WmfBitmapDraw{image, source, dest.normalized(), mode};
}

} // namespace imaging
