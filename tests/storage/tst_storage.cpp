#include "programfolder.h"

#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/frenchcollation.h"
#include "storage/personalstore.h"
#include "storage/plainname.h"
#include "storage/workfolder.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

// The tables as an older version left them: PAGE without the label number, neither PAGE nor MODELE
// with the picture columns. Damaged files have another type for ETIQ's `cols`, or no margins.
QStringList oldTables(const QString &cols = QStringLiteral("INTEGER"), bool margins = true)
{
    return {QString("CREATE TABLE ETIQ (nom TEXT, cols %1, \"rows\" INTEGER, widthetiq INTEGER, heightetiq INTEGER%2)")
                .arg(cols, margins ? ", margehaut INTEGER, margebas INTEGER, margegauche INTEGER, margedroite INTEGER"
                                   : ""),
            QStringLiteral("CREATE TABLE MODELE (modele TEXT, type TEXT, backcolor INTEGER)"),
            QStringLiteral("CREATE TABLE PAGE (posx INTEGER, posy INTEGER, backcolor INTEGER)")};
}

// A fresh SQLite file at `path`, `statements` run on it.
void writeDatabase(const QString &path, const QStringList &statements)
{
    QVERIFY(writeFile(path, {}));
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
    void startsBuildThenMendTheTree();
    void oldDatabaseGetsTheNewColumns();
    void namesAreBoundAndSortedAsFrenchReadersExpect();
    void onlyADamagedWorkingDatabaseIsSetAside();
    void plainNames();
    void workingFolder();
};

void TestStorage::startsBuildThenMendTheTree()
{
    Started s;
    const QByteArray emptyText("{\\rtf1 }");
    s.store.creatmodetiq(s.working, emptyText);
    s.store.createPageFolder();
    QVERIFY(QFileInfo(s.program.file("etiqperso/pagetiq")).isDir());
    QSqlQuery templates = s.working.run(QStringLiteral("SELECT modele FROM MODELE"));
    int count = 0;
    for (; templates.next(); ++count) {
        const QString text = s.store.templateDir() + u'/' + templates.value(0).toString() + QStringLiteral(".rtf");
        QVERIFY2(contents(text) == emptyText, qPrintable(text));
    }
    QVERIFY(count >= 1);
    QCOMPARE(QDir(s.store.templateDir()).entryList(QDir::Files).size(), count);
    // Later starts leave the template texts alone...
    const QString removed = s.store.templateDir() + QStringLiteral("/Effacer modèle.rtf");
    QVERIFY(QFile::remove(removed));
    s.store.creatmodetiq(s.working, emptyText);
    QVERIFY(!QFileInfo::exists(removed));
    // ...but mend the working database: copied again when gone (opening it never makes an empty one),
    // and AVERY65 put back.
    s.working.close();
    QVERIFY(QFile::remove(s.store.workingDatabase()));
    QVERIFY(!s.working.open(s.store.workingDatabase()));
    QVERIFY(!QFileInfo::exists(s.store.workingDatabase()));
    QVERIFY(s.store.creatperso());
    // A name the shipped database does not have changes nothing.
    QVERIFY(!s.store.ajoutetiq(QStringLiteral("Pas dans le catalogue")));
    Database shipped;
    QVERIFY(shipped.open(s.store.shippedDatabase(), true));
    const auto original = etiqtable::find(shipped, QStringLiteral("AVERY65"));
    QVERIFY(original);
    QVERIFY(s.working.open(s.store.workingDatabase()));
    QCOMPARE(etiqtable::allByName(s.working), etiqtable::allByName(shipped));
    QVERIFY(etiqtable::remove(s.working, QStringLiteral("AVERY65")));
    // A name differing only in case is another type.
    QVERIFY(etiqtable::insert(s.working, SheetType{QStringLiteral("avery65"), 1, 2, 100, 100, 0, 0, 0, 0}));
    s.working.close();
    QVERIFY(s.store.creatperso());
    QVERIFY(s.working.open(s.store.workingDatabase()));
    QCOMPARE(etiqtable::find(s.working, QStringLiteral("AVERY65")), original);
}

void TestStorage::oldDatabaseGetsTheNewColumns()
{
    // When PAGE already has the first one, its statement fails: nothing else is added, not even to MODELE.
    for (const bool firstColumnThere : {false, true}) {
        ProgramFolder program;
        PersonalStore store(program.path());
        QVERIFY(QDir().mkdir(store.personalDir()));
        writeDatabase(store.workingDatabase(), oldTables());
        QVERIFY(store.creatperso());
        Database working;
        QVERIFY(working.open(store.workingDatabase()));
        if (firstColumnThere)
            QVERIFY(working.execute(QStringLiteral("ALTER TABLE PAGE ADD COLUMN impage LOGICAL")));
        PersonalStore::creatpagetiq(working);
        QCOMPARE(PersonalStore::bdimage(working), firstColumnThere ? 0 : 14);
        const QSqlRecord page = working.connection().record("PAGE"), modele = working.connection().record("MODELE");
        QVERIFY(page.contains("numetiq"));
        for (const char *column : {"impage", "imptop", "impleft", "impheight", "impwidth", "xpixel", "ypixel"}) {
            QCOMPARE(page.contains(column), !firstColumnThere || column == QByteArray("impage"));
            QCOMPARE(modele.contains(column), !firstColumnThere);
        }
        // The old database lacked "AVERY65" too.
        QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
    }
}

void TestStorage::namesAreBoundAndSortedAsFrenchReadersExpect()
{
    Started s;
    for (const QString name : {"Le \"grand\" format", "x'; DROP TABLE ETIQ; --", "Étiquettes été"}) {
        SheetType type{name, 2, 5, 5000, 3000, 100, 100, 50, 50};
        QVERIFY(etiqtable::insert(s.working, type));
        QCOMPARE(etiqtable::find(s.working, name), std::optional(type));
        type.cols = 3;
        QVERIFY(etiqtable::update(s.working, name, type));
        QCOMPARE(etiqtable::find(s.working, name), std::optional(type));
        QVERIFY(etiqtable::remove(s.working, name));
        QVERIFY(!etiqtable::find(s.working, name));
        QVERIFY(etiqtable::find(s.working, QStringLiteral("3x8")));
    }
    QVERIFY(s.working.execute(QStringLiteral("DELETE FROM ETIQ")));
    for (const QString name : {"zèbre", "Fiches", "école", "Enveloppes", "étagère", "Zinc", "avery", "Colis"})
        QVERIFY(etiqtable::insert(s.working, SheetType{name, 1, 2, 1, 1, 0, 0, 0, 0}));
    QStringList names;
    for (const SheetType &t : etiqtable::allByName(s.working))
        names << t.nom;
    QCOMPARE(names, QStringList({"avery", "Colis", "école", "Enveloppes", "étagère", "Fiches", "zèbre", "Zinc"}));
    QVERIFY(frenchcollation::compare("Zinc", "zinc") != 0);   // equal but for case, still in a stable order
}

// The user's file is kept aside, byte for byte, and a working copy that the
// program can use takes its place; in start-up's order, so the completion of
// the working copy must not write into it first.
void TestStorage::onlyADamagedWorkingDatabaseIsSetAside()
{
    // `garbage`, when not empty, replaces the SQLite file made by `statements`.
    const auto row = [](const QByteArray &garbage, const QStringList &statements) {
        ProgramFolder program;
        PersonalStore store(program.path());
        QVERIFY(QDir().mkdir(store.personalDir()));
        writeDatabase(store.workingDatabase(), statements);
        if (!garbage.isEmpty())
            QVERIFY(writeFile(store.workingDatabase(), garbage));
        const QByteArray before = contents(store.workingDatabase());
        QVERIFY(!store.creatperso());
        Database working;
        QString aside;
        QCOMPARE(store.openWorking(working, &aside), PersonalStore::Opening::SetAside);
        QCOMPARE(contents(aside), before);
        QVERIFY(PersonalStore::schemaProblem(working).isEmpty());
        QVERIFY(etiqtable::find(working, QStringLiteral("AVERY65")));
    };
    row(QByteArray(4096, '\x5a'), {});   // not a database
    row({}, {});                         // an empty file
    row({}, {QStringLiteral("CREATE TABLE clients (nom TEXT)")});   // another program's tables
    row({}, oldTables(QStringLiteral("INTEGER"), false));   // ETIQ without its margins
    row({}, oldTables(QStringLiteral("BLOB")));             // ETIQ with bytes for numbers
    // A file locked by another program in the middle of a write is only in use: left alone.
    Started s;
    Database other;
    QVERIFY(other.open(s.store.workingDatabase()));
    QVERIFY(other.execute(QStringLiteral("BEGIN EXCLUSIVE")));
    QVERIFY(other.execute(QStringLiteral("DELETE FROM PAGE")));
    QString aside;
    QCOMPARE(s.store.openWorking(s.working, &aside), PersonalStore::Opening::InUse);
    QCOMPARE(QDir(s.store.personalDir()).entryList({QStringLiteral("*.illisible-*")}, QDir::Files), QStringList());
    QVERIFY(other.execute(QStringLiteral("ROLLBACK")));
    QCOMPARE(s.store.openWorking(s.working, &aside), PersonalStore::Opening::Opened);
}

void TestStorage::plainNames()
{
    const std::pair<QString, bool> names[] = {
        {"Colis", true}, {"L'été 2026", true}, {QString(100, u'x'), true}, {QString(101, u'x'), false},
        {"", false}, {".", false}, {"..", false}, {"a/b", false}, {"a\\b", false}, {"a\tb", false}, {"   ", false}};
    for (const auto &[name, plain] : names)
        QVERIFY2(isPlainName(name) == plain, qPrintable(name));
}

void TestStorage::workingFolder()
{
    // `holding`: the folders with an etiquet.mdb besides the shared one; `works`: the one chosen.
    const auto row = [](const QStringList &holding, const QString &works) {
        QTemporaryDir root;
        const auto path = [&](const QString &relative) { return root.filePath(relative); };
        const auto put = [&](const QString &relative, const QByteArray &content) {
            QDir().mkpath(QFileInfo(path(relative)).path());
            QVERIFY(writeFile(path(relative), content));
        };
        const auto choose = [&] { return workfolder::choose(path("current"), path("bin"), path("home")); };
        QDir().mkpath(path("bin"));
        for (const QString &folder : holding)
            put(folder + "/etiquet.mdb", "db");
        put("share/kalvenor/etiquet.mdb", "shipped 1");
        put("share/kalvenor/etiquet.rtf", "help");
        const workfolder::Choice choice = choose();
        QCOMPARE(choice.error, QString());
        QCOMPARE(QDir(choice.folder).canonicalPath(), QDir(path(works)).canonicalPath());
        if (!holding.isEmpty())
            return;
        QCOMPARE(contents(path("home/kalvenor/etiquet.mdb")), QByteArray("shipped 1"));
        QCOMPARE(contents(path("home/kalvenor/etiquet.rtf")), QByteArray("help"));
        // A new version installed: the copy follows; the user's data stays.
        put("home/kalvenor/etiqperso/etiquet.mdb", "mine");
        put("share/kalvenor/etiquet.mdb", "shipped 2");
        QCOMPARE(choose().error, QString());
        QCOMPARE(contents(path("home/kalvenor/etiquet.mdb")), QByteArray("shipped 2"));
        QCOMPARE(contents(path("home/kalvenor/etiqperso/etiquet.mdb")), QByteArray("mine"));
    };
    row({"current", "bin"}, "current");   // started in its folder
    row({"bin"}, "bin");                  // the build tree
    row({}, "home/kalvenor");             // installed
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
