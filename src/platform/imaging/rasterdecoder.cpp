#include "platform/imaging/rasterdecoder.h"

#include "platform/imaging/imaginglimits.h"

#include <QBuffer>
#include <QImageReader>

namespace imaging {

namespace {

QString tooLarge(QSize size)
{
    return QStringLiteral("L'image est trop grande (%1 x %2 pixels).")
        .arg(size.width())
        .arg(size.height());
}

// An icon file holds the same picture at several sizes: pick the largest.
void jumpToLargestImage(QImageReader &reader)
{
    const int count = qMin(reader.imageCount(), 64);
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            continue;
        const QSize size = reader.size();
        const qint64 area = qint64(size.width()) * size.height();
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    reader.jumpToImage(best);
}

// JPEG decodes directly at 1/2, 1/4 or 1/8 of its size: the smallest of
// these that keeps both sides at least usefulPictureSide (or the whole
// picture, when it is smaller).
QSize usefulJpegSize(QSize declared)
{
    int divisor = 1;
    for (int d : {8, 4, 2}) {
        if (declared.width() / d >= usefulPictureSide && declared.height() / d >= usefulPictureSide) {
            divisor = d;
            break;
        }
    }
    return QSize((declared.width() + divisor - 1) / divisor, (declared.height() + divisor - 1) / divisor);
}

} // namespace

RasterDecode decodeRaster(const QByteArray &bytes, const QByteArray &format)
{
    // The limit is process-wide in Qt; every decode sets the same value.
    QImageReader::setAllocationLimit(maxDecodedMegabytes);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    if (format == "ico")
        jumpToLargestImage(reader);

    const QSize declared = reader.size();
    if (declared.width() > 0 && declared.height() > 0
        && !pixelCountAllowed(declared.width(), declared.height()))
        return {QImage(), tooLarge(declared)};

    // The orientation tag turns the picture after decoding; both sides are
    // kept large enough, so the turn does not matter for the size.
    if (format == "jpeg" && declared.isValid()) {
        const QSize useful = usefulJpegSize(declared);
        if (useful != declared)
            reader.setScaledSize(useful);
    }

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {QImage(), QStringLiteral("Les données de l'image sont illisibles.")};
    if (!pixelCountAllowed(image.width(), image.height()))
        return {QImage(), tooLarge(image.size())};
    return {image, QString()};
}

} // namespace imaging
