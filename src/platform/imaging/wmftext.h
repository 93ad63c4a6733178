#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

namespace imaging {

struct WmfDeviceContext;
class WmfRecord;

// One string of a text record, in logical units.
struct WmfTextRun {
    QPointF origin;
    QString text;
    std::vector<double> advances;      // per character, when the file gives them
    std::optional<QRectF> opaqueRect;  // filled with the background colour first
    std::optional<QRectF> clipRect;
};

// Reads a TextOut or ExtTextOut record; nothing for a damaged one.
std::optional<WmfTextRun> readTextRecord(const WmfRecord &record);

// Draws a run with the context's font, colours and alignment. Glyphs are
// laid out at the device's own resolution and stay upright whatever the
// mapping's direction, as metafile text does. Returns the run's advance in
// logical units, for text that moves the current position.
double drawTextRun(QPainter &painter, const QTransform &logicalToDevice,
                   const WmfDeviceContext &dc, const WmfTextRun &run);

} // namespace imaging
