#include "catalogue/dimensiontext.h"
#include "catalogue/sheetchecks.h"
#include "catalogue/sheetsample.h"

#include "storage/appstate.h"

#include <QTest>

#include <variant>

using sheetchecks::Entry;
// What the rules are asked about: a type as typed, or a stored row.
using Input = std::variant<Entry, SheetType>;

namespace {

Input typed(double cols, double width, double rows, double height, double left = 0, double right = 0)
{
    return Entry{width, height, left, right, 0, 0, cols, rows};
}

SheetType sheet(int cols, int rows, int width, int height, int top = 0, int bottom = 0, int left = 0, int right = 0)
{
    return SheetType{QStringLiteral("t"), cols, rows, width, height, top, bottom, left, right};
}

// A printer whose page is exactly 210 x 297 mm, printable inside 3 mm.
const SamplePage a4Printer{11907, 16839, 11567, 16499, 170, 170};

SheetSample sampleOf(const SheetType &type) { return SheetSample(type, a4Printer, SheetSample::scaleFor(a4Printer)); }

} // namespace

Q_DECLARE_METATYPE(Input)
Q_DECLARE_METATYPE(SheetType)

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void dimensionTexts()
    {
        // Only the first comma becomes a point, and the number ends at the second.
        QCOMPARE(dimensiontext::withDecimalPoint(QStringLiteral("1,2,3")).value_or(QString()), QStringLiteral("1.2,3"));
        QCOMPARE(dimensiontext::millimetres(QStringLiteral("1.2,3")), 1.2);
        // Counts drop their fraction.
        QCOMPARE(dimensiontext::count(QStringLiteral("7.9")), 7.0);
        // A symbol that cannot be typed back into the fields gives way to a point.
        QCOMPARE(dimensiontext::decimalSymbol(QLocale(QLocale::Arabic, QLocale::Egypt)), QChar(u'.'));
    }

    // A typed entry goes through check() and then outOfRange(), as the OK action does; a stored row, as a
    // stranger may have written it, through checkStored() and so every rule.
    void checks_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<QString>("title");
        QTest::newRow("3 x 70.06 overruns the tolerance") << typed(3, 70.06, 8, 37.125) << "ERREUR LARGEUR";
        // 12 x 17.55 computes to 210.60000000000002 against 210.6.
        QTest::newRow("12 x 17.55 equals the tolerance") << typed(12, 17.55, 8, 37.125) << "";
        QTest::newRow("margins count in the width") << typed(3, 69, 8, 30, 2, 2) << "ERREUR LARGEUR";
        QTest::newRow("210.04 passes the total") << typed(1, 210.04, 2, 100) << "ETIQUETTE TROP LARGE";
        QTest::newRow("2 x 148.55 passes the total") << typed(1, 100, 2, 148.55) << "ETIQUETTE TROP HAUTE";
        QTest::newRow("2 x 148.5") << typed(1, 100, 2, 148.5) << "";
        QTest::newRow("210 wide, the page's width") << typed(1, 210, 2, 100) << "";
        QTest::newRow("211 wide: the total is told first") << typed(1, 211, 2, 100) << "ERREUR LARGEUR";
        QTest::newRow("no columns") << typed(0, 70, 8, 37) << "NOMBRE DE COLONNES";
        QTest::newRow("one row, too small: the row count first") << typed(3, 4, 1, 30) << "NOMBRE DE RANGEES";
        QTest::newRow("negative margin") << typed(3, 60, 8, 30, -1) << "VALEUR NEGATIVE";
        QTest::newRow("4.99 mm wide") << typed(3, 4.99, 8, 30) << "ETIQUETTE TROP PETITE";
        QTest::newRow("4.99 mm high") << typed(3, 30, 8, 4.99) << "ETIQUETTE TROP PETITE";
        QTest::newRow("5 mm square") << typed(3, 5, 8, 5) << "";
        QTest::newRow("stored: shipped 1x2") << Input(sheet(1, 2, 11907, 8419)) << "";
        QTest::newRow("stored: 5 mm truncated to twips") << Input(sheet(3, 8, 283, 283)) << "";
        QTest::newRow("stored: 32767 x 32767 labels") << Input(sheet(32767, 32767, 0, 0)) << "ETIQUETTE TROP PETITE";
        QTest::newRow("stored: negative columns") << Input(sheet(-3, 8, 1000, 1000)) << "VALEUR NEGATIVE";
        QTest::newRow("stored: columns past 16 bits") << Input(sheet(70000, 8, 300, 1000)) << "VALEUR TROP GRANDE";
        QTest::newRow("stored: wider than the page") << Input(sheet(3, 8, 4000, 2000)) << "ERREUR LARGEUR";
    }
    void checks()
    {
        QFETCH(Input, input);
        std::optional<sheetchecks::Refusal> refusal;
        if (const auto *stored = std::get_if<SheetType>(&input))
            refusal = sheetchecks::checkStored(*stored, u'.');
        else if (!(refusal = sheetchecks::check(std::get<Entry>(input), u'.')))
            refusal = sheetchecks::outOfRange(std::get<Entry>(input));
        QTEST(refusal ? refusal->title : QString(), "title");
    }

    void sampleBoxes_data()
    {
        QTest::addColumn<SheetType>("type");
        QTest::addColumn<double>("scale"); // 0: the A4 printer's
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("box");
        // 3969 x 2104 twips scale to 1725 x 915.
        QTest::newRow("3x8 last") << sheet(3, 8, 3969, 2104) << 0.0 << 24 << 23 << QRect(3465, 6420, 1695, 885);
        // Without margins the boxes touch even where the page leaves gaps.
        QTest::newRow("gaps ignored") << sheet(3, 8, 3500, 2000) << 0.0 << 24 << 4 << QRect(1536, 884, 1491, 839);
        // With a side margin (246 scaled) the gaps (59 and 52 scaled) count.
        QTest::newRow("gaps counted with a margin") << sheet(3, 8, 3500, 2000, 0, 0, 567, 567) << 0.0 << 24 << 4
                                                    << QRect(246 + 1521 + 59 + 15, 869 + 52 + 15, 1491, 839);
        // Only a foreign database holds one row, or counts past what the picture can show.
        QTest::newRow("one row") << sheet(3, 1, 3969, 2104) << 0.0 << 3 << 2 << QRect(3465, 15, 1695, 885);
        QTest::newRow("drawn in part") << sheet(30000, 30000, 1, 1) << 0.0 << 250000 << 0 << QRect(15, 15, -30, -30);
        QTest::newRow("one column with margins") << sheet(1, 3, 5000, 4000, 1000, 1000, 567, 567) << 0.0 << 3 << 2
                                                 << QRect(261, 435 + 2 * (1739 + 617) + 15, 2144, 1709);
        // Scaled lengths round halves to even: 1502.5 to 1502, 1503.5 to 1504 (boxes sit 15 twips inside).
        QTest::newRow("half down to even") << sheet(2, 2, 3005, 3005) << 0.5 << 4 << 0 << QRect(15, 15, 1472, 1472);
        QTest::newRow("half up to even") << sheet(2, 2, 3007, 3007) << 0.5 << 4 << 0 << QRect(15, 15, 1474, 1474);
    }
    void sampleBoxes()
    {
        QFETCH(SheetType, type);
        QFETCH(double, scale);
        QFETCH(int, index);
        const QList<QRect> boxes = (scale > 0 ? SheetSample(type, a4Printer, scale) : sampleOf(type)).boxes();
        QTEST(int(boxes.size()), "count");
        QTEST(boxes.at(index), "box");
    }

    // The numbers beside the sample ignore the gaps; the printable area is the printer's.
    void sampleNumbersAndPage()
    {
        const SheetSample single = sampleOf(sheet(1, 2, 11907, 8419));
        QCOMPARE(single.columnNumbers().at(0).at, QPointF(5700 + 2588, 255));
        QCOMPARE(single.rowNumbers().at(1).at, QPointF(5400, 345 + 3660 + 1830));
        QCOMPARE(single.printableArea(), QRect(74, 74, 5028, 7172));
        // Row gaps of 617 twips: the third number sits two gaps above its box.
        const SheetSample gapped = sampleOf(sheet(1, 3, 5000, 4000, 1000, 1000, 567, 567));
        QCOMPARE(gapped.rowNumbers().at(2).value, 3);
        QCOMPARE(gapped.rowNumbers().at(2).at.y(), 435 + 345 + 2 * 1739 + 1739 / 2.0);
        QCOMPARE(sampleOf(sheet(30000, 30000, 1, 1)).rowNumbers().size(), SheetSample::maxDrawn);
        // A printer without a printable area: its whole page; no printer: a whole A4 sheet.
        AppState state;
        state.setPrinter(PrinterFacts{QStringLiteral("p"), 12000, 17000, 0, 0, 170, 170});
        const auto printable = [](auto p) { return QRect(p.offsetX, p.offsetY, p.printableWidth, p.printableHeight); };
        QCOMPARE(printable(SamplePage::from(state)), QRect(0, 0, 12000, 17000));
        QCOMPARE(printable(SamplePage::from(AppState())), QRect(0, 0, 11907, 16839));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
