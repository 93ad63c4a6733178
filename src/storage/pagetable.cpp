#include "pagetable.h"

#include "database.h"

#include <QSqlQuery>
#include <QVariant>

namespace pagetable {

bool clear(Database &db)
{
    return db.execute(QStringLiteral("DELETE FROM PAGE"));
}

int count(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT count(*) FROM PAGE"));
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace pagetable
