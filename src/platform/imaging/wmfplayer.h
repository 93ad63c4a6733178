#pragma once

#include <QRectF>

class QPainter;

namespace imaging {

class WmfDocument;

// Replays a metafile's records onto any painter, its frame scaled into
// `target` (painter coordinates). Drawing is clipped to `target`; records
// the player does not know, or that are too short for their parameters,
// are skipped. The painter's state is left as it was found.
// False when the drawing was cut short by the playback budget.
bool playWmf(const WmfDocument &document, QPainter &painter, const QRectF &target);

} // namespace imaging
