#include "printersetup.h"

#include "platform/dialogs.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace printersetup {

bool openSystemPrinters()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("system-config-printer"));
    if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
        return true;
    return QDesktopServices::openUrl(QUrl(QStringLiteral("http://localhost:631/printers")));
}

bool configxp(Dialogs &dialogs, const std::function<bool()> &open)
{
    const Dialogs::Answer answer = dialogs.message(
        QStringLiteral("CONFIGURER IMPRIMANTE"),
        QStringLiteral("Cette action ouvre la fenetre Imprimantes et Télécopieurs du panneau de configuration Windows.\n"
                       "Aprés avoir configuré l'imprimante,refermer cette fenetre."),
        Dialogs::Icon::Exclamation, Dialogs::Buttons::OkCancel);
    if (answer != Dialogs::Answer::Ok)
        return false;
    if (open())
        return true;
    dialogs.inform(QStringLiteral("SYSTEME D'EXPLOITATION"),
                   QStringLiteral("Cette action n'est pas valable pour ce système d'exploitation"),
                   Dialogs::Icon::Exclamation);
    return false;
}

} // namespace printersetup
