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

bool insert(Database &db, const PageRow &row);
std::optional<PageRow> find(Database &db, int numetiq);
// In reading order, as the preview and the printer walk them.
QList<PageRow> all(Database &db);
bool remove(Database &db, int numetiq);
bool clear(Database &db);
int count(Database &db);

} // namespace pagetable
