#pragma once

#include <QString>

// Every message box and beep of the program goes through this interface, so
// that tests can read the exact texts and answer the questions.
class Dialogs {
public:
    enum class Icon { None, Information, Exclamation, Question, Critical, Stop };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // Line breaks inside `text` are '\n'.
    virtual Answer message(const QString &title, const QString &text, Icon icon,
                           Buttons buttons = Buttons::Ok) = 0;
    virtual void beep() = 0;

    // Shorthands for the two common shapes.
    void inform(const QString &title, const QString &text, Icon icon)
    {
        message(title, text, icon, Buttons::Ok);
    }
    bool askYesNo(const QString &title, const QString &text)
    {
        return message(title, text, Icon::Question, Buttons::YesNo) == Answer::Yes;
    }
};
