#include "browserpreview.h"

#include "halfeven.h"

#include <algorithm>

namespace browserpreview {

namespace {

QString date(const QDateTime &modified)
{
    return modified.isValid() ? modified.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

} // namespace

QRect rect(QSize pixels)
{
    if (pixels.isEmpty())
        return {};
    const qint64 w = pixels.width();
    const qint64 h = pixels.height();
    // The longer side takes the whole square; the other keeps the proportions.
    QSize size(side, side);
    if (w < h)
        size.setWidth(std::max<int>(1, int(halfeven::roundRatio(side * w, h))));
    else
        size.setHeight(std::max<int>(1, int(halfeven::roundRatio(side * h, w))));
    const int left = (boxWidth - size.width()) / 2 + boxLeft;
    const int top = (boxHeight - size.height()) / 2 + boxTop;
    return QRect(QPoint(left, top), size);
}

QString info(QSize pixels, const QDateTime &modified)
{
    return QStringLiteral("Photo \n%1 x %2 pixels\n").arg(pixels.width()).arg(pixels.height()) + date(modified);
}

QString unreadableInfo(const QDateTime &modified)
{
    return QStringLiteral("Photo \nimage illisible\n") + date(modified);
}

} // namespace browserpreview
