#include "scripteddialogs.h"

Dialogs::Answer ScriptedDialogs::message(const QString &title, const QString &text, Icon icon,
                                         Buttons buttons)
{
    shown.append({title, text, icon, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::Yes;
    }
    return Answer::Ok;
}
