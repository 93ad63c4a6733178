#include "modeletable.h"

#include "database.h"

#include <QSqlQuery>
#include <QVariant>

namespace modeletable {

QStringList names(Database &db)
{
    QStringList names;
    QSqlQuery query = db.run(QStringLiteral("SELECT modele FROM MODELE ORDER BY modele COLLATE FRENCH"));
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

std::optional<TemplateRow> find(Database &db, const QString &modele)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT modele, type, backcolor, impage, impleft, imptop, impwidth, "
                                            "impheight, xpixel, ypixel FROM MODELE WHERE modele = ? LIMIT 1"),
                             {modele});
    if (!query.next())
        return std::nullopt;
    TemplateRow row;
    row.modele = query.value(0).toString();
    row.type = query.value(1).toString();
    row.backcolor = query.value(2).isNull() ? 0xFFFFFF : query.value(2).toLongLong();
    row.impage = query.value(3).toBool();
    row.impleft = query.value(4).toInt();
    row.imptop = query.value(5).toInt();
    row.impwidth = query.value(6).toInt();
    row.impheight = query.value(7).toInt();
    row.xpixel = query.value(8).toInt();
    row.ypixel = query.value(9).toInt();
    return row;
}

bool insert(Database &db, const TemplateRow &row)
{
    // A template without a picture leaves the picture columns unset.
    const QVariant none;
    const bool p = row.impage;
    return db.execute(QStringLiteral("INSERT INTO MODELE (modele, type, backcolor, impage, impleft, imptop, impwidth, "
                                     "impheight, xpixel, ypixel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                      {row.modele, row.type, row.backcolor, p ? QVariant(true) : none,
                       p ? QVariant(row.impleft) : none, p ? QVariant(row.imptop) : none,
                       p ? QVariant(row.impwidth) : none, p ? QVariant(row.impheight) : none,
                       p ? QVariant(row.xpixel) : none, p ? QVariant(row.ypixel) : none});
}

bool remove(Database &db, const QString &modele)
{
    return db.execute(QStringLiteral("DELETE FROM MODELE WHERE modele = ?"), {modele});
}

bool setPixels(Database &db, const QString &modele, int xpixel, int ypixel)
{
    return db.execute(QStringLiteral("UPDATE MODELE SET xpixel = ?, ypixel = ? WHERE modele = ?"),
                      {xpixel, ypixel, modele});
}

} // namespace modeletable
