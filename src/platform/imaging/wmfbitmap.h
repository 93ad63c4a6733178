#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <optional>

namespace imaging {

class WmfRecord;

// What a bitmap record (StretchDib, DibStretchBlt, DibBitBlt) asks to draw:
// part of its embedded bitmap stretched over a logical rectangle.
struct WmfBitmapDraw {
    QImage image;
    QRectF source;   // pixels of `image`
    QRectF dest;     // logical units, normalised
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

// Reads a bitmap record. Nothing comes back for a damaged record, for a
// bitmap larger than `pixelBudget` (which is then reduced by what is
// decoded), or for a mask step the device cannot combine (`rasterOps`
// tells whether it can).
std::optional<WmfBitmapDraw> readBitmapRecord(const WmfRecord &record, bool rasterOps,
                                              qint64 &pixelBudget);

} // namespace imaging
