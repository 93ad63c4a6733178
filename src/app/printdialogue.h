#pragma once

#include "print/printoutcome.h"

#include <QString>

#include <functional>

class Dialogs;

// The "Imprimer" entry: refuses an empty page, has the user confirm the
// printer and the paper, then prints with the busy pointer shown. A failure
// of the printer is reported, never swallowed; the page itself is untouched.
class PrintDialogue {
public:
    explicit PrintDialogue(Dialogs &dialogs) : m_dialogs(dialogs) {}

    // `labelCount` written labels; `deviceName` the printer in use. True when
    // the page was printed.
    bool run(int labelCount, const QString &deviceName, const std::function<PrintOutcome()> &print);

private:
    Dialogs &m_dialogs;
};
