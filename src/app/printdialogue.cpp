#include "printdialogue.h"

#include "platform/dialogs.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

// Shows the busy pointer for as long as it lives, whatever way the job ends.
struct BusyPointer {
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

bool PrintDialogue::run(int labelCount, const QString &deviceName, const std::function<PrintOutcome()> &print)
{
    if (labelCount <= 0) {
        m_dialogs.inform(QStringLiteral("IMPRESSION REFUSEE."), QStringLiteral("La page est vide."),
                         Dialogs::Icon::Exclamation);
        return false;
    }
    const QString printer = QStringLiteral("Imprimante:") + deviceName
        + QStringLiteral("\nPour choisir une autre imprimante:\n    -Configurer imprimante.\n"
                         "    -Click droit sur l'imprimante choisie.\n    -Définir comme imprimante par défaut.\n"
                         "    -Fermer la configuration imprimante.\nContinuer?");
    if (!m_dialogs.askYesNo(QStringLiteral("IMPRIMANTE"), printer))
        return false;
    m_dialogs.beep();
    if (!m_dialogs.askYesNo(QStringLiteral("IMPRIMER"),
                            QStringLiteral("Le papier est-il A4?\nAvez-vous vérifié la page par Vue avant impression?")))
        return false;

    PrintOutcome outcome;
    {
        const BusyPointer busy;
        outcome = print();
    }
    if (!outcome.ok) {
        QString text = QStringLiteral("La page n'a pas pu être imprimée.");
        if (!outcome.reason.isEmpty())
            text += QLatin1Char('\n') + outcome.reason;
        m_dialogs.inform(QStringLiteral("IMPRESSION IMPOSSIBLE"), text, Dialogs::Icon::Exclamation);
    }
    return outcome.ok;
}
