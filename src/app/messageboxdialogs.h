#pragma once

#include "platform/dialogs.h"

class QWidget;

// Dialogs shown to the user as modal message boxes.
class MessageBoxDialogs final : public Dialogs {
public:
    Answer message(const QString &title, const QString &text, Icon icon, Buttons buttons) override;
    void beep() override;

    // Boxes are centred on this window when it is visible.
    void setParentWindow(QWidget *parent) { m_parent = parent; }

private:
    QWidget *m_parent = nullptr;
};
