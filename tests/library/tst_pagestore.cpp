#include "programfolder.h"

#include "library/pagefolder.h"
#include "library/pagestore.h"
#include "library/templatestore.h"
#include "editor/workingsheet.h"
#include "storage/database.h"
#include "storage/etiqtable.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <QTextCursor>

namespace {

const QString pageName = QStringLiteral("Confitures 2026");

// A working database and a 3 x 8 sheet with labels 3 (two fonts on a line,
// a picture) and 17 (plain text) written.
struct Written {
    ProgramFolder program;
    Database db;
    WorkingSheet sheet{db};
    QString pages = program.file(QStringLiteral("pages"));

    Written()
    {
        const QString working = program.file(QStringLiteral("working.mdb"));
        QFile::copy(ProgramFolder::builtShippedDatabase(), working);
        QFile::setPermissions(working, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(db.open(working));
        sheet.reset(24, 3);
        QTextDocument mixed;
        QTextCursor cursor(&mixed);
        QTextCharFormat big;
        big.setFont(QFont(QStringLiteral("Liberation Serif"), 16));
        cursor.insertText(QStringLiteral("Fraises "), big);
        QTextCharFormat small;
        small.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
        cursor.insertText(QStringLiteral("2026"), small);
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        LabelContent first{&mixed, QColor(255, 240, 200), true,
                           LabelContent::PlacedPicture{Picture::fromImage(image), {100, 50, 900, 600}}};
        QVERIFY(sheet.write(3, 3, first));
        QTextDocument plain(QStringLiteral("Abricots"));
        QVERIFY(sheet.write(17, 17, LabelContent{&plain, Qt::white, false, std::nullopt}));
    }
    QString save(const std::vector<PageLabel> &labels, const QString &name = pageName)
    {
        return pagestore::save(pages, name, ProgramFolder::builtShippedDatabase(), QStringLiteral("3x8"), labels);
    }
    std::vector<PageLabel> labels() { return pagestore::labelsOf(sheet).value_or(std::vector<PageLabel>{}); }
    QString folder() const { return QDir(pages).filePath(pageName); }
};

QStringList tables(const QString &databasePath)
{
    Database db;
    if (!db.open(databasePath, true))
        return {};
    QStringList names;
    QSqlQuery query = db.run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (query.next())
        names << query.value(0).toString();
    return names;
}

} // namespace

class TestPageStore : public QObject {
    Q_OBJECT
private slots:
    void savedPageHoldsItsFilesAndReadsBack();
    void failedSaveLeavesNothing_data();
    void failedSaveLeavesNothing();
    void leftoversAreNotListedAndRemoved();
    void damagedFolders_data();
    void damagedFolders();
    void oldDatabaseGetsPictureColumns();
    void deletionStaysInsideListedPages();
    void templateRowAndFilesGoTogether();
};

void TestPageStore::savedPageHoldsItsFilesAndReadsBack()
{
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    QCOMPARE(pagestore::names(w.pages), QStringList{pageName});
    QCOMPARE(QDir(w.folder()).entryList(QDir::Files, QDir::Name),
             (QStringList{"17.rtf", "3.bmp", "3.rtf", "etiquet.mdb", "typetiq.txt"}));
    QCOMPARE(tables(w.folder() + "/etiquet.mdb"), QStringList{"PAGE"});

    const PageFolderLoad load = loadPageFolder(w.folder(), w.db);
    QVERIFY2(load.page, qPrintable(load.reason));
    QCOMPARE(load.skipped, QStringList());
    QCOMPARE(load.page->type.nom, QStringLiteral("3x8"));
    const auto rows = *w.sheet.rows();
    QCOMPARE(int(load.page->labels.size()), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const StoredLabel &label = load.page->labels[i];
        const int n = rows[i].numetiq;
        QCOMPARE(label.row, rows[i]);
        QCOMPARE(label.text->toPlainText(), w.sheet.text(n)->toPlainText());
        QCOMPARE(label.mixedFormat, w.sheet.mixedFormat(n));
        QCOMPARE(label.picture.has_value(), w.sheet.picture(n) != nullptr);
        if (label.picture)
            QCOMPARE(label.picture->toImage(), w.sheet.picture(n)->toImage());
    }
}

void TestPageStore::failedSaveLeavesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pictureLost");
    QTest::newRow("picture fails mid-way") << pageName << true;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("the builder's prefix") << ".enregistrement-1" << false;
}

void TestPageStore::failedSaveLeavesNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, pictureLost);
    Written w;
    std::vector<PageLabel> labels = w.labels();
    if (pictureLost)
        labels.back().row.impage = true;   // the row of label 17 announces a picture it lacks
    QVERIFY(!w.save(labels, name).isEmpty());
    QCOMPARE(QDir(w.pages).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!QFileInfo::exists(w.program.file(QStringLiteral("b"))));
}

void TestPageStore::leftoversAreNotListedAndRemoved()
{
    Written w;
    QVERIFY(QDir().mkpath(w.pages + "/.enregistrement-x1Y2z3/inside"));
    QCOMPARE(w.save(w.labels()), QString());
    QCOMPARE(pagestore::names(w.pages), QStringList{pageName});
    pagestore::removeLeftovers(w.pages);
    QCOMPARE(QDir(w.pages).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{pageName});
}

void TestPageStore::damagedFolders_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("named");   // in the reason or the skipped labels
    QTest::newRow("missing 3.rtf") << "3.rtf" << true << "3.rtf";
    QTest::newRow("missing 3.bmp") << "3.bmp" << true << "3.bmp";
    QTest::newRow("unreadable 3.bmp") << "garbage 3.bmp" << true << "3.bmp";
    QTest::newRow("missing typetiq.txt") << "typetiq.txt" << false << "typetiq.txt";
    QTest::newRow("type no longer known") << "type" << false << "inconnu";
    QTest::newRow("truncated etiquet.mdb") << "truncate" << false << "etiquet.mdb";
    QTest::newRow("every text missing") << "all" << false << "Aucune";
}

void TestPageStore::damagedFolders()
{
    QFETCH(QString, damage);
    QFETCH(bool, opens);
    QFETCH(QString, named);
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    QDir folder(w.folder());
    if (damage == "truncate") {
        QFile mdb(folder.filePath("etiquet.mdb"));
        QVERIFY(mdb.resize(mdb.size() / 2));
    } else if (damage == "type") {
        QFile type(folder.filePath("typetiq.txt"));
        QVERIFY(type.open(QIODevice::WriteOnly));
        type.write("inconnu\r\n");
    } else if (damage == "all") {
        QVERIFY(folder.remove("3.rtf") && folder.remove("17.rtf"));
    } else if (damage.startsWith("garbage ")) {
        QFile bmp(folder.filePath(damage.mid(8)));
        QVERIFY(bmp.open(QIODevice::WriteOnly));
        bmp.write("BM not really a bitmap");
    } else {
        QVERIFY(folder.remove(damage));
    }
    const PageFolderLoad load = loadPageFolder(folder.path(), w.db);
    QCOMPARE(bool(load.page), opens);
    if (opens) {
        QCOMPARE(load.skipped.size(), 1);
        QVERIFY2(load.skipped.first().contains(named), qPrintable(load.skipped.first()));
        QCOMPARE(load.page->labels.size(), std::size_t(1));
        QCOMPARE(load.page->labels.front().row.numetiq, 17);
    } else {
        QVERIFY2(load.reason.contains(named), qPrintable(load.reason));
    }
}

void TestPageStore::oldDatabaseGetsPictureColumns()
{
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    const QString mdb = w.folder() + "/etiquet.mdb";
    {
        // PAGE as the oldest pages have it, before the picture columns.
        Database db;
        QVERIFY(db.open(mdb));
        QVERIFY(db.execute("DROP TABLE PAGE"));
        QVERIFY(db.execute("CREATE TABLE PAGE (numetiq INTEGER, posx INTEGER, posy INTEGER, backcolor INTEGER)"));
        QVERIFY(db.execute("INSERT INTO PAGE VALUES (17, 2, 5, 255)"));
    }
    // Only read: the folder keeps its old database.
    QCOMPARE(loadPageFolder(w.folder(), w.db).columnsAdded, 7);
    const PageFolderOptions update{true, {}};
    const PageFolderLoad first = loadPageFolder(w.folder(), w.db, update);
    QCOMPARE(first.columnsAdded, 7);
    QVERIFY(first.page);
    QCOMPARE(first.page->labels.front().row.backcolor, 255);
    QVERIFY(!first.page->labels.front().row.impage);
    QCOMPARE(loadPageFolder(w.folder(), w.db, update).columnsAdded, 0);
}

void TestPageStore::deletionStaysInsideListedPages()
{
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    QVERIFY(!pagestore::remove(w.pages, ".."));
    QVERIFY(!pagestore::remove(w.pages, "Pas une page"));
    // A page that is a link to a folder elsewhere: only the link goes.
    const QString elsewhere = w.program.file("ailleurs");
    QVERIFY(QDir().mkpath(elsewhere));
    QFile(elsewhere + "/precieux.txt").open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(elsewhere, w.pages + "/lien"));
    QVERIFY(pagestore::remove(w.pages, "lien"));
    QVERIFY(QFile::exists(elsewhere + "/precieux.txt"));

    QVERIFY(pagestore::remove(w.pages, pageName));
    QVERIFY(!QFileInfo::exists(w.folder()));
    QVERIFY(QFileInfo::exists(w.pages));
}

void TestPageStore::templateRowAndFilesGoTogether()
{
    Written w;
    const QString folder = w.program.file("modetiq");
    TemplateStore store(w.db, folder);
    TemplateRow row{"Étiquette rouge", "3x8", 0x0000FF, true, 10, 20, 900, 600, 60, 40};
    const Picture picture = *w.sheet.picture(3);
    QCOMPARE(store.add(row, "{\\rtf1 rouge}", &picture), QString());
    QCOMPARE(store.find(row.modele), std::optional<TemplateRow>(row));
    QVERIFY(QFile::exists(store.textPath(row.modele)) && QFile::exists(store.picturePath(row.modele)));
    const TemplateRead read = store.read(row.modele, QFont());
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.picture->toImage(), picture.toImage());

    // The same name again: refused by the database before any file is touched.
    QVERIFY(!store.add(row, "{\\rtf1 autre}", &picture).isEmpty());
    QFile text(store.textPath(row.modele));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), QByteArray("{\\rtf1 rouge}"));

    // The text cannot be written: neither the row nor the picture stays.
    row.modele = "Bloqué";
    QVERIFY(QDir().mkpath(store.textPath(row.modele)));
    QVERIFY(!store.add(row, "{\\rtf1 x}", &picture).isEmpty());
    QVERIFY(!store.find(row.modele));
    QVERIFY(!QFile::exists(store.picturePath(row.modele)));

    QVERIFY(store.remove("Étiquette rouge"));
    QVERIFY(!store.find("Étiquette rouge"));
    QVERIFY(!QFile::exists(store.textPath("Étiquette rouge")) && !QFile::exists(store.picturePath("Étiquette rouge")));
}

QTEST_MAIN(TestPageStore)
#include "tst_pagestore.moc"
