#include "shippedsheets.h"

#include "storage/database.h"
#include "storage/etiqtable.h"

#include <QSet>
#include <QSqlQuery>

namespace shippedsheets {

namespace {

qint64 version(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("PRAGMA user_version"));
    return query.next() ? query.value(0).toLongLong() : 0;
}

QSet<QString> names(Database &db, const QString &sql)
{
    QSet<QString> names;
    QSqlQuery query = db.run(sql);
    while (query.next())
        names.insert(query.value(0).toString());
    return names;
}

} // namespace

int update(Database &personal, Database &shipped)
{
    const qint64 shippedVersion = version(shipped);
    if (shippedVersion == 0 || version(personal) == shippedVersion)
        return 0;
    if (!personal.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS MAKERSHEETS (nom TEXT NOT NULL UNIQUE)")))
        return -1;
    const QSet<QString> given = names(personal, QStringLiteral("SELECT nom FROM MAKERSHEETS"));
    const QSet<QString> own = names(personal, QStringLiteral("SELECT nom FROM ETIQ"));
    QList<SheetType> offered;
    for (const SheetType &type : etiqtable::all(shipped)) {
        if (!given.contains(type.nom))
            offered << type;
    }
    const QSet<QString> makers = names(shipped, QStringLiteral("SELECT nom FROM MAKERSHEETS"));
    if (!personal.transaction())
        return -1;
    int added = 0;
    bool ok = true;
    for (const SheetType &type : offered) {
        if (!makers.contains(type.nom))
            continue;
        if (!own.contains(type.nom)) {
            ok = etiqtable::insert(personal, type);
            added += ok ? 1 : 0;
        }
        ok = ok && personal.execute(QStringLiteral("INSERT INTO MAKERSHEETS VALUES (?)"), {type.nom});
        if (!ok)
            break;
    }
    ok = ok && personal.execute(QStringLiteral("PRAGMA user_version = %1").arg(shippedVersion));
    if (!ok || !personal.commit()) {
        personal.rollback();
        return -1;
    }
    return added;
}

} // namespace shippedsheets
