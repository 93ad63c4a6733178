#include "editor/sheetlayout.h"
#include "storage/appstate.h"

#include <QLocale>
#include <QTest>

namespace {

constexpr int windowWidth = 15240;

AppState sheet(const QString &name, int cols, int rows, int width, int height, int top = 0, int bottom = 0)
{
    AppState state;
    state.initbd(SheetType{name, cols, rows, width, height, top, bottom, 0, 0});
    state.printer.pageHeight = 16838;
    return state;
}

} // namespace

class TestSheetLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void threeByEight();
    void cellsInReadingOrder_data();
    void cellsInReadingOrder();
    void singleColumn();
    void editorAtTrueSize_data();
    void editorAtTrueSize();
    void rowGap_data();
    void rowGap();
    void cellAtPoint();
};

void TestSheetLayout::threeByEight()
{
    const SheetLayout layout = computeSheetLayout(sheet("3x8", 3, 8, 3969, 2104), windowWidth);
    QVERIFY(!layout.singleColumn);
    QCOMPARE(layout.labelCount(), 24);
    QCOMPARE(layout.pagePicture, QRect(windowWidth - 5176 - 105, 210, 5176, 7320));
    QCOMPARE(layout.cellHeight, 915);
    QCOMPARE(layout.cellWidth, 1725);
    QCOMPARE(layout.cell(4), QRect(1725, 915, 1725, 915));
    QCOMPARE(layout.rowNumbers.size(), 8);
    QCOMPARE(layout.rowNumbers.first().value, 1);
    QCOMPARE(layout.rowNumbers.last().value, 8);
    QCOMPARE(layout.rowNumbers[1].anchor, QPoint(layout.pagePicture.left() - 240, 210 + 915 / 2 + 915));
    QCOMPARE(layout.columnNumbers.size(), 3);
    QCOMPARE(layout.columnNumbers[2].anchor, QPoint(layout.pagePicture.left() + 1725 / 2 + 2 * 1725, 0));
    QCOMPARE(layout.editorAreaWidth, layout.pagePicture.left() - 240);
    QCOMPARE(layout.editor, QRect((layout.editorAreaWidth - 3960) / 2, (7920 - 2100) / 2, 3960, 2100));
    QCOMPARE(layout.templateFrameTop, 8925);
    QCOMPARE(layout.caption, QStringLiteral("Type étiquette:3x8 (70,0 x 37,1 mm)"));
}

void TestSheetLayout::cellsInReadingOrder_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("first") << 3 << 0 << 0 << 0;
    QTest::newRow("index 7 of 3 columns") << 3 << 7 << 2 << 1;
    QTest::newRow("last of 6 x 16") << 6 << 95 << 15 << 5;
    QTest::newRow("one column") << 1 << 5 << 5 << 0;
}

void TestSheetLayout::cellsInReadingOrder()
{
    QFETCH(int, cols);
    QFETCH(int, index);
    QFETCH(int, row);
    QFETCH(int, col);
    const SheetLayout layout = computeSheetLayout(sheet("s", cols, 16, 1000, 900), windowWidth);
    const QRect cell = layout.cell(index);
    QCOMPARE(cell.topLeft(), QPoint(col * layout.cellWidth, row * layout.cellHeight));
    QCOMPARE(layout.cellAt(cell.center()), index);
}

void TestSheetLayout::singleColumn()
{
    const SheetLayout layout = computeSheetLayout(sheet("1x2", 1, 2, 11907, 8419), windowWidth);
    QVERIFY(layout.singleColumn);
    QVERIFY(layout.columnNumbers.isEmpty());
    QCOMPARE(layout.rowNumbers.size(), 2);
    QCOMPARE(layout.editorAreaWidth, 11907);
    const int width = windowWidth - 11907 - 270;
    QCOMPARE(layout.pagePicture, QRect(windowWidth - width - 105, 0, width, qRound(width / 210.0 * 297.0)));
    QCOMPARE(layout.editor, QRect((11907 - 11895) / 2, (8420 - 8415) / 2, 11895, 8415));
    QCOMPARE(layout.templateFrameTop, 9900);
    QCOMPARE(layout.templateListHeight, 765);
}

void TestSheetLayout::editorAtTrueSize_data()
{
    QTest::addColumn<int>("label");
    QTest::addColumn<int>("editor");
    QTest::newRow("70 mm") << 3969 << 3960;
    QTest::newRow("whole pixels") << 3975 << 3975;
    QTest::newRow("one twip short of a pixel") << 3974 << 3960;
}

void TestSheetLayout::editorAtTrueSize()
{
    QFETCH(int, label);
    QFETCH(int, editor);
    const SheetLayout layout = computeSheetLayout(sheet("s", 3, 8, label, label), windowWidth);
    QCOMPARE(layout.editor.width(), editor);
    QCOMPARE(layout.editor.height(), editor);
}

void TestSheetLayout::rowGap_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("gap");
    QTest::newRow("3x8 edge to edge") << 8 << 2104 << 0 << 0 << 1;
    QTest::newRow("margins and gaps") << 4 << 3600 << 500 << 500 << 479;
    QTest::newRow("two rows") << 2 << 8000 << 400 << 400 << 38;
}

void TestSheetLayout::rowGap()
{
    QFETCH(int, rows);
    QFETCH(int, height);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, gap);
    const SheetLayout layout = computeSheetLayout(sheet("s", 3, rows, 3000, height, top, bottom), windowWidth);
    QCOMPARE(layout.rowGap, gap);
}

void TestSheetLayout::cellAtPoint()
{
    const SheetLayout layout = computeSheetLayout(sheet("3x8", 3, 8, 3969, 2104), windowWidth);
    QCOMPARE(layout.cellAt(QPoint(0, 0)), 0);
    QCOMPARE(layout.cellAt(QPoint(-1, 0)), -1);
    QCOMPARE(layout.cellAt(QPoint(3 * layout.cellWidth, 0)), -1);
    QCOMPARE(layout.cellAt(QPoint(0, 8 * layout.cellHeight)), -1);
}

QTEST_GUILESS_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
