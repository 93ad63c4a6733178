#include "frenchcollation.h"

#include <QCollator>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace frenchcollation {

namespace {

const QCollator &collator()
{
    static const QCollator instance = [] {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return instance;
}

int sqliteCompare(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    // SQLITE_UTF16 hands over native-order UTF-16, lengths in bytes.
    const QString left = QString::fromUtf16(static_cast<const char16_t *>(a), lengthA / 2);
    const QString right = QString::fromUtf16(static_cast<const char16_t *>(b), lengthB / 2);
    return compare(left, right);
}

} // namespace

int compare(const QString &a, const QString &b)
{
    const int primary = collator().compare(a, b);
    if (primary != 0)
        return primary < 0 ? -1 : 1;
    // Names equal but for case still get a stable order.
    const int exact = QString::compare(a, b, Qt::CaseSensitive);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

bool registerOn(QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.data());
    if (!connection)
        return false;
    return sqlite3_create_collation(connection, name, SQLITE_UTF16, nullptr, sqliteCompare) == SQLITE_OK;
}

} // namespace frenchcollation
