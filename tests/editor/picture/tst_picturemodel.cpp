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
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <climits>

namespace {

using enum FitMode;

// A label editor whose usable area is 3000 × 1500 twips (ratio 2), from
// (315, 465) to (3315, 1965): a resampling box of 375 × 188 pixels.
const QRect editor(300, 450, 3030, 1530);
const QPoint corner(315, 465);

// Each table holds its rows whole, in one column.
template <typename Row> void row(const char *name, const Row &row) { QTest::newRow(name) << row; }

LabelPicture opened(const Picture &picture)
{
    LabelPicture label;
    label.setEditor(editor);
    label.ouvimage(picture);
    return label;
}

// A label showing a picture of one colour.
LabelPicture filled(QSize size, QColor colour = QColor(200, 40, 90))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return opened(Picture::fromImage(image));
}

// A picture of `pixels` shown `format` twips along its fit's axis, at `at`.
LabelPicture placed(QSize pixels, int format, QPoint at)
{
    LabelPicture picture = filled(pixels);
    picture.changeformat(format);
    picture.changeleft(at.x());
    picture.changetop(at.y());
    return picture;
}

// Away from the edges of a picture shown 750 twips square.
const QPoint pictureMiddle(375, 375);

QStringList numbered(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("Pic%1.Jpg").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

// maxima: of A_left and A_top; steps: small and large of A_left, A_top, A_format.
struct Fit { QSize pixels; FitMode mode; QSize size; QPoint maxima; QList<int> steps; };
struct Restore { PicturePlacement stored; FitMode mode; int formatValue; QRect frame; };
struct Resample { QSize pixels, resampled; double factor; int quality; };
struct Drag { QPoint start, grip, to; QRect frame; QSize pixels = QSize(1000, 1000); };

} // namespace

class TestPictureModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void fitsNewPicture_data()
    {
        QTest::addColumn<Fit>("fit");
        // Width mode when bw / 3000 ≥ bh / 1500: the exact tie goes to width. The
        // bar across the fit's axis steps by 1; the other one crosses the spare
        // room of the 3030 × 1530 editor in 100 or 10 steps, never less than 1.
        row("the label's ratio", Fit{{2000, 1000}, Width, {3000, 1500}, corner, {1, 1, 1, 3, 30, 300}});
        row("a pixel taller", Fit{{2000, 1001}, Height, {2997, 1500}, {318, 465}, {1, 3, 1, 1, 15, 150}});
        row("square", Fit{{1000, 1000}, Height, {1500, 1500}, {1815, 465}, {15, 153, 1, 1, 15, 150}});
        // 1530 − 375 = 1155 spare twips: 11.55 → 12, 115.5 → 116.
        row("panorama", Fit{{4000, 500}, Width, {3000, 375}, {315, 1590}, {1, 1, 12, 116, 30, 300}});
        row("one pixel high", Fit{{9000, 1}, Width, {3000, 1}, {315, 1964}, {1, 1, 15, 153, 30, 300}});
    }
    void fitsNewPicture()
    {
        QFETCH(Fit, fit);
        PictureGeometry g;
        g.setEditor(editor);
        g.fit(fit.pixels);
        const ScrollRange &format = g.A_format(), &left = g.A_left(), &top = g.A_top();
        QCOMPARE(g.mode(), fit.mode);
        QCOMPARE(g.frame(), QRect(corner, fit.size));   // top-left, as large as fits
        const int full = fit.mode == Width ? 3000 : 1500;
        QCOMPARE((QList<int>{format.minimum, format.value, format.maximum}), (QList<int>{15, full, full}));
        QCOMPARE(QPoint(left.maximum, top.maximum), fit.maxima);
        QCOMPARE((QList<int>{left.smallChange, left.largeChange, top.smallChange, top.largeChange, format.smallChange,
                             format.largeChange}),
                 fit.steps);
    }

    void restoresStoredPlacement_data()
    {
        QTest::addColumn<Restore>("restore");
        row("fits, kept as stored", Restore{{100, 200, 1000, 400}, Width, 1000, {400, 650, 1000, 400}});
        row("fits, relatively tall", Restore{{100, 200, 600, 600}, Height, 600, {400, 650, 600, 600}});
        row("too wide", Restore{{15, 15, 4000, 1000}, Width, 3000, {315, 465, 3000, 750}});
        row("too high", Restore{{15, 15, 600, 3000}, Height, 1500, {315, 465, 300, 1500}});
        row("both, width more", Restore{{15, 15, 6000, 2000}, Width, 3000, {315, 465, 3000, 1000}});
        row("both, height more", Restore{{15, 15, 4000, 4000}, Height, 1500, {315, 465, 1500, 1500}});
        row("into the margin only", Restore{{15, 15, 3010, 1000}, Width, 3000, {315, 465, 3000, 997}});
        row("absurd offsets", Restore{{INT_MAX, INT_MIN, 1000, 400}, Width, 1000, {2315, 465, 1000, 400}});
        row("no size: fitted afresh", Restore{{50, 50, 0, 0}, Width, 3000, {315, 465, 3000, 1500}});
    }
    void restoresStoredPlacement()
    {
        QFETCH(Restore, restore);
        PictureGeometry geometry;
        geometry.setEditor(editor);
        geometry.restore(restore.stored, QSize(2000, 1000));
        QCOMPARE(geometry.mode(), restore.mode);
        QCOMPARE(geometry.A_format().value, restore.formatValue);
        QCOMPARE(geometry.frame(), restore.frame);
        // Full size on the format bar (past its maximum) still fits inside the margin.
        geometry.changeformat(INT_MAX);
        QVERIFY(editor.adjusted(15, 15, -15, -15).contains(geometry.frame()));
    }

    void resamplingBox()
    {
        // (width − 30) / 1440 × 180 = (width − 30) / 8, halves to even.
        QCOMPARE(resampling::box(QSize(1530, 3030)), QSize(188, 375));   // 187.5 up
        QCOMPARE(resampling::box(QSize(2018, 3030)), QSize(248, 375));   // 248.5 down
        QCOMPARE(resampling::box(QSize(20, 3030)), QSize(0, 375));   // no usable width
    }

    void redimimage_data()
    {
        QTest::addColumn<Resample>("resample");
        row("small: kept, poor", Resample{{100, 50}, {100, 50}, 1.0, 48});
        // 2000 × 375 / 4000 = 187.5, to even: 188.
        row("large, label's ratio", Resample{{4000, 2000}, {375, 188}, 375.0 / 4000, 180});
        row("over the box's width only", Resample{{800, 100}, {375, 47}, 375.0 / 800, 180});
        row("over the box's height only", Resample{{300, 400}, {141, 188}, 188.0 / 400, 180});
        row("a thread", Resample{{9000, 2}, {375, 1}, 375.0 / 9000, 180});
    }
    void redimimage()
    {
        QFETCH(Resample, resample);
        const LabelPicture label = filled(resample.pixels);
        QCOMPARE(label.picture().pixelSize(), resample.resampled);
        QCOMPARE(QSize(label.xpixel(), label.ypixel()), resample.resampled);
        QCOMPARE(label.factor(), resample.factor);
        QCOMPARE(label.quality(), resample.quality);
    }

    void qualityColours()
    {
        const QColor darkRed(192, 0, 0), orange(255, 192, 128), lightGreen(192, 255, 192);
        const auto colours = [](int q) {
            return QList<QColor>{resampling::colours(q).background, resampling::colours(q).text};
        };
        QCOMPARE(colours(120), (QList<QColor>{darkRed, Qt::white}));
        QCOMPARE(colours(121), (QList<QColor>{orange, Qt::black}));
        QCOMPARE(colours(178), (QList<QColor>{orange, Qt::black}));
        QCOMPARE(colours(179), (QList<QColor>{lightGreen, Qt::black}));
    }

    void captionsFollowTheBars()
    {
        LabelPicture label = filled(QSize(100, 50));
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

    void savesBitmapAtItsDepth()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("modele.bmp");
        QVERIFY(!LabelPicture().sauvimage(path));   // nothing to save
        for (const auto &[colour, bits] : {std::pair(QColor(90, 90, 90), 8), std::pair(QColor(200, 40, 90), 24)}) {
            QVERIFY(filled(QSize(600, 300), colour).sauvimage(path));
            QCOMPARE(int(qFromLittleEndian<quint16>(contents(path).constData() + 28)), bits);
            QCOMPARE(Picture::load(path).picture.pixelSize(), QSize(375, 188));
        }
    }

    // The middle of the picture moves it, an edge resizes it; either way the
    // picture stays inside the label's margin.
    void drags_data()
    {
        QTest::addColumn<Drag>("drag");
        // A square by default, in height mode: A_format measures the height.
        row("move inside the label", Drag{corner, pictureMiddle, {675, 525}, {615, 615, 750, 750}});
        // A move into the margin (not only past the label) is ignored on that axis, not clamped.
        row("move left into the margin", Drag{{415, 465}, pictureMiddle, {270, 525}, {415, 615, 750, 750}});
        row("move up into the margin", Drag{{615, 565}, pictureMiddle, {675, 270}, {915, 565, 750, 750}});
        row("move right up to the margin", Drag{corner, pictureMiddle, {2625, 375}, {2565, 465, 750, 750}});
        row("move right past the margin", Drag{corner, pictureMiddle, {2640, 375}, {315, 465, 750, 750}});
        row("move down past the margin", Drag{{1000, 1000}, pictureMiddle, {75, 675}, {700, 1000, 750, 750}});
        row("right edge out", Drag{corner, {735, 375}, {885, 375}, {315, 465, 900, 900}});
        row("under the 16-twip step", Drag{corner, {735, 375}, {750, 375}, {315, 465, 750, 750}});
        row("left edge in: right edge stays", Drag{{615, 465}, {30, 375}, {180, 375}, {765, 465, 600, 600}});
        row("left edge into the margin", Drag{corner, {30, 375}, {0, 375}, {315, 465, 750, 750}});
        row("top edge in: bottom stays", Drag{{315, 765}, {375, 30}, {375, 180}, {315, 915, 600, 600}});
        row("bottom edge to A_format's maximum", Drag{corner, {375, 735}, {375, 1485}, {315, 465, 1500, 1500}});
        row("bottom edge past A_format's maximum", Drag{corner, {375, 735}, {375, 1500}, {315, 465, 750, 750}});
        row("below A_format's minimum", Drag{corner, {735, 375}, {-15, 375}, {315, 465, 750, 750}});
        // Within A_format's range, but the right edge would enter the margin.
        row("right edge against the margin", Drag{{2565, 465}, {735, 375}, {885, 375}, {2565, 465, 750, 750}});
        // Panorama 4:1 in width mode: a vertical drag goes through the ratio.
        row("bottom of a panorama", Drag{corner, {500, 240}, {500, 300}, {315, 465, 1240, 310}, {4000, 1000}});
    }
    void drags()
    {
        QFETCH(Drag, drag);
        LabelPicture picture = placed(drag.pixels, drag.pixels == QSize(1000, 1000) ? 750 : 1000, drag.start);
        PictureDrag dragging(picture);
        dragging.move(drag.grip);   // hovering sets the pointer's shape
        dragging.press(drag.grip);
        dragging.move(drag.to);
        const bool moving = drag.grip == pictureMiddle;
        QCOMPARE(dragging.shape() == PointerShape::SizeAll, moving);
        QCOMPARE(dragging.edge() != PictureDrag::Edge::None, !moving);
        QCOMPARE(picture.geometry().frame(), drag.frame);
        QCOMPARE(QPoint(picture.geometry().A_left().value, picture.geometry().A_top().value), drag.frame.topLeft());
        QCOMPARE(dragging.release(), PointerShape::Arrow);
        dragging.move(QPoint(975, 875));   // released: no longer dragging
        QCOMPARE(picture.geometry().frame(), drag.frame);
    }

    // A dragged right or bottom edge stays under the pointer: the next step
    // counts from where the edge went.
    void farEdgeStaysUnderPointer()
    {
        using Step = std::pair<QPoint, QPoint>;   // the edge gripped, how far it goes
        for (const auto &[grip, step] : {Step({735, 375}, {150, 0}), Step({375, 735}, {0, 150})}) {
            LabelPicture picture = placed(QSize(1000, 1000), 750, corner);
            PictureDrag dragging(picture);
            dragging.move(grip);
            dragging.press(grip);
            dragging.move(grip + step);
            dragging.move(grip + step + step / 5);   // 30 twips further
            QCOMPARE(picture.geometry().frame().size(), QSize(930, 930));
        }
    }

    void nameGridScrollBar_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("maximum");   // scrolling from 28 names, more than a page
        QTest::newRow("27") << 27 << 0;
        QTest::newRow("28") << 28 << 1;   // floor(28 / 9) − 2
        QTest::newRow("36") << 36 << 1;   // floor(36 / 9) − 3
        QTest::newRow("37") << 37 << 2;
    }
    void nameGridScrollBar()
    {
        QFETCH(int, count);
        QFETCH(int, maximum);
        FileGrid grid;
        grid.setFiles(numbered(count));
        QCOMPARE(grid.scrollEnabled(), count > 27);
        QCOMPARE(grid.scrollMaximum(), maximum);
        QCOMPARE(grid.visibleCount(), qMin(count, 27));
        // Scrolled as far as it goes, by whole columns, the last name shows.
        grid.setFirstColumn(99);
        QCOMPARE(grid.firstColumn(), maximum);
        QCOMPARE(grid.fileName(0), numbered(count).at(maximum * 9));
        QCOMPARE(grid.fileName(grid.visibleCount() - 1), numbered(count).last());
    }

    void nameUnderPointer()
    {
        // 13 names: a full first column, 4 in the second; cells 810 × 195.
        FileGrid grid;
        grid.setFiles(numbered(13));
        QCOMPARE(grid.indexAt(QPoint(0, 0)), 0);
        QCOMPARE(grid.indexAt(QPoint(810, 195 * 3)), 12);
        QCOMPARE(grid.indexAt(QPoint(1000, 195 * 4)), -1);   // below the last name
        QCOMPARE(grid.indexAt(QPoint(0, 1755)), -1);   // below the grid
        // Names are cut at their first dot, in lower case; the file keeps its whole name.
        grid.setFiles({"Vacances.Ete.2023.jpg", "LOGO", "Été.bmp"});
        QCOMPARE(grid.shownNames(), (QStringList{"vacances", "logo", "été"}));
        QCOMPARE(grid.fileName(0), QStringLiteral("Vacances.Ete.2023.jpg"));
    }

    // Pictures of a type in a folder; the drives, and the drive a folder is on.
    void pictureFolders()
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
        const QStringList mounts{"/",         "/proc",     "/home", "/media/anne/CLE", "/run/media/anne/DISQUE",
                                 "/mnt/nas", "/boot/efi", "/media/anne/CLE/"};
        const QStringList drives = picturefolder::driveRoots("/home/anne", mounts);
        QCOMPARE(drives, (QStringList{"/", "/home/anne", "/media/anne/CLE", "/mnt/nas", "/run/media/anne/DISQUE"}));
        QCOMPARE(picturefolder::driveOf("/home/anne/Images", drives), QStringLiteral("/home/anne"));
        QCOMPARE(picturefolder::driveOf("/home/annexe", drives), QStringLiteral("/"));
        QCOMPARE(picturefolder::driveOf("/media/anne/CLE/photos", drives), QStringLiteral("/media/anne/CLE"));
    }

    void previewRect()
    {
        // 1470 on the long side, centred in the 1470 × 1605 box at (4230, 195).
        QCOMPARE(browserpreview::rect(QSize(300, 600)), QRect(4597, 262, 735, 1470));   // portrait
        QCOMPARE(browserpreview::rect(QSize(500, 500)), QRect(4230, 262, 1470, 1470));
        QCOMPARE(browserpreview::rect(QSize(5000, 1)), QRect(4230, 997, 1470, 1));   // a thread
    }
};

QTEST_APPLESS_MAIN(TestPictureModel)
#include "tst_picturemodel.moc"
