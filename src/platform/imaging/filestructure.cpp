#include "platform/imaging/filestructure.h"

#include "platform/imaging/imaginglimits.h"

#include <QtEndian>

namespace imaging {

namespace {

const QString truncated = QStringLiteral("Le fichier est incomplet ou endommagé.");

quint8 byteAt(QByteArrayView bytes, qsizetype at)
{
    return static_cast<quint8>(bytes[at]);
}

} // namespace

QString jpegProblem(QByteArrayView bytes)
{
    // Walk the marker segments to the end-of-image marker. Segments carry
    // their length; compressed scan data runs until the next marker (a 0xFF
    // not followed by 0x00 or a restart marker).
    const qsizetype n = bytes.size();
    qsizetype pos = 2;
    while (pos < n) {
        if (byteAt(bytes, pos) != 0xFF) {
            ++pos;   // stray bytes between segments: skip them, as decoders do
            continue;
        }
        while (pos < n && byteAt(bytes, pos) == 0xFF)
            ++pos;   // fill bytes
        if (pos >= n)
            break;
        const quint8 marker = byteAt(bytes, pos++);
        if (marker == 0xD9)
            return QString();   // end of image
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;   // markers without a length
        if (pos + 2 > n)
            break;
        const int length = qFromBigEndian<quint16>(bytes.data() + pos);
        if (length < 2)
            return truncated;
        pos += length;
        if (pos > n)
            break;
        if (marker == 0xDA) {
            // Skip the scan's compressed data.
            while (pos + 1 < n) {
                if (byteAt(bytes, pos) == 0xFF) {
                    const quint8 next = byteAt(bytes, pos + 1);
                    if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                        break;
                    pos += 2;
                } else {
                    ++pos;
                }
            }
            if (pos + 1 >= n)
                break;
        }
    }
    return truncated;
}

QString pngProblem(QByteArrayView bytes)
{
    // Chunks: 4-byte length, 4-byte type, data, 4-byte check; the last is IEND.
    qsizetype pos = 8;
    const qsizetype n = bytes.size();
    while (pos + 12 <= n) {
        const quint32 length = qFromBigEndian<quint32>(bytes.data() + pos);
        if (length > quint32(0x7FFFFFFF) || qint64(length) > n - pos - 12)
            return truncated;
        if (bytes.sliced(pos + 4, 4) == QByteArrayView("IEND"))
            return QString();
        pos += 12 + qsizetype(length);
    }
    return truncated;
}

QString bmpProblem(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    if (n < 26)
        return truncated;
    const quint32 dataOffset = qFromLittleEndian<quint32>(bytes.data() + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes.data() + 14);
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = 0;
    quint32 coloursUsed = 0;
    int paletteEntryBytes = 4;
    if (headerSize == 12) {
        width = qFromLittleEndian<quint16>(bytes.data() + 18);
        height = qFromLittleEndian<quint16>(bytes.data() + 20);
        bitCount = qFromLittleEndian<quint16>(bytes.data() + 24);
        paletteEntryBytes = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (n < 14 + 40)
            return truncated;
        width = qFromLittleEndian<qint32>(bytes.data() + 18);
        height = qFromLittleEndian<qint32>(bytes.data() + 22);
        bitCount = qFromLittleEndian<quint16>(bytes.data() + 28);
        compression = qFromLittleEndian<quint32>(bytes.data() + 30);
        coloursUsed = qFromLittleEndian<quint32>(bytes.data() + 46);
    } else {
        return QStringLiteral("L'en-tête du fichier BMP est invalide.");
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0)
        return QStringLiteral("L'en-tête du fichier BMP est invalide.");
    const QString tooLarge = QStringLiteral("L'image est trop grande (%1 x %2 pixels).").arg(width).arg(height);
    if (!pixelCountAllowed(width, height))
        return tooLarge;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24
        && bitCount != 32)
        return QStringLiteral("L'en-tête du fichier BMP est invalide.");

    enum { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };
    if (compression == Rle8 || compression == Rle4) {
        const qint64 pixels = width * height;
        return pixels > rleFreePixels && pixels > n * rlePixelsPerByte ? tooLarge : QString();
    }
    if (compression != Rgb && compression != BitFields && compression != AlphaBitFields)
        return QStringLiteral("Ce type de fichier BMP n'est pas pris en charge.");

    qint64 pixelStart = dataOffset;
    if (pixelStart < 14 + qint64(headerSize)) {
        // No usable offset: the pixels follow the header, masks and palette.
        qint64 paletteEntries = bitCount <= 8 ? (coloursUsed ? coloursUsed : 1 << bitCount) : 0;
        qint64 masks = headerSize == 40 && compression == BitFields ? 12
                       : headerSize == 40 && compression == AlphaBitFields ? 16 : 0;
        pixelStart = 14 + qint64(headerSize) + masks + qMin<qint64>(paletteEntries, 256) * paletteEntryBytes;
    }
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    if (pixelStart + rowBytes * height > n)
        return truncated;
    return QString();
}

} // namespace imaging
