#include "personalstore.h"

#include "database.h"
#include "etiqtable.h"
#include "plainname.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlQuery>
#include <QStringList>

#include <iterator>

namespace {

// Statements that bring an older database to the current columns; the first
// that fails (the column exists) ends the migration.
const char *const pictureColumns[] = {
    "ALTER TABLE PAGE ADD COLUMN impage LOGICAL",
    "ALTER TABLE PAGE ADD COLUMN imptop INTEGER",
    "ALTER TABLE PAGE ADD COLUMN impleft INTEGER",
    "ALTER TABLE PAGE ADD COLUMN impheight INTEGER",
    "ALTER TABLE PAGE ADD COLUMN impwidth INTEGER",
    "ALTER TABLE PAGE ADD COLUMN xpixel INTEGER",
    "ALTER TABLE PAGE ADD COLUMN ypixel INTEGER",
    "ALTER TABLE MODELE ADD COLUMN impage LOGICAL",
    "ALTER TABLE MODELE ADD COLUMN imptop INTEGER",
    "ALTER TABLE MODELE ADD COLUMN impleft INTEGER",
    "ALTER TABLE MODELE ADD COLUMN impheight INTEGER",
    "ALTER TABLE MODELE ADD COLUMN impwidth INTEGER",
    "ALTER TABLE MODELE ADD COLUMN xpixel INTEGER",
    "ALTER TABLE MODELE ADD COLUMN ypixel INTEGER",
};

// Copies through a temporary name so that an interrupted copy never leaves a
// half database under the real name.
bool copyFileWhole(const QString &from, const QString &to)
{
    const QString partial = to + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(from, partial))
        return false;
    QFile::setPermissions(partial, QFile::permissions(partial) | QFileDevice::WriteOwner);
    QFile::remove(to);
    if (!QFile::rename(partial, to)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace

PersonalStore::PersonalStore(QString programDir)
    : m_programDir(std::move(programDir))
{
}

QString PersonalStore::personalDir() const { return m_programDir + QStringLiteral("/etiqperso"); }
QString PersonalStore::shippedDatabase() const { return m_programDir + QStringLiteral("/etiquet.mdb"); }
QString PersonalStore::workingDatabase() const { return personalDir() + QStringLiteral("/etiquet.mdb"); }
QString PersonalStore::templateDir() const { return personalDir() + QStringLiteral("/modetiq"); }
QString PersonalStore::pageDir() const { return personalDir() + QStringLiteral("/pagetiq"); }

bool PersonalStore::copyShipped()
{
    return copyFileWhole(shippedDatabase(), workingDatabase());
}

bool PersonalStore::creatperso()
{
    if (QDir().mkdir(personalDir()))
        return copyShipped();
    return copiebd();
}

bool PersonalStore::copiebd()
{
    if (!QFileInfo(workingDatabase()).isFile() && !copyShipped())
        return false;
    return ajoutetiq(QStringLiteral("AVERY65"));
}

bool PersonalStore::ajoutetiq(const QString &nometiq)
{
    Database working;
    if (!working.open(workingDatabase()))
        return false;
    // A database that opening will set aside is kept as the user left it.
    if (!passesChecks(working))
        return false;
    if (etiqtable::find(working, nometiq))
        return true;
    Database shipped;
    if (!shipped.open(shippedDatabase(), true))
        return false;
    const auto type = etiqtable::find(shipped, nometiq);
    if (!type)
        return false;
    return etiqtable::insert(working, *type);
}

void PersonalStore::creatmodetiq(Database &working, const QByteArray &emptyText)
{
    if (!QDir().mkdir(templateDir()))
        return;
    QSqlQuery query = working.run(QStringLiteral("SELECT modele FROM MODELE ORDER BY rowid"));
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (!isPlainName(name))
            continue;
        QSaveFile file(templateDir() + u'/' + name + QStringLiteral(".rtf"));
        if (file.open(QIODevice::WriteOnly) && file.write(emptyText) == emptyText.size())
            file.commit();
    }
}

void PersonalStore::creatpagetiq(Database &working)
{
    // Fails, as it should, once the column is there.
    static_cast<void>(working.execute(QStringLiteral("ALTER TABLE page ADD COLUMN numetiq INTEGER")));
}

namespace {

template <class Statements>
int runUntilFailure(Database &db, const Statements &statements, std::size_t count)
{
    int applied = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!db.execute(QString::fromLatin1(statements[i])))
            break;
        ++applied;
    }
    return applied;
}

} // namespace

int PersonalStore::bdimage(Database &working)
{
    return runUntilFailure(working, pictureColumns, std::size(pictureColumns));
}

int PersonalStore::pagePictureColumns(Database &page)
{
    // The first seven statements are those of PAGE.
    return runUntilFailure(page, pictureColumns, 7);
}

void PersonalStore::createPageFolder()
{
    QDir().mkdir(pageDir());
}

bool PersonalStore::passesChecks(Database &db)
{
    QSqlQuery check = db.run(QStringLiteral("PRAGMA quick_check"));
    return check.next() && check.value(0).toString() == QLatin1String("ok") && schemaProblem(db).isEmpty();
}

QString PersonalStore::schemaProblem(Database &db)
{
    struct Table {
        const char *name;
        QStringList columns;
    };
    // Later versions added the picture columns and PAGE.numetiq; the
    // migrations at start-up add them when missing.
    const Table tables[] = {
        {"ETIQ", {QStringLiteral("nom"), QStringLiteral("cols"), QStringLiteral("rows"), QStringLiteral("widthetiq"),
                  QStringLiteral("heightetiq"), QStringLiteral("margehaut"), QStringLiteral("margebas"),
                  QStringLiteral("margegauche"), QStringLiteral("margedroite")}},
        {"MODELE", {QStringLiteral("modele"), QStringLiteral("type"), QStringLiteral("backcolor")}},
        {"PAGE", {QStringLiteral("posx"), QStringLiteral("posy"), QStringLiteral("backcolor")}},
    };
    for (const Table &table : tables) {
        QSqlQuery info = db.run(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"),
                                {QString::fromLatin1(table.name)});
        QHash<QString, QString> declared;
        while (info.next())
            declared.insert(info.value(0).toString().toLower(), info.value(1).toString().toUpper());
        if (declared.isEmpty())
            return QStringLiteral("table %1 missing").arg(QString::fromLatin1(table.name));
        for (const QString &column : table.columns) {
            const auto type = declared.constFind(column);
            if (type == declared.constEnd())
                return QStringLiteral("column %1.%2 missing").arg(QString::fromLatin1(table.name), column);
            if (type->contains(QLatin1String("BLOB")))
                return QStringLiteral("column %1.%2 holds bytes").arg(QString::fromLatin1(table.name), column);
        }
    }
    return {};
}

PersonalStore::Opening PersonalStore::openWorking(Database &db, QString *setAsideAs)
{
    if (!QFileInfo(workingDatabase()).isFile())
        return Opening::Failed;
    if (db.open(workingDatabase())) {
        if (passesChecks(db))
            return Opening::Opened;
        const bool busy = db.busy();
        db.close();
        if (busy)
            return Opening::InUse;
    } else if (db.busy()) {
        return Opening::InUse;
    }
    const QString aside = workingDatabase() + QStringLiteral(".illisible-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::rename(workingDatabase(), aside))
        return Opening::Failed;
    if (setAsideAs)
        *setAsideAs = aside;
    if (copyShipped() && ajoutetiq(QStringLiteral("AVERY65")) && db.open(workingDatabase()))
        return Opening::SetAside;
    return Opening::Failed;
}
