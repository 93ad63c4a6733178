#include "platform/imaging/wmfdevicecontext.h"

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
