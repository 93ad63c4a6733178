#pragma once

#include "storage/pagetable.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class Picture;
class QTextDocument;
class WorkingSheet;

// One written label as a page saves it; the pointers are borrowed.
struct PageLabel {
    PageRow row;
    const QTextDocument *text = nullptr;
    const Picture *picture = nullptr;   // needed when row.impage
};

// The saved pages: one folder each in the pages folder, named as the user
// typed the page's name.
namespace pagestore {

// A page is built under this prefix and renamed into place when whole; such
// a folder is never listed and is removed at the next start.
inline constexpr QLatin1StringView partialPrefix(".enregistrement-");

// The pages' names in French order.
QStringList names(const QString &pageDir);
void removeLeftovers(const QString &pageDir);
// A name that can be a page's folder.
bool isUsableName(const QString &name);

// The written labels of the sheet; nullopt when its rows cannot be read.
std::optional<std::vector<PageLabel>> labelsOf(WorkingSheet &sheet);

// Saves the labels as the page `name`: its etiquet.mdb (a copy of the
// shipped database holding only PAGE, compacted), typetiq.txt, n.rtf and
// n.bmp. The page appears whole or not at all. The reason on failure, else
// an empty string.
QString save(const QString &pageDir, const QString &name, const QString &shippedDatabase, const QString &typeName,
             const std::vector<PageLabel> &labels);

// Deletes a listed page: its folder and what it holds, never what a link in
// it points to. False for a name that is not listed or a folder that stays.
bool remove(const QString &pageDir, const QString &name);

} // namespace pagestore
