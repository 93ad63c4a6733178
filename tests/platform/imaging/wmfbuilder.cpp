#include "wmfbuilder.h"

#include <QtEndian>

namespace {

void put16(QByteArray &out, quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); }
void put32(QByteArray &out, quint32 v) { put16(out, quint16(v)); put16(out, quint16(v >> 16)); }

// Stored bottom, right, top, left, the edges exclusive.
QList<qint16> box(const QRect &r)
{
    return {qint16(r.bottom() + 1), qint16(r.right() + 1), qint16(r.top()), qint16(r.left())};
}

QList<qint16> wordsOf(const QByteArray &bytes)
{
    const QByteArray padded = bytes + QByteArray(bytes.size() % 2, '\0');
    QList<qint16> words;
    for (int i = 0; i < padded.size(); i += 2)
        words << qFromLittleEndian<qint16>(padded.constData() + i);
    return words;
}

// 24 bits, bottom-up, rows given top first.
QList<qint16> dib(const QList<QList<QRgb>> &rows)
{
    const int height = int(rows.size()), width = height ? int(rows.first().size()) : 0;
    QByteArray bytes;
    for (quint32 v : {40u, quint32(width), quint32(height), 0x180001u, 0u, 0u, 0u, 0u, 0u, 0u})
        put32(bytes, v);   // header size, width, height (bottom-up), 1 plane and 24 bits, zeros
    for (int y = height - 1; y >= 0; --y) {
        for (QRgb c : rows[y])
            bytes.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        bytes.append((4 - width * 3 % 4) % 4, '\0');
    }
    return wordsOf(bytes);
}

} // namespace

WmfBuilder &WmfBuilder::record(quint16 function, const QList<qint16> &words)
{
    put32(m_records, quint32(3 + words.size()));
    put16(m_records, function);
    for (qint16 w : words)
        put16(m_records, quint16(w));
    return *this;
}

WmfBuilder &WmfBuilder::window(int x, int y, int width, int height)
{
    return record(0x020B, {qint16(y), qint16(x)}).record(0x020C, {qint16(height), qint16(width)});
}

WmfBuilder &WmfBuilder::pen(QColor c, int width, int style)
{
    return record(0x02FA, QList<qint16>{qint16(style), qint16(width), 0} + colour(c));
}

WmfBuilder &WmfBuilder::brush(QColor c, int style, int hatch)
{
    return record(0x02FC, QList<qint16>{qint16(style)} + colour(c) + QList<qint16>{qint16(hatch)});
}

WmfBuilder &WmfBuilder::font(int height, const QByteArray &face)
{
    // Height, width, escapement, orientation, weight (bold), then italic …
    // pitch and family as zero bytes, then the face name and its end.
    const QByteArray name = face.left(31).leftJustified(32, '\0');
    return record(0x02FB, QList<qint16>{qint16(height), 0, 0, 0, 700, 0, 0, 0, 0} + wordsOf(name));
}

WmfBuilder &WmfBuilder::rectangle(const QRect &r) { return record(0x041B, box(r)); }
WmfBuilder &WmfBuilder::ellipse(const QRect &r) { return record(0x0418, box(r)); }

WmfBuilder &WmfBuilder::polygon(const QList<QPoint> &points)
{
    QList<qint16> words{qint16(points.size())};
    for (const QPoint &p : points)
        words << qint16(p.x()) << qint16(p.y());
    return record(0x0324, words);
}

WmfBuilder &WmfBuilder::extTextOut(QPoint at, const QByteArray &text, const QRect *opaque)
{
    QList<qint16> words{qint16(at.y()), qint16(at.x()), qint16(text.size()), qint16(opaque ? 2 : 0)};
    if (opaque)
        words << qint16(opaque->left()) << qint16(opaque->top()) << qint16(opaque->right() + 1)
              << qint16(opaque->bottom() + 1);
    return record(0x0A32, words + wordsOf(text));
}

WmfBuilder &WmfBuilder::patternBrush(const QList<QList<QRgb>> &rows)
{
    return record(0x0142, QList<qint16>{6, 0} + dib(rows));   // a bitmap pattern, RGB colours
}

WmfBuilder &WmfBuilder::stretchDib(const QRect &dest, const QList<QList<QRgb>> &rows)
{
    const qint16 height = qint16(rows.size()), width = height ? qint16(rows.first().size()) : 0;
    return record(0x0F43, QList<qint16>{0x0020, 0x00CC, 0, height, width, 0, 0,   // SRCCOPY, RGB colours
                                        qint16(dest.height()), qint16(dest.width()), qint16(dest.y()),
                                        qint16(dest.x())} + dib(rows));
}

QByteArray WmfBuilder::bare(bool withEnd) const
{
    QByteArray body = m_records;
    if (withEnd)
        body.append("\3\0\0\0\0\0", 6);   // the end record: 3 words, function 0
    const int words = int(18 + body.size()) / 2;
    QByteArray out;
    // In memory, 9 header words, version 3, the file's words, 8 objects, largest record and parameters 0.
    for (int v : {1, 9, 0x0300, words & 0xFFFF, words >> 16, 8, 0, 0, 0})
        put16(out, quint16(v));
    return out + body;
}

QByteArray WmfBuilder::placeable(const QRect &frame, int unitsPerInch, bool withEnd) const
{
    // Key, handle, left, top, right, bottom (both exclusive), units per inch,
    // reserved, then the check of these ten words.
    QByteArray out;
    quint16 check = 0;
    for (int v : {0xCDD7, 0x9AC6, 0, frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1, unitsPerInch,
                  0, 0}) {
        put16(out, quint16(v));
        check ^= quint16(v);
    }
    put16(out, check);
    return out + bare(withEnd);
}
