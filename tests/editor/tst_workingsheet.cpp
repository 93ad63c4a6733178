#include "programfolder.h"

#include "editor/workingsheet.h"
#include "storage/colorvalue.h"
#include "storage/database.h"
#include "storage/personalstore.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using State = WorkingSheet::State;

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

class TestWorkingSheet : public QObject {
    Q_OBJECT
private slots:
    void writesRowsTextsAndPictures();
    void labelsFrom120GetTextOnly();
    void writeReplacesWrittenLabels();
    void failedWriteChangesNothing();
    void markAndUnmark();
    void eraseAndClear();
    void lastMixedLabelReleasesGreyCells();
    void replacingLastMixedLabelsReleasesGreyCells();
    void storedColourValues_data();
    void storedColourValues();
};

void TestWorkingSheet::writesRowsTextsAndPictures()
{
    Fixture f;
    f.withPicture();
    f.content.mixedFormat = true;
    QVERIFY(f.sheet.write(0, 7, f.content));
    QVERIFY(f.sheet.consistent());
    QCOMPARE(pagetable::count(f.db), 8);
    const PageRow row = *f.sheet.row(7);
    QCOMPARE(row.posx, 1);
    QCOMPARE(row.posy, 2);
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

void TestWorkingSheet::labelsFrom120GetTextOnly()
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

void TestWorkingSheet::writeReplacesWrittenLabels()
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

void TestWorkingSheet::failedWriteChangesNothing()
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

void TestWorkingSheet::markAndUnmark()
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

void TestWorkingSheet::eraseAndClear()
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

void TestWorkingSheet::lastMixedLabelReleasesGreyCells()
{
    Fixture f;
    f.sheet.limitTo(10);
    QCOMPARE(f.sheet.state(9), State::Empty);
    QCOMPARE(f.sheet.state(10), State::Unusable);
    f.content.mixedFormat = true;
    QVERIFY(f.sheet.write(0, 1, f.content));
    QSignalSpy released(&f.sheet, &WorkingSheet::unusableReleased);
    QVERIFY(f.sheet.erase(0));
    QCOMPARE(released.count(), 0);
    QCOMPARE(f.sheet.state(23), State::Unusable);
    QVERIFY(f.sheet.erase(1));
    QCOMPARE(released.count(), 1);
    for (int i = 10; i < 24; ++i)
        QCOMPARE(f.sheet.state(i), State::Empty);
    QVERIFY(f.sheet.consistent());
}

void TestWorkingSheet::replacingLastMixedLabelsReleasesGreyCells()
{
    Fixture f;
    f.sheet.limitTo(10);
    f.content.mixedFormat = true;
    QVERIFY(f.sheet.write(0, 1, f.content));
    QSignalSpy released(&f.sheet, &WorkingSheet::unusableReleased);
    f.content.mixedFormat = false;
    QVERIFY(f.sheet.write(0, 0, f.content));   // one mixed label is left
    QCOMPARE(released.count(), 0);
    QCOMPARE(f.sheet.state(10), State::Unusable);
    QVERIFY(f.sheet.write(1, 1, f.content));   // the last one goes
    QCOMPARE(released.count(), 1);
    QCOMPARE(f.sheet.mixedFormatCount(), 0);
    for (int i = 10; i < 24; ++i)
        QCOMPARE(f.sheet.state(i), State::Empty);
    QVERIFY(f.sheet.consistent());
}

void TestWorkingSheet::storedColourValues_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red in the low byte") << qint64(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("blue in the high byte") << qint64(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("system colour") << qint64(-2147483643) << QColor(Qt::white);
    QTest::newRow("out of range") << qint64(0x1000000) << QColor(Qt::white);
}

void TestWorkingSheet::storedColourValues()
{
    QFETCH(qint64, value);
    QFETCH(QColor, color);
    QCOMPARE(colorvalue::toColor(value), color);
    if (value >= 0 && value <= 0xFFFFFF)
        QCOMPARE(colorvalue::fromColor(color), value);
}

QTEST_GUILESS_MAIN(TestWorkingSheet)
#include "tst_workingsheet.moc"
