#include "platform/imaging/wmfrecord.h"

#include <QtEndian>

namespace imaging {

quint16 WmfRecord::function() const
{
    return qFromLittleEndian<quint16>(m_data + 4);
}

quint16 WmfRecord::u16(qsizetype word) const
{
    if (!has(word + 1))
        return 0;
    return qFromLittleEndian<quint16>(m_data + 6 + 2 * word);
}

quint32 WmfRecord::u32(qsizetype word) const
{
    return quint32(u16(word)) | (quint32(u16(word + 1)) << 16);
}

QColor WmfRecord::colour(qsizetype word) const
{
    const quint32 ref = u32(word);
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

QByteArrayView WmfRecord::bytes(qsizetype word, qsizetype count) const
{
    const qsizetype start = 6 + 2 * word;
    if (word < 0 || count <= 0 || start >= m_bytes)
        return QByteArrayView();
    return QByteArrayView(m_data + start, qMin(count, m_bytes - start));
}

QString decodeAnsi(QByteArrayView text)
{
    // Code page 1252 differs from Latin-1 only in 0x80..0x9F.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString result;
    result.reserve(text.size());
    for (char ch : text) {
        const uchar b = uchar(ch);
        if (b == 0)
            break;
        result.append(b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b));
    }
    return result;
}

} // namespace imaging
