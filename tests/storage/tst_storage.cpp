#include "programfolder.h"

#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/frenchcollation.h"
#include "storage/pagetable.h"
#include "storage/personalstore.h"
#include "storage/plainname.h"
#include "storage/workfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QSqlQuery>
#include <QTest>

namespace {

const QStringList pictureColumns = {QStringLiteral("impage"), QStringLiteral("imptop"), QStringLiteral("impleft"),
                                    QStringLiteral("impheight"), QStringLiteral("impwidth"),
                                    QStringLiteral("xpixel"), QStringLiteral("ypixel")};

QStringList columnsOf(Database &db, const QString &table)
{
    QStringList names;
    QSqlQuery q = db.run(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (q.next())
        names << q.value(1).toString();
    return names;
}

// A database as an older version of the program left it: PAGE without the
// label number and neither table with the picture columns.
void writeOldDatabase(const QString &path)
{
    const QString name = QStringLiteral("old-db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("CREATE TABLE ETIQ (nom TEXT, cols INTEGER, \"rows\" INTEGER, widthetiq INTEGER, "
                       "heightetiq INTEGER, margehaut INTEGER, margebas INTEGER, margegauche INTEGER, "
                       "margedroite INTEGER)"));
        QVERIFY(q.exec("CREATE TABLE MODELE (modele TEXT, type TEXT, backcolor INTEGER)"));
        QVERIFY(q.exec("CREATE TABLE PAGE (posx INTEGER, posy INTEGER, backcolor INTEGER)"));
        QVERIFY(q.exec("INSERT INTO ETIQ VALUES ('3x8', 3, 8, 3969, 2104, 0, 0, 0, 0)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void firstStartBuildsTheTree();
    void deletedWorkingDatabaseIsCopiedAgain();
    void missingAvery65IsRestoredWithItsValues();
    void unknownTypeLeavesWorkingDatabaseUnchanged();
    void oldDatabaseGetsEveryColumn();
    void currentDatabaseIsLeftUnchanged();
    void migrationStopsAtFirstExistingColumn();
    void namesWithQuotesAreBound_data();
    void namesWithQuotesAreBound();
    void listsSortAsFrenchReadersExpect();
    void unreadableWorkingDatabaseIsSetAside();
    void notADatabaseIsRefused();
    void workingDatabaseWithoutTheTablesIsSetAside_data();
    void workingDatabaseWithoutTheTablesIsSetAside();
    void lockedWorkingDatabaseIsLeftAlone();
    void plainNames_data();
    void plainNames();
    void workingFolder_data();
    void workingFolder();
};

void TestStorage::firstStartBuildsTheTree()
{
    ProgramFolder program;
    QVERIFY(program.isValid());
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    QVERIFY(QFileInfo(program.file("etiqperso/etiquet.mdb")).isFile());

    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    const QByteArray emptyText("{\\rtf1 }");
    store.creatmodetiq(working, emptyText);
    store.createPageFolder();
    QVERIFY(QFileInfo(program.file("etiqperso/pagetiq")).isDir());

    QSqlQuery templates = working.run(QStringLiteral("SELECT modele FROM MODELE"));
    int count = 0;
    while (templates.next()) {
        QFile text(store.templateDir() + u'/' + templates.value(0).toString() + QStringLiteral(".rtf"));
        QVERIFY2(text.open(QIODevice::ReadOnly), qPrintable(text.fileName()));
        QCOMPARE(text.readAll(), emptyText);
        ++count;
    }
    QVERIFY(count >= 1);
    QCOMPARE(QDir(store.templateDir()).entryList(QDir::Files).size(), count);

    // Later starts leave the template texts alone.
    QFile::remove(store.templateDir() + QStringLiteral("/Effacer modèle.rtf"));
    store.creatmodetiq(working, emptyText);
    QVERIFY(!QFileInfo::exists(store.templateDir() + QStringLiteral("/Effacer modèle.rtf")));
}

void TestStorage::deletedWorkingDatabaseIsCopiedAgain()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    QVERIFY(QFile::remove(store.workingDatabase()));
    QVERIFY(store.creatperso()); // the folder exists: the copy is made again
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    QVERIFY(etiqtable::find(working, QStringLiteral("3x8")));
}

void TestStorage::missingAvery65IsRestoredWithItsValues()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    Database shipped;
    QVERIFY(shipped.open(store.shippedDatabase(), true));
    const auto original = etiqtable::find(shipped, QStringLiteral("AVERY65"));
    QVERIFY(original);
    {
        Database working;
        QVERIFY(working.open(store.workingDatabase()));
        QVERIFY(etiqtable::remove(working, QStringLiteral("AVERY65")));
        // A name differing only in case is another type.
        QVERIFY(etiqtable::insert(working, SheetType{QStringLiteral("avery65"), 1, 2, 100, 100, 0, 0, 0, 0}));
    }
    QVERIFY(store.creatperso());
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    const auto restored = etiqtable::find(working, QStringLiteral("AVERY65"));
    QVERIFY(restored);
    QCOMPARE(*restored, *original);
    QCOMPARE(restored->cols, 5);
    QCOMPARE(restored->rows, 13);
}

void TestStorage::unknownTypeLeavesWorkingDatabaseUnchanged()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    QVERIFY(!store.ajoutetiq(QStringLiteral("Pas dans le catalogue")));
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    Database shipped;
    QVERIFY(shipped.open(store.shippedDatabase(), true));
    QCOMPARE(etiqtable::allByName(working), etiqtable::allByName(shipped));
}

void TestStorage::oldDatabaseGetsEveryColumn()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(QDir().mkdir(store.personalDir()));
    writeOldDatabase(store.workingDatabase());
    QVERIFY(store.creatperso());

    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    PersonalStore::creatpagetiq(working);
    QCOMPARE(PersonalStore::bdimage(working), 14);
    QVERIFY(columnsOf(working, "PAGE").contains("numetiq"));
    for (const QString &column : pictureColumns) {
        QVERIFY2(columnsOf(working, "PAGE").contains(column), qPrintable(column));
        QVERIFY2(columnsOf(working, "MODELE").contains(column), qPrintable(column));
    }
    // The old database lacked "AVERY65" too.
    QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
}

void TestStorage::currentDatabaseIsLeftUnchanged()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    const QStringList page = columnsOf(working, "PAGE");
    const QStringList modele = columnsOf(working, "MODELE");
    PersonalStore::creatpagetiq(working);
    QCOMPARE(PersonalStore::bdimage(working), 0);
    QCOMPARE(columnsOf(working, "PAGE"), page);
    QCOMPARE(columnsOf(working, "MODELE"), modele);
}

void TestStorage::migrationStopsAtFirstExistingColumn()
{
    // PAGE already has the first column: nothing else is added, not even to
    // MODELE, and the statements already made would stay.
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(QDir().mkdir(store.personalDir()));
    writeOldDatabase(store.workingDatabase());
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    QVERIFY(working.execute(QStringLiteral("ALTER TABLE PAGE ADD COLUMN impage LOGICAL")));
    QCOMPARE(PersonalStore::bdimage(working), 0);
    QVERIFY(!columnsOf(working, "PAGE").contains("imptop"));
    QVERIFY(!columnsOf(working, "MODELE").contains("impage"));
}

void TestStorage::namesWithQuotesAreBound_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << QStringLiteral("L'atelier");
    QTest::newRow("double quote") << QStringLiteral("Le \"grand\" format");
    QTest::newRow("sql") << QStringLiteral("x'; DROP TABLE ETIQ; --");
    QTest::newRow("accents") << QStringLiteral("Étiquettes été");
}

void TestStorage::namesWithQuotesAreBound()
{
    QFETCH(QString, name);
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    const SheetType type{name, 2, 5, 5000, 3000, 100, 100, 50, 50};
    QVERIFY(etiqtable::insert(working, type));
    QCOMPARE(etiqtable::find(working, name), std::optional<SheetType>(type));
    SheetType changed = type;
    changed.cols = 3;
    QVERIFY(etiqtable::update(working, name, changed));
    QCOMPARE(etiqtable::find(working, name)->cols, 3);
    QVERIFY(etiqtable::remove(working, name));
    QVERIFY(!etiqtable::find(working, name));
    QVERIFY(etiqtable::find(working, QStringLiteral("3x8")));
}

void TestStorage::listsSortAsFrenchReadersExpect()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    QVERIFY(working.execute(QStringLiteral("DELETE FROM ETIQ")));
    for (const QString name : {"zèbre", "Fiches", "école", "Enveloppes", "étagère", "Zinc", "avery", "Colis"})
        QVERIFY(etiqtable::insert(working, SheetType{name, 1, 2, 1, 1, 0, 0, 0, 0}));
    QStringList names;
    for (const SheetType &t : etiqtable::allByName(working))
        names << t.nom;
    const QStringList expected = {"avery", "Colis", "école", "Enveloppes", "étagère", "Fiches", "zèbre", "Zinc"};
    QCOMPARE(names, expected);
    QVERIFY(frenchcollation::compare("Été", "ete") != 0);
}

void TestStorage::unreadableWorkingDatabaseIsSetAside()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(QDir().mkdir(store.personalDir()));
    const QByteArray garbage(4096, '\x5a');
    {
        QFile file(store.workingDatabase());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    QVERIFY(!store.creatperso()); // the type cannot be checked in garbage
    Database working;
    QString aside;
    QCOMPARE(store.openWorking(working, &aside), PersonalStore::Opening::SetAside);
    QVERIFY(!aside.isEmpty());
    QFile kept(aside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), garbage);
    QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
    QCOMPARE(pagetable::count(working), 0);
}

void TestStorage::workingDatabaseWithoutTheTablesIsSetAside_data()
{
    QTest::addColumn<QStringList>("statements");   // run on a fresh SQLite file
    QTest::newRow("empty file") << QStringList();
    QTest::newRow("other tables") << QStringList{QStringLiteral("CREATE TABLE clients (nom TEXT)")};
    const QString modele = QStringLiteral("CREATE TABLE MODELE (modele TEXT, type TEXT, backcolor INTEGER)");
    const QString page = QStringLiteral("CREATE TABLE PAGE (numetiq INTEGER, posx INTEGER, posy INTEGER, backcolor INTEGER)");
    QTest::newRow("ETIQ without its margins")
        << QStringList{QStringLiteral("CREATE TABLE ETIQ (nom TEXT, cols INTEGER, rows INTEGER, widthetiq INTEGER, "
                                      "heightetiq INTEGER)"),
                       modele, page};
    QTest::newRow("ETIQ with bytes for numbers")
        << QStringList{QStringLiteral("CREATE TABLE ETIQ (nom TEXT, cols BLOB, rows INTEGER, widthetiq INTEGER, "
                                      "heightetiq INTEGER, margehaut INTEGER, margebas INTEGER, margegauche INTEGER, "
                                      "margedroite INTEGER)"),
                       modele, page};
}

// The user's file is kept aside, byte for byte, and a working copy that the
// program can use takes its place.
void TestStorage::workingDatabaseWithoutTheTablesIsSetAside()
{
    QFETCH(QStringList, statements);
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(QDir().mkdir(store.personalDir()));
    QFile(store.workingDatabase()).open(QIODevice::WriteOnly);
    {
        Database db;
        QVERIFY(db.open(store.workingDatabase()));
        for (const QString &sql : statements)
            QVERIFY(db.execute(sql));
    }
    const QByteArray before = [&] { QFile f(store.workingDatabase()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    Database working;
    QString aside;
    QCOMPARE(store.openWorking(working, &aside), PersonalStore::Opening::SetAside);
    QFile kept(aside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), before);
    QVERIFY(PersonalStore::schemaProblem(working).isEmpty());
    QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
}

void TestStorage::lockedWorkingDatabaseIsLeftAlone()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    Database other;   // another program, in the middle of a write
    QVERIFY(other.open(store.workingDatabase()));
    QVERIFY(other.execute(QStringLiteral("BEGIN EXCLUSIVE")));
    QVERIFY(other.execute(QStringLiteral("DELETE FROM PAGE")));

    Database working;
    QString aside;
    QCOMPARE(store.openWorking(working, &aside), PersonalStore::Opening::InUse);
    QVERIFY(aside.isEmpty());
    QCOMPARE(QDir(store.personalDir()).entryList({QStringLiteral("*.illisible-*")}, QDir::Files), QStringList());
    QVERIFY(other.execute(QStringLiteral("ROLLBACK")));
    QCOMPARE(store.openWorking(working, &aside), PersonalStore::Opening::Opened);
}

void TestStorage::notADatabaseIsRefused()
{
    QTemporaryDir dir;
    Database db;
    QVERIFY(!db.open(dir.filePath("absent.mdb")));
    QVERIFY(!QFileInfo::exists(dir.filePath("absent.mdb"))); // never created
    QFile text(dir.filePath("text.mdb"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Ceci n'est pas une base de donnees, mais un texte assez long pour etre lu.");
    text.close();
    QVERIFY(!db.open(text.fileName()));
    QVERIFY(!db.isOpen());
}

void TestStorage::plainNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("simple") << "Colis" << true;
    QTest::newRow("apostrophe and accents") << "L'été 2026" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("control") << QString("a\tb") << false;
    QTest::newRow("newline") << QString("a\nb") << false;
    QTest::newRow("only blanks") << "   " << false;
    QTest::newRow("100 characters") << QString(100, u'x') << true;
    QTest::newRow("101 characters") << QString(101, u'x') << false;
}

void TestStorage::workingFolder_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("works");   // relative to the temporary root
    QTest::newRow("started in its folder") << "current" << "current";
    QTest::newRow("build tree") << "exe" << "bin";
    QTest::newRow("installed") << "installed" << "home/kalvenor";
}

void TestStorage::workingFolder()
{
    QFETCH(QString, layout);
    QFETCH(QString, works);
    QTemporaryDir root;
    auto put = [&](const QString &relative, const QByteArray &content) {
        QDir().mkpath(QFileInfo(root.filePath(relative)).path());
        QFile file(root.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    QDir().mkpath(root.filePath("current"));
    QDir().mkpath(root.filePath("bin"));
    if (layout == "current")
        put("current/etiquet.mdb", "db");
    if (layout == "exe")
        put("bin/etiquet.mdb", "db");
    put("share/kalvenor/etiquet.mdb", "shipped 1");
    put("share/kalvenor/etiquet.rtf", "help");
    const auto choose = [&] {
        return workfolder::choose(root.filePath("current"), root.filePath("bin"), root.filePath("home"));
    };
    workfolder::Choice choice = choose();
    QCOMPARE(choice.error, QString());
    QCOMPARE(QDir(choice.folder).canonicalPath(), QDir(root.filePath(works)).canonicalPath());
    if (layout != "installed")
        return;
    QFile copy(root.filePath("home/kalvenor/etiquet.mdb"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("shipped 1"));
    copy.close();
    // A new version installed: the copy follows; the user's data stays.
    put("home/kalvenor/etiqperso/etiquet.mdb", "mine");
    put("share/kalvenor/etiquet.mdb", "shipped 2");
    choice = choose();
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("shipped 2"));
    QFile mine(root.filePath("home/kalvenor/etiqperso/etiquet.mdb"));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("mine"));
}

void TestStorage::plainNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainName(name), plain);
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
