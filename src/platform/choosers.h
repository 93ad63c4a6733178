#pragma once

#include <QColor>
#include <QString>

#include <optional>

// The character formatting the font dialog shows and returns.
struct FontChoice {
    QString family;
    double pointSize = 10.0;
    QColor color = Qt::black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontChoice &) const = default;
};

// The font and colour dialogs, behind an interface so tests can answer them.
// No value means the user cancelled: nothing may change then.
class Choosers {
public:
    virtual ~Choosers() = default;
    virtual std::optional<FontChoice> chooseFont(const FontChoice &preset) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &preset) = 0;
};
