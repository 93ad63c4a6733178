#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `--import-sheets FILE.xml…`: the makers' sheets of the files added to the
// user's personal catalogue, never over a type of the same name. What was
// added and what was left out, with why, goes to `out`; the exit status.
int importSheets(const QStringList &files, const QString &programDir, QTextStream &out, QTextStream &err);
