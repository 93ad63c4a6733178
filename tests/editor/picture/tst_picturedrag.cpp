#include "editor/picture/labelpicture.h"
#include "editor/picture/picturedrag.h"

#include <QTest>

Q_DECLARE_METATYPE(PointerShape)

namespace {

// Usable area 3000 × 1500 twips from (315, 465) to (3315, 1965).
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
    void hoverShapes_data();
    void hoverShapes();
    void moves_data();
    void moves();
    void edges_data();
    void edges();
    void edgeFollowsThePointer();
    void releaseEndsTheDrag();
};

void TestPictureDrag::hoverShapes_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<PointerShape>("shape");

    // A 750 × 750 picture: 60-twip zones along each edge.
    QTest::newRow("middle") << QPoint(375, 375) << PointerShape::Arrow;
    QTest::newRow("left edge") << QPoint(45, 375) << PointerShape::SizeWestEast;
    QTest::newRow("right edge") << QPoint(735, 375) << PointerShape::SizeWestEast;
    QTest::newRow("just off the right zone") << QPoint(690, 375) << PointerShape::Arrow;
    QTest::newRow("top edge") << QPoint(375, 0) << PointerShape::SizeNorthSouth;
    QTest::newRow("bottom edge") << QPoint(375, 735) << PointerShape::SizeNorthSouth;
    QTest::newRow("corner: sides first") << QPoint(15, 15) << PointerShape::SizeWestEast;
}

void TestPictureDrag::hoverShapes()
{
    QFETCH(QPoint, at);
    QFETCH(PointerShape, shape);
    LabelPicture picture = placed(QSize(1000, 1000), 750, QPoint(315, 465));
    PictureDrag drag(picture);
    QCOMPARE(drag.move(at), shape);
    QCOMPARE(picture.geometry().frame(), QRect(315, 465, 750, 750));   // hovering moves nothing
}

void TestPictureDrag::moves_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QPoint>("end");

    QTest::newRow("inside the label") << QPoint(315, 465) << QPoint(300, 150) << QPoint(615, 615);
    QTest::newRow("into the left margin: only down") << QPoint(315, 465) << QPoint(-15, 150) << QPoint(315, 615);
    QTest::newRow("far into the left margin: not to the edge") << QPoint(415, 465) << QPoint(-150, 150)
                                                                << QPoint(415, 615);
    QTest::newRow("into the top margin: only right") << QPoint(615, 465) << QPoint(300, -30) << QPoint(915, 465);
    QTest::newRow("right up to the margin") << QPoint(315, 465) << QPoint(2250, 0) << QPoint(2565, 465);
    QTest::newRow("right past the margin") << QPoint(315, 465) << QPoint(2265, 0) << QPoint(315, 465);
    QTest::newRow("down past the margin") << QPoint(1000, 1000) << QPoint(-300, 300) << QPoint(700, 1000);
    QTest::newRow("both ways out") << QPoint(2565, 1215) << QPoint(30, 30) << QPoint(2565, 1215);
}

void TestPictureDrag::moves()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, delta);
    QFETCH(QPoint, end);

    LabelPicture picture = placed(QSize(1000, 1000), 750, start);
    QCOMPARE(picture.geometry().frame().topLeft(), start);
    PictureDrag dragging(picture);
    const QPoint grip(375, 375);
    QCOMPARE(dragging.move(grip), PointerShape::Arrow);
    QCOMPARE(dragging.press(grip), PointerShape::SizeAll);
    QCOMPARE(dragging.move(grip + delta), PointerShape::SizeAll);
    QCOMPARE(picture.geometry().frame(), QRect(end, QSize(750, 750)));
    QCOMPARE(QPoint(picture.geometry().A_left().value, picture.geometry().A_top().value), end);
    QCOMPARE(dragging.reference(), grip);   // the picture moves under the pointer
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
    QTest::newRow("right edge in") << square << corner << QPoint(735, 375) << QPoint(435, 375)
                                   << QRect(315, 465, 450, 450);
    QTest::newRow("under the step") << square << corner << QPoint(735, 375) << QPoint(750, 375)
                                    << QRect(315, 465, 750, 750);
    QTest::newRow("left edge in: right edge stays") << square << QPoint(615, 465) << QPoint(30, 375)
                                                    << QPoint(180, 375) << QRect(765, 465, 600, 600);
    QTest::newRow("left edge out") << square << QPoint(615, 465) << QPoint(30, 375) << QPoint(-270, 375)
                                   << QRect(315, 465, 1050, 1050);
    QTest::newRow("left edge into the margin") << square << corner << QPoint(30, 375) << QPoint(0, 375)
                                               << QRect(315, 465, 750, 750);
    QTest::newRow("top edge in: bottom stays") << square << QPoint(315, 765) << QPoint(375, 30)
                                               << QPoint(375, 180) << QRect(315, 915, 600, 600);
    QTest::newRow("bottom edge past A_format") << square << corner << QPoint(375, 735) << QPoint(375, 1500)
                                               << QRect(315, 465, 750, 750);
    QTest::newRow("bottom edge to A_format") << square << corner << QPoint(375, 735) << QPoint(375, 1485)
                                             << QRect(315, 465, 1500, 1500);
    QTest::newRow("below the smallest size") << square << corner << QPoint(735, 375) << QPoint(-15, 375)
                                             << QRect(315, 465, 750, 750);
    // Within A_format's range, but the right edge would enter the margin.
    QTest::newRow("right edge against the margin") << square << QPoint(2565, 465) << QPoint(735, 375)
                                                   << QPoint(885, 375) << QRect(2565, 465, 750, 750);
    // Panorama 4:1, width mode: a vertical drag converts through the ratio.
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

    LabelPicture picture = placed(pixels, pixels == QSize(1000, 1000) ? 750 : 1000, start);
    PictureDrag dragging(picture);
    drag(dragging, grip, to);
    QVERIFY(dragging.edge() != PictureDrag::Edge::None);
    QCOMPARE(picture.geometry().frame(), frame);
    const QRect limits = editor.adjusted(15, 15, -15, -15);
    QVERIFY(limits.contains(picture.geometry().frame()));
}

void TestPictureDrag::edgeFollowsThePointer()
{
    LabelPicture picture = placed(QSize(1000, 1000), 750, QPoint(315, 465));
    PictureDrag dragging(picture);
    drag(dragging, QPoint(735, 375), QPoint(885, 375));
    QCOMPARE(dragging.edge(), PictureDrag::Edge::dimdroit);
    QCOMPARE(dragging.reference(), QPoint(885, 375));
    // The next step starts from where the edge now is.
    dragging.move(QPoint(915, 375));
    QCOMPARE(picture.geometry().frame().width(), 930);
    QCOMPARE(dragging.reference(), QPoint(915, 375));
}

void TestPictureDrag::releaseEndsTheDrag()
{
    LabelPicture picture = placed(QSize(1000, 1000), 750, QPoint(315, 465));
    PictureDrag dragging(picture);
    drag(dragging, QPoint(375, 375), QPoint(475, 375));
    QVERIFY(dragging.isMoving());
    QCOMPARE(dragging.release(), PointerShape::Arrow);
    QVERIFY(!dragging.isMoving());
    const QRect after = picture.geometry().frame();
    dragging.move(QPoint(975, 875));
    QCOMPARE(picture.geometry().frame(), after);
}

QTEST_APPLESS_MAIN(TestPictureDrag)
#include "tst_picturedrag.moc"
