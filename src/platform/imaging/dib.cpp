#include "platform/imaging/dib.h"

#include "platform/imaging/filestructure.h"
#include "platform/imaging/rasterdecoder.h"

#include <QtEndian>

namespace imaging {

namespace {

// Where the pixels start, counted from the info header.
qint64 pixelStart(QByteArrayView dib)
{
    const quint32 headerSize = qFromLittleEndian<quint32>(dib.data());
    if (headerSize == 12) {
        const int bitCount = qFromLittleEndian<quint16>(dib.data() + 10);
        return 12 + (bitCount <= 8 ? (qint64(1) << bitCount) * 3 : 0);
    }
    if (headerSize < 40 || dib.size() < 40)
        return -1;
    const int bitCount = qFromLittleEndian<quint16>(dib.data() + 14);
    const quint32 compression = qFromLittleEndian<quint32>(dib.data() + 16);
    const quint32 coloursUsed = qFromLittleEndian<quint32>(dib.data() + 32);
    qint64 masks = 0;
    if (headerSize == 40 && compression == 3)
        masks = 12;
    else if (headerSize == 40 && compression == 6)
        masks = 16;
    qint64 entries = coloursUsed;
    if (bitCount <= 8 && entries == 0)
        entries = qint64(1) << bitCount;
    if (entries > 256)
        return -1;
    return qint64(headerSize) + masks + entries * 4;
}

} // namespace

qint64 dibPixelCount(QByteArrayView dib)
{
    if (dib.size() < 12)
        return -1;
    const quint32 headerSize = qFromLittleEndian<quint32>(dib.data());
    if (headerSize == 12)
        return qint64(qFromLittleEndian<quint16>(dib.data() + 4)) * qFromLittleEndian<quint16>(dib.data() + 6);
    if (headerSize < 40 || dib.size() < 40)
        return -1;
    const qint64 width = qFromLittleEndian<qint32>(dib.data() + 4);
    const qint64 height = qFromLittleEndian<qint32>(dib.data() + 8);
    return width > 0 ? width * (height < 0 ? -height : height) : -1;
}

QImage decodeDib(QByteArrayView dib)
{
    if (dib.size() < 12)
        return QImage();
    const qint64 start = pixelStart(dib);
    if (start < 0 || start > dib.size())
        return QImage();

    // Give it the file header a BMP file would have and read it as one.
    QByteArray file;
    file.reserve(dib.size() + 14);
    file.append("BM", 2);
    char field[4];
    qToLittleEndian(quint32(dib.size() + 14), field);
    file.append(field, 4);
    file.append(4, '\0');
    qToLittleEndian(quint32(start + 14), field);
    file.append(field, 4);
    file.append(dib.data(), dib.size());
    if (!bmpProblem(file).isEmpty())
        return QImage();
    return decodeRaster(file, "bmp").image;
}

} // namespace imaging
