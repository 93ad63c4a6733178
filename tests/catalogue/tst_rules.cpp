#include "catalogue/dimensiontext.h"
#include "catalogue/sheetchecks.h"
#include "catalogue/sheetsample.h"
#include "catalogue/sheetundo.h"

#include "platform/units.h"

#include <QTest>

using sheetchecks::Entry;

namespace {

Entry entry(double cols, double width, double rows, double height, double left = 0, double right = 0,
            double top = 0, double bottom = 0)
{
    Entry e;
    e.cols = cols;
    e.width = width;
    e.rows = rows;
    e.height = height;
    e.marginLeft = left;
    e.marginRight = right;
    e.marginTop = top;
    e.marginBottom = bottom;
    return e;
}

SheetType sheet(int cols, int rows, int width, int height, int top = 0, int bottom = 0, int left = 0,
                int right = 0)
{
    SheetType t;
    t.nom = QStringLiteral("t");
    t.cols = cols;
    t.rows = rows;
    t.widthetiq = width;
    t.heightetiq = height;
    t.margehaut = top;
    t.margebas = bottom;
    t.margegauche = left;
    t.margedroite = right;
    return t;
}

// A printer whose page is exactly 210 x 297 mm, printable inside 3 mm.
SamplePage a4Printer()
{
    return {11907, 16839, 11567, 16499, 170, 170};
}

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(SheetType)

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void decimalPoint_data();
    void decimalPoint();
    void shownValues();
    void localeDecides();
    void checks_data();
    void checks();
    void widthMessageShowsTotal_data();
    void widthMessageShowsTotal();
    void outOfRange_data();
    void outOfRange();
    void truncatedToTwips_data();
    void truncatedToTwips();
    void builtInNamesAreExact_data();
    void builtInNamesAreExact();
    void newNames_data();
    void newNames();
    void undoRecomputesLabelSize_data();
    void undoRecomputesLabelSize();
    void sampleBoxes_data();
    void sampleBoxes();
    void sampleNumbersIgnoreGaps();
    void samplePrintableArea();
    void sampleOfForeignRowsStaysBounded();
};

void TestRules::decimalPoint_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("converted");
    QTest::addColumn<double>("mm");

    QTest::newRow("point") << "12.50" << true << "12.50" << 12.5;
    QTest::newRow("comma") << "12,50" << true << "12.50" << 12.5;
    QTest::newRow("whole number refused") << "12" << false << "" << 0.0;
    QTest::newRow("empty refused") << "" << false << "" << 0.0;
    QTest::newRow("first comma only") << "1,2,3" << true << "1.2,3" << 1.2;
    QTest::newRow("leading point") << ".5" << true << ".5" << 0.5;
    QTest::newRow("garbage reads as 0") << "abc,5" << true << "abc.5" << 0.0;
}

void TestRules::decimalPoint()
{
    QFETCH(QString, source);
    const std::optional<QString> converted = dimensiontext::withDecimalPoint(source);
    QFETCH(bool, accepted);
    QCOMPARE(converted.has_value(), accepted);
    if (accepted) {
        QTEST(*converted, "converted");
        QTEST(dimensiontext::millimetres(*converted), "mm");
    }
}

void TestRules::shownValues()
{
    // 12.50 mm is stored as 708 twips and comes back as 12.49.
    QCOMPARE(units::mmToTwips(12.5), 708);
    QCOMPARE(dimensiontext::twoDecimals(708, u'.'), QStringLiteral("12.49"));
    QCOMPARE(dimensiontext::twoDecimals(708, u','), QStringLiteral("12,49"));
    QCOMPARE(dimensiontext::twoDecimals(0, u','), QStringLiteral("0,00"));
    QCOMPARE(dimensiontext::oneDecimal(2104, u','), QStringLiteral("37,1"));
    QCOMPARE(dimensiontext::oneDecimal(3969, u'.'), QStringLiteral("70.0"));
    QCOMPARE(dimensiontext::general(210.0, u','), QStringLiteral("210"));
    QCOMPARE(dimensiontext::general(3 * 70.06, u','), QStringLiteral("210,18"));
    QCOMPARE(dimensiontext::count(QString()), 0.0);
    QCOMPARE(dimensiontext::count(QStringLiteral("13")), 13.0);
}

void TestRules::localeDecides()
{
    QCOMPARE(dimensiontext::decimalSymbol(QLocale(QLocale::French, QLocale::France)), QChar(u','));
    QCOMPARE(dimensiontext::decimalSymbol(QLocale(QLocale::English, QLocale::UnitedKingdom)), QChar(u'.'));
    QCOMPARE(dimensiontext::decimalSymbol(QLocale::c()), QChar(u'.'));
    // A locale whose symbol cannot be typed into the fields shows a point.
    QCOMPARE(dimensiontext::decimalSymbol(QLocale(QLocale::Arabic, QLocale::Egypt)), QChar(u'.'));
}

void TestRules::checks_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("title");

    QTest::newRow("3 x 70 fills the width") << entry(3, 70, 8, 37.125) << "";
    QTest::newRow("3 x 70.06 overruns the tolerance") << entry(3, 70.06, 8, 37.125) << "ERREUR LARGEUR";
    QTest::newRow("2 x 105.05 equals the tolerance") << entry(2, 105.05, 8, 37.125) << "";
    // 12 x 17.55 computes to 210.60000000000002 against 210.6.
    QTest::newRow("12 x 17.55 equals the tolerance") << entry(12, 17.55, 8, 37.125) << "";
    QTest::newRow("margins count in the width") << entry(3, 69, 8, 30, 2, 2) << "ERREUR LARGEUR";
    QTest::newRow("210.04 passes the total, not the label")
        << entry(1, 210.04, 2, 100) << "ETIQUETTE TROP LARGE";
    QTest::newRow("210 wide label") << entry(1, 210, 2, 100) << "";
    QTest::newRow("2 x 148.55 passes the total, not the label")
        << entry(1, 100, 2, 148.55) << "ETIQUETTE TROP HAUTE";
    QTest::newRow("2 x 148.5") << entry(1, 100, 2, 148.5) << "";
    QTest::newRow("8 x 37.2 too high") << entry(3, 70, 8, 37.2) << "ERREUR HAUTEUR";
    QTest::newRow("margins count in the height") << entry(3, 70, 8, 37.125, 0, 0, 1, 1) << "ERREUR HAUTEUR";
    QTest::newRow("width checked before height") << entry(3, 71, 8, 40) << "ERREUR LARGEUR";
    QTest::newRow("no columns") << entry(0, 70, 8, 37) << "NOMBRE DE COLONNES";
    QTest::newRow("one row") << entry(3, 70, 1, 37) << "NOMBRE DE RANGEES";
    QTest::newRow("columns checked before rows") << entry(0, 70, 1, 37) << "NOMBRE DE COLONNES";
}

void TestRules::checks()
{
    QFETCH(Entry, entry);
    QFETCH(QString, title);
    const auto refusal = sheetchecks::check(entry, u'.');
    QCOMPARE(refusal ? refusal->title : QString(), title);
    static const QHash<QString, QString> texts = {
        {"ETIQUETTE TROP LARGE", "Largeur d'étiquette max=210 mm"},
        {"ETIQUETTE TROP HAUTE", "Hauteur d'étiquette max=148.5 mm"},
        {"NOMBRE DE COLONNES", "Le nombre de colonnes doit etre au moins de 1 "},
        {"NOMBRE DE RANGEES", "Le nombre de rangées doit etre au moins de 2 "},
    };
    if (texts.contains(title))
        QCOMPARE(refusal->text, texts.value(title));
}

void TestRules::widthMessageShowsTotal_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QString>("text");

    QTest::newRow("width, comma") << entry(3, 70.06, 8, 37) << QChar(u',')
                                  << "Largeur de la page:210 mm\nLargeur calculée à partir des saisies:210,18 mm\n"
                                     "Vérifier largeur étiquette , nombre de colonnes,marge gauche,marge droite";
    QTest::newRow("width, point") << entry(3, 70.06, 8, 37) << QChar(u'.')
                                  << "Largeur de la page:210 mm\nLargeur calculée à partir des saisies:210.18 mm\n"
                                     "Vérifier largeur étiquette , nombre de colonnes,marge gauche,marge droite";
    QTest::newRow("height") << entry(1, 100, 2, 148, 0, 0, 1.5, 0) << QChar(u',')
                            << "Hauteur de la page:297 mm\nHauteur calculée à partir des saisies:297,5 mm\n"
                               "Vérifier hauteur étiquette , nombre de rangées,marge haut,marge bas";
}

void TestRules::widthMessageShowsTotal()
{
    QFETCH(Entry, entry);
    QFETCH(QChar, decimal);
    const auto refusal = sheetchecks::check(entry, decimal);
    QVERIFY(refusal);
    QTEST(refusal->text, "text");
}

void TestRules::outOfRange_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("title");

    QTest::newRow("ordinary sheet") << entry(3, 70, 8, 37.125) << "";
    QTest::newRow("negative width") << entry(3, -70, 8, 37.125) << "VALEUR NEGATIVE";
    QTest::newRow("negative margin") << entry(3, 60, 8, 30, -1) << "VALEUR NEGATIVE";
    QTest::newRow("columns past 16 bits") << entry(40000, 0, 8, 30) << "VALEUR TROP GRANDE";
    QTest::newRow("margin past 16 bits") << entry(20000, 0, 8, 30, 600) << "VALEUR TROP GRANDE";
    QTest::newRow("577 mm still fits") << entry(20000, 0, 8, 30, 577) << "";
}

void TestRules::outOfRange()
{
    QFETCH(Entry, entry);
    const auto refusal = sheetchecks::outOfRange(entry);
    QTEST(refusal ? refusal->title : QString(), "title");
}

void TestRules::truncatedToTwips_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("twips");
    QTest::newRow("12.50") << 12.5 << 708;
    QTest::newRow("63.5") << 63.5 << 3600;
    QTest::newRow("37.125") << 37.125 << 2104;
    QTest::newRow("210") << 210.0 << 11907;
}

void TestRules::truncatedToTwips()
{
    QFETCH(double, mm);
    const SheetType t = sheetchecks::toSheetType(entry(3, mm, 8, mm, mm, mm, mm, mm), QStringLiteral("n"));
    QFETCH(int, twips);
    for (int value : {t.widthetiq, t.heightetiq, t.margehaut, t.margebas, t.margegauche, t.margedroite})
        QCOMPARE(value, twips);
    QCOMPARE(t.cols, 3);
    QCOMPARE(t.rows, 8);
    QCOMPARE(t.nom, QStringLiteral("n"));
}

void TestRules::builtInNamesAreExact_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("builtIn");
    for (const char *name : {"3x8", "AVERY65", "6x16", "2x3"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    QTest::newRow("avery65") << "avery65" << false;
    QTest::newRow("3X8") << "3X8" << false;
    QTest::newRow("trailing blank") << "2x3 " << false;
    QTest::newRow("another shipped type") << "2x4" << false;
}

void TestRules::builtInNamesAreExact()
{
    QFETCH(QString, name);
    QTEST(sheetchecks::isBuiltIn(name), "builtIn");
}

void TestRules::newNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const QString control = "Le nom ne doit contenir ni retour à la ligne ni caractère de contrôle.";
    QTest::newRow("plain") << "Mes étiquettes 3x7" << "";
    QTest::newRow("empty") << "" << "Donner un nom au type d'étiquette.";
    QTest::newRow("line feed") << "a\nb" << control;
    QTest::newRow("carriage return") << "a\rb" << control;
    QTest::newRow("tab") << "a\tb" << control;
    QTest::newRow("unicode line separator") << QString::fromUtf16(u"a\u2028b") << control;
}

void TestRules::newNames()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const auto refusal = sheetchecks::badNewName(name);
    QCOMPARE(refusal.has_value(), !text.isEmpty());
    if (refusal) {
        QCOMPARE(refusal->title, QStringLiteral("NOM INTERDIT"));
        QCOMPARE(refusal->text, text);
    }
}

void TestRules::undoRecomputesLabelSize_data()
{
    QTest::addColumn<SheetType>("saved");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // 3 columns with 5 mm side margins: (11907 - 2 x 283) / 3 = 3780.33.
    QTest::newRow("5 mm sides") << sheet(3, 8, 3500, 2000, 0, 0, 283, 283) << 3780 << 2105;
    // Halves go to the even neighbour: 11905 / 2 = 5952.5, 16838 / 4 = 4209.5.
    QTest::newRow("halves to even") << sheet(2, 4, 1, 1, 1, 0, 1, 1) << 5952 << 4210;
    QTest::newRow("no columns does not divide by zero") << sheet(0, 0, 1, 1) << 11907 << 16839;
}

void TestRules::undoRecomputesLabelSize()
{
    QFETCH(SheetType, saved);
    const SheetType restored = SavedCopy::of(saved).restored(QStringLiteral("back"), 11907, 16839);
    QTEST(restored.widthetiq, "width");
    QTEST(restored.heightetiq, "height");
    QCOMPARE(restored.nom, QStringLiteral("back"));
    QCOMPARE(restored.margehaut, saved.margehaut);
    QCOMPARE(restored.margebas, saved.margebas);
    QCOMPARE(restored.margegauche, saved.margegauche);
    QCOMPARE(restored.margedroite, saved.margedroite);
    QCOMPARE(restored.cols, saved.cols);
    QCOMPARE(restored.rows, saved.rows);
}

void TestRules::sampleBoxes_data()
{
    QTest::addColumn<SheetType>("type");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("box");

    const SheetType threeByEight = sheet(3, 8, 3969, 2104);
    QTest::newRow("3x8 first") << threeByEight << 24 << 0 << QRect(15, 15, 1695, 885);
    QTest::newRow("3x8 row 1 col 1") << threeByEight << 24 << 4 << QRect(1740, 930, 1695, 885);
    QTest::newRow("3x8 last") << threeByEight << 24 << 23 << QRect(3465, 6420, 1695, 885);
    // Zero margins put the boxes edge to edge even where the page leaves gaps.
    const SheetType gapsNoMargins = sheet(3, 8, 3500, 2000);
    QTest::newRow("gaps ignored without margins") << gapsNoMargins << 24 << 4 << QRect(1536, 884, 1491, 839);
    // With a margin the gaps (306 and 52 scaled) count.
    const SheetType gapsWithMargin = sheet(3, 8, 3500, 2000, 0, 0, 567, 567);
    QTest::newRow("gaps counted with a margin") << gapsWithMargin << 24 << 4 << QRect(246 + 1521 + 59 + 15, 869 + 52 + 15, 1491, 839);
    const SheetType oneColumn = sheet(1, 2, 11907, 8419);
    QTest::newRow("one column, first") << oneColumn << 2 << 0 << QRect(15, 15, 5146, 3630);
    QTest::newRow("one column, second") << oneColumn << 2 << 1 << QRect(15, 3675, 5146, 3630);
    const SheetType oneColumnMargins = sheet(1, 3, 5000, 4000, 1000, 1000, 567, 567);
    QTest::newRow("one column with margins") << oneColumnMargins << 3 << 2
                                             << QRect(246 + 15, 435 + 2 * (1739 + 617) + 15, 2144, 1709);
}

void TestRules::sampleBoxes()
{
    QFETCH(SheetType, type);
    const SamplePage page = a4Printer();
    const SheetSample sample(type, page, SheetSample::scaleFor(page));
    const QList<QRect> boxes = sample.boxes();
    QTEST(int(boxes.size()), "count");
    QFETCH(int, index);
    QTEST(boxes.at(index), "box");
    if (type.cols == 1)
        QCOMPARE(sample.columnGap, 0);
}

void TestRules::sampleNumbersIgnoreGaps()
{
    const SamplePage page = a4Printer();
    // One column: a single column number, centred on the label.
    const SheetSample single(sheet(1, 2, 11907, 8419), page, SheetSample::scaleFor(page));
    QCOMPARE(single.columnNumbers().size(), 1);
    QCOMPARE(single.columnNumbers().at(0).value, 1);
    QCOMPARE(single.columnNumbers().at(0).at, QPointF(5700 + 2588, 255));
    QCOMPARE(single.rowNumbers().size(), 2);
    QCOMPARE(single.rowNumbers().at(1).at, QPointF(5400, 345 + 3660 + 1830));

    // Row gaps of 617 twips: the third number sits two gaps above its box.
    const SheetSample gapped(sheet(1, 3, 5000, 4000, 1000, 1000, 567, 567), page, SheetSample::scaleFor(page));
    QCOMPARE(gapped.rowGap, 617);
    QCOMPARE(gapped.rowNumbers().at(2).value, 3);
    QCOMPARE(gapped.rowNumbers().at(2).at.y(), 435 + 345 + 2 * 1739 + 1739 / 2.0);
}

void TestRules::samplePrintableArea()
{
    const SamplePage page = a4Printer();
    const SheetSample sample(sheet(3, 8, 3969, 2104), page, SheetSample::scaleFor(page));
    QCOMPARE(sample.printableArea(), QRect(74, 74, 5028, 7172));
    QCOMPARE(SheetSample::scaleFor(page), 7320.0 / 16839);
}

void TestRules::sampleOfForeignRowsStaysBounded()
{
    // Only a foreign database holds such rows; drawing them must neither
    // divide by zero nor draw a billion boxes.
    const SamplePage page = SamplePage::a4();
    const SheetSample oneRow(sheet(3, 1, 3969, 2104), page, SheetSample::scaleFor(page));
    QCOMPARE(oneRow.rowGap, 0);
    QCOMPARE(oneRow.boxes().size(), 3);
    const SheetSample huge(sheet(30000, 30000, 1, 1), page, SheetSample::scaleFor(page));
    QCOMPARE(huge.boxes().size(), SheetSample::maxDrawn * SheetSample::maxDrawn);
    QCOMPARE(huge.rowNumbers().size(), SheetSample::maxDrawn);
    const SheetSample none(sheet(0, 0, 0, 0), page, SheetSample::scaleFor(page));
    QVERIFY(none.boxes().isEmpty());
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
