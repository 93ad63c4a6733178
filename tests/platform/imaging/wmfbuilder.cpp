#include "wmfbuilder.h"

#include <QtEndian>

namespace {

template <typename T>
void put(QByteArray &out, T v)
{
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}
void put16(QByteArray &out, quint16 v) { put(out, v); }
void put32(QByteArray &out, quint32 v) { put(out, v); }

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

} // namespace

QList<qint16> WmfBuilder::colour(QColor c)
{
    return {qint16(c.red() | (c.green() << 8)), qint16(c.blue())};
}

WmfBuilder &WmfBuilder::record(quint16 function, const QList<qint16> &words)
{
    put32(m_records, quint32(3 + words.size()));
    put16(m_records, function);
    for (qint16 w : words)
        put16(m_records, quint16(w));
    return *this;
}

WmfBuilder &WmfBuilder::raw(const QByteArray &bytes)
{
    m_records += bytes;
    return *this;
}

WmfBuilder &WmfBuilder::window(int x, int y, int width, int height)
{
    record(0x020B, {qint16(y), qint16(x)});
    return record(0x020C, {qint16(height), qint16(width)});
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
    // pitch and family as zero bytes, then the face name.
    QByteArray name = face.left(31);
    name.append(32 - name.size(), '\0');
    return record(0x02FB, QList<qint16>{qint16(height), 0, 0, 0, 700, 0, 0, 0, 0} + wordsOf(name));
}

WmfBuilder &WmfBuilder::select(int index)
{
    return record(0x012D, {qint16(index)});
}

WmfBuilder &WmfBuilder::remove(int index)
{
    return record(0x01F0, {qint16(index)});
}

WmfBuilder &WmfBuilder::rectangle(const QRect &r)
{
    return record(0x041B, box(r));
}

WmfBuilder &WmfBuilder::ellipse(const QRect &r)
{
    return record(0x0418, box(r));
}

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

QList<qint16> WmfBuilder::dib(const QList<QList<QRgb>> &rows)
{
    const int height = int(rows.size());
    const int width = height ? int(rows.first().size()) : 0;
    QByteArray bytes;
    for (quint32 v : {40u, quint32(width), quint32(height), 0x180001u, 0u, 0u, 0u, 0u, 0u, 0u})
        put32(bytes, v);   // header size, width, height (bottom-up), 1 plane and 24 bits, zeros
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row;
        for (QRgb c : rows[y])
            row.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        row.append(rowBytes - row.size(), '\0');
        bytes += row;
    }
    return wordsOf(bytes);
}

WmfBuilder &WmfBuilder::patternBrush(const QList<QList<QRgb>> &rows)
{
    return record(0x0142, QList<qint16>{6, 0} + dib(rows));   // a bitmap pattern, RGB colours
}

WmfBuilder &WmfBuilder::stretchDib(const QRect &dest, const QList<QList<QRgb>> &rows)
{
    const int height = int(rows.size());
    const int width = height ? int(rows.first().size()) : 0;
    QList<qint16> words{qint16(0x0020), qint16(0x00CC), 0,   // SRCCOPY, RGB colours
                        qint16(height), qint16(width), 0, 0,
                        qint16(dest.height()), qint16(dest.width()), qint16(dest.y()), qint16(dest.x())};
    return record(0x0F43, words + dib(rows));
}

QByteArray WmfBuilder::bare(bool withEnd) const
{
    QByteArray body = m_records;
    if (withEnd) {
        put32(body, 3);
        put16(body, 0);
    }
    QByteArray out;
    put16(out, 1);     // in memory
    put16(out, 9);     // header words
    put16(out, 0x0300);
    put32(out, quint32((18 + body.size()) / 2));
    put16(out, 8);     // objects
    put32(out, 0);     // largest record
    put16(out, 0);
    return out + body;
}

QByteArray WmfBuilder::placeable(const QRect &frame, int unitsPerInch, bool withEnd) const
{
    QByteArray out;
    put32(out, 0x9AC6CDD7);
    // Handle, left, top, right, bottom (both exclusive), units per inch.
    for (int v : {0, frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1, unitsPerInch})
        put16(out, quint16(v));
    put32(out, 0);
    quint16 check = 0;
    for (int i = 0; i < 20; i += 2)
        check ^= qFromLittleEndian<quint16>(out.constData() + i);
    put16(out, check);
    return out + bare(withEnd);
}
