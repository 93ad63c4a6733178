#include "pagetable.h"

#include "database.h"

#include <QSqlQuery>
#include <QVariant>

namespace pagetable {

namespace {

const QString columns = QStringLiteral(
    "numetiq, posx, posy, backcolor, impage, imptop, impleft, impheight, impwidth, xpixel, ypixel");

PageRow fromRow(const QSqlQuery &q)
{
    PageRow row;
    row.numetiq = q.value(0).toInt();
    row.posx = q.value(1).toInt();
    row.posy = q.value(2).toInt();
    row.backcolor = q.value(3).isNull() ? 0xFFFFFF : q.value(3).toLongLong();
    row.impage = q.value(4).toBool();
    row.imptop = q.value(5).toInt();
    row.impleft = q.value(6).toInt();
    row.impheight = q.value(7).toInt();
    row.impwidth = q.value(8).toInt();
    row.xpixel = q.value(9).toInt();
    row.ypixel = q.value(10).toInt();
    return row;
}

} // namespace

bool insert(Database &db, const PageRow &row)
{
    // A label without a picture leaves the picture columns empty.
    const QVariant none;
    const bool p = row.impage;
    return db.execute(QStringLiteral("INSERT INTO PAGE (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)").arg(columns),
                      {row.numetiq, row.posx, row.posy, row.backcolor, row.impage,
                       p ? QVariant(row.imptop) : none, p ? QVariant(row.impleft) : none,
                       p ? QVariant(row.impheight) : none, p ? QVariant(row.impwidth) : none,
                       p ? QVariant(row.xpixel) : none, p ? QVariant(row.ypixel) : none});
}

std::optional<PageRow> find(Database &db, int numetiq)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT %1 FROM PAGE WHERE numetiq = ? LIMIT 1").arg(columns), {numetiq});
    if (query.next())
        return fromRow(query);
    return std::nullopt;
}

std::optional<QList<PageRow>> all(Database &db)
{
    QList<PageRow> rows;
    QSqlQuery query = db.run(QStringLiteral("SELECT %1 FROM PAGE ORDER BY posy, posx").arg(columns));
    if (!query.isActive())
        return std::nullopt;
    while (query.next())
        rows.append(fromRow(query));
    return rows;
}

bool remove(Database &db, int numetiq)
{
    return db.execute(QStringLiteral("DELETE FROM PAGE WHERE numetiq = ?"), {numetiq});
}

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
