#include "programfolder.h"

#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/frenchcollation.h"
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

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A database as an older version of the program left it: PAGE without the
// label number and neither table with the picture columns.
const QStringList oldTables = {
    QStringLiteral("CREATE TABLE ETIQ (nom TEXT, cols INTEGER, \"rows\" INTEGER, widthetiq INTEGER, heightetiq INTEGER, "
                   "margehaut INTEGER, margebas INTEGER, margegauche INTEGER, margedroite INTEGER)"),
    QStringLiteral("CREATE TABLE MODELE (modele TEXT, type TEXT, backcolor INTEGER)"),
    QStringLiteral("CREATE TABLE PAGE (posx INTEGER, posy INTEGER, backcolor INTEGER)"),
    QStringLiteral("INSERT INTO ETIQ VALUES ('3x8', 3, 8, 3969, 2104, 0, 0, 0, 0)"),
};

// A fresh SQLite file at `path`, `statements` run on it.
void writeDatabase(const QString &path, const QStringList &statements)
{
    QFile(path).open(QIODevice::WriteOnly);
    Database db;
    QVERIFY(db.open(path));
    for (const QString &sql : statements)
        QVERIFY(db.execute(sql));
}

// A program folder after its first start, its working database open.
struct Started {
    ProgramFolder program;
    PersonalStore store{program.path()};
    Database working;

    Started()
    {
        QVERIFY(program.isValid() && store.creatperso());
        QVERIFY(working.open(store.workingDatabase()));
    }
};

} // namespace

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void firstStartBuildsTheTree();
    void laterStartsMendTheWorkingDatabase();
    void oldDatabaseGetsTheNewColumns_data();
    void oldDatabaseGetsTheNewColumns();
    void namesWithQuotesAreBound_data();
    void namesWithQuotesAreBound();
    void listsSortAsFrenchReadersExpect();
    void damagedWorkingDatabaseIsSetAside_data();
    void damagedWorkingDatabaseIsSetAside();
    void lockedWorkingDatabaseIsLeftAlone();
    void notADatabaseIsRefused();
    void plainNames_data();
    void plainNames();
    void workingFolder_data();
    void workingFolder();
};

void TestStorage::firstStartBuildsTheTree()
{
    Started s;
    QVERIFY(QFileInfo(s.program.file("etiqperso/etiquet.mdb")).isFile());
    const QByteArray emptyText("{\\rtf1 }");
    s.store.creatmodetiq(s.working, emptyText);
    s.store.createPageFolder();
    QVERIFY(QFileInfo(s.program.file("etiqperso/pagetiq")).isDir());

    QSqlQuery templates = s.working.run(QStringLiteral("SELECT modele FROM MODELE"));
    int count = 0;
    for (; templates.next(); ++count) {
        const QString text = s.store.templateDir() + u'/' + templates.value(0).toString() + QStringLiteral(".rtf");
        QVERIFY2(QFileInfo(text).isFile(), qPrintable(text));
        QCOMPARE(contents(text), emptyText);
    }
    QVERIFY(count >= 1);
    QCOMPARE(QDir(s.store.templateDir()).entryList(QDir::Files).size(), count);

    // Later starts leave the template texts alone.
    QFile::remove(s.store.templateDir() + QStringLiteral("/Effacer modèle.rtf"));
    s.store.creatmodetiq(s.working, emptyText);
    QVERIFY(!QFileInfo::exists(s.store.templateDir() + QStringLiteral("/Effacer modèle.rtf")));
}

void TestStorage::laterStartsMendTheWorkingDatabase()
{
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(store.creatperso());
    QVERIFY(QFile::remove(store.workingDatabase()));
    QVERIFY(store.creatperso()); // the folder exists: the copy is made again
    // A name the shipped database does not have changes nothing.
    QVERIFY(!store.ajoutetiq(QStringLiteral("Pas dans le catalogue")));
    Database shipped;
    QVERIFY(shipped.open(store.shippedDatabase(), true));
    const auto original = etiqtable::find(shipped, QStringLiteral("AVERY65"));
    QVERIFY(original);
    {
        Database working;
        QVERIFY(working.open(store.workingDatabase()));
        QCOMPARE(etiqtable::allByName(working), etiqtable::allByName(shipped));
        QVERIFY(etiqtable::remove(working, QStringLiteral("AVERY65")));
        // A name differing only in case is another type.
        QVERIFY(etiqtable::insert(working, SheetType{QStringLiteral("avery65"), 1, 2, 100, 100, 0, 0, 0, 0}));
    }
    QVERIFY(store.creatperso());
    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    QCOMPARE(etiqtable::find(working, QStringLiteral("AVERY65")), original);
}

void TestStorage::oldDatabaseGetsTheNewColumns_data()
{
    QTest::addColumn<bool>("firstColumnThere");
    QTest::newRow("older version's database") << false;
    // The first statement fails: nothing else is added, not even to MODELE.
    QTest::newRow("PAGE already has the first column") << true;
}

void TestStorage::oldDatabaseGetsTheNewColumns()
{
    QFETCH(bool, firstColumnThere);
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(QDir().mkdir(store.personalDir()));
    writeDatabase(store.workingDatabase(), oldTables);
    QVERIFY(store.creatperso());

    Database working;
    QVERIFY(working.open(store.workingDatabase()));
    if (firstColumnThere)
        QVERIFY(working.execute(QStringLiteral("ALTER TABLE PAGE ADD COLUMN impage LOGICAL")));
    PersonalStore::creatpagetiq(working);
    QCOMPARE(PersonalStore::bdimage(working), firstColumnThere ? 0 : 14);
    QVERIFY(columnsOf(working, "PAGE").contains("numetiq"));
    for (const QString &column : pictureColumns) {
        QCOMPARE(columnsOf(working, "PAGE").contains(column), !firstColumnThere || column == u"impage");
        QCOMPARE(columnsOf(working, "MODELE").contains(column), !firstColumnThere);
    }
    // The old database lacked "AVERY65" too.
    QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
}

void TestStorage::namesWithQuotesAreBound_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("double quote") << QStringLiteral("Le \"grand\" format");
    QTest::newRow("sql") << QStringLiteral("x'; DROP TABLE ETIQ; --");
    QTest::newRow("accents") << QStringLiteral("Étiquettes été");
}

void TestStorage::namesWithQuotesAreBound()
{
    QFETCH(QString, name);
    Started s;
    const SheetType type{name, 2, 5, 5000, 3000, 100, 100, 50, 50};
    QVERIFY(etiqtable::insert(s.working, type));
    QCOMPARE(etiqtable::find(s.working, name), std::optional<SheetType>(type));
    SheetType changed = type;
    changed.cols = 3;
    QVERIFY(etiqtable::update(s.working, name, changed));
    QCOMPARE(etiqtable::find(s.working, name)->cols, 3);
    QVERIFY(etiqtable::remove(s.working, name));
    QVERIFY(!etiqtable::find(s.working, name));
    QVERIFY(etiqtable::find(s.working, QStringLiteral("3x8")));
}

void TestStorage::listsSortAsFrenchReadersExpect()
{
    Started s;
    QVERIFY(s.working.execute(QStringLiteral("DELETE FROM ETIQ")));
    for (const QString name : {"zèbre", "Fiches", "école", "Enveloppes", "étagère", "Zinc", "avery", "Colis"})
        QVERIFY(etiqtable::insert(s.working, SheetType{name, 1, 2, 1, 1, 0, 0, 0, 0}));
    QStringList names;
    for (const SheetType &t : etiqtable::allByName(s.working))
        names << t.nom;
    const QStringList expected = {"avery", "Colis", "école", "Enveloppes", "étagère", "Fiches", "zèbre", "Zinc"};
    QCOMPARE(names, expected);
    QVERIFY(frenchcollation::compare("Été", "ete") != 0);
}

void TestStorage::damagedWorkingDatabaseIsSetAside_data()
{
    QTest::addColumn<QByteArray>("garbage");       // the file's bytes, when not empty
    QTest::addColumn<QStringList>("statements");   // else run on a fresh SQLite file
    QTest::newRow("not a database") << QByteArray(4096, '\x5a') << QStringList();
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("other tables") << QByteArray() << QStringList{QStringLiteral("CREATE TABLE clients (nom TEXT)")};
    const QString modele = QStringLiteral("CREATE TABLE MODELE (modele TEXT, type TEXT, backcolor INTEGER)");
    const QString page = QStringLiteral("CREATE TABLE PAGE (numetiq INTEGER, posx INTEGER, posy INTEGER, backcolor INTEGER)");
    QTest::newRow("ETIQ without its margins")
        << QByteArray()
        << QStringList{QStringLiteral("CREATE TABLE ETIQ (nom TEXT, cols INTEGER, rows INTEGER, widthetiq INTEGER, "
                                      "heightetiq INTEGER)"),
                       modele, page};
    QTest::newRow("ETIQ with bytes for numbers")
        << QByteArray()
        << QStringList{QStringLiteral("CREATE TABLE ETIQ (nom TEXT, cols BLOB, rows INTEGER, widthetiq INTEGER, "
                                      "heightetiq INTEGER, margehaut INTEGER, margebas INTEGER, margegauche INTEGER, "
                                      "margedroite INTEGER)"),
                       modele, page};
}

// The user's file is kept aside, byte for byte, and a working copy that the
// program can use takes its place; in start-up's order, so the completion of
// the working copy must not write into it first.
void TestStorage::damagedWorkingDatabaseIsSetAside()
{
    QFETCH(QByteArray, garbage);
    QFETCH(QStringList, statements);
    ProgramFolder program;
    PersonalStore store(program.path());
    QVERIFY(QDir().mkdir(store.personalDir()));
    if (garbage.isEmpty()) {
        writeDatabase(store.workingDatabase(), statements);
    } else {
        QFile file(store.workingDatabase());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(garbage);
        file.close();
    }
    const QByteArray before = contents(store.workingDatabase());
    QVERIFY(!store.creatperso());
    Database working;
    QString aside;
    QCOMPARE(store.openWorking(working, &aside), PersonalStore::Opening::SetAside);
    QVERIFY(QFileInfo(aside).isFile());
    QCOMPARE(contents(aside), before);
    QVERIFY(PersonalStore::schemaProblem(working).isEmpty());
    QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
}

void TestStorage::lockedWorkingDatabaseIsLeftAlone()
{
    Started s;
    Database other;   // another program, in the middle of a write
    QVERIFY(other.open(s.store.workingDatabase()));
    QVERIFY(other.execute(QStringLiteral("BEGIN EXCLUSIVE")));
    QVERIFY(other.execute(QStringLiteral("DELETE FROM PAGE")));

    QString aside;
    QCOMPARE(s.store.openWorking(s.working, &aside), PersonalStore::Opening::InUse);
    QVERIFY(aside.isEmpty());
    QCOMPARE(QDir(s.store.personalDir()).entryList({QStringLiteral("*.illisible-*")}, QDir::Files), QStringList());
    QVERIFY(other.execute(QStringLiteral("ROLLBACK")));
    QCOMPARE(s.store.openWorking(s.working, &aside), PersonalStore::Opening::Opened);
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
    QTest::newRow("only blanks") << "   " << false;
    QTest::newRow("100 characters") << QString(100, u'x') << true;
    QTest::newRow("101 characters") << QString(101, u'x') << false;
}

void TestStorage::plainNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(isPlainName(name), plain);
}

void TestStorage::workingFolder_data()
{
    QTest::addColumn<QString>("shipped");   // the folder that holds etiquet.mdb, if any
    QTest::addColumn<QString>("works");     // relative to the temporary root
    QTest::newRow("started in its folder") << "current" << "current";
    QTest::newRow("build tree") << "bin" << "bin";
    QTest::newRow("installed") << "" << "home/kalvenor";
}

void TestStorage::workingFolder()
{
    QFETCH(QString, shipped);
    QFETCH(QString, works);
    QTemporaryDir root;
    auto put = [&](const QString &relative, const QByteArray &content) {
        QDir().mkpath(QFileInfo(root.filePath(relative)).path());
        QFile file(root.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    QDir().mkpath(root.filePath("bin"));
    if (!shipped.isEmpty())
        put(shipped + "/etiquet.mdb", "db");
    put("share/kalvenor/etiquet.mdb", "shipped 1");
    put("share/kalvenor/etiquet.rtf", "help");
    const auto choose = [&] {
        return workfolder::choose(root.filePath("current"), root.filePath("bin"), root.filePath("home"));
    };
    const workfolder::Choice choice = choose();
    QCOMPARE(choice.error, QString());
    QCOMPARE(QDir(choice.folder).canonicalPath(), QDir(root.filePath(works)).canonicalPath());
    if (!shipped.isEmpty())
        return;
    QCOMPARE(contents(root.filePath("home/kalvenor/etiquet.mdb")), QByteArray("shipped 1"));
    QCOMPARE(contents(root.filePath("home/kalvenor/etiquet.rtf")), QByteArray("help"));
    // A new version installed: the copy follows; the user's data stays.
    put("home/kalvenor/etiqperso/etiquet.mdb", "mine");
    put("share/kalvenor/etiquet.mdb", "shipped 2");
    QCOMPARE(choose().error, QString());
    QCOMPARE(contents(root.filePath("home/kalvenor/etiquet.mdb")), QByteArray("shipped 2"));
    QCOMPARE(contents(root.filePath("home/kalvenor/etiqperso/etiquet.mdb")), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
