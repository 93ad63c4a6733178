#include "testfiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>

namespace testfiles {

namespace {

QByteArray encoded(QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    for (int x = 0; x < size.width(); x += 7)
        image.setPixel(x, x % size.height(), qRgb(20, 60, 220));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

} // namespace

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray jpeg(QSize size)
{
    return encoded(size, "jpeg");
}

bool writeNumbered(const QString &folder, int count)
{
    const QByteArray bytes = jpeg(QSize(8, 6));
    for (int i = 0; i < count; ++i)
        if (!writeBytes(folder + QStringLiteral("/pic%1.jpg").arg(i, 2, 10, QLatin1Char('0')), bytes))
            return false;
    return true;
}

QByteArray bmpClaiming(int width, int height)
{
    QByteArray bmp = encoded(QSize(4, 4), "bmp").left(54);
    qToLittleEndian(qint32(width), bmp.data() + 18);
    qToLittleEndian(qint32(height), bmp.data() + 22);
    return bmp;
}

} // namespace testfiles
