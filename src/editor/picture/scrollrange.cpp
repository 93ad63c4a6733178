#include "scrollrange.h"

#include <algorithm>

void ScrollRange::setRange(int newMinimum, int newMaximum)
{
    minimum = newMinimum;
    maximum = std::max(newMinimum, newMaximum);
    setValue(value);
}

void ScrollRange::setValue(int newValue)
{
    value = std::clamp(newValue, minimum, maximum);
}
