#pragma once

#include <QSize>

#include <optional>

class Dialogs;
class Environment;

// The three checks that must pass before anything is written: a screen at
// 96 dpi, at least one printer, a screen larger than 1020 x 765 pixels.
// On success, the screen size in whole pixels; on failure the user has been
// told why and the program must end.
std::optional<QSize> checkEnvironment(const Environment &environment, Dialogs &dialogs);
