#pragma once

#include <QtGlobal>

#include <cmath>

// Rounding to the nearest whole number with halves going to the even
// neighbour, as the program's integer conversions do.
namespace halfeven {

// numerator / denominator, computed exactly (denominator > 0).
inline qint64 roundRatio(qint64 numerator, qint64 denominator)
{
    qint64 quotient = numerator / denominator;
    qint64 remainder = numerator % denominator;
    if (remainder < 0) {   // floor division, so the remainder is never negative
        --quotient;
        remainder += denominator;
    }
    const qint64 twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// A double, in the default rounding mode (to nearest, ties to even).
inline int round(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace halfeven
