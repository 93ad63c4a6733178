#pragma once

#include <QString>

#include <functional>

class QPainter;

// What came of sending a page to the printer.
struct PrintOutcome {
    bool ok = false;
    QString reason;   // the system's words when it failed
};

// Draws one page on a painter whose unit is the twip and whose origin is the
// paper's top-left corner.
using PageDrawing = std::function<void(QPainter &painter)>;
