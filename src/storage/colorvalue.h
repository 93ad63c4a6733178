#pragma once

#include <QColor>

// Colours are stored as 24-bit values with red in the low byte. A negative
// value (a system colour of another program) or one out of range reads as
// white, the paper's colour.
namespace colorvalue {

inline qint64 fromColor(const QColor &color)
{
    const QColor c = color.isValid() ? color.toRgb() : QColor(Qt::white);
    return c.red() | (c.green() << 8) | (qint64(c.blue()) << 16);
}

inline QColor toColor(qint64 value)
{
    if (value < 0 || value > 0xFFFFFF)
        return Qt::white;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace colorvalue
