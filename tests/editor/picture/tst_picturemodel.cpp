#include "editor/picture/browserpreview.h"
#include "editor/picture/filegrid.h"
#include "editor/picture/labelpicture.h"
#include "editor/picture/picturecaptions.h"
#include "editor/picture/picturedrag.h"
#include "editor/picture/picturefolder.h"
#include "editor/picture/picturegeometry.h"
#include "editor/picture/resampling.h"
#include "platform/imaging/pictureloader.h"

#include "wmfbuilder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <climits>

Q_DECLARE_METATYPE(FitMode)
Q_DECLARE_METATYPE(PicturePlacement)

namespace {

// A label editor whose usable area is 3000 × 1500 twips (ratio 2), from
// (315, 465) to (3315, 1965): a resampling box of 375 × 188 pixels.
const QRect editor(300, 450, 3030, 1530);

PictureGeometry fitted(QSize pixels)
{
    PictureGeometry geometry;
    geometry.setEditor(editor);
    geometry.fit(pixels);
    return geometry;
}

Picture filled(QSize size, QColor colour = QColor(200, 40, 90))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return Picture::fromImage(image);
}

LabelPicture opened(const Picture &picture)
{
    LabelPicture label;
    label.setEditor(editor);
    label.ouvimage(picture);
    return label;
}

// A picture of `pixels` shown `format` twips along its fit's axis, at `at`.
LabelPicture placed(QSize pixels, int format, QPoint at)
{
    LabelPicture picture = opened(filled(pixels));
    picture.changeformat(format);
    picture.changeleft(at.x());
    picture.changetop(at.y());
    return picture;
}

// Away from the edges of a picture shown 750 twips square.
const QPoint pictureMiddle(375, 375);

// Hovers to `from` (which sets the pointer shape), presses, moves to `to`.
void drag(PictureDrag &drag, QPoint from, QPoint to)
{
    drag.move(from);
    drag.press(from);
    drag.move(to);
}

QStringList numbered(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("Pic%1.Jpg").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

} // namespace

class TestPictureModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void fitsNewPicture_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<FitMode>("mode");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("maxima");   // A_left, A_top
        QTest::addColumn<QList<int>>("steps");   // small and large: A_left, A_top, A_format

        // Width mode when bw / 3000 ≥ bh / 1500: the exact tie goes to width. The
        // bar across the fit's axis steps by 1; the other one crosses the spare
        // room of the 3030 × 1530 editor in 100 or 10 steps, never less than 1.
        QTest::newRow("the label's ratio") << QSize(2000, 1000) << FitMode::Width << QSize(3000, 1500)
                                           << QPoint(315, 465) << QList<int>{1, 1, 1, 3, 30, 300};
        QTest::newRow("a pixel taller") << QSize(2000, 1001) << FitMode::Height << QSize(2997, 1500)
                                        << QPoint(318, 465) << QList<int>{1, 3, 1, 1, 15, 150};
        QTest::newRow("square") << QSize(1000, 1000) << FitMode::Height << QSize(1500, 1500) << QPoint(1815, 465)
                                << QList<int>{15, 153, 1, 1, 15, 150};
        // 1530 − 375 = 1155 spare twips: 11.55 → 12, 115.5 → 116.
        QTest::newRow("panorama") << QSize(4000, 500) << FitMode::Width << QSize(3000, 375) << QPoint(315, 1590)
                                  << QList<int>{1, 1, 12, 116, 30, 300};
        QTest::newRow("one pixel high") << QSize(9000, 1) << FitMode::Width << QSize(3000, 1) << QPoint(315, 1964)
                                        << QList<int>{1, 1, 15, 153, 30, 300};
    }
    void fitsNewPicture()
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

    void formatChangesMovementRanges_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("shrunk");
        QTest::addColumn<QPoint>("shrunkMaxima");
        QTest::addColumn<int>("enlarged");
        QTest::addColumn<QRect>("frameAfter");

        const QSize square(1000, 1000);
        QTest::newRow("square") << square << 750 << QPoint(2565, 1215) << 1500 << QRect(1815, 465, 1500, 1500);
        QTest::newRow("panorama") << QSize(4000, 1000) << 1000 << QPoint(2315, 1715) << 2000
                                  << QRect(1315, 1465, 2000, 500);
        QTest::newRow("past the maximum") << square << 750 << QPoint(2565, 1215) << 9000 << QRect(1815, 465, 1500, 1500);
    }
    void formatChangesMovementRanges()
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

    void restoresStoredPlacement_data()
    {
        QTest::addColumn<PicturePlacement>("stored");
        QTest::addColumn<FitMode>("mode");
        QTest::addColumn<int>("formatValue");
        QTest::addColumn<QRect>("frame");

        const auto row = [](const char *name, PicturePlacement stored, FitMode mode, int value, QRect frame) {
            QTest::newRow(name) << stored << mode << value << frame;
        };
        row("fits, kept as stored", {100, 200, 1000, 400}, FitMode::Width, 1000, {400, 650, 1000, 400});
        row("fits, relatively tall", {100, 200, 600, 600}, FitMode::Height, 600, {400, 650, 600, 600});
        row("too wide", {15, 15, 4000, 1000}, FitMode::Width, 3000, {315, 465, 3000, 750});
        row("too high", {15, 15, 600, 3000}, FitMode::Height, 1500, {315, 465, 300, 1500});
        row("both, width more", {15, 15, 6000, 2000}, FitMode::Width, 3000, {315, 465, 3000, 1000});
        row("both, height more", {15, 15, 4000, 4000}, FitMode::Height, 1500, {315, 465, 1500, 1500});
        row("into the margin only", {15, 15, 3010, 1000}, FitMode::Width, 3000, {315, 465, 3000, 997});
        row("absurd offsets", {INT_MAX, INT_MIN, 1000, 400}, FitMode::Width, 1000, {2315, 465, 1000, 400});
        row("no size: fitted afresh", {50, 50, 0, 0}, FitMode::Width, 3000, {315, 465, 3000, 1500});
    }
    void restoresStoredPlacement()
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

    void resamplingBox_data()
    {
        QTest::addColumn<int>("editorWidth");
        QTest::addColumn<int>("box");
        // (width − 30) / 1440 × 180 = (width − 30) / 8, halves to even.
        QTest::newRow("187.5 up") << 1530 << 188;
        QTest::newRow("248.5 down") << 2018 << 248;
        QTest::newRow("no usable width") << 20 << 0;
    }
    void resamplingBox()
    {
        QFETCH(int, editorWidth);
        QFETCH(int, box);
        QCOMPARE(resampling::box(QSize(editorWidth, 3030)), QSize(box, 375));
    }

    void redimimage_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QSize>("resampled");
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("quality");

        QTest::newRow("small: kept, poor") << QSize(100, 50) << QSize(100, 50) << 1.0 << 48;
        // 2000 × 375 / 4000 = 187.5, to even: 188.
        QTest::newRow("large, label's ratio") << QSize(4000, 2000) << QSize(375, 188) << 375.0 / 4000 << 180;
        QTest::newRow("over the box's width only") << QSize(800, 100) << QSize(375, 47) << 375.0 / 800 << 180;
        QTest::newRow("over the box's height only") << QSize(300, 400) << QSize(141, 188) << 188.0 / 400 << 180;
        QTest::newRow("a thread") << QSize(9000, 2) << QSize(375, 1) << 375.0 / 9000 << 180;
    }
    void redimimage()
    {
        QFETCH(QSize, pixels);
        QFETCH(QSize, resampled);
        QFETCH(double, factor);
        QFETCH(int, quality);
        const LabelPicture label = opened(filled(pixels));
        QCOMPARE(label.picture().pixelSize(), resampled);
        QCOMPARE(QSize(label.xpixel(), label.ypixel()), resampled);
        QCOMPARE(label.factor(), factor);
        QCOMPARE(label.quality(), quality);
    }

    void qualityColours_data()
    {
        QTest::addColumn<int>("quality");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        const QColor darkRed(192, 0, 0), orange(255, 192, 128), lightGreen(192, 255, 192);
        QTest::newRow("120") << 120 << darkRed << QColor(Qt::white);
        QTest::newRow("121") << 121 << orange << QColor(Qt::black);
        QTest::newRow("178") << 178 << orange << QColor(Qt::black);
        QTest::newRow("179") << 179 << lightGreen << QColor(Qt::black);
    }
    void qualityColours()
    {
        QFETCH(int, quality);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QCOMPARE(resampling::colours(quality).background, background);
        QCOMPARE(resampling::colours(quality).text, text);
    }

    void captionsFollowTheBars()
    {
        LabelPicture label = opened(filled(QSize(100, 50)));
        QCOMPARE(label.captions().left, QStringLiteral("Gauche:0,3 mm"));   // the margin counts
        QCOMPARE(label.captions().quality, QStringLiteral("Qualité:48 pixels/pouce"));

        // Shown smaller, the same pixels print finer: 100 pixels over 20 mm.
        label.changeformat(1134);
        QCOMPARE(label.captions().format, QStringLiteral("Format:20,0 x 10,0 mm"));
        QCOMPARE(label.captions().quality, QStringLiteral("Qualité:126 pixels/pouce"));
        QCOMPARE(label.qualityColours().background, QColor(255, 192, 128));
        QCOMPARE(label.picture().pixelSize(), QSize(100, 50));
        label.changetop(editor.top() + 567);   // 10 mm below the label's top edge
        QCOMPARE(label.captions().top, QStringLiteral("Haut :10,0 mm"));
    }

    // A drawing of 2 x 1 inches, small enough to be kept at its own size: the
    // label holds the bitmap it was drawn into, and the quality is that bitmap's
    // figure over the shown width.
    void metafileQualityIsItsBitmaps()
    {
        WmfBuilder drawing;
        drawing.window(0, 0, 2000, 1000).brush(Qt::red).select(0).rectangle(QRect(0, 0, 2000, 1000));
        const PictureLoad load = imaging::loadPictureBytes(drawing.placeable(QRect(0, 0, 2000, 1000), 1000));
        QVERIFY2(load.ok, qPrintable(load.reason));
        QVERIFY(load.picture.isMetafile());
        const LabelPicture label = opened(load.picture);
        QVERIFY(!label.picture().isMetafile());
        QCOMPARE(label.picture().pixelSize(), QSize(192, 96));
        QCOMPARE(label.captions().quality,
                 picturecaptions::quality(resampling::quality(192, label.geometry().frame().width())));
    }

    void savesBitmapAtItsDepth_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("bits");
        QTest::newRow("grey") << QColor(90, 90, 90) << 8;
        QTest::newRow("colour") << QColor(200, 40, 90) << 24;
    }
    void savesBitmapAtItsDepth()
    {
        QFETCH(QColor, colour);
        QFETCH(int, bits);
        QTemporaryDir dir;
        const QString path = dir.filePath("modele.bmp");
        QVERIFY(!LabelPicture().sauvimage(path));   // nothing to save
        QVERIFY(opened(filled(QSize(600, 300), colour)).sauvimage(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(int(qFromLittleEndian<quint16>(file.read(30).constData() + 28)), bits);
        QCOMPARE(Picture::load(path).picture.pixelSize(), QSize(375, 188));
    }

    // The middle of the picture moves it, an edge resizes it; either way the
    // picture stays inside the label's margin.
    void drags_data()
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
        row("move inside the label", corner, pictureMiddle, {675, 525}, {615, 615, 750, 750});
        // A move that would cross the margin is ignored on that axis, not clamped.
        row("move left into the margin", {415, 465}, pictureMiddle, {225, 525}, {415, 615, 750, 750});
        row("move up into the margin", {615, 565}, pictureMiddle, {675, 225}, {915, 565, 750, 750});
        row("move right up to the margin", corner, pictureMiddle, {2625, 375}, {2565, 465, 750, 750});
        row("move right past the margin", corner, pictureMiddle, {2640, 375}, {315, 465, 750, 750});
        row("move down past the margin", {1000, 1000}, pictureMiddle, {75, 675}, {700, 1000, 750, 750});
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
    void drags()
    {
        QFETCH(QSize, pixels);
        QFETCH(QPoint, start);
        QFETCH(QPoint, grip);
        QFETCH(QPoint, to);
        QFETCH(QRect, frame);
        LabelPicture picture = placed(pixels, pixels.width() == pixels.height() ? 750 : 1000, start);
        PictureDrag dragging(picture);
        drag(dragging, grip, to);
        const bool moving = grip == pictureMiddle;
        QCOMPARE(dragging.shape() == PointerShape::SizeAll, moving);
        QCOMPARE(dragging.edge() != PictureDrag::Edge::None, !moving);
        QCOMPARE(picture.geometry().frame(), frame);
        QCOMPARE(QPoint(picture.geometry().A_left().value, picture.geometry().A_top().value), frame.topLeft());
        QCOMPARE(dragging.release(), PointerShape::Arrow);
        dragging.move(QPoint(975, 875));   // released: no longer dragging
        QCOMPARE(picture.geometry().frame(), frame);
    }

    // A dragged right or bottom edge stays under the pointer: the next step
    // counts from where the edge went.
    void farEdgeStaysUnderPointer_data()
    {
        QTest::addColumn<QPoint>("grip");
        QTest::addColumn<QPoint>("step");
        QTest::newRow("right edge") << QPoint(735, 375) << QPoint(150, 0);
        QTest::newRow("bottom edge") << QPoint(375, 735) << QPoint(0, 150);
    }
    void farEdgeStaysUnderPointer()
    {
        QFETCH(QPoint, grip);
        QFETCH(QPoint, step);
        LabelPicture picture = placed(QSize(1000, 1000), 750, QPoint(315, 465));
        PictureDrag dragging(picture);
        drag(dragging, grip, grip + step);
        QCOMPARE(dragging.reference(), grip + step);
        dragging.move(grip + step + step / 5);   // 30 twips further
        QCOMPARE(picture.geometry().frame().size(), QSize(930, 930));
    }

    void nameGridScrollBar_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("maximum");
        QTest::newRow("none") << 0 << false << 0;
        QTest::newRow("27") << 27 << false << 0;
        QTest::newRow("28") << 28 << true << 1;   // floor(28 / 9) − 2
        QTest::newRow("36") << 36 << true << 1;   // floor(36 / 9) − 3
        QTest::newRow("37") << 37 << true << 2;
    }
    void nameGridScrollBar()
    {
        QFETCH(int, count);
        QFETCH(bool, enabled);
        QFETCH(int, maximum);
        FileGrid grid;
        grid.setFiles(numbered(count));
        QCOMPARE(grid.scrollEnabled(), enabled);
        QCOMPARE(grid.scrollMaximum(), maximum);
        QCOMPARE(grid.visibleCount(), qMin(count, 27));
        // Scrolled as far as it goes, by whole columns, the last name shows.
        grid.setFirstColumn(99);
        QCOMPARE(grid.firstColumn(), maximum);
        if (count > 0) {
            QCOMPARE(grid.fileName(0), numbered(count).at(maximum * 9));
            QCOMPARE(grid.fileName(grid.visibleCount() - 1), numbered(count).last());
        }
    }

    void nameUnderPointer_data()
    {
        QTest::addColumn<QPoint>("twips");
        QTest::addColumn<int>("index");
        // 13 names: a full first column, 4 in the second; cells 810 × 195.
        QTest::newRow("first name") << QPoint(0, 0) << 0;
        QTest::newRow("last name") << QPoint(810, 195 * 3) << 12;
        QTest::newRow("below the last name") << QPoint(1000, 195 * 4) << -1;
        QTest::newRow("below the grid") << QPoint(0, 1755) << -1;
    }
    void nameUnderPointer()
    {
        QFETCH(QPoint, twips);
        QFETCH(int, index);
        FileGrid grid;
        grid.setFiles(numbered(13));
        QCOMPARE(grid.indexAt(twips), index);
    }

    void gridKeepsWholeNames()
    {
        FileGrid grid;
        grid.setFiles({"Vacances.Ete.2023.jpg", "LOGO", "Été.bmp"});
        QCOMPARE(grid.shownNames(), (QStringList{"vacances", "logo", "été"}));
        QCOMPARE(grid.fileName(0), QStringLiteral("Vacances.Ete.2023.jpg"));
    }

    void listsPicturesOfAType()
    {
        QTemporaryDir dir;
        for (const char *name : {"zèbre.jpg", "B.JPG", "abc.jpg", "c.jpeg", "école.jpg", "Eté.jpg", "d.png", "e.bmp",
                                 ".cachée.jpg", "notes.txt"})
            QVERIFY(QFile(dir.filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir("dossier.jpg"));
        // Any case, ".jpeg" with JPG, accents sorted beside their letter.
        QCOMPARE(picturefolder::pictureFiles(dir.path(), "JPG"),
                 (QStringList{"abc.jpg", "B.JPG", "c.jpeg", "école.jpg", "Eté.jpg", "zèbre.jpg"}));
        QCOMPARE(picturefolder::pictureFiles(dir.path(), "PNG"), QStringList{"d.png"});
    }

    void drives()
    {
        const QStringList mounts{"/",         "/proc",     "/home", "/media/anne/CLE", "/run/media/anne/DISQUE",
                                 "/mnt/nas", "/boot/efi", "/media/anne/CLE/"};
        const QStringList drives = picturefolder::driveRoots("/home/anne", mounts);
        QCOMPARE(drives, (QStringList{"/", "/home/anne", "/media/anne/CLE", "/mnt/nas", "/run/media/anne/DISQUE"}));
        QCOMPARE(picturefolder::driveOf("/home/anne/Images", drives), QStringLiteral("/home/anne"));
        QCOMPARE(picturefolder::driveOf("/home/annexe", drives), QStringLiteral("/"));
        QCOMPARE(picturefolder::driveOf("/media/anne/CLE/photos", drives), QStringLiteral("/media/anne/CLE"));
    }

    void previewRect_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QRect>("rect");
        // 1470 on the long side, centred in the 1470 × 1605 box at (4230, 195).
        QTest::newRow("portrait") << QSize(300, 600) << QRect(4597, 262, 735, 1470);
        QTest::newRow("square") << QSize(500, 500) << QRect(4230, 262, 1470, 1470);
        QTest::newRow("a thread") << QSize(5000, 1) << QRect(4230, 997, 1470, 1);
    }
    void previewRect()
    {
        QFETCH(QSize, pixels);
        QFETCH(QRect, rect);
        QCOMPARE(browserpreview::rect(pixels), rect);
    }
};

QTEST_APPLESS_MAIN(TestPictureModel)
#include "tst_picturemodel.moc"
