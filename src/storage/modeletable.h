#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Database;

// One saved label design: a row of MODELE. The picture columns mean
// something only when `impage` is set; lengths in twips, relative to the
// label editor.
struct TemplateRow {
    QString modele;
    QString type;              // the sheet type it was designed on
    qint64 backcolor = 0xFFFFFF;
    bool impage = false;
    int impleft = 0;
    int imptop = 0;
    int impwidth = 0;
    int impheight = 0;
    int xpixel = 0;
    int ypixel = 0;

    bool operator==(const TemplateRow &) const = default;
};

// The templates of the working database (table MODELE). Names are compared
// exactly, case included, and always bound, never spliced into SQL.
namespace modeletable {

// In the order the list shows them.
[[nodiscard]] QStringList names(Database &db);
[[nodiscard]] std::optional<TemplateRow> find(Database &db, const QString &modele);
[[nodiscard]] bool insert(Database &db, const TemplateRow &row);
[[nodiscard]] bool remove(Database &db, const QString &modele);
// The picture was resampled for another label: its new pixel size.
[[nodiscard]] bool setPixels(Database &db, const QString &modele, int xpixel, int ypixel);

} // namespace modeletable
