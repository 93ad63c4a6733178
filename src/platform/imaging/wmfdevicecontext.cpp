#include "platform/imaging/wmfdevicecontext.h"

#include "platform/imaging/wmfrecord.h"

#include <algorithm>
#include <cmath>

namespace imaging {

WmfDeviceContext::WmfDeviceContext(const QRectF &frame)
    : windowOrigin(frame.topLeft()),
      windowExtent(frame.size()),
      viewportOrigin(frame.topLeft()),
      viewportExtent(frame.size())
{
    brush.style = WmfBrush::Solid;
    brush.colour = Qt::white;
}

bool WmfDeviceContext::apply(const WmfRecord &r)
{
    // Records too short for their parameters, or setting a zero extent,
    // change nothing.
    switch (r.function()) {
    case wmf::SetWindowOrg:
        if (r.has(2))
            windowOrigin = QPointF(r.s16(1), r.s16(0));
        return true;
    case wmf::SetWindowExt:
        if (r.has(2) && r.s16(0) != 0 && r.s16(1) != 0)
            windowExtent = QSizeF(r.s16(1), r.s16(0));
        return true;
    case wmf::OffsetWindowOrg:
        if (r.has(2))
            windowOrigin += QPointF(r.s16(1), r.s16(0));
        return true;
    case wmf::ScaleWindowExt:
        // x numerator, x denominator, y numerator, y denominator, stored backwards.
        if (r.has(4) && r.s16(0) != 0 && r.s16(1) != 0 && r.s16(2) != 0 && r.s16(3) != 0)
            windowExtent = QSizeF(windowExtent.width() * r.s16(3) / r.s16(2),
                                  windowExtent.height() * r.s16(1) / r.s16(0));
        return true;
    case wmf::SetViewportOrg:
        if (r.has(2))
            viewportOrigin = QPointF(r.s16(1), r.s16(0));
        return true;
    case wmf::SetViewportExt:
        if (r.has(2))
            viewportExtent = QSizeF(r.s16(1), r.s16(0));
        return true;
    case wmf::OffsetViewportOrg:
    case wmf::ScaleViewportExt:
        return true;   // the viewport does not take part in the mapping
    case wmf::SetMapMode:
        if (r.has(1) && r.u16(0) >= Text && r.u16(0) <= Anisotropic)
            mapMode = r.u16(0);
        return true;
    case wmf::SetBkMode:
        if (r.has(1))
            opaqueBackground = r.u16(0) == 2;
        return true;
    case wmf::SetBkColor:
        if (r.has(2))
            backgroundColour = r.colour(0);
        return true;
    case wmf::SetTextColor:
        if (r.has(2))
            textColour = r.colour(0);
        return true;
    case wmf::SetTextAlign:
        if (r.has(1))
            textAlign = r.u16(0);
        return true;
    case wmf::MoveTo:
        if (r.has(2))
            position = QPointF(r.s16(1), r.s16(0));
        return true;
    case wmf::SetPolyFillMode:
        if (r.has(1))
            fillRule = r.u16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    default:
        return false;
    }
}

QTransform WmfDeviceContext::logicalToFrame(const QRectF &frame, int unitsPerInch) const
{
    double sx = 1;
    double sy = 1;
    switch (mapMode) {
    case Isotropic:
    case Anisotropic:
        sx = frame.width() / windowExtent.width();
        sy = frame.height() / windowExtent.height();
        if (mapMode == Isotropic) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
        break;
    case LoMetric:
    case HiMetric:
    case LoEnglish:
    case HiEnglish:
    case Twips: {
        // Fixed units, y growing upwards.
        static const double inchesPerUnit[] = {0.1 / 25.4, 0.01 / 25.4, 0.01, 0.001, 1.0 / 1440};
        const double k = unitsPerInch * inchesPerUnit[mapMode - LoMetric];
        sx = k;
        sy = -k;
        break;
    }
    default:
        break;   // text mode: one logical unit per frame unit
    }
    return QTransform::fromTranslate(-windowOrigin.x(), -windowOrigin.y())
           * QTransform::fromScale(sx, sy)
           * QTransform::fromTranslate(frame.left(), frame.top());
}

} // namespace imaging
