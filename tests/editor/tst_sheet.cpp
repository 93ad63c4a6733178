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

SheetLayout layoutOf(int cols, int rows, int width, int height, const QString &name = QStringLiteral("s"))
{
    return computeSheetLayout(sheet(name, cols, rows, width, height), windowWidth);
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
        content.background = QColor(0x40, 0x80, 0xC0);
    }

    void withPicture()
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        content.picture = LabelContent::PlacedPicture{Picture::fromImage(image), {15, 30, 600, 300}};
    }
};

struct Cell { int cols, index, row, col; QSize size; };

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void threeByEight()
    {
        const SheetLayout layout = layoutOf(3, 8, 3969, 2104, "3x8");
        QCOMPARE(layout.pagePicture, QRect(windowWidth - 5176 - 105, 210, 5176, 7320));
        QCOMPARE(layout.rowNumbers.last().value, 8);   // numbered from 1, one a row
        QCOMPARE(layout.rowNumbers[1].anchor, QPoint(layout.pagePicture.left() - 240, 210 + 915 / 2 + 915));
        QCOMPARE(layout.columnNumbers.size(), 3);
        QCOMPARE(layout.columnNumbers[2].anchor, QPoint(layout.pagePicture.left() + 1725 / 2 + 2 * 1725, 0));
        // Centred left of the page picture, in whole pixels: 70 mm is 3969 twips, 3960 on screen.
        QCOMPARE(layout.editor, QRect((layout.pagePicture.left() - 240 - 3960) / 2, (7920 - 2100) / 2, 3960, 2100));
        QCOMPARE(layoutOf(3, 8, 3975, 3975).editor.size(), QSize(3975, 3975));
        QCOMPARE(layoutOf(3, 8, 3974, 3974).editor.size(), QSize(3960, 3960));   // a twip short of a pixel
        QCOMPARE(layout.caption, QStringLiteral("Type étiquette:3x8 (70,0 x 37,1 mm)"));
        // No cell left of, right of or below the cells.
        QCOMPARE(layout.cellAt(QPoint(0, 0)), 0);
        QCOMPARE(layout.cellAt(QPoint(-1, 0)), -1);
        QCOMPARE(layout.cellAt(QPoint(3 * layout.cellWidth, 0)), -1);
        QCOMPARE(layout.cellAt(QPoint(0, 8 * layout.cellHeight)), -1);
    }

    void cellsInReadingOrder_data()
    {
        QTest::addColumn<Cell>("cell");   // size: the page picture's share, to the nearest twip
        QTest::newRow("index 7 of 3 columns") << Cell{3, 7, 2, 1, {1725, 458}};
        QTest::newRow("last of 6 x 16") << Cell{6, 95, 15, 5, {863, 458}};
        QTest::newRow("one column") << Cell{1, 5, 5, 0, {3063, 271}};
    }
    void cellsInReadingOrder()
    {
        QFETCH(Cell, cell);
        const SheetLayout layout = layoutOf(cell.cols, 16, 1000, 900);
        const QRect rect = layout.cell(cell.index);
        QCOMPARE(rect, QRect(QPoint(cell.col * layout.cellWidth, cell.row * layout.cellHeight), cell.size));
        QCOMPARE(layout.cellAt(rect.center()), cell.index);
    }

    void singleColumn()
    {
        const SheetLayout layout = layoutOf(1, 2, 11907, 8419);
        QVERIFY(layout.singleColumn);
        QVERIFY(layout.columnNumbers.isEmpty());
        const int width = windowWidth - 11907 - 270;
        QCOMPARE(layout.pagePicture, QRect(windowWidth - width - 105, 0, width, qRound(width / 210.0 * 297.0)));
        QCOMPARE(layout.editor, QRect((11907 - 11895) / 2, (8420 - 8415) / 2, 11895, 8415));
    }

    void rowGap()
    {
        // The page's height less the margins and the rows, shared between the gaps.
        const auto gap = [](int rows, int height, int top, int bottom, int pageHeight) {
            AppState state = sheet("s", 3, rows, 3000, height, top, bottom);
            state.printer.pageHeight = pageHeight;   // the printer's; 0 when it says none
            return computeSheetLayout(state, windowWidth).rowGap;
        };
        QCOMPARE(gap(8, 2104, 0, 0, 16838), 1);   // 3x8 edge to edge
        QCOMPARE(gap(4, 3600, 300, 700, 16838), 479);
        QCOMPARE(gap(2, 8000, 400, 400, 20000), 3200);   // the printer's taller page
        QCOMPARE(gap(2, 8000, 400, 400, 0), 38);   // no page height: A4, 16838 twips
    }

    void writesAndReplacesLabels()
    {
        Fixture f;
        f.withPicture();
        f.content.mixedFormat = true;
        QVERIFY(f.sheet.write(0, 7, f.content));
        QCOMPARE(pagetable::count(f.db), 8);
        const PageRow row = *f.sheet.row(7);
        QCOMPARE(QPoint(row.posx, row.posy), QPoint(1, 2));
        QCOMPARE(row.backcolor, qint64(0xC08040));   // stored as 0xBBGGRR
        QCOMPARE(QList<int>({row.impage, row.impleft, row.imptop, row.impwidth, row.impheight, row.xpixel, row.ypixel}),
                 QList<int>({true, 15, 30, 600, 300, 40, 20}));
        QCOMPARE(f.sheet.text(7)->toPlainText(), QStringLiteral("Étiquette"));
        QCOMPARE(f.sheet.mixedFormatCount(), 8);
        // The stored text is a copy: editing the editor afterwards changes nothing.
        f.text.setPlainText(QStringLiteral("neuf"));
        QCOMPARE(f.sheet.text(0)->toPlainText(), QStringLiteral("Étiquette"));

        f.content.mixedFormat = false;
        QVERIFY(f.sheet.write(1, 2, f.content));
        QVERIFY(f.sheet.consistent());   // one row a label: the old ones went
        QCOMPARE(f.sheet.text(1)->toPlainText(), QStringLiteral("neuf"));
        QVERIFY(!f.sheet.mixedFormat(1));
        QCOMPARE(f.sheet.mixedFormatCount(), 6);
    }

    // Labels from 120 on get the text only; marked, unmarked, erased, cleared.
    void picturesMarksAndErasing()
    {
        Fixture f(140, 7);
        f.withPicture();
        QVERIFY(f.sheet.write(118, 121, f.content));
        QVERIFY(f.sheet.picture(119) && f.sheet.row(119)->impage);
        QVERIFY(!f.sheet.picture(120) && !f.sheet.row(120)->impage);

        QVERIFY(!f.sheet.mark(122, 124));
        QVERIFY(f.sheet.mark(117, 119));
        QCOMPARE(f.sheet.state(119), State::Marked);
        QVERIFY(f.sheet.consistent());
        f.sheet.unmark(117, 119);
        QCOMPARE(f.sheet.state(119), State::Written);

        QVERIFY(f.sheet.erase(119));
        QVERIFY(!f.sheet.erase(119));   // nothing left to erase
        QVERIFY(f.sheet.consistent());
        QVERIFY(f.sheet.clear());
        QVERIFY(f.sheet.consistent());
        QCOMPARE(pagetable::count(f.db), 0);
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
        QVERIFY(!f.sheet.row(4));
        QVERIFY(!f.sheet.consistent());   // the stray row for label 5
        QVERIFY(pagetable::remove(f.db, 5));
        QVERIFY(f.sheet.consistent());
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
        QVERIFY(erasing ? f.sheet.erase(1) : f.sheet.write(1, 1, f.content));   // the last one goes
        QCOMPARE(released.count(), 1);
        for (int i = 10; i < 24; ++i)
            QCOMPARE(f.sheet.state(i), State::Empty);
        QVERIFY(f.sheet.consistent());
    }

    void storedColourValues()
    {
        // Stored as 0xBBGGRR; a system colour or anything out of range reads as white.
        QCOMPARE(colorvalue::toColor(0xC08040), QColor(0x40, 0x80, 0xC0));
        QCOMPARE(colorvalue::toColor(-2147483643), QColor(Qt::white));
        QCOMPARE(colorvalue::toColor(0x1000000), QColor(Qt::white));
    }
};

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"
