#pragma once

#include "platform/imaging/wmfobjects.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

namespace imaging {

class WmfRecord;

// The drawing state a metafile changes as it plays, saved and restored as a
// whole by its save and restore records.
struct WmfDeviceContext {
    enum MapMode { Text = 1, LoMetric, HiMetric, LoEnglish, HiEnglish, Twips, Isotropic, Anisotropic };

    // The player maps the window onto the picture's frame, as a program
    // showing a placeable metafile sets the mapping up before playing it.
    explicit WmfDeviceContext(const QRectF &frame);

    int mapMode = Anisotropic;
    QPointF windowOrigin;
    QSizeF windowExtent;
    // Kept for completeness, not used for mapping: the frame, not the
    // recording device, decides where the picture lands.
    QPointF viewportOrigin;
    QSizeF viewportExtent;

    WmfPen pen;
    WmfBrush brush;
    WmfFont font;
    QColor textColour = Qt::black;
    QColor backgroundColour = Qt::white;
    bool opaqueBackground = true;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int textAlign = 0;
    QPointF position;

    // Applies a record that only changes this state (mapping, colours,
    // modes, current position); false for any other record.
    bool apply(const WmfRecord &record);

    // Logical coordinates to the frame's coordinates. `unitsPerInch` gives
    // the fixed scale of the metric and English map modes.
    QTransform logicalToFrame(const QRectF &frame, int unitsPerInch) const;
};

} // namespace imaging
