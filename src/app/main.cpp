#include "commandline.h"
#include "fontdialog.h"
#include "mainwindow.h"
#include "messageboxdialogs.h"
#include "translations.h"

#include "platform/environment.h"
#include "storage/workfolder.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>

namespace {

// The program's working folder (see workfolder).
workfolder::Choice programFolder()
{
    return workfolder::choose(QDir::currentPath(), QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

void setUpFonts()
{
    // The label designs name the classic Windows interface font.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

// Without a window: no display is needed, whatever the environment says.
int runCommandLine(int argc, char *argv[], const QStringList &arguments)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries the one line of a failure: Qt's notes about its
    // environment stay out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("KALVENOR"));
    // Qt's own refusals of the options ("Option inconnue") speak French too.
    loadTranslations(app);
    setUpFonts();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const workfolder::Choice folder = programFolder();
    if (!folder.error.isEmpty()) {
        err << folder.error << Qt::endl;
        return 1;
    }
    return commandline::run(arguments, folder.folder, out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (commandline::wanted(arguments))
        return runCommandLine(argc, argv, arguments);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KALVENOR"));
    loadTranslations(app);
    setUpFonts();
    SystemEnvironment environment;
    MessageBoxDialogs dialogs;
    DialogChoosers choosers;
    // Started from elsewhere, the program moves to its own folder.
    const workfolder::Choice folder = programFolder();
    if (!folder.error.isEmpty()) {
        dialogs.inform(QStringLiteral("DOSSIER IMPOSSIBLE"), folder.error, Dialogs::Icon::Critical);
        return 1;
    }
    QDir::setCurrent(folder.folder);
    MainWindow window(environment, dialogs, choosers);
    dialogs.setParentWindow(&window);
    if (!window.Form_Load(QDir::currentPath()))
        return 1;
    window.show();
    return app.exec();
}
