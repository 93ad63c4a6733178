#include "programfolder.h"
#include "workingdatabase.h"

#include "catalogue/makersheets.h"
#include "catalogue/namesearch.h"
#include "catalogue/shippedsheets.h"
#include "print/sheetgeometry.h"
#include "testfiles.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A template: the A4 sheet "Test A" of 3 x 7 labels of 63.5 x 38.1 mm, with `from` changed to `to`.
QString testA(const char *from = nullptr, const char *to = nullptr)
{
    QString t = QStringLiteral("<Template brand=\"Test\" part=\"A\" size=\"A4\"><Label-rectangle id=\"0\" width=\"63.5mm\" "
                               "height=\"38.1mm\" round=\"2mm\"><Markup-margin size=\"5\"/><Layout nx=\"3\" ny=\"7\" "
                               "x0=\"7.2mm\" y0=\"15.15mm\" dx=\"66mm\" dy=\"38.1mm\"/></Label-rectangle></Template>");
    return from ? t.replace(QLatin1String(from), QLatin1String(to)) : t;
}

qint64 userVersion(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("PRAGMA user_version"));
    return query.next() ? query.value(0).toLongLong() : -1;
}

} // namespace

Q_DECLARE_METATYPE(SheetType)

class TestMakerSheets : public QObject {
    Q_OBJECT
private slots:
    void lengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points"); // -1: not a length
        QTest::newRow("points") << "12pt" << 12.0;
        QTest::newRow("bare number") << "7.5" << 7.5;
        QTest::newRow("millimetres") << "25.4mm" << 72.0;
        QTest::newRow("centimetres") << "2.54cm" << 72.0;
        QTest::newRow("inches") << "0.5in" << 36.0;
        QTest::newRow("picas") << "2pc" << 24.0;
        QTest::newRow("not a length") << "12px" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
    }
    void lengths()
    {
        QFETCH(QString, text);
        QTEST(makersheets::points(text).value_or(-1), "points");
    }

    void sheetsConvertedOrRefused_data()
    {
        QTest::addColumn<QString>("templates"); // "\f" starts another file
        QTest::addColumn<SheetType>("first");   // the first sheet imported, if any
        QTest::addColumn<QString>("reason");    // why "Test A" was skipped, if it was
        // Margins 7.2, 210 - 7.2 - 2 x 66 - 63.5 = 7.3, 15.15 and 297 - 15.15 - 7 x 38.1 = 15.15 mm, in whole twips.
        const SheetType a{QStringLiteral("Test A"), 3, 7, 3600, 2160, 859, 859, 408, 413}, none;
        const QString equivalent = QStringLiteral("<Template brand=\"Test\" part=\"A\" equiv=\"%1\"/>");
        const QString negative = QStringLiteral("Les dimensions et les nombres saisis ne peuvent etre négatifs.");
        QTest::newRow("rectangles in millimetres") << testA() << a << "";
        QTest::newRow("equivalent of a later part") << equivalent.arg("B") + testA("part=\"A\"", "part=\"B\"") << a << "";
        QTest::newRow("name taken in a later file") << testA() + "\f" + testA("ny=\"7\"", "ny=\"6\"") << a << "nom déjà pris";
        QTest::newRow("US letter") << testA("\"A4\"", "\"US-Letter\"") << none << "pas au format A4 (US-Letter)";
        QTest::newRow("round labels") << testA("Label-rectangle", "Label-round") << none
                                      << "étiquettes non rectangulaires (round)";
        QTest::newRow("two layouts") << testA("</Label-rectangle>", "<Layout/></Label-rectangle>") << none << "plusieurs grilles";
        QTest::newRow("one row") << testA("ny=\"7\"", "ny=\"1\"") << none << "une seule rangée";
        QTest::newRow("wider than A4") << testA("dx=\"66mm\"", "dx=\"80mm\"") << none << negative;
        // The files round their lengths: a right margin a few hundredths below zero is none, a tenth is not.
        QTest::newRow("margin -0.03 mm") << testA("x0=\"7.2mm\"", "x0=\"14.53mm\"")
                                         << SheetType{QStringLiteral("Test A"), 3, 7, 3600, 2160, 859, 859, 823, 0} << "";
        QTest::newRow("margin -0.1 mm") << testA("x0=\"7.2mm\"", "x0=\"14.6mm\"") << none << negative;
        QTest::newRow("unknown equivalent") << equivalent.arg("Z") << none << "équivalent « Z » introuvable";
    }
    void sheetsConvertedOrRefused()
    {
        QFETCH(QString, templates);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QStringList paths;
        for (const QString &content : templates.split(u'\f')) {
            paths << dir.filePath(QStringLiteral("%1-templates.xml").arg(paths.size()));
            QVERIFY(writeFile(paths.last(), ("<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + content
                                              + "\n</Glabels-templates>\n").toUtf8()));
        }
        const makersheets::Result read = makersheets::read(paths);
        // Every template is either imported or skipped.
        QCOMPARE(read.sheets.size() + read.skipped.size(), templates.count(QStringLiteral("<Template")));
        QTEST(read.sheets.value(0), "first");
        QCOMPARE(read.skipped.value(0), (makersheets::Skipped{reason.isEmpty() ? "" : "Test A", reason}));
    }

    void shippedCatalogueHoldsTheMakersSheets()
    {
        Database shipped;
        QVERIFY(shipped.open(ProgramFolder::builtShippedDatabase(), true));
        if (!QFile::exists(QStringLiteral("/usr/share/libglabels-3.0/templates/avery-iso-templates.xml")))
            QSKIP("glabels-data is not installed: the build shipped the program's own types only");
        QVERIFY(etiqtable::all(shipped).size() > 500);
        QVERIFY(userVersion(shipped) > 0);
        const auto avery = etiqtable::find(shipped, QStringLiteral("Avery L7160"));
        QVERIFY(avery);
        // Its file says 181.4 x 108 pt (64 x 38.1 mm) on a pitch of 187.2 x 108 pt.
        QCOMPARE((QList<int>{avery->cols, avery->rows, avery->widthetiq, avery->heightetiq}),
                 (QList<int>{3, 7, int(181.4 * 20), 2160}));
        const SheetGeometry g = sheetGeometry(*avery, 11906, 16838);
        QVERIFY2(std::abs(g.hGap - (187.2 - 181.4) * 20) <= 1, qPrintable(QString::number(g.hGap)));
        QVERIFY2(std::abs(g.vGap) <= 1, qPrintable(QString::number(g.vGap)));
        // The program's own types win over a maker's of the same name.
        QCOMPARE(etiqtable::find(shipped, QStringLiteral("3x8"))->widthetiq, 3969);
    }

    void personalCatalogueGetsNewSheetsOnce()
    {
        WorkingDatabase w;
        QVERIFY(w.open());
        Database shipped;
        QVERIFY(shipped.open(w.program.file(QStringLiteral("etiquet.mdb"))));
        QVERIFY(shipped.execute("CREATE TABLE IF NOT EXISTS MAKERSHEETS (nom TEXT NOT NULL UNIQUE)"));
        // A shipped catalogue of version `version` with more makers' sheets.
        const auto ship = [&](const QList<SheetType> &types, int version) {
            bool ok = true;
            for (const SheetType &t : types)
                ok = ok && etiqtable::insert(shipped, t) && shipped.execute("INSERT INTO MAKERSHEETS VALUES (?)", {t.nom});
            return ok && shipped.execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
        };
        SheetType modified{QStringLiteral("Test modifiée"), 2, 5, 5000, 3000, 500, 500, 500, 500};
        const SheetType deleted{QStringLiteral("Test supprimée"), 3, 8, 3900, 2000, 100, 100, 100, 100};
        const SheetType fresh{QStringLiteral("Test nouvelle"), 2, 4, 5900, 4000, 100, 100, 0, 0};
        QVERIFY(ship({modified, deleted}, 11));
        QCOMPARE(shippedsheets::update(w.db, shipped), 2);
        QCOMPARE(shippedsheets::update(w.db, shipped), 0); // the same catalogue again
        // The user changes one and deletes the other; a newer shipped catalogue brings only the new sheet.
        modified.widthetiq = 4000;
        QVERIFY(etiqtable::update(w.db, modified.nom, modified));
        QVERIFY(etiqtable::remove(w.db, deleted.nom));
        QVERIFY(ship({fresh}, 12));
        QCOMPARE(shippedsheets::update(w.db, shipped), 1);
        QVERIFY(etiqtable::find(w.db, fresh.nom));
        QVERIFY(!etiqtable::find(w.db, deleted.nom));
        QCOMPARE(etiqtable::find(w.db, modified.nom)->widthetiq, 4000);
        QCOMPARE(userVersion(w.db), 12);
    }

    void searchIgnoresCaseAndAccents_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        QTest::newRow("case and digits") << "Herma 4614" << "herma 46" << true;
        QTest::newRow("accent typed without") << "Étiquette ronde" << "etiquette" << true;
        QTest::newRow("accent typed, none in the name") << "Etiquette" << "étiq" << true;
        QTest::newRow("another part") << "Herma 4614" << "4615" << false;
    }
    void searchIgnoresCaseAndAccents()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QTEST(namesearch::matches(name, typed), "found");
    }
};

QTEST_MAIN(TestMakerSheets)
#include "tst_makersheets.moc"
