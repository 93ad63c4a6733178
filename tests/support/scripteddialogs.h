#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>

// The test double of Dialogs: records every message and beep, and answers
// questions from a queue of scripted answers (the default button when empty).
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    Answer message(const QString &title, const QString &text, Icon icon, Buttons buttons) override;
    void beep() override { ++beeps; }

    void answerNext(Answer answer) { answers.enqueue(answer); }
    void clear()
    {
        shown.clear();
        answers.clear();
        beeps = 0;
    }

    QList<Shown> shown;
    QQueue<Answer> answers;
    int beeps = 0;
};
