#include "testfiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <algorithm>

namespace testfiles {

namespace {

QImage gradient(QSize size, bool grey)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int r = 255 * x / std::max(1, size.width() - 1);
            const int g = 255 * y / std::max(1, size.height() - 1);
            image.setPixel(x, y, grey ? qRgb(r, r, r) : qRgb(r, g, 128));
        }
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

} // namespace

bool writePicture(const QString &path, QSize size, const char *format, bool grey)
{
    return writeBytes(path, encoded(gradient(size, grey), format));
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray letter()
{
    return QByteArray("Chère Anne,\nvoici les photos des vacances.\n");
}

QByteArray truncatedJpeg()
{
    const QByteArray jpeg = encoded(gradient(QSize(300, 200), false), "jpeg");
    return jpeg.left(jpeg.size() / 2);
}

QByteArray bmpClaiming(int width, int height)
{
    QByteArray bmp = encoded(gradient(QSize(4, 4), false), "bmp").left(54);
    qToLittleEndian(qint32(width), bmp.data() + 18);
    qToLittleEndian(qint32(height), bmp.data() + 22);
    qToLittleEndian(quint16(24), bmp.data() + 28);
    return bmp;
}

bool writeNumbered(const QString &folder, int count)
{
    const QByteArray jpeg = encoded(gradient(QSize(8, 6), false), "jpeg");
    for (int i = 0; i < count; ++i)
        if (!writeBytes(folder + QStringLiteral("/pic%1.jpg").arg(i, 2, 10, QLatin1Char('0')), jpeg))
            return false;
    return true;
}

} // namespace testfiles
