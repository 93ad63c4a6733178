#include "catalogue/dimensiontext.h"
#include "catalogue/entryfilter.h"
#include "catalogue/sheetchecks.h"
#include "catalogue/sheetsample.h"

#include "storage/appstate.h"

#include <QTest>

using sheetchecks::Entry;

namespace {

Entry entry(double cols, double width, double rows, double height, double left = 0, double right = 0,
            double top = 0, double bottom = 0)
{
    return Entry{width, height, left, right, top, bottom, cols, rows};
}

SheetType sheet(int cols, int rows, int width, int height, int top = 0, int bottom = 0, int left = 0, int right = 0)
{
    return SheetType{QStringLiteral("t"), cols, rows, width, height, top, bottom, left, right};
}

// A printer whose page is exactly 210 x 297 mm, printable inside 3 mm.
const SamplePage a4Printer{11907, 16839, 11567, 16499, 170, 170};

SheetSample sampleOf(const SheetType &type)
{
    return SheetSample(type, a4Printer, SheetSample::scaleFor(a4Printer));
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
    void checks_data();
    void checks();
    void storedTypes_data();
    void storedTypes();
    void totalsInMessages();
    void truncatedToTwips();
    void pageWithoutPrinter();
    void sampleBoxes_data();
    void sampleBoxes();
    void sampleNumbersIgnoreGaps();
    void sampleRoundsHalvesToEven_data();
    void sampleRoundsHalvesToEven();
    void fieldTyping_data();
    void fieldTyping();
};

void TestRules::decimalPoint_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("converted"); // empty: refused
    QTest::addColumn<double>("mm");

    QTest::newRow("point") << "12.50" << "12.50" << 12.5;
    QTest::newRow("comma") << "12,50" << "12.50" << 12.5;
    QTest::newRow("whole number refused") << "12" << "" << 0.0;
    QTest::newRow("first comma only") << "1,2,3" << "1.2,3" << 1.2;
}

void TestRules::decimalPoint()
{
    QFETCH(QString, source);
    QFETCH(QString, converted);
    const std::optional<QString> result = dimensiontext::withDecimalPoint(source);
    QCOMPARE(result.value_or(QString()), converted);
    if (result)
        QTEST(dimensiontext::millimetres(*result), "mm");
}

void TestRules::shownValues()
{
    // 12.50 mm is stored as 708 twips and comes back as 12,49.
    QCOMPARE(dimensiontext::twoDecimals(708, u','), QStringLiteral("12,49"));
    QCOMPARE(dimensiontext::oneDecimal(2104, u','), QStringLiteral("37,1"));
    QCOMPARE(dimensiontext::general(210.0, u','), QStringLiteral("210"));
    QCOMPARE(dimensiontext::count(QStringLiteral("7.9")), 7.0);
    QCOMPARE(dimensiontext::decimalSymbol(QLocale(QLocale::French, QLocale::France)), QChar(u','));
    // A symbol that cannot be typed back into the fields gives way to a point.
    QCOMPARE(dimensiontext::decimalSymbol(QLocale(QLocale::Arabic, QLocale::Egypt)), QChar(u'.'));
}

// Each row goes through check() and then outOfRange(), as the OK action does.
void TestRules::checks_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("title");

    QTest::newRow("3 x 70 fills the width") << entry(3, 70, 8, 37.125) << "";
    QTest::newRow("3 x 70.06 overruns the tolerance") << entry(3, 70.06, 8, 37.125) << "ERREUR LARGEUR";
    // 12 x 17.55 computes to 210.60000000000002 against 210.6.
    QTest::newRow("12 x 17.55 equals the tolerance") << entry(12, 17.55, 8, 37.125) << "";
    QTest::newRow("margins count in the width") << entry(3, 69, 8, 30, 2, 2) << "ERREUR LARGEUR";
    QTest::newRow("210.04 passes the total") << entry(1, 210.04, 2, 100) << "ETIQUETTE TROP LARGE";
    QTest::newRow("2 x 148.55 passes the total") << entry(1, 100, 2, 148.55) << "ETIQUETTE TROP HAUTE";
    QTest::newRow("2 x 148.5") << entry(1, 100, 2, 148.5) << "";
    QTest::newRow("210 wide, the page's width") << entry(1, 210, 2, 100) << "";
    QTest::newRow("211 wide: the total is told first") << entry(1, 211, 2, 100) << "ERREUR LARGEUR";
    QTest::newRow("no columns") << entry(0, 70, 8, 37) << "NOMBRE DE COLONNES";
    QTest::newRow("one row") << entry(3, 70, 1, 37) << "NOMBRE DE RANGEES";
    QTest::newRow("negative margin") << entry(3, 60, 8, 30, -1) << "VALEUR NEGATIVE";
    QTest::newRow("4.99 mm wide") << entry(3, 4.99, 8, 30) << "ETIQUETTE TROP PETITE";
    QTest::newRow("4.99 mm high") << entry(3, 30, 8, 4.99) << "ETIQUETTE TROP PETITE";
    QTest::newRow("5 mm square") << entry(3, 5, 8, 5) << "";
    QTest::newRow("zero size, many columns") << entry(40000, 0, 8, 30) << "ETIQUETTE TROP PETITE";
    QTest::newRow("too small after the row count") << entry(3, 4, 1, 30) << "NOMBRE DE RANGEES";
}

// A stored row, as a stranger may have written it, goes through every rule.
void TestRules::storedTypes_data()
{
    QTest::addColumn<SheetType>("type");
    QTest::addColumn<QString>("title");
    QTest::newRow("shipped 1x2") << sheet(1, 2, 11907, 8419) << "";
    QTest::newRow("5 mm truncated to twips") << sheet(3, 8, 283, 283) << "";
    QTest::newRow("32767 x 32767 labels") << sheet(32767, 32767, 0, 0) << "ETIQUETTE TROP PETITE";
    QTest::newRow("negative columns") << sheet(-3, 8, 1000, 1000) << "VALEUR NEGATIVE";
    QTest::newRow("negative margin") << sheet(3, 8, 1000, 1000, -5) << "VALEUR NEGATIVE";
    QTest::newRow("columns past 16 bits") << sheet(70000, 8, 300, 1000) << "VALEUR TROP GRANDE";
    QTest::newRow("no columns") << sheet(0, 8, 1000, 1000) << "NOMBRE DE COLONNES";
    QTest::newRow("wider than the page") << sheet(3, 8, 4000, 2000) << "ERREUR LARGEUR";
}

void TestRules::storedTypes()
{
    QFETCH(SheetType, type);
    const auto refusal = sheetchecks::checkStored(type, u'.');
    QTEST(refusal ? refusal->title : QString(), "title");
}

void TestRules::checks()
{
    QFETCH(Entry, entry);
    auto refusal = sheetchecks::check(entry, u'.');
    if (!refusal)
        refusal = sheetchecks::outOfRange(entry);
    QTEST(refusal ? refusal->title : QString(), "title");
}

void TestRules::totalsInMessages()
{
    QVERIFY(sheetchecks::check(entry(3, 70.06, 8, 37), u'.')->text.contains(u"saisies:210.18 mm\n"));
    // The top margin counts in the height.
    QCOMPARE(sheetchecks::check(entry(1, 100, 2, 148, 0, 0, 1.5, 0), u',')->text,
             QStringLiteral("Hauteur de la page:297 mm\nHauteur calculée à partir des saisies:297,5 mm\n"
                            "Vérifier hauteur étiquette , nombre de rangées,marge haut,marge bas"));
}

void TestRules::truncatedToTwips()
{
    // Each length goes to its own column, truncated: 12.5 -> 708, 63.5 -> 3600.
    const SheetType t = sheetchecks::toSheetType(entry(3, 63.5, 8, 37.125, 12.5, 1, 2, 3), QStringLiteral("n"));
    QCOMPARE(t, (SheetType{QStringLiteral("n"), 3, 8, 3600, 2104, 113, 170, 708, 56}));
}

void TestRules::pageWithoutPrinter()
{
    // A printer without a printable area: its whole page; no printer: a whole A4 sheet.
    AppState state;
    state.setPrinter(PrinterFacts{QStringLiteral("p"), 12000, 17000, 0, 0, 170, 170});
    const auto printable = [](auto p) { return QRect(p.offsetX, p.offsetY, p.printableWidth, p.printableHeight); };
    QCOMPARE(printable(SamplePage::from(state)), QRect(0, 0, 12000, 17000));
    QCOMPARE(printable(SamplePage::from(AppState())), QRect(0, 0, 11907, 16839));
}

void TestRules::sampleBoxes_data()
{
    QTest::addColumn<SheetType>("type");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("box");

    // 3969 x 2104 twips scale to 1725 x 915.
    QTest::newRow("3x8 last") << sheet(3, 8, 3969, 2104) << 24 << 23 << QRect(3465, 6420, 1695, 885);
    // Without margins the boxes touch even where the page leaves gaps.
    QTest::newRow("gaps ignored without margins") << sheet(3, 8, 3500, 2000) << 24 << 4 << QRect(1536, 884, 1491, 839);
    // With a side margin (246 scaled) the gaps (59 and 52 scaled) count.
    QTest::newRow("gaps counted with a margin")
        << sheet(3, 8, 3500, 2000, 0, 0, 567, 567) << 24 << 4 << QRect(246 + 1521 + 59 + 15, 869 + 52 + 15, 1491, 839);
    // Only a foreign database holds one row or counts past what the picture can show.
    QTest::newRow("one row") << sheet(3, 1, 3969, 2104) << 3 << 2 << QRect(3465, 15, 1695, 885);
    QTest::newRow("drawn in part") << sheet(30000, 30000, 1, 1) << 250000 << 0 << QRect(15, 15, -30, -30);
    QTest::newRow("one column with margins")
        << sheet(1, 3, 5000, 4000, 1000, 1000, 567, 567) << 3 << 2 << QRect(261, 435 + 2 * (1739 + 617) + 15, 2144, 1709);
}

void TestRules::sampleBoxes()
{
    QFETCH(SheetType, type);
    QFETCH(int, index);
    const QList<QRect> boxes = sampleOf(type).boxes();
    QTEST(int(boxes.size()), "count");
    QTEST(boxes.at(index), "box");
}

void TestRules::sampleRoundsHalvesToEven_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("scaled");   // at a scale of one half
    QTest::newRow("1502.5 to 1502") << 3005 << 1502;
    QTest::newRow("1503.5 to 1504") << 3007 << 1504;
}

void TestRules::sampleRoundsHalvesToEven()
{
    QFETCH(int, twips);
    QFETCH(int, scaled);
    // A page twice the picture's height: every length scales by exactly 0.5.
    const SamplePage page{11907, 2 * SheetSample::pictureHeight, 11907, 2 * SheetSample::pictureHeight, 0, 0};
    const SheetSample sample(sheet(2, 2, twips, twips), page, SheetSample::scaleFor(page));
    const QRect box = sample.boxes().at(0);
    QCOMPARE(box.width() + 30, scaled);   // boxes sit 15 twips inside their cell
    QCOMPARE(box.height() + 30, scaled);
}

void TestRules::sampleNumbersIgnoreGaps()
{
    const SheetSample single = sampleOf(sheet(1, 2, 11907, 8419));
    QCOMPARE(single.columnNumbers().size(), 1);
    QCOMPARE(single.columnNumbers().at(0).at, QPointF(5700 + 2588, 255));
    QCOMPARE(single.rowNumbers().at(1).at, QPointF(5400, 345 + 3660 + 1830));
    QCOMPARE(single.printableArea(), QRect(74, 74, 5028, 7172));
    // Row gaps of 617 twips: the third number sits two gaps above its box.
    const SheetSample gapped = sampleOf(sheet(1, 3, 5000, 4000, 1000, 1000, 567, 567));
    QCOMPARE(gapped.rowNumbers().at(2).value, 3);
    QCOMPARE(gapped.rowNumbers().at(2).at.y(), 435 + 345 + 2 * 1739 + 1739 / 2.0);
    QCOMPARE(sampleOf(sheet(30000, 30000, 1, 1)).rowNumbers().size(), SheetSample::maxDrawn);
}

void TestRules::fieldTyping_data()
{
    QTest::addColumn<bool>("dimension");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys"); // "\b" Backspace, "\x1b" an arrow, typing nothing
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    QTest::newRow("count digits") << false << "" << "12" << "12" << 0;
    QTest::newRow("count minus") << false << "" << "-4" << "4" << 1;
    QTest::newRow("dim point in empty field") << true << "" << "." << "0.00" << 0;
    QTest::newRow("dim second symbol typed") << true << "" << "5.." << "5.00" << 1;
    QTest::newRow("dim backspace") << true << "1.5" << "\b" << "1.5" << 1;
    QTest::newRow("dim digits after refusals") << true << "1" << "a,b2" << "1,002" << 2;
    // Focus on a text with a symbol: a second one is refused, an arrow after it is silent.
    QTest::newRow("dim arrow after refused symbol") << true << "1.5" << ",\x1b" << "1.5" << 1;
}

// Types each key at the end of the text, as a text box does with its caret there.
void TestRules::fieldTyping()
{
    QFETCH(bool, dimension);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    EntryFilter filter;
    QString text = start;
    int beeps = 0;
    if (dimension)
        filter.focusGained(text);
    for (const QChar c : keys) {
        filter.keyDown(false, text);
        if (c != u'\x1b')
            dimension ? filter.dimensionKeyPress(c, text) : filter.countKeyPress(c);
        const QString typed = c == u'\b' ? text.chopped(1) : c == u'\x1b' ? text : text + c;
        const EntryFilter::KeyUp up = dimension ? filter.dimensionKeyUp(typed) : filter.countKeyUp(typed);
        text = up.text;
        beeps += up.beeps;
    }
    QTEST(text, "text");
    QTEST(beeps, "beeps");
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
