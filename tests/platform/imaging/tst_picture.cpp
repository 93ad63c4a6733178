#include "platform/imaging/picture.h"
#include "platform/imaging/pictureloader.h"
#include "platform/imaging/picturemessage.h"

#include "testpictures.h"
#include "wmfbuilder.h"
#include "testfiles.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace testpictures;

Q_DECLARE_METATYPE(Picture)

namespace {

// A 24-bit BMP whose header claims `width` × `height` and that carries `rows` rows of pixels.
QByteArray bmpWithRows(qint32 width, qint32 height, int rows)
{
    QByteArray bmp = encoded(solid(QSize(4, 4), Qt::red), "bmp").left(54);
    qToLittleEndian(width, bmp.data() + 18);
    qToLittleEndian(height, bmp.data() + 22);
    qToLittleEndian(quint16(24), bmp.data() + 28);
    return bmp + QByteArray(qint64((width * 3 + 3) / 4 * 4) * rows, '\x40');
}

// An 8-bit run-length BMP of `width` × `height` grey pixels whose first
// `rows` rows are drawn, in runs of at most 255 pixels.
QByteArray rle8Bmp(qint32 width, qint32 height, int rows)
{
    QByteArray pixels;
    for (int row = 0; row < rows; ++row) {
        for (int left = width; left > 0; left -= 255)
            pixels.append(char(qMin(left, 255))).append('\x80');
        pixels.append(2, '\0');   // end of the row
    }
    pixels.append("\0\1", 2);   // end of the picture
    QByteArray bmp = bmpWithRows(width, height, 0);
    bmp[28] = 8;   // bits per pixel
    qToLittleEndian(quint32(54 + 1024), bmp.data() + 10);
    qToLittleEndian(quint32(1), bmp.data() + 30);
    qToLittleEndian(quint32(pixels.size()), bmp.data() + 34);
    qToLittleEndian(quint32(256), bmp.data() + 46);
    for (int i = 0; i < 256; ++i)
        bmp.append(char(i)).append(char(i)).append(char(i)).append('\0');
    bmp.append(pixels);
    qToLittleEndian(quint32(bmp.size()), bmp.data() + 2);
    return bmp;
}

QImage withPixel(QImage image, QPoint at, uint value)
{
    image.setPixel(at, value);
    return image;
}

// The picture drawn into `target` on a white canvas, by a painter already scaled by `scale`.
QImage drawn(const Picture &picture, QSize canvas, const QRectF &target, double scale = 1)
{
    QImage image = solid(canvas, Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    picture.draw(painter, target);
    return image;
}

constexpr quint16 saveDc = 0x001E, restoreDc = 0x0127;
const QRect frame(0, 0, 1000, 1000);
const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);

// Null pen at index 0, so fills are checked without outlines.
WmfBuilder scene() { return WmfBuilder().window(0, 0, 1000, 1000).pen(Qt::black, 0, 5).select(0); }

WmfBuilder redScene() { return scene().brush(Qt::red).select(1).rectangle(frame); }
Picture load(const QByteArray &bytes) { return imaging::loadPictureBytes(bytes).picture; }

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Each file is probed at one point for its colour. A photo larger than any
    // label can use is decoded at a fraction of its size, never below 1489
    // pixels (210 mm at 180 dpi) on either side. A metafile is as large as its
    // frame at 96 dpi, brought within 4096 pixels on its longer side.
    void loadsPictures_data()
    {
        QTest::addColumn<QString>("name"); QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("at"); QTest::addColumn<QColor>("colour"); QTest::addColumn<int>("tolerance");
        auto row = [](const char *tag, const char *name, const QByteArray &bytes, QSize size, QPoint at,
                      QColor colour, int tolerance) {
            QTest::newRow(tag) << QString(name) << bytes << size << at << colour << tolerance;
        };
        const QColor colour(200, 40, 90);
        auto flat = [&](const char *tag, const char *name, const char *format, QSize stored, QSize size) {
            row(tag, name, encoded(solid(stored, colour), format, 95), size, QRect(QPoint(), size).center(), colour,
                qstrcmp(format, "jpeg") ? 0 : 8);
        };
        auto wmf = [&](const char *tag, const QByteArray &bytes, QSize size) {
            row(tag, "a.wmf", bytes, size, QRect(QPoint(), size).center(), Qt::red, 0);
        };
        flat("bmp", "a.bmp", "bmp", QSize(37, 21), QSize(37, 21));
        flat("png", "a.png", "png", QSize(5, 300), QSize(5, 300));
        flat("ico", "a.ico", "ico", QSize(32, 32), QSize(32, 32));
        flat("png named .jpg", "png.jpg", "png", QSize(9, 7), QSize(9, 7));
        flat("12 megapixels, at a half", "big.jpg", "jpeg", QSize(4000, 3000), QSize(2000, 1500));
        flat("a quarter", "big.jpg", "jpeg", QSize(6000, 6000), QSize(1500, 1500));
        flat("a half would be too small", "big.jpg", "jpeg", QSize(2900, 2900), QSize(2900, 2900));
        flat("a long strip stays whole", "big.jpg", "jpeg", QSize(12000, 1600), QSize(12000, 1600));
        // A camera held upright stores the pixels sideways with an orientation
        // tag of 6 (turn 90° clockwise to view): the dark corner ends top right.
        QImage sideways = solid(QSize(40, 20), Qt::white);
        QPainter(&sideways).fillRect(0, 0, 8, 8, Qt::black);
        QByteArray jpeg = encoded(sideways, "jpeg", 95);
        jpeg.insert(2, QByteArray("\xFF\xE1\x00\x22" "Exif\0\0" "II\x2A\x00\x08\x00\x00\x00" "\x01\x00"
                                  "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00" "\x00\x00\x00\x00", 36));
        row("turned upright", "upright.jpg", jpeg, QSize(20, 40), QPoint(16, 3), Qt::black, 60);
        // Large run-length pictures are read when their file holds their runs.
        row("run lengths drawn in full", "runs.bmp", rle8Bmp(2500, 2000, 2000), QSize(2500, 2000), QPoint(1234, 1500),
            QColor(0x80, 0x80, 0x80), 0);
        wmf("twips", redScene().placeable(QRect(-720, 0, 2880, 1440), 1440), QSize(192, 96));
        wmf("no units means twips", redScene().placeable(QRect(0, 0, 2880, 720), 0), QSize(192, 48));
        wmf("rounded", redScene().placeable(QRect(0, 0, 100, 7), 1000), QSize(10, 1));
        wmf("capped, proportions kept", redScene().placeable(QRect(0, 0, 32000, 16000), 96), QSize(4096, 2048));
        wmf("bare file: its window in pixels",
            WmfBuilder().window(0, 0, 300, 150).brush(Qt::red).select(0).rectangle(QRect(0, 0, 300, 150)).bare(),
            QSize(300, 150));
    }
    void loadsPictures()
    {
        QFETCH(QString, name); QFETCH(QByteArray, bytes); QFETCH(QSize, size); QFETCH(QPoint, at);
        QFETCH(QColor, colour); QFETCH(int, tolerance);
        QVERIFY(writeFile(path(name), bytes));
        const PictureLoad load = Picture::load(path(name));
        QVERIFY2(load.ok, qPrintable(load.reason));
        QCOMPARE(load.picture.isMetafile(), name.endsWith(".wmf"));
        QCOMPARE(load.picture.pixelSize(), size);
        QVERIFY(colourDistance(load.picture.toImage().pixel(at), colour.rgb()) <= tolerance);
    }

    // Refused files give their reason (none: read); a damaged metafile keeps
    // what came before the damage (the red square still shows when redCentre),
    // and is drawn and resampled without harm. Null bytes are not written.
    void refusesOrSurvivesFiles_data()
    {
        QTest::addColumn<QString>("name"); QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason"); QTest::addColumn<bool>("redCentre");
        auto row = [](const char *tag, const QByteArray &bytes, const QString &reason, bool redCentre = false,
                      const QString &name = "picture") { QTest::newRow(tag) << name << bytes << reason << redCentre; };
        const QByteArray jpeg = encoded(noise(QSize(200, 150), 7), "jpeg", 90);
        const QByteArray png = encoded(noise(QSize(120, 80), 8), "png");
        const QString damaged = QStringLiteral("Le fichier est incomplet ou endommagé.");
        const QString badBmp = QStringLiteral("L'en-tête du fichier BMP est invalide.");
        // Bombs are refused for their size, before anything is decoded.
        const QString tooLarge = QStringLiteral("L'image est trop grande (30000 x 30000 pixels).");
        const QString runsTooLarge = QStringLiteral("L'image est trop grande (6 x 8388610 pixels).");
        row("missing file", QByteArray(), "Le fichier est introuvable.", false, "nowhere.jpg");
        row("a folder", QByteArray(), "C'est un dossier, pas un fichier.", false, "folder.jpg/");
        row("empty file", "", "Le fichier est vide.");
        row("text named jpg", "Bonjour, ceci est une lettre.\n",
            "Ce n'est pas une image de format connu (BMP, JPEG, PNG, ICO ou WMF).");
        row("jpeg cut in half", jpeg.left(jpeg.size() / 2), damaged);
        // Its frame header claiming 30000 × 30000 pixels.
        row("jpeg bomb", QByteArray(jpeg).replace(jpeg.indexOf("\xFF\xC0") + 5, 4, "\x75\x30\x75\x30", 4), tooLarge);
        row("png cut short", png.left(png.size() - 40), damaged);
        row("bmp claiming 30000 square", bmpWithRows(30000, 30000, 1), tooLarge);
        row("bmp with rows missing", bmpWithRows(100, 100, 10), damaged);
        row("run lengths claiming 6 x 8388610", rle8Bmp(6, 8388610, 1), runsTooLarge);
        row("bmp with odd header size", bmpWithRows(4, 4, 4).replace(14, 4, "\7\0\0\0", 4), badBmp);
        row("bmp with 7 bits per pixel", bmpWithRows(4, 4, 4).replace(28, 2, "\7\0", 2), badBmp);
        row("icon pointing past its end", QByteArray("\0\0\1\0\1\0\x20\x20\0\0\1\0\x20\0\0\x10\0\0\0\0\0\x40", 22),
            "Les données de l'image sont illisibles.");
        // Files that once crashed the program or held it up, each as fuzzing found it.
        const QDir found(QStringLiteral(KALVENOR_PICTURE_TEST_DATA));
        row("fuzzed: 200 bytes of run lengths claiming 50 million pixels", QByteArray(), runsTooLarge, false,
            found.filePath("fuzz-run-length-bomb.bmp"));
        row("fuzzed: text turned a tenth of a degree, 40 times wider", QByteArray(), QString(), false,
            found.filePath("fuzz-turned-stretched-text.wmf"));

        const QByteArray zeroSize("\0\0\0\0\x1b\x04", 6), hugeSize("\xff\xff\xff\x7f\x1b\x04", 6);
        const QString wmfDamaged = QStringLiteral("Le fichier WMF est incomplet ou endommagé.");
        const QString noSize = QStringLiteral("Le fichier WMF n'indique pas ses dimensions.");
        // Too costly to draw even once at a label's size: refused when read.
        const QString tooComplex = QStringLiteral("Le dessin du fichier WMF est trop complexe pour être affiché.");
        row("first record of size 0", WmfBuilder().raw(zeroSize).placeable(frame, 1000, false), wmfDamaged);
        row("first record larger than file", WmfBuilder().raw(hugeSize).placeable(frame, 1000, false), wmfDamaged);
        row("header cut short", redScene().placeable(frame, 1000).left(30), wmfDamaged);
        row("empty frame", redScene().placeable(QRect(0, 0, 0, 100), 1000), noSize);
        row("bare file without window", WmfBuilder().brush(Qt::red).bare(), noSize);
        row("damage after the square",
            redScene().raw(zeroSize).raw(QByteArray(64, '\x55')).placeable(frame, 1000, false), QString(), true);
        const QByteArray cut = redScene().brush(Qt::blue).select(2).rectangle(frame).placeable(frame, 1000);
        row("cut inside the last record", cut.left(cut.size() - 9), QString(), true);
        row("records too short for their counts", redScene().record(0x0324, {30000, 1, 2})
            .record(0x0538, {2, 30000, 30000, 1, 1}).record(0x0521, {30000, 0x4141}).record(0x0A32, {0, 0, 30000, 6, 1})
            .record(0x02FB, {1}).record(0x0F43, {0x20, 0xCC, 0, 10, 10}).record(0x020C, {0, 0})
            .record(0x0410, {0, 0, 0, 0}).record(0x081A, {1, 1}).placeable(frame, 1000), QString(), true);
        QByteArray lying = redScene().stretchDib(QRect(0, 0, 10, 10), {{qRgb(1, 2, 3)}}).placeable(frame, 1000);
        // The bitmap's header claims 30000 × 30000 pixels.
        lying.replace(lying.lastIndexOf(QByteArray("\x28\0\0\0", 4)) + 4, 8, "\x30\x75\0\0\x30\x75\0\0", 8);
        row("bitmap with lying header", lying, QString(), true);
        WmfBuilder objects = redScene(), states = redScene(), overpainted = redScene(), stars;
        for (int i = 0; i < 5000; ++i)
            objects.brush(Qt::blue);
        row("object table flooded", objects.select(4999).select(65535).remove(-1).remove(70000).placeable(frame, 1000),
            QString(), true);
        states.record(restoreDc, {-1}).record(restoreDc, {5});
        for (int i = 0; i < 2000; ++i)
            states.record(saveDc, {});
        row("unbalanced save and restore", states.record(restoreDc, {-30000}).placeable(frame, 1000), QString(), true);
        for (int i = 0; i < 600; ++i)
            overpainted.rectangle(frame);
        row("painting 600 pages over", overpainted.brush(Qt::blue).select(2).rectangle(frame).placeable(frame, 1000),
            tooComplex);
        // Ten self-intersecting stars of 32767 corners: every edge crosses
        // nearly every scanline, minutes of filling for a few hundred KB.
        stars.window(0, 0, 10000, 10000).pen(Qt::black, 0, 5).select(0).brush(Qt::red).select(1);
        for (int s = 0; s < 10; ++s) {
            QList<QPoint> corners;
            for (int i = 0; i < 32767; ++i) {
                const double angle = 2 * 3.14159265358979 * double(i) * (16382 - s) / 32767;
                corners << QPoint(5000 + int(4900 * std::sin(angle)), 5000 + int(4900 * std::cos(angle)));
            }
            stars.polygon(corners);
        }
        row("stars of 32767 corners", stars.placeable(frame, 1000), tooComplex);
        row("dotted ellipse a million times the page", scene().record(0x020C, {1, 1}).pen(Qt::black, 0, 2).select(1)
            .record(0x0418, {32767, 32767, -32768, -32768}).record(0x0213, {32767, 32767}).placeable(frame, 1000),
            QString());
    }
    void refusesOrSurvivesFiles()
    {
        QFETCH(QString, name); QFETCH(QByteArray, bytes); QFETCH(QString, reason); QFETCH(bool, redCentre);
        if (name.endsWith('/'))
            QVERIFY(QDir(m_dir.path()).mkpath(name));
        else if (!bytes.isNull())
            QVERIFY(writeFile(path(name), bytes));
        const PictureLoad load = Picture::load(path(name));
        QCOMPARE(load.reason, reason);
        QCOMPARE(load.ok, reason.isEmpty());
        QCOMPARE(load.picture.isNull(), !load.ok);
        if (!load.ok)
            return;
        const QImage image = drawn(load.picture, QSize(100, 100), QRectF(0, 0, 100, 100));
        if (redCentre)
            QCOMPARE(image.pixel(50, 50), red);
        drawn(load.picture, QSize(64, 40), QRectF(0, 0, 1, 400));   // the sizes fuzzing found crashes at
        drawn(load.picture, QSize(64, 40), QRectF(3.5, 2, 57, 36));
        QCOMPARE(load.picture.resampled(QSize(20, 20)).pixelSize(), QSize(20, 20));
    }

    // Every pixel of the result is the source's average: the mid grey of
    // 1-pixel checkers, or the one colour of a flat picture. No size, too many
    // pixels or no picture to start from give no picture (no average).
    void resamplesToAverageColour_data()
    {
        QTest::addColumn<QImage>("image"); QTest::addColumn<QSize>("to"); QTest::addColumn<QColor>("average");
        QTest::addColumn<int>("tolerance");
        const QColor mid(128, 128, 128), c1(12, 200, 99), c2(250, 1, 128), c3(77, 77, 77), c4(255, 0, 0, 128);
        QTest::newRow("checkers by 7.7") << checkerboard(QSize(100, 100)) << QSize(13, 13) << mid << 12;
        QTest::newRow("checkers, photo to label") << checkerboard(QSize(4000, 48)) << QSize(250, 3) << mid << 2;
        QTest::newRow("checkers, only across") << checkerboard(QSize(96, 10)) << QSize(12, 10) << mid << 1;
        QTest::newRow("flat shrink") << solid(QSize(301, 77), c1) << QSize(29, 13) << c1 << 1;
        QTest::newRow("flat enlarge") << solid(QSize(3, 5), c2) << QSize(31, 52) << c2 << 1;
        QTest::newRow("grey bytes, narrower and taller")
            << solid(QSize(90, 90), c3, QImage::Format_Grayscale8) << QSize(17, 40) << c3 << 1;
        QTest::newRow("half transparent") << solid(QSize(50, 50), c4, QImage::Format_ARGB32) << QSize(7, 7) << c4 << 1;
        QTest::newRow("to one pixel") << solid(QSize(64, 64), c1) << QSize(1, 1) << c1 << 1;
        QTest::newRow("same size") << solid(QSize(33, 44), c2) << QSize(33, 44) << c2 << 1;
        QTest::newRow("to no size") << solid(QSize(10, 10), c1) << QSize(0, 3) << QColor() << 0;
        QTest::newRow("to too many pixels") << solid(QSize(10, 10), c1) << QSize(9000, 9000) << QColor() << 0;
        QTest::newRow("from no picture") << QImage() << QSize(3, 3) << QColor() << 0;
    }
    void resamplesToAverageColour()
    {
        QFETCH(QImage, image); QFETCH(QSize, to); QFETCH(QColor, average); QFETCH(int, tolerance);
        const Picture resampled = Picture::fromImage(image).resampled(to);
        QCOMPARE(resampled.isNull(), !average.isValid());
        const QImage result = resampled.toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(result.size(), average.isValid() ? to : QSize(0, 0));
        for (int y = 0; y < result.height(); ++y)
            for (int x = 0; x < result.width(); ++x)
                QVERIFY2(colourDistance(result.pixel(x, y), average.rgba()) <= tolerance,
                         qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(result.pixel(x, y), 8, 16)));
    }

    void enlargingInterpolates()
    {
        const QImage image = withPixel(solid(QSize(2, 1), Qt::black), QPoint(1, 0), white);
        const QImage result = Picture::fromImage(image).resampled(QSize(8, 1)).toImage();
        QCOMPARE(qRed(result.pixel(0, 0)), 0);
        QCOMPARE(qRed(result.pixel(7, 0)), 255);
        for (int x = 2; x < 7; ++x)   // rising between the two pixel centres, not in one step
            QVERIFY(qRed(result.pixel(x, 0)) > qRed(result.pixel(x - 1, 0)));
    }

    void greyscaleTest_data()
    {
        QTest::addColumn<QImage>("image"); QTest::addColumn<bool>("grey");
        const QImage greys = withPixel(checkerboard(QSize(20, 20)), QPoint(3, 3), qRgb(90, 90, 90));
        QTest::newRow("greys in colour format") << greys << true;
        QTest::newRow("one pixel off grey") << withPixel(greys, QPoint(19, 19), qRgb(91, 90, 90)) << false;
        QImage indexed(4, 4, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 0, 0)});
        indexed.fill(1);
        QTest::newRow("palette colour unused") << indexed << true;
        QTest::newRow("palette colour used") << withPixel(indexed, QPoint(2, 2), 2) << false;
        const QImage::Format argb = QImage::Format_ARGB32;
        QTest::newRow("invisible red over white") << solid(QSize(4, 4), QColor(255, 0, 0, 0), argb) << true;
        QTest::newRow("faint red over white") << solid(QSize(4, 4), QColor(255, 0, 0, 60), argb) << false;
    }
    void greyscaleTest()
    {
        QFETCH(QImage, image); QFETCH(bool, grey);
        QCOMPARE(Picture::fromImage(image).isGreyscale(), grey);
    }

    // Grey sources are grey bytes, which the writer encodes from their own
    // rows. A label's bitmap is 8 bits when the picture is grey. A refused
    // save gives its reason (the system's own may follow) and leaves no file.
    void savesBmp_data()
    {
        QTest::addColumn<QString>("file"); QTest::addColumn<int>("bits"); QTest::addColumn<Picture>("picture");
        QTest::addColumn<bool>("label"); QTest::addColumn<QString>("refusal");
        auto row = [](const char *tag, const char *file, int bits, const Picture &picture, bool label = false,
                      const char *refusal = "") {
            QTest::newRow(tag) << QString(file) << bits << picture << label << QString(refusal);
        };
        auto noisy = [](QSize size, bool grey) {
            const QImage image = noise(size, 11);
            return Picture::fromImage(grey ? image.convertToFormat(QImage::Format_Grayscale8) : image);
        };
        row("8 bits, grey, padded rows", "grey8.bmp", 8, noisy(QSize(13, 7), true));
        row("8 bits, colour becomes grey", "colour8.bmp", 8, noisy(QSize(16, 5), false));
        row("24 bits, colour, padded rows", "colour24.bmp", 24, noisy(QSize(11, 9), false));
        row("24 bits, grey, padded rows", "grey24.bmp", 24, noisy(QSize(5, 4), true));
        row("label of a grey picture", "label8.bmp", 8, noisy(QSize(6, 3), true), true);
        row("label of a metafile, rasterised", "label24.bmp", 24, load(redScene().placeable(frame, 1000)), true);
        row("16 bits", "refused.bmp", 16, noisy(QSize(4, 4), false), false,
            "Profondeur de couleur non prise en charge : 16 bits.");
        Picture cleared = noisy(QSize(4, 4), false);
        cleared.clear();
        row("no picture, once cleared", "refused.bmp", 24, cleared, false, "Il n'y a pas d'image à enregistrer.");
        row("missing folder", "no/such/folder/refused.bmp", 24, noisy(QSize(4, 4), false), false,
            "Impossible de créer le fichier refused.bmp : ");
    }
    void savesBmp()
    {
        QFETCH(QString, file); QFETCH(int, bits); QFETCH(Picture, picture); QFETCH(bool, label);
        QFETCH(QString, refusal);
        QString error;
        const bool saved = label ? picture.saveLabelBmp(path(file), &error) : picture.saveBmp(path(file), bits, &error);
        QVERIFY2(refusal.isEmpty() ? saved && error.isEmpty() : !saved && error.startsWith(refusal), qPrintable(error));
        QCOMPARE(QFile::exists(path(file)), saved);
        if (!saved)
            return;
        const QByteArray bytes = contents(path(file));
        QVERIFY(bytes.size() > 54);
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
        QCOMPARE(int(qFromLittleEndian<quint16>(bytes.constData() + 28)), bits);
        const PictureLoad load = Picture::load(path(file));
        QVERIFY2(load.ok, qPrintable(load.reason));
        const QImage source = picture.toImage(), back = load.picture.toImage();
        QCOMPARE(back.size(), source.size());
        auto greyOf = [](QRgb c) { return qRgb(qGray(c), qGray(c), qGray(c)); };
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                QCOMPARE(back.pixel(x, y), bits == 8 ? greyOf(source.pixel(x, y)) : source.pixel(x, y));
    }

    void unreadableMessageNamesFile()
    {
        QCOMPARE(unreadablePictureMessage("/home/a/photos/chat.jpg", ""),
                 QStringLiteral("Le fichier chat.jpg n'est pas une image lisible."));
        QCOMPARE(unreadablePictureMessage("logo.bmp", "Le fichier est vide."),
                 QStringLiteral("Le fichier logo.bmp n'est pas une image lisible.\nLe fichier est vide."));
    }

    // The metafile's shapes, or its pixels as a bitmap, land where the target
    // and the painter put them.
    void drawsFilledShapesInPlace_data()
    {
        QTest::addColumn<bool>("bitmap"); QTest::addColumn<QRectF>("target"); QTest::addColumn<double>("scale");
        for (bool bitmap : {false, true}) {
            const char *kind = bitmap ? "bitmap" : "metafile";
            QTest::addRow("%s, whole canvas", kind) << bitmap << QRectF(0, 0, 200, 200) << 1.0;
            QTest::addRow("%s, inset and squashed", kind) << bitmap << QRectF(50, 20, 100, 160) << 1.0;
            QTest::addRow("%s, painter already scaled", kind) << bitmap << QRectF(10, 10, 80, 80) << 2.0;
        }
    }
    void drawsFilledShapesInPlace()
    {
        QFETCH(bool, bitmap); QFETCH(QRectF, target); QFETCH(double, scale);
        const Picture shapes = load(scene().brush(Qt::red).brush(Qt::blue).brush(Qt::green).select(1)
            .ellipse(QRect(100, 100, 300, 300)).select(2).polygon({{600, 100}, {900, 100}, {750, 400}})
            .select(3).rectangle(QRect(100, 600, 800, 300)).placeable(frame, 1000));
        const Picture picture = bitmap ? Picture::fromImage(shapes.toImage()) : shapes;
        const QImage image = drawn(picture, QSize(200, 200), target, scale);
        auto at = [&](double lx, double ly) {
            return image.pixel(QPointF((target.x() + lx / 1000 * target.width()) * scale,
                                       (target.y() + ly / 1000 * target.height()) * scale).toPoint());
        };
        QCOMPARE(at(250, 250), red);                  // ellipse centre
        QCOMPARE(at(750, 200), qRgb(0, 0, 255));      // inside the triangle
        QCOMPARE(at(500, 750), qRgb(0, 255, 0));      // rectangle
        QCOMPARE(at(120, 120), white);                // ellipse's box corner, outside it
        QCOMPARE(at(620, 350), white);                // beside the triangle
        if (target.right() * scale < 195)
            QCOMPARE(image.pixel(199, 100), white);   // nothing outside the target
    }

    // Colours at the centres of the top-left, top-right, bottom-left and
    // bottom-right quarters of a 100 × 100 drawing.
    void drawsQuadrants_data()
    {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QList<QRgb>>("quadrants");
        const QRgb r = red, g = qRgb(0, 255, 0), b = qRgb(0, 0, 255), w = white;
        auto row = [](const char *tag, const WmfBuilder &drawing, const QList<QRgb> &quadrants, QRect in = frame,
                      int perInch = 1000) { QTest::newRow(tag) << drawing.placeable(in, perInch) << quadrants; };
        row("window origin moved", scene().window(500, 500, 1000, 1000).brush(Qt::red).select(1)
            .rectangle(QRect(500, 500, 500, 500)), {r, w, w, w});
        row("text mode ignores extents", scene().record(0x0103, {1}).window(0, 0, 5, 5).brush(Qt::red).select(1)
            .rectangle(QRect(50, 0, 50, 100)), {w, r, w, r}, QRect(0, 0, 100, 100), 96);
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
        QFETCH(QByteArray, bytes); QFETCH(QList<QRgb>, quadrants);
        const QImage image = drawn(load(bytes), QSize(100, 100), QRectF(0, 0, 100, 100));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(image.pixel(25 + 50 * (i % 2), 25 + 50 * (i / 2)), quadrants[i]);
    }

    void drawsTextOnItsBackground()
    {
        const QRect box(100, 100, 800, 400);
        const QByteArray text = scene().record(0x0201, WmfBuilder::colour(Qt::yellow)).font(-300, "Liberation Sans")
            .select(1).extTextOut(QPoint(150, 150), "HH", &box).placeable(frame, 1000);
        const QImage image = drawn(load(text), QSize(200, 200), QRectF(0, 0, 200, 200));
        QCOMPARE(image.pixel(22, 22), qRgb(255, 255, 0));     // box corner, no glyph there
        QCOMPARE(image.pixel(175, 95), qRgb(255, 255, 0));
        QCOMPARE(image.pixel(10, 10), white);                 // outside the box
        int ink = 0;
        for (int y = 20; y < 100; ++y)
            for (int x = 20; x < 180; ++x)
                ink += qBlue(image.pixel(x, y)) < 60 && qRed(image.pixel(x, y)) < 60;
        QVERIFY2(ink > 100, qPrintable(QString::number(ink)));   // black glyphs were drawn
    }

private:
    // Absolute names (the fuzzing finds) are taken as they are.
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
