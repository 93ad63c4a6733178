#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QRect>

// Writes metafiles for the tests, record by record. Parameters are given in
// the order they are stored.
class WmfBuilder {
public:
    WmfBuilder &record(quint16 function, const QList<qint16> &words);
    WmfBuilder &raw(const QByteArray &bytes) { m_records += bytes; return *this; }   // anything, even a broken record

    WmfBuilder &window(int x, int y, int width, int height);
    WmfBuilder &pen(QColor colour, int width, int style = 0);
    WmfBuilder &brush(QColor colour, int style = 0, int hatch = 0);
    WmfBuilder &font(int height, const QByteArray &face);
    WmfBuilder &select(int index) { return record(0x012D, {qint16(index)}); }
    WmfBuilder &remove(int index) { return record(0x01F0, {qint16(index)}); }
    WmfBuilder &rectangle(const QRect &r);
    WmfBuilder &ellipse(const QRect &r);
    WmfBuilder &polygon(const QList<QPoint> &points);
    WmfBuilder &extTextOut(QPoint at, const QByteArray &text, const QRect *opaque = nullptr);
    // A 24-bit bitmap, rows given top first, stretched over `dest`.
    WmfBuilder &stretchDib(const QRect &dest, const QList<QList<QRgb>> &rows);
    WmfBuilder &patternBrush(const QList<QList<QRgb>> &rows);

    // The file: with a placeable header, or bare.
    QByteArray placeable(const QRect &frame, int unitsPerInch, bool withEnd = true) const;
    QByteArray bare(bool withEnd = true) const;

    static QList<qint16> colour(QColor c) { return {qint16(c.red() | (c.green() << 8)), qint16(c.blue())}; }

private:
    QByteArray m_records;
};
