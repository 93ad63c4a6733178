#include "editor/picture/labelpicture.h"
#include "editor/picture/picturedrag.h"

#include <QTest>

namespace {

// Usable area from (315, 465) to (3315, 1965).
const QRect editor(300, 450, 3030, 1530);

// A picture of `pixels` shown `format` twips along its fit's axis, at `at`.
LabelPicture placed(QSize pixels, int format, QPoint at)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    LabelPicture picture;
    picture.setEditor(editor);
    picture.ouvimage(Picture::fromImage(image));
    picture.changeformat(format);
    picture.changeleft(at.x());
    picture.changetop(at.y());
    return picture;
}

// Hovers to `from` (which sets the pointer shape), presses, moves to `to`.
void drag(PictureDrag &drag, QPoint from, QPoint to)
{
    drag.move(from);
    drag.press(from);
    drag.move(to);
}

} // namespace

class TestPictureDrag : public QObject {
    Q_OBJECT
private slots:
    void moves_data();
    void moves();
    void edges_data();
    void edges();
    void rightEdgeStaysUnderPointer();
};

void TestPictureDrag::moves_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QPoint>("end");

    QTest::newRow("inside the label") << QPoint(315, 465) << QPoint(300, 150) << QPoint(615, 615);
    // A move that would cross the margin is ignored on that axis, not clamped.
    QTest::newRow("left into the margin") << QPoint(415, 465) << QPoint(-150, 150) << QPoint(415, 615);
    QTest::newRow("up into the margin") << QPoint(615, 565) << QPoint(300, -150) << QPoint(915, 565);
    QTest::newRow("right up to the margin") << QPoint(315, 465) << QPoint(2250, 0) << QPoint(2565, 465);
    QTest::newRow("right past the margin") << QPoint(315, 465) << QPoint(2265, 0) << QPoint(315, 465);
    QTest::newRow("down past the margin") << QPoint(1000, 1000) << QPoint(-300, 300) << QPoint(700, 1000);
}

void TestPictureDrag::moves()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, delta);
    QFETCH(QPoint, end);
    LabelPicture picture = placed(QSize(1000, 1000), 750, start);
    PictureDrag dragging(picture);
    drag(dragging, QPoint(375, 375), QPoint(375, 375) + delta);
    QCOMPARE(dragging.shape(), PointerShape::SizeAll);
    QCOMPARE(picture.geometry().frame(), QRect(end, QSize(750, 750)));
    QCOMPARE(QPoint(picture.geometry().A_left().value, picture.geometry().A_top().value), end);
    QCOMPARE(dragging.release(), PointerShape::Arrow);
    dragging.move(QPoint(975, 875));   // released: no longer dragging
    QCOMPARE(picture.geometry().frame().topLeft(), end);
}

void TestPictureDrag::edges_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("grip");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("frame");

    // A square by default, in height mode: A_format measures the height.
    const auto row = [](const char *name, QPoint start, QPoint grip, QPoint to, QRect frame,
                        QSize pixels = QSize(1000, 1000)) {
        QTest::newRow(name) << pixels << start << grip << to << frame;
    };
    const QPoint corner(315, 465);
    row("right edge out", corner, {735, 375}, {885, 375}, {315, 465, 900, 900});
    row("under the 16-twip step", corner, {735, 375}, {750, 375}, {315, 465, 750, 750});
    row("left edge in: right edge stays", {615, 465}, {30, 375}, {180, 375}, {765, 465, 600, 600});
    row("left edge into the margin", corner, {30, 375}, {0, 375}, {315, 465, 750, 750});
    row("top edge in: bottom stays", {315, 765}, {375, 30}, {375, 180}, {315, 915, 600, 600});
    row("bottom edge to A_format's maximum", corner, {375, 735}, {375, 1485}, {315, 465, 1500, 1500});
    row("bottom edge past A_format's maximum", corner, {375, 735}, {375, 1500}, {315, 465, 750, 750});
    row("below A_format's minimum", corner, {735, 375}, {-15, 375}, {315, 465, 750, 750});
    // Within A_format's range, but the right edge would enter the margin.
    row("right edge against the margin", {2565, 465}, {735, 375}, {885, 375}, {2565, 465, 750, 750});
    // Panorama 4:1 in width mode: a vertical drag goes through the ratio.
    row("bottom of a panorama", corner, {500, 240}, {500, 300}, {315, 465, 1240, 310}, {4000, 1000});
}

void TestPictureDrag::edges()
{
    QFETCH(QSize, pixels);
    QFETCH(QPoint, start);
    QFETCH(QPoint, grip);
    QFETCH(QPoint, to);
    QFETCH(QRect, frame);
    LabelPicture picture = placed(pixels, pixels.width() == pixels.height() ? 750 : 1000, start);
    PictureDrag dragging(picture);
    drag(dragging, grip, to);
    QVERIFY(dragging.edge() != PictureDrag::Edge::None);
    QCOMPARE(picture.geometry().frame(), frame);
}

void TestPictureDrag::rightEdgeStaysUnderPointer()
{
    LabelPicture picture = placed(QSize(1000, 1000), 750, QPoint(315, 465));
    PictureDrag dragging(picture);
    drag(dragging, QPoint(735, 375), QPoint(885, 375));
    QCOMPARE(dragging.reference(), QPoint(885, 375));
    dragging.move(QPoint(915, 375));   // the next step counts from the new edge
    QCOMPARE(picture.geometry().frame().width(), 930);
}

QTEST_APPLESS_MAIN(TestPictureDrag)
#include "tst_picturedrag.moc"
