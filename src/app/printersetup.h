#pragma once

#include <functional>

class Dialogs;

// Printer set-up through the desktop's own printer settings.
namespace printersetup {

// Opens the desktop's printer settings without waiting for them; false when
// nothing could be opened.
bool openSystemPrinters();

// Asks the user, then opens the printer settings with `open`. Returns true
// when the settings were opened, so the printer facts must be read again
// once the user comes back.
bool configxp(Dialogs &dialogs, const std::function<bool()> &open = openSystemPrinters);

} // namespace printersetup
