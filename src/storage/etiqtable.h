#pragma once

#include "sheettype.h"

#include <QList>

#include <optional>

class Database;

// The label-sheet types of a database (table ETIQ). Names are compared
// exactly, case included.
namespace etiqtable {

std::optional<SheetType> find(Database &db, const QString &nom);
// The first row in table order: the type a start without settings uses.
std::optional<SheetType> first(Database &db);
QList<SheetType> allByName(Database &db);
// In table order.
QList<SheetType> all(Database &db);
bool insert(Database &db, const SheetType &type);
bool update(Database &db, const QString &nom, const SheetType &type);
bool remove(Database &db, const QString &nom);

} // namespace etiqtable
