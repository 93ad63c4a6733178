#include "startup.h"

#include "catalogue/dimensiontext.h"
#include "catalogue/sheetchecks.h"
#include "catalogue/shippedsheets.h"

#include "platform/dialogs.h"
#include "storage/appstate.h"
#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/pagetable.h"
#include "storage/personalstore.h"
#include "storage/settingsfile.h"

#include <QDir>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString storageTitle = QStringLiteral("BASE DE DONNEES");

// The working database and its folder take writes: a write that changes
// nothing, in the database and beside it.
bool writable(Database &working)
{
    QSqlQuery version = working.run(QStringLiteral("PRAGMA user_version"));
    if (!version.next())
        return false;
    const int value = version.value(0).toInt();
    if (!working.execute(QStringLiteral("PRAGMA user_version = %1").arg(value)))
        return false;
    QTemporaryFile probe(QFileInfo(working.path()).absolutePath() + QStringLiteral("/ecriture-XXXXXX"));
    return probe.open() && probe.write("x", 1) == 1 && probe.flush();
}

} // namespace

Startup::Startup(AppState &state, Database &working, Dialogs &dialogs)
    : m_state(state)
    , m_working(working)
    , m_dialogs(dialogs)
{
}

bool Startup::identauteur(const QString &programDir)
{
    QSaveFile file(programDir + QStringLiteral("/ETIQ.TXT"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("KALVENOR\r\n"
               "Planches d'etiquettes autocollantes A4 - equipe KALVENOR\r\n");
    return file.commit();
}

Startup::Outcome Startup::initialisation(const PrinterFacts &printer, const QByteArray &emptyText)
{
    Outcome outcome;
    m_state.setPrinter(printer);

    if (!openStorage())
        return outcome;
    outcome.storageReady = true;

    PersonalStore store(m_state.programDir);
    store.creatmodetiq(m_working, emptyText);
    PersonalStore::creatpagetiq(m_working);
    // The page of the last session is not kept; one that cannot be cleared
    // would come back as labels the window does not show.
    if (!pagetable::clear(m_working)) {
        m_dialogs.inform(storageTitle,
                         QStringLiteral("La page précédente n'a pas pu être effacée:\n") + m_working.lastError(),
                         Dialogs::Icon::Critical);
        outcome.storageReady = false;
        return outcome;
    }

    const SettingsRead settings = settingsfile::read(m_state.programDir + QStringLiteral("/etiq.ini"));
    outcome.settingsRead = settings.found;
    m_state.DeltaH = settings.settings.deltaH;
    m_state.DeltaV = settings.settings.deltaV;
    loadSheetType(settings.found ? settings.settings.sheetTypeName : QString());
    return outcome;
}

bool Startup::openStorage()
{
    PersonalStore store(m_state.programDir);
    m_state.personalDir = store.personalDir();
    if (!QFileInfo(store.shippedDatabase()).isFile()) {
        m_dialogs.inform(storageTitle,
                         QStringLiteral("La base de données fournie avec le programme est introuvable:\n")
                             + QDir::toNativeSeparators(store.shippedDatabase()),
                         Dialogs::Icon::Critical);
        return false;
    }
    // A working copy that cannot be made or completed shows when it is opened.
    if (!store.creatperso())
        qWarning("personal folder: the working database could not be prepared");
    QString setAside;
    const PersonalStore::Opening opening = store.openWorking(m_working, &setAside);
    if (opening == PersonalStore::Opening::InUse) {
        m_dialogs.inform(storageTitle,
                         QStringLiteral("La base de données personnelle est utilisée par un autre programme:\n")
                             + QDir::toNativeSeparators(store.workingDatabase())
                             + QStringLiteral("\nFermer cet autre programme, puis relancer KALVENOR."),
                         Dialogs::Icon::Critical);
        return false;
    }
    if (opening == PersonalStore::Opening::Failed) {
        m_dialogs.inform(storageTitle,
                         QStringLiteral("Impossible d'ouvrir la base de données personnelle:\n")
                             + QDir::toNativeSeparators(store.workingDatabase()),
                         Dialogs::Icon::Critical);
        return false;
    }
    if (!writable(m_working)) {
        // Nothing the user writes could be kept: better say so now.
        m_dialogs.inform(storageTitle,
                         QStringLiteral("Le dossier personnel ne peut pas être modifié (lecture seule ou disque "
                                        "plein):\n")
                             + QDir::toNativeSeparators(store.personalDir())
                             + QStringLiteral("\nRien de ce qui serait écrit ne pourrait être gardé."),
                         Dialogs::Icon::Critical);
        m_working.close();
        return false;
    }
    if (opening == PersonalStore::Opening::SetAside) {
        m_dialogs.inform(storageTitle,
                         QStringLiteral("La base de données personnelle était illisible.\n"
                                        "Elle a été mise de côté sous le nom:\n")
                             + QDir::toNativeSeparators(setAside)
                             + QStringLiteral("\net remplacée par la base fournie avec le programme."),
                         Dialogs::Icon::Exclamation);
    }
    return true;
}

void Startup::loadSheetType(const QString &name)
{
    auto type = name.isEmpty() ? std::nullopt : etiqtable::find(m_working, name);
    if (!type) {
        // No settings, or settings naming a type that is gone: the first type.
        type = etiqtable::first(m_working);
    }
    if (!type)
        return;
    // A type this program cannot lay out (written by hand, or by another
    // program) gives way to the first one it can.
    const QChar decimal = dimensiontext::decimalSymbol();
    if (const auto refusal = sheetchecks::checkStored(*type, decimal)) {
        const QString refused = type->nom;
        type.reset();
        for (const SheetType &candidate : etiqtable::all(m_working)) {
            if (!sheetchecks::checkStored(candidate, decimal)) {
                type = candidate;
                break;
            }
        }
        QString text = QStringLiteral("Le type d'étiquette « %1 » ne peut pas être utilisé:\n%2")
                           .arg(refused, refusal->text);
        if (type)
            text += QStringLiteral("\nLe type « %1 » le remplace.").arg(type->nom);
        m_dialogs.inform(refusal->title, text, Dialogs::Icon::Exclamation);
        if (!type)
            return;
    }
    m_state.initbd(*type);
}

void Startup::finishStorage()
{
    PersonalStore::bdimage(m_working);
    // The makers' sheets of a newer program reach a catalogue copied before.
    Database shipped;
    if (shipped.open(PersonalStore(m_state.programDir).shippedDatabase(), true))
        static_cast<void>(shippedsheets::update(m_working, shipped));
    PersonalStore(m_state.programDir).createPageFolder();
}
