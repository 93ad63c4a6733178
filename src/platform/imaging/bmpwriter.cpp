#include "platform/imaging/bmpwriter.h"

#include "platform/imaging/greyscale.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <vector>

namespace imaging {

namespace {

constexpr int fileHeaderBytes = 14;
constexpr int infoHeaderBytes = 40;
constexpr quint32 pixelsPerMetre96Dpi = 3780;

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

QByteArray headers(QSize size, int bitsPerPixel, quint32 rowBytes)
{
    const quint32 paletteBytes = bitsPerPixel == 8 ? 256 * 4 : 0;
    const quint32 pixelOffset = fileHeaderBytes + infoHeaderBytes + paletteBytes;
    const quint32 imageBytes = rowBytes * quint32(size.height());
    QByteArray out;
    out.reserve(int(pixelOffset));
    out.append("BM", 2);
    put32(out, pixelOffset + imageBytes);
    put32(out, 0);                       // reserved
    put32(out, pixelOffset);
    put32(out, infoHeaderBytes);
    put32(out, quint32(size.width()));
    put32(out, quint32(size.height())); // positive: rows stored bottom-up
    put16(out, 1);                       // planes
    put16(out, quint16(bitsPerPixel));
    put32(out, 0);                       // no compression
    put32(out, imageBytes);
    put32(out, pixelsPerMetre96Dpi);
    put32(out, pixelsPerMetre96Dpi);
    put32(out, bitsPerPixel == 8 ? 256 : 0);
    put32(out, 0);                       // all colours matter
    for (int grey = 0; grey < (bitsPerPixel == 8 ? 256 : 0); ++grey) {
        const char entry[4] = {char(grey), char(grey), char(grey), 0};
        out.append(entry, 4);
    }
    return out;
}

void encodeRow(const QImage &flat, int y, int bitsPerPixel, std::vector<char> &row)
{
    const int width = flat.width();
    if (flat.format() == QImage::Format_Grayscale8) {
        const uchar *src = flat.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (bitsPerPixel == 8) {
                row[x] = char(src[x]);
            } else {
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = char(src[x]);
            }
        }
        return;
    }
    const QRgb *src = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
    for (int x = 0; x < width; ++x) {
        const QRgb c = src[x];
        if (bitsPerPixel == 8) {
            row[x] = char(qGray(c));
        } else {
            row[3 * x] = char(qBlue(c));
            row[3 * x + 1] = char(qGreen(c));
            row[3 * x + 2] = char(qRed(c));
        }
    }
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool writeBmp(const QImage &image, const QString &path, int bitsPerPixel, QString *error)
{
    if (bitsPerPixel != 8 && bitsPerPixel != 24)
        return fail(error, QStringLiteral("Profondeur de couleur non prise en charge : %1 bits.").arg(bitsPerPixel));
    if (image.isNull())
        return fail(error, QStringLiteral("Il n'y a pas d'image à enregistrer."));
    const QImage flat = flattenedOnWhite(image);
    if (flat.isNull())
        return fail(error, QStringLiteral("Mémoire insuffisante pour enregistrer l'image."));

    const quint32 rowBytes = (quint32(flat.width()) * quint32(bitsPerPixel) + 31) / 32 * 4;
    const QString name = QFileInfo(path).fileName();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("Impossible de créer le fichier %1 : %2").arg(name, file.errorString()));

    const QByteArray head = headers(flat.size(), bitsPerPixel, rowBytes);
    bool written = file.write(head) == head.size();
    std::vector<char> row(rowBytes, 0);
    for (int y = flat.height() - 1; written && y >= 0; --y) {
        encodeRow(flat, y, bitsPerPixel, row);
        written = file.write(row.data(), qint64(rowBytes)) == qint64(rowBytes);
    }
    if (!written || !file.commit())
        return fail(error, QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(name, file.errorString()));
    return true;
}

} // namespace imaging
