#include "resampling.h"

#include "halfeven.h"

#include "platform/units.h"

#include <algorithm>

namespace resampling {

namespace {

int boxSide(int editorTwips)
{
    const qint64 usable = std::max(0, editorTwips - 30);
    return int(halfeven::roundRatio(usable * pixelsPerInch, units::twipsPerInch));
}

} // namespace

QSize box(QSize editorTwips)
{
    return QSize(boxSide(editorTwips.width()), boxSide(editorTwips.height()));
}

Plan plan(QSize pixels, QSize box)
{
    Plan result;
    result.size = pixels;
    if (pixels.isEmpty() || (pixels.width() <= box.width() && pixels.height() <= box.height()))
        return result;
    const qint64 bw = pixels.width();
    const qint64 bh = pixels.height();
    result.reduced = true;
    // The smaller of box width / bw and box height / bh, compared exactly.
    if (qint64(box.width()) * bh <= qint64(box.height()) * bw) {
        result.factor = double(box.width()) / bw;
        result.size = QSize(box.width(), int(halfeven::roundRatio(bh * box.width(), bw)));
    } else {
        result.factor = double(box.height()) / bh;
        result.size = QSize(int(halfeven::roundRatio(bw * box.height(), bh)), box.height());
    }
    result.size = result.size.expandedTo(QSize(1, 1));
    return result;
}

int quality(int pixelWidth, int widthTwips)
{
    if (widthTwips <= 0 || pixelWidth <= 0)
        return 0;
    return int(qint64(pixelWidth) * units::twipsPerInch / widthTwips);
}

QualityColours colours(int quality)
{
    if (quality < 121)
        return {QColor(192, 0, 0), Qt::white};
    if (quality < 179)
        return {QColor(255, 192, 128), Qt::black};
    return {QColor(192, 255, 192), Qt::black};
}

} // namespace resampling
