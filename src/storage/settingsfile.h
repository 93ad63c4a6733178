#pragma once

#include <QByteArray>
#include <QString>

struct AppState;

// etiq.ini: the current sheet type and the two printer corrections, seven
// lines ended by CR LF. Numbers use "." whatever the locale, so that what is
// written is what is read back.
struct Settings {
    QString sheetTypeName;
    double deltaH = 0.0;
    double deltaV = 0.0;
};

struct SettingsRead {
    bool found = false;   // false: no file (or not readable as a file)
    int lineCount = 0;    // lines the file holds
    Settings settings;    // what the lines held; defaults for missing lines
};

namespace settingsfile {

// A correction further than a page from the nominal position cannot be a
// real measurement; such a value is read as no correction.
inline constexpr double maxCorrection = 16839.0;

SettingsRead read(const QString &path);
QByteArray format(const Settings &settings);
// Replaces the file in one piece; an interrupted write leaves the old file.
// An empty type name keeps the one the file holds.
[[nodiscard]] bool write(const QString &path, const Settings &settings, QString *error = nullptr);

// etiq.ini of the program folder, from the state in use: the current type
// and the corrections.
[[nodiscard]] bool save(const AppState &state, QString *error = nullptr);

} // namespace settingsfile
