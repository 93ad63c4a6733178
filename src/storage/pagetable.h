#pragma once

#include <QList>

#include <optional>

class Database;

// One written label of the page being edited: a row of PAGE. Lengths in
// twips, relative to the label; the colour as stored (red in the low byte).
struct PageRow {
    int numetiq = 0;
    int posx = 0;
    int posy = 0;
    qint64 backcolor = 0xFFFFFF;
    bool impage = false;
    int imptop = 0;
    int impleft = 0;
    int impheight = 0;
    int impwidth = 0;
    int xpixel = 0;
    int ypixel = 0;

    bool operator==(const PageRow &) const = default;
};

namespace pagetable {

[[nodiscard]] bool insert(Database &db, const PageRow &row);
[[nodiscard]] std::optional<PageRow> find(Database &db, int numetiq);
// In reading order, as the preview and the printer walk them; nullopt when
// the table could not be read (an empty page is an empty list).
[[nodiscard]] std::optional<QList<PageRow>> all(Database &db);
[[nodiscard]] bool remove(Database &db, int numetiq);
[[nodiscard]] bool clear(Database &db);
[[nodiscard]] int count(Database &db);

} // namespace pagetable
