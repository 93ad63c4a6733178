#pragma once

#include <QString>

// Where the program works. From a build tree (or any folder holding the
// shipped database beside the executable) it works in that folder, as it
// always did. Installed, with its shared files in ../share/kalvenor, it
// works in the user's own data folder (dataHome/kalvenor), which gets copies
// of the shipped database and help text, renewed when the installed ones
// change; the user's etiqperso/ there is never touched.
namespace workfolder {

struct Choice {
    QString folder;
    QString error;   // the user's folder could not be made ready
};

// `currentDir` first when it holds the shipped database (a start from the
// program's folder), then `exeDir`, then the installed layout.
Choice choose(const QString &currentDir, const QString &exeDir, const QString &dataHome);

} // namespace workfolder
