#pragma once

#include "platform/choosers.h"

#include <QList>

// Answers the font and colour dialogs as the test says, and records the
// presets they were opened with. No answer set means Cancel.
class ScriptedChoosers final : public Choosers {
public:
    std::optional<FontChoice> chooseFont(const FontChoice &preset) override
    {
        fontPresets.append(preset);
        return fontAnswer;
    }
    std::optional<QColor> chooseColor(const QColor &preset) override
    {
        colorPresets.append(preset);
        return colorAnswer;
    }

    std::optional<FontChoice> fontAnswer;
    std::optional<QColor> colorAnswer;
    QList<FontChoice> fontPresets;
    QList<QColor> colorPresets;
};
