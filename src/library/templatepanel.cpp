#include "templatepanel.h"

#include "libraryframe.h"

#include "catalogue/dimensiontext.h"
#include "catalogue/sheetchecks.h"
#include "editor/editorpanel.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetpanel.h"
#include "platform/dialogs.h"
#include "platform/richtext/rtfwriter.h"
#include "storage/appstate.h"
#include "storage/colorvalue.h"
#include "storage/etiqtable.h"
#include "storage/plainname.h"

TemplatePanel::TemplatePanel(LibraryContext context, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
{
}

TemplateStore TemplatePanel::store() const
{
    return TemplateStore(m_context.working, m_context.state.personalDir + QStringLiteral("/modetiq"));
}

void TemplatePanel::listemodele()
{
    m_context.frame->showNames(store().names());
}

void TemplatePanel::okmodele()
{
    const QString name = m_context.frame->name();
    switch (m_context.frame->option()) {
    case LibraryFrame::Option::Open: ouvrir(name); break;
    case LibraryFrame::Option::Add: ajouter(name); break;
    case LibraryFrame::Option::Delete: supprimer(name); break;
    case LibraryFrame::Option::None: break;
    }
}

void TemplatePanel::L_modele_Click(const QString &name)
{
    if (name != blankTemplate)
        return;
    if (const auto read = readWhole(name)) {
        affichmodele(name, *read);
        m_context.sheetPanel->effacpage();
    }
}

void TemplatePanel::notSelected()
{
    m_context.frame->hide();
    m_context.dialogs.inform(QStringLiteral("PAS DE MODELE SELECTIONNE"), QStringLiteral("Sélectionner un modèle"),
                             Dialogs::Icon::Exclamation);
}

std::optional<TemplateRead> TemplatePanel::readWhole(const QString &name)
{
    TemplateRead read = store().read(name, m_context.editor->document()->defaultFont());
    if (!read.row) {
        notSelected();
        return std::nullopt;
    }
    if (!read.problem.isEmpty()) {
        m_context.frame->hide();
        m_context.dialogs.inform(QStringLiteral("MODELE INCOMPLET"),
                                 read.problem + QStringLiteral("\nLe modèle ne peut pas être ouvert."),
                                 Dialogs::Icon::Exclamation);
        return std::nullopt;
    }
    return read;
}

std::optional<SheetType> TemplatePanel::usableType(const QString &name)
{
    const std::optional<SheetType> type = etiqtable::find(m_context.working, name);
    if (type && !sheetchecks::checkStored(*type, dimensiontext::decimalSymbol()))
        return type;
    m_context.frame->hide();
    m_context.dialogs.inform(QStringLiteral("MODELE INUTILISABLE"),
                             QStringLiteral("Le type d'étiquette « %1 » de ce modèle n'est plus dans le catalogue.")
                                 .arg(name),
                             Dialogs::Icon::Exclamation);
    return std::nullopt;
}

void TemplatePanel::ouvrir(const QString &name)
{
    m_context.picture->supimage();
    if (name.isEmpty()) {
        m_context.dialogs.inform(QStringLiteral("NOM DE MODELE"), QStringLiteral("Choisir un modèle."),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    // Everything is read before anything changes.
    const std::optional<TemplateRead> read = readWhole(name);
    if (!read)
        return;
    if (read->row->type != m_context.state.sheetTypeName()) {
        const std::optional<SheetType> type = usableType(read->row->type);
        if (!type)
            return;
        const bool change = m_context.dialogs.message(QStringLiteral("CHANGEMENT D'ETIQUETTE"),
                                                      QStringLiteral("Changement de dimensions d'étiquette\n"
                                                                     "La page actuelle va etre supprimée\nContinuer ?"),
                                                      Dialogs::Icon::Question, Dialogs::Buttons::YesNo)
            == Dialogs::Answer::Yes;
        if (!change) {
            m_context.frame->hide();
            m_context.editor->clear();
            return;
        }
        m_context.sheetPanel->effacpage();
        m_context.changeType(*type);
    }
    affichmodele(name, *read);
    m_context.sheetPanel->resetCount();
    m_context.frame->hide();
}

void TemplatePanel::affichmodele(const QString &name, const TemplateRead &read)
{
    m_context.picture->clearPicture();
    m_context.editor->recall(*read.text, colorvalue::toColor(read.row->backcolor));
    m_context.editor->focustexte();
    if (!read.picture)
        return;
    const TemplateRow &row = *read.row;
    m_context.picture->restorePicture(*read.picture, {row.impleft, row.imptop, row.impwidth, row.impheight});
    m_context.picture->redimimage();
    // Resampled for this label: the template keeps the new pixels.
    if (m_context.picture->hasPicture() && m_context.picture->picture().pixelSize() != read.picture->pixelSize())
        store().rewritePicture(name, m_context.picture->picture());
}

void TemplatePanel::ajouter(const QString &name)
{
    // The names listed first: an empty name is reported as such only when
    // no listed name is empty.
    if (m_context.frame->names().contains(name)) {
        m_context.dialogs.inform(QStringLiteral("NOM INTERDIT"), QStringLiteral("Ce nom de modèle est déjà utilisé"),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    if (name.isEmpty()) {
        m_context.dialogs.inform(QStringLiteral("NOM DE MODELE"), QStringLiteral("Donner un nom au modèle."),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    if (!isPlainName(name)) {
        m_context.dialogs.inform(QStringLiteral("NOM INTERDIT"), QStringLiteral("Ce nom ne peut pas servir de nom de fichier"),
                                 Dialogs::Icon::Exclamation);
        return;
    }
    TemplateRow row;
    row.modele = name;
    row.type = m_context.state.sheetTypeName();
    row.backcolor = colorvalue::fromColor(m_context.editor->backgroundColor());
    const PicturePanel &picture = *m_context.picture;
    if (picture.hasPicture()) {
        const PicturePlacement place = picture.placement();
        row.impage = true;
        row.impleft = place.impleft;
        row.imptop = place.imptop;
        row.impwidth = place.impwidth;
        row.impheight = place.impheight;
        row.xpixel = picture.xpixel();
        row.ypixel = picture.ypixel();
    }
    // The whole text, lines that would not print included.
    const QString failure = store().add(row, richtext::writeRtf(*m_context.editor->document()),
                                        picture.hasPicture() ? &picture.picture() : nullptr);
    listemodele();
    m_context.frame->hide();
    if (!failure.isEmpty())
        m_context.dialogs.inform(QStringLiteral("ENREGISTREMENT IMPOSSIBLE"),
                                 QStringLiteral("Le modèle n'a pas été enregistré.\n") + failure,
                                 Dialogs::Icon::Exclamation);
}

void TemplatePanel::supprimer(const QString &name)
{
    if (name.isEmpty())
        return;
    if (!store().remove(name)) {
        notSelected();
        return;
    }
    listemodele();
    m_context.frame->hide();
}
