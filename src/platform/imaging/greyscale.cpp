#include "platform/imaging/greyscale.h"

#include <QPainter>

namespace imaging {

QImage flattenedOnWhite(const QImage &image)
{
    if (image.isNull())
        return QImage();
    if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_RGB32)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return QImage();
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

bool isGreyscaleImage(const QImage &image)
{
    if (image.isNull())
        return false;
    if (image.isGrayscale() && !image.hasAlphaChannel())
        return true;   // grey formats, and palettes of greys only
    if (image.format() == QImage::Format_Indexed8 && !image.hasAlphaChannel()) {
        // A palette with some colours: only the entries in use matter.
        const QList<QRgb> table = image.colorTable();
        for (int y = 0; y < image.height(); ++y) {
            const uchar *line = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = line[x] < table.size() ? table[line[x]] : 0;
                if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c))
                    return false;
            }
        }
        return true;
    }
    const QImage flat = flattenedOnWhite(image);
    if (flat.format() == QImage::Format_Grayscale8)
        return true;
    for (int y = 0; y < flat.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = line[x];
            if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c))
                return false;
        }
    }
    return true;
}

} // namespace imaging
