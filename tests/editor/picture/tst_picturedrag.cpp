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

    const QSize square(1000, 1000);   // height mode: A_format measures the height
    const QPoint corner(315, 465);
    QTest::newRow("right edge out") << square << corner << QPoint(735, 375) << QPoint(885, 375)
                                    << QRect(315, 465, 900, 900);
    QTest::newRow("under the 16-twip step") << square << corner << QPoint(735, 375) << QPoint(750, 375)
                                            << QRect(315, 465, 750, 750);
    QTest::newRow("left edge in: right edge stays") << square << QPoint(615, 465) << QPoint(30, 375)
                                                    << QPoint(180, 375) << QRect(765, 465, 600, 600);
    QTest::newRow("left edge into the margin") << square << corner << QPoint(30, 375) << QPoint(0, 375)
                                               << QRect(315, 465, 750, 750);
    QTest::newRow("top edge in: bottom stays") << square << QPoint(315, 765) << QPoint(375, 30)
                                               << QPoint(375, 180) << QRect(315, 915, 600, 600);
    QTest::newRow("bottom edge to A_format's maximum") << square << corner << QPoint(375, 735)
                                                       << QPoint(375, 1485) << QRect(315, 465, 1500, 1500);
    QTest::newRow("bottom edge past A_format's maximum") << square << corner << QPoint(375, 735)
                                                         << QPoint(375, 1500) << QRect(315, 465, 750, 750);
    QTest::newRow("below A_format's minimum") << square << corner << QPoint(735, 375) << QPoint(-15, 375)
                                              << QRect(315, 465, 750, 750);
    // Within A_format's range, but the right edge would enter the margin.
    QTest::newRow("right edge against the margin") << square << QPoint(2565, 465) << QPoint(735, 375)
                                                   << QPoint(885, 375) << QRect(2565, 465, 750, 750);
    // Panorama 4:1 in width mode: a vertical drag goes through the ratio.
    QTest::newRow("bottom of a panorama") << QSize(4000, 1000) << corner << QPoint(500, 240) << QPoint(500, 300)
                                          << QRect(315, 465, 1240, 310);
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
