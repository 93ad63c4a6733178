#pragma once

#include <QString>

class QSqlDatabase;

// Lists ordered by name sort as a French reader expects: accents beside
// their letter, case ignored. SQL uses it as `ORDER BY nom COLLATE FRENCH`.
namespace frenchcollation {

inline constexpr const char *name = "FRENCH";

int compare(const QString &a, const QString &b);

// Registers the collation on an open SQLite connection; false when the
// driver gives no SQLite handle.
bool registerOn(QSqlDatabase &db);

} // namespace frenchcollation
