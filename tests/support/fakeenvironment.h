#pragma once

#include "platform/environment.h"

// A machine of the test's choosing: screen resolution, size and printers.
class FakeEnvironment final : public Environment {
public:
    FakeEnvironment(int widthPx = 1280, int heightPx = 1024, double dpi = 96, int printers = 1, double dpiY = 0)
        : widthPx(widthPx), heightPx(heightPx), dpi(dpi), dpiY(dpiY > 0 ? dpiY : dpi), printers(printers) {}

    double twipsPerPixelX() const override { return 1440.0 / dpi; }
    double twipsPerPixelY() const override { return 1440.0 / dpiY; }
    double screenWidthTwips() const override { return widthPx * twipsPerPixelX(); }
    double screenHeightTwips() const override { return heightPx * twipsPerPixelY(); }
    int printerCount() const override { return printers; }

    int widthPx;
    int heightPx;
    double dpi;
    double dpiY;   // vertical resolution, when it differs
    int printers;
};
