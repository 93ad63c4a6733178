#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QString>

namespace imaging {

// Record functions of a Windows metafile that the player knows.
namespace wmf {
enum Function : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    CreatePalette = 0x00F7,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    OffsetViewportOrg = 0x0211,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ScaleViewportExt = 0x0412,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};
} // namespace wmf

// A view of one record: a size in 16-bit words, a function, then
// parameters. Every read is bounds-checked: a parameter past the record's
// end reads as 0 (callers check `has` first to skip short records).
class WmfRecord {
public:
    WmfRecord(const char *data, qsizetype bytes) : m_data(data), m_bytes(bytes) {}

    quint16 function() const;
    qsizetype parameterWords() const { return (m_bytes - 6) / 2; }
    bool has(qsizetype words) const { return words >= 0 && words <= parameterWords(); }

    quint16 u16(qsizetype word) const;
    qint16 s16(qsizetype word) const { return qint16(u16(word)); }
    quint32 u32(qsizetype word) const;   // two words, low word first
    QColor colour(qsizetype word) const; // a COLORREF: red, green, blue, 0

    // Raw parameter bytes from `word`, cut at the record's end.
    QByteArrayView bytes(qsizetype word, qsizetype count) const;

private:
    const char *m_data;
    qsizetype m_bytes;
};

// Text of a metafile is 8-bit Windows Western (code page 1252).
QString decodeAnsi(QByteArrayView text);

} // namespace imaging
