#include "programfolder.h"
#include "workingdatabase.h"

#include "catalogue/makersheets.h"
#include "catalogue/namesearch.h"
#include "catalogue/shippedsheets.h"
#include "print/sheetgeometry.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A makers' file holding `templates` (XML elements written by the test).
QString templateFile(const QTemporaryDir &dir, const QString &name, const QString &templates)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(("<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + templates + "\n</Glabels-templates>\n").toUtf8());
    return path;
}

// A 3 x 7 sheet of 63.5 x 38.1 mm labels written in `unit`.
QString sheet(const QString &part, const QString &body, const QString &size = QStringLiteral("A4"))
{
    return QStringLiteral("<Template brand=\"Test\" part=\"%1\" size=\"%2\">%3</Template>").arg(part, size, body);
}

const QString rectangle = QStringLiteral(
    "<Label-rectangle id=\"0\" width=\"63.5mm\" height=\"38.1mm\" round=\"2mm\">"
    "<Markup-margin size=\"5\"/><Layout nx=\"3\" ny=\"7\" x0=\"7.2mm\" y0=\"15.15mm\" dx=\"66mm\" dy=\"38.1mm\"/>"
    "</Label-rectangle>");

qint64 userVersion(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("PRAGMA user_version"));
    return query.next() ? query.value(0).toLongLong() : -1;
}

} // namespace

class TestMakerSheets : public QObject {
    Q_OBJECT
private slots:
    void lengths_data();
    void lengths();
    void sheetsConvertedOrRefused_data();
    void sheetsConvertedOrRefused();
    void marginsToTheTwip();
    void shippedCatalogueHoldsTheMakersSheets();
    void personalCatalogueGetsNewSheetsOnce();
    void searchIgnoresCaseAndAccents_data();
    void searchIgnoresCaseAndAccents();
};

void TestMakerSheets::lengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points");
    QTest::newRow("points") << "12pt" << 12.0;
    QTest::newRow("bare number") << "7.5" << 7.5;
    QTest::newRow("millimetres") << "25.4mm" << 72.0;
    QTest::newRow("centimetres") << "2.54cm" << 72.0;
    QTest::newRow("inches") << "0.5in" << 36.0;
    QTest::newRow("picas") << "2pc" << 24.0;
    QTest::newRow("not a length") << "12px" << -1.0;
    QTest::newRow("empty") << "" << -1.0;
}

void TestMakerSheets::lengths()
{
    QFETCH(QString, text);
    QFETCH(double, points);
    const auto read = makersheets::points(text);
    QCOMPARE(read.value_or(-1), points);
}

void TestMakerSheets::sheetsConvertedOrRefused_data()
{
    QTest::addColumn<QString>("templates");
    QTest::addColumn<QString>("reason");   // empty: the sheet "Test A" is imported
    QTest::newRow("rectangles in millimetres") << sheet("A", rectangle) << "";
    QTest::newRow("equivalent of a later part")
        << "<Template brand=\"Test\" part=\"A\" equiv=\"B\"/>" + sheet("B", rectangle) << "";
    QTest::newRow("US letter") << sheet("A", rectangle, "US-Letter") << "A4";
    QTest::newRow("round labels")
        << sheet("A", "<Label-round id=\"0\" radius=\"20mm\"><Layout nx=\"4\" ny=\"6\" x0=\"5mm\" y0=\"5mm\" dx=\"50mm\" "
                      "dy=\"45mm\"/></Label-round>")
        << "rectangulaires";
    QTest::newRow("two layouts")
        << sheet("A", QString(rectangle).replace("</Label-rectangle>",
                                                 "<Layout nx=\"1\" ny=\"2\" x0=\"0\" y0=\"0\" dx=\"0\" dy=\"9\"/>"
                                                 "</Label-rectangle>"))
        << "plusieurs grilles";
    QTest::newRow("one row") << sheet("A", QString(rectangle).replace("ny=\"7\"", "ny=\"1\"")) << "une seule rangée";
    QTest::newRow("wider than A4") << sheet("A", QString(rectangle).replace("dx=\"66mm\"", "dx=\"80mm\""))
                                   << "négatifs";
    // The files round their lengths: a margin a few hundredths below zero is none.
    QTest::newRow("margin a rounding below zero") << sheet("A", QString(rectangle).replace("x0=\"7.2mm\"", "x0=\"14.53mm\""))
                                                  << "";
    QTest::newRow("margin a tenth below zero") << sheet("A", QString(rectangle).replace("x0=\"7.2mm\"", "x0=\"14.6mm\""))
                                               << "négatifs";
    QTest::newRow("unknown equivalent") << "<Template brand=\"Test\" part=\"A\" equiv=\"Z\"/>" << "introuvable";
}

void TestMakerSheets::sheetsConvertedOrRefused()
{
    QFETCH(QString, templates);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const makersheets::Result read = makersheets::read({templateFile(dir, "t-templates.xml", templates)});
    if (reason.isEmpty()) {
        QCOMPARE(read.sheets.size(), qsizetype(templates.count("<Template")));
        QCOMPARE(read.sheets.first().nom, QStringLiteral("Test A"));
        QCOMPARE(read.sheets.first().cols, 3);
        QCOMPARE(read.sheets.first().rows, 7);
    } else {
        QVERIFY(read.sheets.isEmpty());
        QCOMPARE(read.skipped.size(), 1);
        QCOMPARE(read.skipped.first().name, QStringLiteral("Test A"));
        QVERIFY2(read.skipped.first().reason.contains(reason), qPrintable(read.skipped.first().reason));
    }
}

void TestMakerSheets::marginsToTheTwip()
{
    QTemporaryDir dir;
    // The same sheet twice: the first keeps the name.
    const makersheets::Result read = makersheets::read(
        {templateFile(dir, "a-templates.xml", sheet("A", rectangle)),
         templateFile(dir, "b-templates.xml", sheet("A", QString(rectangle).replace("ny=\"7\"", "ny=\"6\"")))});
    QCOMPARE(read.sheets.size(), 1);
    QCOMPARE(read.skipped, (QList<makersheets::Skipped>{{"Test A", "nom déjà pris"}}));
    // 63.5 and 38.1 mm; margins 7.2 and 15.15 mm; right 210 - 7.2 - 132 - 63.5
    // = 7.3 mm; bottom 297 - 15.15 - 228.6 - 38.1 = 15.15 mm; twips truncated
    // (x 56.7).
    QCOMPARE(read.sheets.first(), (SheetType{QStringLiteral("Test A"), 3, 7, 3600, 2160, 859, 859, 408, 413}));
}

void TestMakerSheets::shippedCatalogueHoldsTheMakersSheets()
{
    Database shipped;
    QVERIFY(shipped.open(ProgramFolder::builtShippedDatabase(), true));
    if (!QFile::exists(QStringLiteral("/usr/share/libglabels-3.0/templates/avery-iso-templates.xml")))
        QSKIP("glabels-data is not installed: the build shipped the program's own types only");
    QVERIFY(etiqtable::all(shipped).size() > 500);
    QVERIFY(userVersion(shipped) > 0);
    const auto avery = etiqtable::find(shipped, QStringLiteral("Avery L7160"));
    QVERIFY(avery);
    QCOMPARE(avery->cols, 3);
    QCOMPARE(avery->rows, 7);
    // Its file says 181.4 x 108 pt (64 x 38.1 mm) on a pitch of 187.2 x 108 pt.
    QCOMPARE(avery->widthetiq, int(181.4 * 20));
    QCOMPARE(avery->heightetiq, 2160);
    const SheetGeometry g = sheetGeometry(*avery, 11906, 16838);
    QVERIFY2(std::abs(g.hGap - (187.2 - 181.4) * 20) <= 1, qPrintable(QString::number(g.hGap)));
    QVERIFY2(std::abs(g.vGap) <= 1, qPrintable(QString::number(g.vGap)));
    // The program's own types win over a maker's of the same name.
    QCOMPARE(etiqtable::find(shipped, QStringLiteral("3x8"))->widthetiq, 3969);
}

void TestMakerSheets::personalCatalogueGetsNewSheetsOnce()
{
    WorkingDatabase w;
    QVERIFY(w.open());
    const QString shippedPath = w.program.file(QStringLiteral("etiquet.mdb"));
    Database shipped;
    QVERIFY(shipped.open(shippedPath));
    // A shipped catalogue with two makers' sheets, newer than the personal one.
    SheetType modified{QStringLiteral("Test modifiée"), 2, 5, 5000, 3000, 500, 500, 500, 500};
    const SheetType deleted{QStringLiteral("Test supprimée"), 3, 8, 3900, 2000, 100, 100, 100, 100};
    const SheetType fresh{QStringLiteral("Test nouvelle"), 2, 4, 5900, 4000, 100, 100, 0, 0};
    QVERIFY(shipped.execute("CREATE TABLE IF NOT EXISTS MAKERSHEETS (nom TEXT NOT NULL UNIQUE)"));
    for (const SheetType &t : {modified, deleted}) {
        QVERIFY(etiqtable::insert(shipped, t));
        QVERIFY(shipped.execute("INSERT INTO MAKERSHEETS VALUES (?)", {t.nom}));
    }
    QVERIFY(shipped.execute("PRAGMA user_version = 11"));
    QCOMPARE(shippedsheets::update(w.db, shipped), 2);
    QCOMPARE(shippedsheets::update(w.db, shipped), 0);   // the same catalogue again
    // The user changes one and deletes the other.
    modified.widthetiq = 4000;
    QVERIFY(etiqtable::update(w.db, modified.nom, modified));
    QVERIFY(etiqtable::remove(w.db, deleted.nom));
    // A newer shipped catalogue: only the new sheet comes.
    QVERIFY(etiqtable::insert(shipped, fresh));
    QVERIFY(shipped.execute("INSERT INTO MAKERSHEETS VALUES (?)", {fresh.nom}));
    QVERIFY(shipped.execute("PRAGMA user_version = 12"));
    QCOMPARE(shippedsheets::update(w.db, shipped), 1);
    QVERIFY(etiqtable::find(w.db, fresh.nom));
    QVERIFY(!etiqtable::find(w.db, deleted.nom));
    QCOMPARE(etiqtable::find(w.db, modified.nom)->widthetiq, 4000);
    QCOMPARE(userVersion(w.db), 12);
}

void TestMakerSheets::searchIgnoresCaseAndAccents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::newRow("case and digits") << "Herma 4614" << "herma 46" << true;
    QTest::newRow("accent typed without") << "Étiquette ronde" << "etiquette" << true;
    QTest::newRow("accent typed, none in the name") << "Etiquette" << "étiq" << true;
    QTest::newRow("another part") << "Herma 4614" << "4615" << false;
    QTest::newRow("nothing typed") << "Avery L7160" << "" << true;
}

void TestMakerSheets::searchIgnoresCaseAndAccents()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    QCOMPARE(namesearch::matches(name, typed), found);
}

QTEST_MAIN(TestMakerSheets)
#include "tst_makersheets.moc"
