#pragma once

#include <QStringList>

class QTextStream;

// The modes the program runs in without a window: it answers on standard
// output, reports a failure as one line on standard error, and returns the
// exit status.
namespace commandline {

// True when the arguments (argv without the program's name) ask for a
// command-line mode rather than the window.
bool wanted(const QStringList &arguments);

// Runs the mode asked for. `programDir` holds the shipped database and the
// personal folder; relative paths in the arguments are taken from the
// current folder. Needs a QGuiApplication.
int run(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err);

} // namespace commandline
