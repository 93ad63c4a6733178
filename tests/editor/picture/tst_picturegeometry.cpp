#include "editor/picture/picturegeometry.h"

#include <QTest>

#include <climits>

Q_DECLARE_METATYPE(FitMode)
Q_DECLARE_METATYPE(PicturePlacement)

namespace {

// A label editor whose usable area is 3000 × 1500 twips (ratio 2), from
// (315, 465) to (3315, 1965).
const QRect editor(300, 450, 3030, 1530);

PictureGeometry fitted(QSize pixels)
{
    PictureGeometry geometry;
    geometry.setEditor(editor);
    geometry.fit(pixels);
    return geometry;
}

} // namespace

class TestPictureGeometry : public QObject {
    Q_OBJECT
private slots:
    void fitsNewPicture_data();
    void fitsNewPicture();
    void formatChangesMovementRanges_data();
    void formatChangesMovementRanges();
    void restoresStoredPlacement_data();
    void restoresStoredPlacement();
};

void TestPictureGeometry::fitsNewPicture_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<FitMode>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("maxima");   // A_left, A_top
    QTest::addColumn<QList<int>>("steps");   // small and large: A_left, A_top, A_format

    // Width mode when bw / 3000 ≥ bh / 1500: the exact tie goes to width. The
    // bar across the fit's axis steps by 1; the other one crosses the spare
    // room of the 3030 × 1530 editor in 100 or 10 steps, never less than 1.
    QTest::newRow("the label's ratio") << QSize(2000, 1000) << FitMode::Width << QSize(3000, 1500) << QPoint(315, 465)
                                       << QList<int>{1, 1, 1, 3, 30, 300};
    QTest::newRow("a pixel taller") << QSize(2000, 1001) << FitMode::Height << QSize(2997, 1500) << QPoint(318, 465)
                                    << QList<int>{1, 3, 1, 1, 15, 150};
    QTest::newRow("square") << QSize(1000, 1000) << FitMode::Height << QSize(1500, 1500) << QPoint(1815, 465)
                            << QList<int>{15, 153, 1, 1, 15, 150};
    // 1530 − 375 = 1155 spare twips: 11.55 → 12, 115.5 → 116.
    QTest::newRow("panorama") << QSize(4000, 500) << FitMode::Width << QSize(3000, 375) << QPoint(315, 1590)
                              << QList<int>{1, 1, 12, 116, 30, 300};
    QTest::newRow("one pixel high") << QSize(9000, 1) << FitMode::Width << QSize(3000, 1) << QPoint(315, 1964)
                                    << QList<int>{1, 1, 15, 153, 30, 300};
}

void TestPictureGeometry::fitsNewPicture()
{
    QFETCH(QSize, pixels);
    QFETCH(FitMode, mode);
    QFETCH(QSize, size);
    QFETCH(QPoint, maxima);
    QFETCH(QList<int>, steps);
    const PictureGeometry g = fitted(pixels);
    QCOMPARE(g.mode(), mode);
    QCOMPARE(g.frame(), QRect(QPoint(315, 465), size));   // top-left, as large as fits
    QCOMPARE(g.A_format().minimum, 15);
    QCOMPARE(g.A_format().maximum, mode == FitMode::Width ? 3000 : 1500);
    QCOMPARE(g.A_format().value, g.A_format().maximum);
    QCOMPARE(QPoint(g.A_left().minimum, g.A_top().minimum), QPoint(315, 465));
    QCOMPARE(QPoint(g.A_left().maximum, g.A_top().maximum), maxima);
    QCOMPARE((QList<int>{g.A_left().smallChange, g.A_left().largeChange, g.A_top().smallChange,
                         g.A_top().largeChange, g.A_format().smallChange, g.A_format().largeChange}),
             steps);
}

void TestPictureGeometry::formatChangesMovementRanges_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("shrunk");
    QTest::addColumn<QPoint>("shrunkMaxima");
    QTest::addColumn<int>("enlarged");
    QTest::addColumn<QRect>("frameAfter");

    QTest::newRow("square") << QSize(1000, 1000) << 750 << QPoint(2565, 1215) << 1500 << QRect(1815, 465, 1500, 1500);
    QTest::newRow("panorama") << QSize(4000, 1000) << 1000 << QPoint(2315, 1715) << 2000 << QRect(1315, 1465, 2000, 500);
    QTest::newRow("past the maximum") << QSize(1000, 1000) << 750 << QPoint(2565, 1215) << 9000
                                      << QRect(1815, 465, 1500, 1500);
}

void TestPictureGeometry::formatChangesMovementRanges()
{
    QFETCH(QSize, pixels);
    QFETCH(int, shrunk);
    QFETCH(QPoint, shrunkMaxima);
    QFETCH(int, enlarged);
    QFETCH(QRect, frameAfter);

    // Shrink, go to the far corner, enlarge: the bars pull the picture back.
    PictureGeometry geometry = fitted(pixels);
    geometry.changeformat(shrunk);
    QCOMPARE(QPoint(geometry.A_left().maximum, geometry.A_top().maximum), shrunkMaxima);
    geometry.changeleft(INT_MAX);
    geometry.changetop(INT_MAX);
    QCOMPARE(geometry.frame().topLeft(), shrunkMaxima);
    geometry.changeformat(enlarged);
    QCOMPARE(geometry.frame(), frameAfter);
    QCOMPARE(QPoint(geometry.A_left().value, geometry.A_top().value), frameAfter.topLeft());
}

void TestPictureGeometry::restoresStoredPlacement_data()
{
    QTest::addColumn<PicturePlacement>("stored");
    QTest::addColumn<FitMode>("mode");
    QTest::addColumn<int>("formatValue");
    QTest::addColumn<QRect>("frame");

    QTest::newRow("fits, kept as stored") << PicturePlacement{100, 200, 1000, 400} << FitMode::Width << 1000
                                          << QRect(400, 650, 1000, 400);
    QTest::newRow("fits, relatively tall") << PicturePlacement{100, 200, 600, 600} << FitMode::Height << 600
                                           << QRect(400, 650, 600, 600);
    QTest::newRow("too wide") << PicturePlacement{15, 15, 4000, 1000} << FitMode::Width << 3000
                              << QRect(315, 465, 3000, 750);
    QTest::newRow("too high") << PicturePlacement{15, 15, 600, 3000} << FitMode::Height << 1500
                              << QRect(315, 465, 300, 1500);
    QTest::newRow("both, width more") << PicturePlacement{15, 15, 6000, 2000} << FitMode::Width << 3000
                                      << QRect(315, 465, 3000, 1000);
    QTest::newRow("both, height more") << PicturePlacement{15, 15, 4000, 4000} << FitMode::Height << 1500
                                       << QRect(315, 465, 1500, 1500);
    QTest::newRow("into the margin only") << PicturePlacement{15, 15, 3010, 1000} << FitMode::Width << 3000
                                          << QRect(315, 465, 3000, 997);
    QTest::newRow("absurd offsets") << PicturePlacement{INT_MAX, INT_MIN, 1000, 400} << FitMode::Width << 1000
                                    << QRect(2315, 465, 1000, 400);
    QTest::newRow("no size: fitted afresh") << PicturePlacement{50, 50, 0, 0} << FitMode::Width << 3000
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
    QCOMPARE(geometry.frame(), frame);
    // Full size on the format bar still fits inside the margin.
    geometry.changeformat(INT_MAX);
    QVERIFY(editor.adjusted(15, 15, -15, -15).contains(geometry.frame()));
}

QTEST_APPLESS_MAIN(TestPictureGeometry)
#include "tst_picturegeometry.moc"
