#include "scripteddialogs.h"

Dialogs::Answer ScriptedDialogs::message(const QString &title, const QString &text, Icon icon, Buttons buttons)
{
    shown.append({title, text, icon, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}
