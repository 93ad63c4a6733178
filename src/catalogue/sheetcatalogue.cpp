#include "sheetcatalogue.h"

#include "sheetchecks.h"

#include "platform/dialogs.h"
#include "storage/etiqtable.h"

#include <utility>

namespace {

// The dimension fields in the order they are checked, with their titles.
struct DimensionTitle {
    int index;
    const char16_t *title;
};
constexpr DimensionTitle checkOrder[] = {
    {4, u"LARGEUR ETIQUETTE"}, {5, u"HAUTEUR ETIQUETTE"}, {2, u"MARGE HAUT"},
    {3, u"MARGE BAS"},         {0, u"MARGE GAUCHE"},      {1, u"MARGE DROITE"},
};

sheetchecks::Entry entryOf(const SheetCatalogue::Fields &f)
{
    sheetchecks::Entry e;
    e.marginLeft = dimensiontext::millimetres(f.dims[0]);
    e.marginRight = dimensiontext::millimetres(f.dims[1]);
    e.marginTop = dimensiontext::millimetres(f.dims[2]);
    e.marginBottom = dimensiontext::millimetres(f.dims[3]);
    e.width = dimensiontext::millimetres(f.dims[4]);
    e.height = dimensiontext::millimetres(f.dims[5]);
    e.cols = dimensiontext::count(f.colonnes);
    e.rows = dimensiontext::count(f.rangees);
    return e;
}

} // namespace

SheetCatalogue::SheetCatalogue(Database &db, Dialogs &dialogs, QChar decimal)
    : m_db(db)
    , m_dialogs(dialogs)
    , m_decimal(decimal)
{
}

QStringList SheetCatalogue::names()
{
    QStringList result;
    for (const SheetType &type : etiqtable::allByName(m_db))
        result.append(type.nom);
    return result;
}

bool SheetCatalogue::display(const QString &nom)
{
    const std::optional<SheetType> row = etiqtable::find(m_db, nom);
    if (!row)
        return false;
    m_displayed = *row;
    m_hasDisplayed = true;
    return true;
}

SheetCatalogue::Fields SheetCatalogue::displayedFields() const
{
    const SheetType &t = m_displayed;
    Fields f;
    const int lengths[] = {t.margegauche, t.margedroite, t.margehaut, t.margebas, t.widthetiq, t.heightetiq};
    for (int i = 0; i < 6; ++i)
        f.dims[i] = dimensiontext::twoDecimals(lengths[i], m_decimal);
    f.colonnes = dimensiontext::whole(t.cols);
    f.rangees = dimensiontext::whole(t.rows);
    return f;
}

QString SheetCatalogue::labelSizeCaption() const
{
    return QStringLiteral("Dimensions étiquette:") + dimensiontext::oneDecimal(m_displayed.widthetiq, m_decimal)
        + QStringLiteral(" x ") + dimensiontext::oneDecimal(m_displayed.heightetiq, m_decimal)
        + QStringLiteral(" mm ");
}

std::optional<QString> SheetCatalogue::symbole(const QString &source, const QString &nom)
{
    std::optional<QString> converted = dimensiontext::withDecimalPoint(source);
    if (!converted)
        refuse(nom, QStringLiteral("Symbole décimal inexistant \nou différent de point ou virgule"));
    return converted;
}

SheetCatalogue::Outcome SheetCatalogue::ok(Mode mode, const QString &nom, Fields &fields)
{
    for (const DimensionTitle &field : checkOrder) {
        const std::optional<QString> converted =
            symbole(fields.dims[field.index], QString::fromUtf16(field.title));
        if (!converted)
            return Outcome::DecimalRefused;
        fields.dims[field.index] = *converted;
    }
    const SavedCopy saved = SavedCopy::of(m_displayed);
    switch (mode) {
    case Mode::Ajouter:
    case Mode::Modifier:
        return addOrModify(mode, nom, fields, saved);
    case Mode::Supprimer:
        return remove(nom);
    case Mode::None:
        break;
    }
    return Outcome::NoMode;
}

SheetCatalogue::Outcome SheetCatalogue::addOrModify(Mode mode, const QString &nom, const Fields &fields,
                                                    const SavedCopy &saved)
{
    const sheetchecks::Entry entry = entryOf(fields);
    std::optional<sheetchecks::Refusal> refusal = sheetchecks::check(entry, m_decimal);
    if (!refusal)
        refusal = sheetchecks::outOfRange(entry);
    if (!refusal && mode == Mode::Ajouter) {
        refusal = sheetchecks::badNewName(nom);
        if (!refusal && etiqtable::find(m_db, nom))
            refusal = sheetchecks::nameTaken();
    }
    if (refusal) {
        refuse(refusal->title, refusal->text);
        return Outcome::Refused;
    }

    const SheetType row = sheetchecks::toSheetType(entry, nom);
    if (mode == Mode::Ajouter) {
        if (!etiqtable::insert(m_db, row))
            return Outcome::Failed;
        m_last = Change{mode, nom, saved};
        return Outcome::Added;
    }
    const std::optional<SheetType> old = etiqtable::find(m_db, nom);
    if (!old) {
        missingRow(nom);
        return Outcome::Refused;
    }
    if (!etiqtable::update(m_db, nom, row))
        return Outcome::Failed;
    // Normally the type on show; the row itself when another name was typed.
    m_last = Change{mode, nom, SavedCopy::of(*old)};
    return Outcome::Modified;
}

SheetCatalogue::Outcome SheetCatalogue::remove(const QString &nom)
{
    if (sheetchecks::isBuiltIn(nom)) {
        refuse(QStringLiteral("SUPPRESSION IMPOSSIBLE"), QStringLiteral("Ce type d'étiquette ne peut etre  supprimé"),
               true);
        return Outcome::Refused;
    }
    const std::optional<SheetType> old = etiqtable::find(m_db, nom);
    if (!old) {
        missingRow(nom);
        return Outcome::Refused;
    }
    if (!etiqtable::remove(m_db, nom))
        return Outcome::Failed;
    m_last = Change{Mode::Supprimer, nom, SavedCopy::of(*old)};
    return Outcome::Deleted;
}

SheetCatalogue::Undone SheetCatalogue::annuler(Mode mode)
{
    Undone undone;
    const std::optional<Change> change = std::exchange(m_last, std::nullopt);
    if (!change || change->mode != mode)
        return undone;
    const SheetType restored = change->saved.restored(change->nom);
    switch (mode) {
    case Mode::Modifier:
        undone.written = etiqtable::update(m_db, change->nom, restored);
        break;
    case Mode::Ajouter:
        undone.written = etiqtable::remove(m_db, change->nom);
        break;
    case Mode::Supprimer:
        // Re-created under its own name, unless that name came back meanwhile.
        if (!etiqtable::find(m_db, change->nom))
            undone.written = etiqtable::insert(m_db, restored);
        if (undone.written)
            undone.nom = change->nom;
        break;
    case Mode::None:
        break;
    }
    return undone;
}

void SheetCatalogue::refuse(const QString &title, const QString &text, bool stop)
{
    m_dialogs.inform(title, text, stop ? Dialogs::Icon::Stop : Dialogs::Icon::Exclamation);
}

void SheetCatalogue::missingRow(const QString &nom)
{
    refuse(QStringLiteral("MODIFICATION IMPOSSIBLE"), QStringLiteral("La page ") + nom + QStringLiteral(" n'existe pas"));
}
