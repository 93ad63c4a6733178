#include "programfolder.h"

#include "editor/sheetlayout.h"
#include "editor/workingsheet.h"
#include "storage/appstate.h"
#include "storage/colorvalue.h"
#include "storage/database.h"
#include "storage/personalstore.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

namespace {

using State = WorkingSheet::State;

constexpr int windowWidth = 15240;

AppState sheet(const QString &name, int cols, int rows, int width, int height, int top = 0, int bottom = 0)
{
    AppState state;
    state.initbd(SheetType{name, cols, rows, width, height, top, bottom, 0, 0});
    state.printer.pageHeight = 16838;
    return state;
}

// A working database on a fresh program folder, and a sheet on it.
struct Fixture {
    ProgramFolder program;
    Database db;
    WorkingSheet sheet{db};
    QTextDocument text;
    LabelContent content;

    explicit Fixture(int labels = 24, int cols = 3)
    {
        PersonalStore store(program.path());
        QVERIFY(store.creatperso());
        QVERIFY(db.open(store.workingDatabase()));
        sheet.reset(labels, cols);
        text.setPlainText(QStringLiteral("Étiquette"));
        content.text = &text;
        content.background = QColor(255, 255, 192);
    }

    void withPicture()
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        content.picture = LabelContent::PlacedPicture{Picture::fromImage(image), {15, 30, 600, 300}};
    }
};

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void threeByEight()
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
        QCOMPARE(layout.caption, QStringLiteral("Type étiquette:3x8 (70,0 x 37,1 mm)"));
        // No cell left of, right of or below the cells.
        QCOMPARE(layout.cellAt(QPoint(0, 0)), 0);
        QCOMPARE(layout.cellAt(QPoint(-1, 0)), -1);
        QCOMPARE(layout.cellAt(QPoint(3 * layout.cellWidth, 0)), -1);
        QCOMPARE(layout.cellAt(QPoint(0, 8 * layout.cellHeight)), -1);
    }

    void cellsInReadingOrder_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QSize>("cellSize");   // the page picture's share, to the nearest twip
        QTest::newRow("first") << 3 << 0 << 0 << 0 << QSize(1725, 458);
        QTest::newRow("index 7 of 3 columns") << 3 << 7 << 2 << 1 << QSize(1725, 458);
        QTest::newRow("last of 6 x 16") << 6 << 95 << 15 << 5 << QSize(863, 458);
        QTest::newRow("one column") << 1 << 5 << 5 << 0 << QSize(3063, 271);
    }
    void cellsInReadingOrder()
    {
        QFETCH(int, cols);
        QFETCH(int, index);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QSize, cellSize);
        const SheetLayout layout = computeSheetLayout(sheet("s", cols, 16, 1000, 900), windowWidth);
        const QRect cell = layout.cell(index);
        QCOMPARE(cell.size(), cellSize);
        QCOMPARE(cell.topLeft(), QPoint(col * layout.cellWidth, row * layout.cellHeight));
        QCOMPARE(layout.cellAt(cell.center()), index);
    }

    void singleColumn()
    {
        const SheetLayout layout = computeSheetLayout(sheet("1x2", 1, 2, 11907, 8419), windowWidth);
        QVERIFY(layout.singleColumn);
        QVERIFY(layout.columnNumbers.isEmpty());
        QCOMPARE(layout.rowNumbers.size(), 2);
        QCOMPARE(layout.editorAreaWidth, 11907);
        const int width = windowWidth - 11907 - 270;
        QCOMPARE(layout.pagePicture, QRect(windowWidth - width - 105, 0, width, qRound(width / 210.0 * 297.0)));
        QCOMPARE(layout.editor, QRect((11907 - 11895) / 2, (8420 - 8415) / 2, 11895, 8415));
    }

    void editorAtTrueSize_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<int>("editor");
        QTest::newRow("70 mm") << 3969 << 3960;
        QTest::newRow("whole pixels") << 3975 << 3975;
        QTest::newRow("one twip short of a pixel") << 3974 << 3960;
    }
    void editorAtTrueSize()
    {
        QFETCH(int, label);
        QFETCH(int, editor);
        const SheetLayout layout = computeSheetLayout(sheet("s", 3, 8, label, label), windowWidth);
        QCOMPARE(layout.editor.size(), QSize(editor, editor));
    }

    void rowGap_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("pageHeight");   // the printer's; 0 when it says none
        QTest::addColumn<int>("gap");
        QTest::newRow("3x8 edge to edge") << 8 << 2104 << 0 << 0 << 16838 << 1;
        QTest::newRow("margins and gaps") << 4 << 3600 << 500 << 500 << 16838 << 479;
        QTest::newRow("two rows") << 2 << 8000 << 400 << 400 << 16838 << 38;
        QTest::newRow("the printer's taller page") << 2 << 8000 << 400 << 400 << 20000 << 3200;
        QTest::newRow("no page height: A4") << 2 << 8000 << 400 << 400 << 0 << 38;
    }
    void rowGap()
    {
        QFETCH(int, rows);
        QFETCH(int, height);
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(int, pageHeight);
        QFETCH(int, gap);
        AppState state = sheet("s", 3, rows, 3000, height, top, bottom);
        state.printer.pageHeight = pageHeight;
        const SheetLayout layout = computeSheetLayout(state, windowWidth);
        QCOMPARE(layout.rowGap, gap);
    }

    void writesRowsTextsAndPictures()
    {
        Fixture f;
        f.withPicture();
        f.content.mixedFormat = true;
        QVERIFY(f.sheet.write(0, 7, f.content));
        QVERIFY(f.sheet.consistent());
        QCOMPARE(pagetable::count(f.db), 8);
        const PageRow row = *f.sheet.row(7);
        QCOMPARE(QPoint(row.posx, row.posy), QPoint(1, 2));
        QCOMPARE(colorvalue::toColor(row.backcolor), QColor(255, 255, 192));
        QVERIFY(row.impage);
        QCOMPARE(QList<int>({row.impleft, row.imptop, row.impwidth, row.impheight, row.xpixel, row.ypixel}),
                 QList<int>({15, 30, 600, 300, 40, 20}));
        QCOMPARE(f.sheet.text(7)->toPlainText(), QStringLiteral("Étiquette"));
        QVERIFY(f.sheet.picture(0));
        QCOMPARE(f.sheet.state(7), State::Written);
        QCOMPARE(f.sheet.state(8), State::Empty);
        QCOMPARE(f.sheet.mixedFormatCount(), 8);
        // The stored text is a copy: editing the editor afterwards changes nothing.
        f.text.setPlainText(QStringLiteral("autre"));
        QCOMPARE(f.sheet.text(0)->toPlainText(), QStringLiteral("Étiquette"));
    }

    void labelsFrom120GetTextOnly()
    {
        Fixture f(140, 7);
        f.withPicture();
        QVERIFY(f.sheet.write(118, 121, f.content));
        QVERIFY(f.sheet.consistent());
        QVERIFY(f.sheet.picture(119));
        QVERIFY(!f.sheet.picture(120));
        QVERIFY(f.sheet.row(119)->impage);
        QVERIFY(!f.sheet.row(121)->impage);
        QVERIFY(f.sheet.text(121));
    }

    void writeReplacesWrittenLabels()
    {
        Fixture f;
        f.content.mixedFormat = true;
        QVERIFY(f.sheet.write(1, 1, f.content));
        f.content.mixedFormat = false;
        f.text.setPlainText(QStringLiteral("neuf"));
        QVERIFY(f.sheet.write(0, 2, f.content));
        QVERIFY(f.sheet.consistent());
        QCOMPARE(pagetable::count(f.db), 3);
        QCOMPARE(f.sheet.text(1)->toPlainText(), QStringLiteral("neuf"));
        QVERIFY(!f.sheet.mixedFormat(1));
        QCOMPARE(f.sheet.mixedFormatCount(), 0);
    }

    void failedWriteChangesNothing()
    {
        Fixture f;
        QVERIFY(f.sheet.write(3, 3, f.content));
        // A row for label 5 that the sheet does not know: the click over 4..6
        // fails at label 5 and must leave everything as it was.
        QVERIFY(f.db.execute(QStringLiteral("CREATE UNIQUE INDEX one_row ON PAGE (numetiq)")));
        QVERIFY(pagetable::insert(f.db, PageRow{5, 2, 1}));
        QSignalSpy changed(&f.sheet, &WorkingSheet::cellChanged);
        QVERIFY(!f.sheet.write(3, 6, f.content));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(pagetable::count(f.db), 2);
        QVERIFY(f.sheet.row(3));
        QVERIFY(!f.sheet.row(4));
        QCOMPARE(f.sheet.state(4), State::Empty);
        QVERIFY(pagetable::remove(f.db, 5));
        QVERIFY(f.sheet.consistent());
    }

    void markAndUnmark()
    {
        Fixture f;
        QVERIFY(f.sheet.write(1, 1, f.content));
        QVERIFY(!f.sheet.mark(3, 5));
        QVERIFY(f.sheet.mark(0, 2));
        QCOMPARE(f.sheet.state(1), State::Marked);
        QCOMPARE(f.sheet.state(0), State::Empty);
        QVERIFY(f.sheet.consistent());
        f.sheet.unmark(0, 2);
        QCOMPARE(f.sheet.state(1), State::Written);
        QVERIFY(f.sheet.consistent());
    }

    void eraseAndClear()
    {
        Fixture f;
        f.withPicture();
        QVERIFY(f.sheet.write(0, 4, f.content));
        QVERIFY(f.sheet.erase(0));
        QVERIFY(!f.sheet.erase(0)); // nothing left to erase
        QVERIFY(f.sheet.consistent());
        QCOMPARE(f.sheet.state(0), State::Empty);
        QVERIFY(!f.sheet.picture(0));
        QVERIFY(f.sheet.clear());
        QVERIFY(f.sheet.consistent());
        QCOMPARE(pagetable::count(f.db), 0);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f.sheet.state(i), State::Empty);
    }

    // The cells greyed beyond the usable count come back once no mixed-font
    // label is left, whether the last ones are erased or written over.
    void lastMixedLabelReleasesGreyCells_data()
    {
        QTest::addColumn<bool>("erasing");
        QTest::newRow("erased") << true;
        QTest::newRow("written over") << false;
    }
    void lastMixedLabelReleasesGreyCells()
    {
        QFETCH(bool, erasing);
        Fixture f;
        f.sheet.limitTo(10);
        QCOMPARE(f.sheet.state(9), State::Empty);
        QCOMPARE(f.sheet.state(10), State::Unusable);
        f.content.mixedFormat = true;
        QVERIFY(f.sheet.write(0, 1, f.content));
        QSignalSpy released(&f.sheet, &WorkingSheet::unusableReleased);
        f.content.mixedFormat = false;
        QVERIFY(erasing ? f.sheet.erase(0) : f.sheet.write(0, 0, f.content));   // one mixed label is left
        QCOMPARE(released.count(), 0);
        QCOMPARE(f.sheet.state(23), State::Unusable);
        QVERIFY(erasing ? f.sheet.erase(1) : f.sheet.write(1, 1, f.content));   // the last one goes
        QCOMPARE(released.count(), 1);
        QCOMPARE(f.sheet.mixedFormatCount(), 0);
        for (int i = 10; i < 24; ++i)
            QCOMPARE(f.sheet.state(i), State::Empty);
        QVERIFY(f.sheet.consistent());
    }

    void storedColourValues_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red in the low byte") << qint64(0x0000FF) << QColor(255, 0, 0);
        QTest::newRow("blue in the high byte") << qint64(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("system colour") << qint64(-2147483643) << QColor(Qt::white);
        QTest::newRow("out of range") << qint64(0x1000000) << QColor(Qt::white);
    }
    void storedColourValues()
    {
        QFETCH(qint64, value);
        QFETCH(QColor, color);
        QCOMPARE(colorvalue::toColor(value), color);
        if (value >= 0 && value <= 0xFFFFFF)
            QCOMPARE(colorvalue::fromColor(color), value);
    }
};

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"
