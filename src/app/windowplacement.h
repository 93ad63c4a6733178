#pragma once

class QWidget;

// Puts a top-level window, at its current size, in the middle of the
// available area of its screen (the screen of its parent, else the
// primary one).
void centreOnScreen(QWidget &window);
