#include "commandline.h"
#include "fontdialog.h"
#include "mainwindow.h"
#include "messageboxdialogs.h"
#include "translations.h"

#include "platform/environment.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QTextStream>

#include <cstdio>

namespace {

// The program works in its own folder: the current one when it holds the
// shipped database, else the folder of the executable.
QString programFolder()
{
    if (!QFileInfo::exists(QStringLiteral("etiquet.mdb"))) {
        const QString own = QCoreApplication::applicationDirPath();
        if (QFileInfo::exists(own + QStringLiteral("/etiquet.mdb")))
            return own;
    }
    return QDir::currentPath();
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
    setUpFonts();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return commandline::run(arguments, programFolder(), out, err);
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
    // Started from elsewhere, the program moves to its own folder.
    QDir::setCurrent(programFolder());

    SystemEnvironment environment;
    MessageBoxDialogs dialogs;
    DialogChoosers choosers;
    MainWindow window(environment, dialogs, choosers);
    dialogs.setParentWindow(&window);
    if (!window.Form_Load(QDir::currentPath()))
        return 1;
    window.show();
    return app.exec();
}
