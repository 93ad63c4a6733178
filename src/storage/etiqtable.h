#pragma once

#include "sheettype.h"

#include <QList>

#include <optional>

class Database;

// The label-sheet types of a database (table ETIQ). Names are compared
// exactly, case included.
namespace etiqtable {

[[nodiscard]] std::optional<SheetType> find(Database &db, const QString &nom);
// The first row in table order: the type a start without settings uses.
[[nodiscard]] std::optional<SheetType> first(Database &db);
[[nodiscard]] QList<SheetType> allByName(Database &db);
// In table order.
[[nodiscard]] QList<SheetType> all(Database &db);
[[nodiscard]] bool insert(Database &db, const SheetType &type);
[[nodiscard]] bool update(Database &db, const QString &nom, const SheetType &type);
[[nodiscard]] bool remove(Database &db, const QString &nom);

} // namespace etiqtable
