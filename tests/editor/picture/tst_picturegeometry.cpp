#include "editor/picture/picturegeometry.h"

#include <QTest>

#include <climits>

Q_DECLARE_METATYPE(FitMode)
Q_DECLARE_METATYPE(PicturePlacement)

namespace {

// A label editor whose usable area is 3000 × 1500 twips (ratio 2).
const QRect editor(300, 450, 3030, 1530);

PictureGeometry fitted(QSize pixels)
{
    PictureGeometry geometry;
    geometry.setEditor(editor);
    geometry.fit(pixels);
    return geometry;
}

// The picture is 15 twips inside the label on every side.
bool inside(const QRect &frame, const QRect &label)
{
    return frame.left() >= label.left() + 15 && frame.top() >= label.top() + 15
           && frame.left() + frame.width() <= label.left() + label.width() - 15
           && frame.top() + frame.height() <= label.top() + label.height() - 15;
}

} // namespace

class TestPictureGeometry : public QObject {
    Q_OBJECT
private slots:
    void fitsNewPicture_data();
    void fitsNewPicture();
    void fitSteps_data();
    void fitSteps();
    void formatChangesMovementRanges_data();
    void formatChangesMovementRanges();
    void barsClampTheirValues();
    void restoresStoredPlacement_data();
    void restoresStoredPlacement();
    void followsTheEditor();
};

void TestPictureGeometry::fitsNewPicture_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<FitMode>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("leftMaximum");
    QTest::addColumn<int>("topMaximum");

    // Width mode when bw / 3000 ≥ bh / 1500: the exact tie goes to width.
    QTest::newRow("exact ratio of the label") << QSize(2000, 1000) << FitMode::Width << QSize(3000, 1500) << 315 << 465;
    QTest::newRow("exact ratio, large") << QSize(6000, 3000) << FitMode::Width << QSize(3000, 1500) << 315 << 465;
    QTest::newRow("a pixel wider") << QSize(2001, 1000) << FitMode::Width << QSize(3000, 1499) << 315 << 466;
    QTest::newRow("a pixel taller") << QSize(2000, 1001) << FitMode::Height << QSize(2997, 1500) << 318 << 465;
    QTest::newRow("square") << QSize(1000, 1000) << FitMode::Height << QSize(1500, 1500) << 1815 << 465;
    QTest::newRow("portrait") << QSize(500, 1000) << FitMode::Height << QSize(750, 1500) << 2565 << 465;
    QTest::newRow("panorama") << QSize(4000, 500) << FitMode::Width << QSize(3000, 375) << 315 << 1590;
    QTest::newRow("one pixel line") << QSize(9000, 1) << FitMode::Width << QSize(3000, 1) << 315 << 1964;
}

void TestPictureGeometry::fitsNewPicture()
{
    QFETCH(QSize, pixels);
    QFETCH(FitMode, mode);
    QFETCH(QSize, size);
    QFETCH(int, leftMaximum);
    QFETCH(int, topMaximum);

    const PictureGeometry geometry = fitted(pixels);
    QCOMPARE(geometry.mode(), mode);
    // Top-left corner of the label, as large as fits.
    QCOMPARE(geometry.frame(), QRect(QPoint(315, 465), size));
    QCOMPARE(geometry.A_format().minimum, 15);
    QCOMPARE(geometry.A_format().maximum, mode == FitMode::Width ? 3000 : 1500);
    QCOMPARE(geometry.A_format().value, geometry.A_format().maximum);
    QCOMPARE(geometry.A_left().minimum, 315);
    QCOMPARE(geometry.A_left().maximum, leftMaximum);
    QCOMPARE(geometry.A_top().minimum, 465);
    QCOMPARE(geometry.A_top().maximum, topMaximum);
    QVERIFY(inside(geometry.frame(), editor));
}

void TestPictureGeometry::fitSteps_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QList<int>>("steps");   // left small, large; top small, large; format small, large

    // Panorama: 1530 − 375 = 1155 spare twips, 11.55 → 12 and 115.5 → 116.
    QTest::newRow("width mode") << QSize(4000, 500) << QList<int>{1, 1, 12, 116, 30, 300};
    // Portrait: 3030 − 750 = 2280 spare, 22.8 → 23 and 228.
    QTest::newRow("height mode") << QSize(500, 1000) << QList<int>{23, 228, 1, 1, 15, 150};
    // No spare room across the label: the bar still moves by 1.
    QTest::newRow("no spare room") << QSize(2000, 1000) << QList<int>{1, 1, 1, 3, 30, 300};
}

void TestPictureGeometry::fitSteps()
{
    QFETCH(QSize, pixels);
    QFETCH(QList<int>, steps);
    const PictureGeometry geometry = fitted(pixels);
    const QList<int> actual{geometry.A_left().smallChange,   geometry.A_left().largeChange,
                            geometry.A_top().smallChange,    geometry.A_top().largeChange,
                            geometry.A_format().smallChange, geometry.A_format().largeChange};
    QCOMPARE(actual, steps);
}

void TestPictureGeometry::formatChangesMovementRanges_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("shrunk");
    QTest::addColumn<int>("enlarged");
    QTest::addColumn<QRect>("shrunkRanges");   // A_left min, A_top min, A_left max, A_top max
    QTest::addColumn<QRect>("frameAfter");

    // Shrink, move to the far corner, enlarge: the bars pull the picture back.
    QTest::newRow("square") << QSize(1000, 1000) << 750 << 1500
                            << QRect(QPoint(315, 465), QPoint(2565, 1215)) << QRect(1815, 465, 1500, 1500);
    QTest::newRow("panorama") << QSize(4000, 1000) << 1000 << 2000
                              << QRect(QPoint(315, 465), QPoint(2315, 1715)) << QRect(1315, 1465, 2000, 500);
    QTest::newRow("past the maximum") << QSize(1000, 1000) << 750 << 5000
                                      << QRect(QPoint(315, 465), QPoint(2565, 1215)) << QRect(1815, 465, 1500, 1500);
}

void TestPictureGeometry::formatChangesMovementRanges()
{
    QFETCH(QSize, pixels);
    QFETCH(int, shrunk);
    QFETCH(int, enlarged);
    QFETCH(QRect, shrunkRanges);
    QFETCH(QRect, frameAfter);

    PictureGeometry geometry = fitted(pixels);
    geometry.changeformat(shrunk);
    QCOMPARE(QRect(QPoint(geometry.A_left().minimum, geometry.A_top().minimum),
                   QPoint(geometry.A_left().maximum, geometry.A_top().maximum)),
             shrunkRanges);
    geometry.changeleft(geometry.A_left().maximum);
    geometry.changetop(geometry.A_top().maximum);
    QVERIFY(inside(geometry.frame(), editor));
    QCOMPARE(geometry.frame().bottomRight(), QPoint(editor.right() - 15, editor.bottom() - 15));

    geometry.changeformat(enlarged);
    QCOMPARE(geometry.frame(), frameAfter);
    QCOMPARE(geometry.A_left().value, frameAfter.left());
    QCOMPARE(geometry.A_top().value, frameAfter.top());
    QVERIFY(inside(geometry.frame(), editor));
}

void TestPictureGeometry::barsClampTheirValues()
{
    PictureGeometry geometry = fitted(QSize(1000, 1000));
    geometry.changeformat(3);
    QCOMPARE(geometry.A_format().value, 15);
    QCOMPARE(geometry.frame().size(), QSize(15, 15));
    geometry.changeleft(-40000);
    geometry.changetop(40000);
    QCOMPARE(geometry.frame().topLeft(), QPoint(315, 450 + 1530 - 15 - 15));
}

void TestPictureGeometry::restoresStoredPlacement_data()
{
    QTest::addColumn<PicturePlacement>("stored");
    QTest::addColumn<FitMode>("mode");
    QTest::addColumn<int>("formatValue");
    QTest::addColumn<QRect>("frame");

    QTest::newRow("fits, kept as stored") << PicturePlacement{100, 200, 1000, 400} << FitMode::Width << 1000
                                          << QRect(400, 650, 1000, 400);
    QTest::newRow("fits, taller than the label's ratio") << PicturePlacement{100, 200, 600, 600} << FitMode::Height
                                                         << 600 << QRect(400, 650, 600, 600);
    QTest::newRow("too wide") << PicturePlacement{15, 15, 4000, 1000} << FitMode::Width << 3000
                              << QRect(315, 465, 3000, 750);
    QTest::newRow("too high") << PicturePlacement{15, 15, 600, 3000} << FitMode::Height << 1500
                              << QRect(315, 465, 300, 1500);
    QTest::newRow("both, width overflows more") << PicturePlacement{15, 15, 6000, 2000} << FitMode::Width << 3000
                                                << QRect(315, 465, 3000, 1000);
    QTest::newRow("both, height overflows more") << PicturePlacement{15, 15, 4000, 4000} << FitMode::Height << 1500
                                                 << QRect(315, 465, 1500, 1500);
    QTest::newRow("just over the margin") << PicturePlacement{15, 15, 3010, 1000} << FitMode::Width << 3000
                                          << QRect(315, 465, 3000, 997);
    QTest::newRow("placed past the label") << PicturePlacement{5000, 5000, 1000, 400} << FitMode::Width << 1000
                                           << QRect(2315, 1565, 1000, 400);
    QTest::newRow("placed in the margin") << PicturePlacement{0, -20, 1000, 400} << FitMode::Width << 1000
                                          << QRect(315, 465, 1000, 400);
    QTest::newRow("absurd offsets") << PicturePlacement{INT_MAX, INT_MIN, 1000, 400} << FitMode::Width << 1000
                                    << QRect(2315, 465, 1000, 400);
    QTest::newRow("no stored size: fitted afresh") << PicturePlacement{50, 50, 0, 0} << FitMode::Width << 3000
                                                   << QRect(315, 465, 3000, 1500);
}

void TestPictureGeometry::restoresStoredPlacement()
{
    QFETCH(PicturePlacement, stored);
    QFETCH(FitMode, mode);
    QFETCH(int, formatValue);
    QFETCH(QRect, frame);

    PictureGeometry geometry;
    geometry.setEditor(editor);
    geometry.restore(stored, QSize(2000, 1000));
    QCOMPARE(geometry.mode(), mode);
    QCOMPARE(geometry.A_format().value, formatValue);
    QCOMPARE(geometry.A_format().maximum, mode == FitMode::Width ? 3000 : 1500);
    QCOMPARE(geometry.frame(), frame);
    QVERIFY(inside(geometry.frame(), editor));
    // The full size on the format bar still fits the label.
    geometry.changeformat(geometry.A_format().maximum);
    QVERIFY(inside(geometry.frame(), editor));
}

void TestPictureGeometry::followsTheEditor()
{
    PictureGeometry geometry = fitted(QSize(1000, 1000));
    geometry.changeformat(900);
    geometry.changeleft(1000);
    geometry.changetop(600);
    const PicturePlacement before = geometry.placement();
    QCOMPARE(before, (PicturePlacement{700, 150, 900, 900}));

    // Moved elsewhere in the window: the same place in the label.
    const QRect moved = editor.translated(-150, 300);
    geometry.followEditor(moved);
    QCOMPARE(geometry.placement(), before);
    QCOMPARE(geometry.frame().topLeft(), moved.topLeft() + QPoint(700, 150));

    // A smaller label: the picture shrinks to its height and stays inside.
    const QRect smaller(moved.topLeft(), QSize(1530, 630));
    geometry.followEditor(smaller);
    QCOMPARE(geometry.frame().size(), QSize(600, 600));
    QVERIFY(inside(geometry.frame(), smaller));
    QCOMPARE(geometry.A_format().maximum, 600);
}

QTEST_APPLESS_MAIN(TestPictureGeometry)
#include "tst_picturegeometry.moc"
