#include "fontdialog.h"
#include "mainwindow.h"
#include "messageboxdialogs.h"
#include "translations.h"

#include "platform/environment.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KALVENOR"));
    loadTranslations(app);
    // The label designs name the classic Windows interface font.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    // The program works in its own folder. Started from elsewhere, it moves
    // to the folder that holds its shipped database.
    if (!QFileInfo::exists(QStringLiteral("etiquet.mdb"))) {
        const QString own = QCoreApplication::applicationDirPath();
        if (QFileInfo::exists(own + QStringLiteral("/etiquet.mdb")))
            QDir::setCurrent(own);
    }

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
