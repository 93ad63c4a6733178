#pragma once

#include "dimensiontext.h"
#include "sheetundo.h"

#include "storage/sheettype.h"

#include <QStringList>

#include <array>
#include <optional>

class Database;
class Dialogs;

// The catalogue of label-sheet types without its window: the type on show,
// the OK action that adds, modifies or deletes a type in ETIQ, and the undo
// of the last such change. Messages go through Dialogs; the window only moves
// its controls as the outcome says.
class SheetCatalogue {
public:
    // The options of the frame "Fonction".
    enum class Mode { None, Ajouter, Modifier, Supprimer };

    // The entry fields as text; `dims` in the order of `T_dim`: margins left,
    // right, top, bottom, label width, label height (mm).
    struct Fields {
        std::array<QString, 6> dims;
        QString colonnes;
        QString rangees;
        bool operator==(const Fields &) const = default;
    };

    enum class Outcome {
        DecimalRefused,   // a dimension without a decimal symbol; nothing written
        Refused,          // a message stopped the action; nothing written
        Failed,           // the database failed; the action ended silently
        Modified,
        Added,
        Deleted,
        NoMode,           // no option chosen: nothing but ANNULER comes on
    };

    // What undoing did; `nom` names the row re-created by undoing a deletion.
    struct Undone {
        bool written = false;
        QString nom;
    };

    // `decimal`: the symbol the fields show and the totals are written with.
    SheetCatalogue(Database &db, Dialogs &dialogs, QChar decimal = dimensiontext::decimalSymbol());

    // The type names in name order, as the list shows them.
    QStringList names();

    // Reads the type `nom` as the one on show. A name with no row leaves the
    // type on show as it was and returns false.
    bool display(const QString &nom);
    bool hasDisplayed() const { return m_hasDisplayed; }
    const SheetType &displayed() const { return m_displayed; }
    // The fields and the caption `E_etiq` for the type on show.
    Fields displayedFields() const;
    QString labelSizeCaption() const;

    // Checks that a dimension holds "." or ","; returns it with a point, or
    // tells the user under the title `nom` and returns nothing.
    std::optional<QString> symbole(const QString &source, const QString &nom);

    // The OK action on the type named `nom`. The dimension fields that passed
    // the decimal check are rewritten with a point.
    Outcome ok(Mode mode, const QString &nom, Fields &fields);

    // "ANNULER": undoes the last change when the option chosen is still the
    // one it was made with; otherwise changes nothing. Either way the change
    // can no longer be undone. `page` gives the size the label is recomputed
    // from.
    Undone annuler(Mode mode);
    bool canUndo() const { return m_last.has_value(); }

private:
    // The last change: which row, and its margins and counts before it.
    struct Change {
        Mode mode;
        QString nom;
        SavedCopy saved;
    };

    Outcome addOrModify(Mode mode, const QString &nom, const Fields &fields, const SavedCopy &saved);
    Outcome remove(const QString &nom);
    void refuse(const QString &title, const QString &text, bool stop = false);
    void missingRow(const QString &nom);

    Database &m_db;
    Dialogs &m_dialogs;
    QChar m_decimal;
    SheetType m_displayed;
    bool m_hasDisplayed = false;
    std::optional<Change> m_last;
};
