#include "platform/imaging/pictureformat.h"

#include <QtEndian>

namespace imaging {

namespace {

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> magic)
{
    if (bytes.size() < qsizetype(magic.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char m : magic) {
        if (static_cast<unsigned char>(bytes[i++]) != m)
            return false;
    }
    return true;
}

quint16 word(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

} // namespace

PictureFormat detectFormat(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xFF, 0xD8, 0xFF}))
        return PictureFormat::Jpeg;
    if (startsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}))
        return PictureFormat::Png;
    if (startsWith(bytes, {'B', 'M'}) && bytes.size() >= 18)
        return PictureFormat::Bmp;
    if (startsWith(bytes, {0xD7, 0xCD, 0xC6, 0x9A}))
        return PictureFormat::Wmf;   // placeable metafile
    if (bytes.size() >= 18) {
        // A bare metafile header: type 1 (memory) or 2 (disk), 9 words long.
        const quint16 type = word(bytes, 0);
        const quint16 headerWords = word(bytes, 2);
        const quint16 version = word(bytes, 4);
        if ((type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300))
            return PictureFormat::Wmf;
    }
    // An icon directory: reserved 0, type 1, at least one image.
    if (bytes.size() >= 6 && word(bytes, 0) == 0 && word(bytes, 2) == 1 && word(bytes, 4) > 0)
        return PictureFormat::Ico;
    return PictureFormat::Unknown;
}

} // namespace imaging
