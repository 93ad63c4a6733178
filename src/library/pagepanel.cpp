#include "pagepanel.h"

#include "libraryframe.h"
#include "pagefolder.h"
#include "pagestore.h"

#include "editor/editorpanel.h"
#include "editor/sheetpanel.h"
#include "editor/workingsheet.h"
#include "platform/dialogs.h"
#include "storage/appstate.h"
#include "storage/pagetable.h"

#include <QDir>
#include <QGuiApplication>

namespace {

// The hourglass for as long as it lives.
struct BusyPointer {
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace

PagePanel::PagePanel(LibraryContext context, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
{
}

QString PagePanel::pageDir() const
{
    return m_context.state.personalDir + QStringLiteral("/pagetiq");
}

void PagePanel::listepage()
{
    m_context.frame->showNames(pagestore::names(pageDir()));
}

void PagePanel::okpage()
{
    m_context.sheetPanel->resetCount();
    const QString name = m_context.frame->name();
    switch (m_context.frame->option()) {
    case LibraryFrame::Option::Add: ajoutpage(name); break;
    case LibraryFrame::Option::Open: ouvrirpage(name); break;
    case LibraryFrame::Option::Delete: suppage(name); break;
    case LibraryFrame::Option::None: break;
    }
}

void PagePanel::refuse(const QString &title, const QString &text)
{
    m_context.dialogs.beep();
    m_context.dialogs.inform(title, text, Dialogs::Icon::Exclamation);
}

bool PagePanel::listed(const QString &name)
{
    if (m_context.frame->names().contains(name) && pagestore::names(pageDir()).contains(name))
        return true;
    m_context.frame->hide();
    m_context.dialogs.inform(QStringLiteral("PAS DE PAGE SELECTIONNEE"), QStringLiteral("Sélectionner une page"),
                             Dialogs::Icon::Exclamation);
    return false;
}

void PagePanel::ajoutpage(const QString &name)
{
    if (pagetable::count(m_context.working) == 0) {
        refuse(QStringLiteral("PAGE VIDE"), QStringLiteral("Cette page est vide"));
        return;
    }
    if (m_context.frame->names().contains(name)) {
        refuse(QStringLiteral("NOM INTERDIT"), QStringLiteral("Ce nom de page est déjà utilisé"));
        return;
    }
    if (!pagestore::isUsableName(name)) {
        refuse(QStringLiteral("NOM INTERDIT"), QStringLiteral("Ce nom ne peut pas servir de nom de fichier"));
        return;
    }
    QString failure;
    {
        const BusyPointer busy;
        const auto labels = pagestore::labelsOf(m_context.sheet);
        failure = labels ? pagestore::save(pageDir(), name, m_context.state.programDir + QStringLiteral("/etiquet.mdb"),
                                           m_context.state.sheetTypeName(), *labels)
                         : QStringLiteral("La page en cours est illisible.");
    }
    m_context.frame->hide();
    if (!failure.isEmpty())
        m_context.dialogs.inform(QStringLiteral("ENREGISTREMENT IMPOSSIBLE"),
                                 QStringLiteral("La page n'a pas été enregistrée.\n") + failure,
                                 Dialogs::Icon::Exclamation);
}

void PagePanel::ouvrirpage(const QString &name)
{
    if (name.isEmpty()) {
        refuse(QStringLiteral("NOM DE PAGE"), QStringLiteral("Choisir une page."));
        return;
    }
    if (!listed(name))
        return;
    const bool go = m_context.dialogs.message(QStringLiteral("CHANGEMENT DE PAGE"),
                                              QStringLiteral("La page actuelle va etre supprimée\nContinuer ?"),
                                              Dialogs::Icon::Question, Dialogs::Buttons::YesNo)
        == Dialogs::Answer::Yes;
    if (!go) {
        m_context.frame->hide();
        m_context.editor->clear();
        return;
    }

    // The whole page is read before the sheet is cleared: a page that cannot
    // be opened leaves the sheet as it was.
    PageFolderLoad load;
    bool placed = false;
    {
        const BusyPointer busy;
        LibraryFrame &frame = *m_context.frame;
        frame.showLoading();
        PageFolderOptions options;
        options.update = true;
        options.progress = [&frame](int done, int total) { frame.advanceLoading(done, total); };
        load = loadPageFolder(QDir(pageDir()).filePath(name), m_context.working, options);
        if (load.page) {
            m_context.sheetPanel->effacpage();
            m_context.changeType(load.page->type);
            placed = m_context.sheet.load(load.page->labels);
        }
        m_context.editor->clear();
        frame.hideLoading();
        frame.hide();
    }
    if (!load.page) {
        m_context.dialogs.inform(QStringLiteral("PAGE ILLISIBLE"),
                                 QStringLiteral("La page « %1 » ne peut pas être ouverte.\n").arg(name) + load.reason
                                     + QStringLiteral("\nLa page actuelle est conservée."),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    if (!placed) {
        m_context.dialogs.inform(QStringLiteral("ECRITURE IMPOSSIBLE"),
                                 QStringLiteral("Les étiquettes de la page n'ont pas pu être enregistrées dans la base "
                                                "de données.\nLa feuille est vide."),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    if (!load.skipped.isEmpty())
        m_context.dialogs.inform(QStringLiteral("PAGE INCOMPLETE"),
                                 QStringLiteral("Ces étiquettes n'ont pas pu être chargées :\n")
                                     + load.skipped.join(QLatin1Char('\n')),
                                 Dialogs::Icon::Exclamation);
}

void PagePanel::suppage(const QString &name)
{
    if (name.isEmpty() || !listed(name))
        return;
    const bool removed = pagestore::remove(pageDir(), name);
    m_context.frame->hide();
    if (!removed)
        m_context.dialogs.inform(QStringLiteral("SUPPRESSION IMPOSSIBLE"),
                                 QStringLiteral("La page « %1 » n'a pas pu être supprimée entièrement.").arg(name),
                                 Dialogs::Icon::Exclamation);
}
