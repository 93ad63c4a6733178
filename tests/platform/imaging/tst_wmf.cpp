#include "platform/imaging/picture.h"
#include "platform/imaging/pictureloader.h"

#include "testpictures.h"
#include "wmfbuilder.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <QtEndian>

using namespace testpictures;

namespace {

constexpr quint16 saveDc = 0x001E;
constexpr quint16 restoreDc = 0x0127;

const QRect frame(0, 0, 1000, 1000);

// Null pen at index 0, so fills are checked without outlines.
WmfBuilder scene()
{
    WmfBuilder b;
    b.window(0, 0, 1000, 1000).pen(Qt::black, 0, 5).select(0);
    return b;
}

QByteArray redSquare()
{
    return scene().brush(Qt::red).select(1).rectangle(frame).placeable(frame, 1000);
}

Picture load(const QByteArray &bytes)
{
    return imaging::loadPictureBytes(bytes).picture;
}

QImage drawn(const Picture &picture, QSize canvas, const QRectF &target, double scale = 1)
{
    QImage image = solid(canvas, Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    picture.draw(painter, target);
    return image;
}

} // namespace

class TestWmf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void pixelSizeFromFrame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        WmfBuilder any = scene();
        QTest::newRow("twips") << any.placeable(QRect(-720, 0, 2880, 1440), 1440) << QSize(192, 96);
        QTest::newRow("no units means twips") << any.placeable(QRect(0, 0, 2880, 720), 0) << QSize(192, 48);
        QTest::newRow("rounded") << any.placeable(QRect(0, 0, 100, 7), 1000) << QSize(10, 1);
        QTest::newRow("capped, proportions kept") << any.placeable(QRect(0, 0, 32000, 16000), 96) << QSize(4096, 2048);
        QTest::newRow("bare file: its window in pixels") << WmfBuilder().window(0, 0, 300, 150).brush(Qt::red).bare()
                                                         << QSize(300, 150);
    }

    void pixelSizeFromFrame()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const Picture picture = load(bytes);
        QVERIFY(picture.isMetafile());
        QCOMPARE(picture.pixelSize(), size);
    }

    void drawsFilledShapesInPlace_data()
    {
        QTest::addColumn<QRectF>("target");
        QTest::addColumn<double>("scale");
        QTest::newRow("whole canvas") << QRectF(0, 0, 200, 200) << 1.0;
        QTest::newRow("inset and squashed") << QRectF(50, 20, 100, 160) << 1.0;
        QTest::newRow("painter already scaled") << QRectF(10, 10, 80, 80) << 2.0;
    }

    void drawsFilledShapesInPlace()
    {
        QFETCH(QRectF, target);
        QFETCH(double, scale);
        const QByteArray shapes = scene().brush(Qt::red).brush(Qt::blue).brush(Qt::green).select(1)
            .ellipse(QRect(100, 100, 300, 300)).select(2).polygon({{600, 100}, {900, 100}, {750, 400}})
            .select(3).rectangle(QRect(100, 600, 800, 300)).placeable(frame, 1000);
        const QImage image = drawn(load(shapes), QSize(200, 200), target, scale);
        auto at = [&](double lx, double ly) {
            const QPointF p((target.x() + lx / 1000 * target.width()) * scale,
                            (target.y() + ly / 1000 * target.height()) * scale);
            return image.pixel(p.toPoint());
        };
        QCOMPARE(at(250, 250), qRgb(255, 0, 0));    // ellipse centre
        QCOMPARE(at(750, 200), qRgb(0, 0, 255));    // inside the triangle
        QCOMPARE(at(500, 750), qRgb(0, 255, 0));    // rectangle
        QCOMPARE(at(120, 120), qRgb(255, 255, 255)); // ellipse's box corner, outside it
        QCOMPARE(at(620, 350), qRgb(255, 255, 255)); // beside the triangle
        if (target.right() * scale < 195)
            QCOMPARE(image.pixel(199, 100), qRgb(255, 255, 255));   // nothing outside the target
    }

    void drawsQuadrants_data()
    {
        // Colours at the centres of the top-left, top-right, bottom-left and
        // bottom-right quarters of a 100 × 100 drawing.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QRgb>>("quadrants");
        const QRgb r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255), w = qRgb(255, 255, 255);
        auto row = [](const char *tag, const WmfBuilder &drawing, const QList<QRgb> &quadrants) {
            QTest::newRow(tag) << drawing.placeable(frame, 1000) << quadrants;
        };

        row("y growing upwards", scene().window(0, 1000, 1000, -1000).brush(Qt::red).select(1)
            .rectangle(QRect(0, 0, 1000, 500)), {w, w, r, r});
        row("window origin moved", scene().window(500, 500, 1000, 1000).brush(Qt::red).select(1)
            .rectangle(QRect(500, 500, 500, 500)), {r, w, w, w});
        const QByteArray text = scene().record(0x0103, {1}).window(0, 0, 5, 5).brush(Qt::red).select(1)
            .rectangle(QRect(50, 0, 50, 100)).placeable(QRect(0, 0, 100, 100), 96);
        QTest::newRow("text mode ignores extents") << text << QList<QRgb>{w, r, w, r};
        row("window extent scaled by 1/2", scene().record(0x0410, {2, 1, 2, 1}).brush(Qt::red).select(1)
            .rectangle(QRect(0, 0, 500, 500)), {r, r, r, r});

        // A pie from the box's right-hand point to its top point covers the
        // top-right quarter of the page, whichever way the window's y runs.
        constexpr quint16 pie = 0x081A;
        row("pie, y growing downwards", scene().brush(Qt::red).select(1)
            .record(pie, {0, 500, 500, 1000, 1000, 1000, 0, 0}), {w, r, w, w});
        row("pie, y growing upwards", scene().window(0, 1000, 1000, -1000).brush(Qt::red).select(1)
            .record(pie, {1000, 500, 500, 1000, 1000, 1000, 0, 0}), {w, r, w, w});

        row("restored brush", scene().brush(Qt::red).brush(Qt::blue).select(1).record(saveDc, {}).select(2)
            .record(restoreDc, {-1}).rectangle(frame), {r, r, r, r});
        // Index 0 is freed, so the green brush takes it, not index 2.
        row("freed object slot reused", WmfBuilder().window(0, 0, 1000, 1000).pen(Qt::black, 1).brush(Qt::blue)
            .remove(0).brush(Qt::green).pen(Qt::black, 0, 5).select(2).select(0).rectangle(frame), {g, g, g, g});
        row("embedded bitmap", scene().stretchDib(frame, {{r, r, g, g}, {r, r, g, g}, {b, b, w, w}, {b, b, w, w}}),
            {r, g, b, w});
        // A pattern brush fills with its pattern's mean colour: (0 + 0 + 200 + 200) / 4.
        const QRgb k = qRgb(0, 0, 0), l = qRgb(200, 200, 200), m = qRgb(100, 100, 100);
        row("pattern brush", scene().patternBrush({{k, l}, {l, k}}).select(1).rectangle(frame), {m, m, m, m});
    }

    void drawsQuadrants()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QRgb>, quadrants);
        const QImage image = drawn(load(bytes), QSize(100, 100), QRectF(0, 0, 100, 100));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(image.pixel(25 + 50 * (i % 2), 25 + 50 * (i / 2)), quadrants[i]);
    }

    void drawsTextOnItsBackground()
    {
        WmfBuilder b = scene();
        const QRect box(100, 100, 800, 400);
        b.record(0x0201, WmfBuilder::colour(Qt::yellow)).font(-300, "Liberation Sans").select(1)
            .extTextOut(QPoint(150, 150), "HH", &box);
        const QImage image = drawn(load(b.placeable(frame, 1000)), QSize(200, 200), QRectF(0, 0, 200, 200));
        QCOMPARE(image.pixel(22, 22), qRgb(255, 255, 0));     // box corner, no glyph there
        QCOMPARE(image.pixel(175, 95), qRgb(255, 255, 0));
        QCOMPARE(image.pixel(10, 10), qRgb(255, 255, 255));   // outside the box
        int ink = 0;
        for (int y = 20; y < 100; ++y)
            for (int x = 20; x < 180; ++x)
                ink += qBlue(image.pixel(x, y)) < 60 && qRed(image.pixel(x, y)) < 60;
        QVERIFY2(ink > 100, qPrintable(QString::number(ink)));   // black glyphs were drawn
    }

    void rasterisesForPixelOperations()
    {
        const Picture picture = load(redSquare());
        QCOMPARE(picture.pixelSize(), QSize(96, 96));
        QVERIFY(!picture.isGreyscale());
        const Picture small = picture.resampled(QSize(50, 30));
        QVERIFY(!small.isMetafile());
        QCOMPARE(small.pixelSize(), QSize(50, 30));
        QCOMPARE(small.toImage().pixel(25, 15), qRgb(255, 0, 0));

        const QString file = m_dir.filePath("from-wmf.bmp");
        QVERIFY(picture.saveBmp(file, 24));
        const PictureLoad back = Picture::load(file);
        QVERIFY(back.ok);
        QCOMPARE(back.picture.pixelSize(), QSize(96, 96));
        QCOMPARE(back.picture.toImage().pixel(48, 48), qRgb(255, 0, 0));
    }

    void survivesHostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");   // why it is refused; readable when empty
        QTest::addColumn<bool>("redCentre");   // the red square before the damage still shows

        const QByteArray zeroSize("\0\0\0\0\x1b\x04", 6);
        const QByteArray hugeSize("\xff\xff\xff\x7f\x1b\x04", 6);
        const QString damaged = QStringLiteral("Le fichier WMF est incomplet ou endommagé.");
        const QString noSize = QStringLiteral("Le fichier WMF n'indique pas ses dimensions.");
        // Too costly to draw even once at a label's size: refused when read.
        const QString tooComplex = QStringLiteral("Le dessin du fichier WMF est trop complexe pour être affiché.");
        WmfBuilder red = scene();
        red.brush(Qt::red).select(1).rectangle(frame);

        QTest::newRow("first record of size 0") << WmfBuilder().raw(zeroSize).placeable(frame, 1000, false) << damaged
                                                << false;
        QTest::newRow("first record larger than file") << WmfBuilder().raw(hugeSize).placeable(frame, 1000, false)
                                                       << damaged << false;
        QTest::newRow("header cut short") << redSquare().left(30) << damaged << false;
        QTest::newRow("empty frame") << red.placeable(QRect(0, 0, 0, 100), 1000) << noSize << false;
        QTest::newRow("bare file without window") << WmfBuilder().brush(Qt::red).bare() << noSize << false;

        QTest::newRow("damage after the square")
            << WmfBuilder(red).raw(zeroSize).raw(QByteArray(64, '\x55')).placeable(frame, 1000, false) << QString()
            << true;
        const QByteArray cut = WmfBuilder(red).brush(Qt::blue).select(2).rectangle(frame).placeable(frame, 1000);
        QTest::newRow("cut inside the last record") << cut.left(cut.size() - 9) << QString() << true;

        const QByteArray shortRecords = WmfBuilder(red).record(0x0324, {30000, 1, 2})
            .record(0x0538, {2, 30000, 30000, 1, 1}).record(0x0521, {30000, 0x4141})
            .record(0x0A32, {0, 0, 30000, 6, 1}).record(0x02FB, {1}).record(0x0F43, {0x20, 0xCC, 0, 10, 10})
            .record(0x020C, {0, 0}).record(0x0410, {0, 0, 0, 0}).record(0x081A, {1, 1}).placeable(frame, 1000);
        QTest::newRow("records too short for their counts") << shortRecords << QString() << true;

        QByteArray lying = WmfBuilder(red).stretchDib(QRect(0, 0, 10, 10), {{qRgb(1, 2, 3)}}).placeable(frame, 1000);
        const qsizetype dib = lying.lastIndexOf(QByteArray("\x28\0\0\0", 4));
        qToLittleEndian(qint32(30000), lying.data() + dib + 4);
        qToLittleEndian(qint32(30000), lying.data() + dib + 8);
        QTest::newRow("bitmap with lying header") << lying << QString() << true;

        WmfBuilder objects = red;
        for (int i = 0; i < 5000; ++i)
            objects.brush(Qt::blue);
        objects.select(4999).select(65535).remove(-1).remove(70000);
        QTest::newRow("object table flooded") << objects.placeable(frame, 1000) << QString() << true;

        WmfBuilder states = red;
        states.record(restoreDc, {-1}).record(restoreDc, {5});
        for (int i = 0; i < 2000; ++i)
            states.record(saveDc, {});
        states.record(restoreDc, {-30000});
        QTest::newRow("unbalanced save and restore") << states.placeable(frame, 1000) << QString() << true;

        WmfBuilder overpainted = red;
        for (int i = 0; i < 600; ++i)
            overpainted.rectangle(frame);
        overpainted.brush(Qt::blue).select(2).rectangle(frame);
        QTest::newRow("painting 600 pages over") << overpainted.placeable(frame, 1000) << tooComplex << false;

        // Ten self-intersecting stars of 32767 corners: every edge crosses
        // nearly every scanline, minutes of filling for a few hundred KB.
        WmfBuilder stars;
        stars.window(0, 0, 10000, 10000).pen(Qt::black, 0, 5).select(0).brush(Qt::red).select(1);
        for (int s = 0; s < 10; ++s) {
            QList<QPoint> corners;
            for (int i = 0; i < 32767; ++i) {
                const double angle = 2 * 3.14159265358979 * double(i) * (16382 - s) / 32767;
                corners << QPoint(5000 + int(4900 * std::sin(angle)), 5000 + int(4900 * std::cos(angle)));
            }
            stars.polygon(corners);
        }
        QTest::newRow("stars of 32767 corners") << stars.placeable(frame, 1000) << tooComplex << false;

        const QByteArray dashes = scene().record(0x020C, {1, 1}).pen(Qt::black, 0, 2).select(1)
            .record(0x0418, {32767, 32767, -32768, -32768}).record(0x0213, {32767, 32767}).placeable(frame, 1000);
        QTest::newRow("dotted ellipse a million times the page") << dashes << QString() << false;
    }

    void survivesHostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QFETCH(bool, redCentre);
        const PictureLoad load = imaging::loadPictureBytes(bytes);
        QCOMPARE(load.reason, reason);
        QCOMPARE(load.ok, reason.isEmpty());
        if (!load.ok)
            return;
        const QImage image = drawn(load.picture, QSize(100, 100), QRectF(0, 0, 100, 100));
        if (redCentre)
            QCOMPARE(image.pixel(50, 50), qRgb(255, 0, 0));
        QCOMPARE(load.picture.resampled(QSize(20, 20)).pixelSize(), QSize(20, 20));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestWmf)
#include "tst_wmf.moc"
