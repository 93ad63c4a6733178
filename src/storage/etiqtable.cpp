#include "etiqtable.h"

#include "database.h"

#include <QSqlQuery>
#include <QVariant>

namespace etiqtable {

namespace {

const QString columns = QStringLiteral(
    "nom, cols, \"rows\", widthetiq, heightetiq, margehaut, margebas, margegauche, margedroite");

SheetType fromRow(const QSqlQuery &q)
{
    SheetType t;
    t.nom = q.value(0).toString();
    t.cols = q.value(1).toInt();
    t.rows = q.value(2).toInt();
    t.widthetiq = q.value(3).toInt();
    t.heightetiq = q.value(4).toInt();
    t.margehaut = q.value(5).toInt();
    t.margebas = q.value(6).toInt();
    t.margegauche = q.value(7).toInt();
    t.margedroite = q.value(8).toInt();
    return t;
}

QVariantList values(const SheetType &t)
{
    return {t.nom, t.cols, t.rows, t.widthetiq, t.heightetiq,
            t.margehaut, t.margebas, t.margegauche, t.margedroite};
}

std::optional<SheetType> single(QSqlQuery query)
{
    if (query.next())
        return fromRow(query);
    return std::nullopt;
}

} // namespace

std::optional<SheetType> find(Database &db, const QString &nom)
{
    return single(db.run(QStringLiteral("SELECT %1 FROM ETIQ WHERE nom = ? LIMIT 1").arg(columns), {nom}));
}

std::optional<SheetType> first(Database &db)
{
    return single(db.run(QStringLiteral("SELECT %1 FROM ETIQ ORDER BY rowid LIMIT 1").arg(columns)));
}

namespace {

QList<SheetType> many(QSqlQuery query)
{
    QList<SheetType> types;
    while (query.next())
        types.append(fromRow(query));
    return types;
}

} // namespace

QList<SheetType> allByName(Database &db)
{
    return many(db.run(QStringLiteral("SELECT %1 FROM ETIQ ORDER BY nom COLLATE FRENCH").arg(columns)));
}

QList<SheetType> all(Database &db)
{
    return many(db.run(QStringLiteral("SELECT %1 FROM ETIQ ORDER BY rowid").arg(columns)));
}

bool insert(Database &db, const SheetType &type)
{
    return db.execute(QStringLiteral("INSERT INTO ETIQ (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)").arg(columns),
                      values(type));
}

bool update(Database &db, const QString &nom, const SheetType &type)
{
    QVariantList bound = values(type);
    bound.append(nom);
    QSqlQuery query = db.run(QStringLiteral("UPDATE ETIQ SET nom = ?, cols = ?, \"rows\" = ?, widthetiq = ?, "
                                            "heightetiq = ?, margehaut = ?, margebas = ?, margegauche = ?, "
                                            "margedroite = ? WHERE nom = ?"),
                             bound);
    return query.isActive() && query.numRowsAffected() > 0;
}

bool remove(Database &db, const QString &nom)
{
    QSqlQuery query = db.run(QStringLiteral("DELETE FROM ETIQ WHERE nom = ?"), {nom});
    return query.isActive() && query.numRowsAffected() > 0;
}

} // namespace etiqtable
