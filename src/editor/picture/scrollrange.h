#pragma once

// What a scroll bar holds: its range, its value and its two steps. Like the
// bar itself, it keeps its value inside the range whenever either changes.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    int smallChange = 1;
    int largeChange = 1;

    // A maximum below the minimum is taken as the minimum.
    void setRange(int newMinimum, int newMaximum);
    void setValue(int newValue);
    bool contains(int v) const { return v >= minimum && v <= maximum; }
};
