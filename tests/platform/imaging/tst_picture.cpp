#include "platform/imaging/picture.h"
#include "platform/imaging/pictureloader.h"
#include "platform/imaging/picturemessage.h"

#include "testpictures.h"
#include "wmfbuilder.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace testpictures;

namespace {

// A PNG whose header claims 60000 × 60000 pixels, its check value redone.
QByteArray hugePng()
{
    QByteArray png = encoded(solid(QSize(1, 1), Qt::red), "png");
    qToBigEndian(quint32(60000), png.data() + 16);
    qToBigEndian(quint32(60000), png.data() + 20);
    quint32 crc = 0xFFFFFFFF;   // over the chunk's type and data, bytes 12 to 28
    for (char ch : png.mid(12, 17)) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    qToBigEndian(~crc, png.data() + 29);
    return png;
}

// A 24-bit BMP whose header claims `width` × `height` and that carries
// `rows` rows of pixels.
QByteArray bmpWithRows(qint32 width, qint32 height, int rows)
{
    QByteArray bmp = encoded(solid(QSize(4, 4), Qt::red), "bmp");
    bmp.truncate(54);
    qToLittleEndian(width, bmp.data() + 18);
    qToLittleEndian(height, bmp.data() + 22);
    qToLittleEndian(quint16(24), bmp.data() + 28);
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    bmp.append(QByteArray(qint64(rowBytes) * rows, '\x40'));
    return bmp;
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
    QByteArray bmp = encoded(solid(QSize(4, 4), Qt::red), "bmp");
    bmp.truncate(54);
    qToLittleEndian(quint32(54 + 1024), bmp.data() + 10);
    qToLittleEndian(width, bmp.data() + 18);
    qToLittleEndian(height, bmp.data() + 22);
    qToLittleEndian(quint16(8), bmp.data() + 28);
    qToLittleEndian(quint32(1), bmp.data() + 30);
    qToLittleEndian(quint32(pixels.size()), bmp.data() + 34);
    qToLittleEndian(quint32(256), bmp.data() + 46);
    for (int i = 0; i < 256; ++i)
        bmp.append(char(i)).append(char(i)).append(char(i)).append('\0');
    bmp.append(pixels);
    qToLittleEndian(quint32(bmp.size()), bmp.data() + 2);
    return bmp;
}

// The JPEG's frame header with its dimensions replaced.
QByteArray jpegClaiming(QByteArray jpeg, quint16 width, quint16 height)
{
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof >= 0) {
        qToBigEndian(height, jpeg.data() + sof + 5);
        qToBigEndian(width, jpeg.data() + sof + 7);
    }
    return jpeg;
}

// The picture drawn into `target` on a white canvas, by a painter already
// scaled by `scale`.
QImage drawn(const Picture &picture, QSize canvas, const QRectF &target, double scale = 1)
{
    QImage image = solid(canvas, Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    picture.draw(painter, target);
    return image;
}

// Metafiles

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

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // A photo larger than any label can use is decoded at a fraction of its
    // size, never below 1489 pixels (210 mm at 180 dpi) on either side.
    void loadsEachFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("decoded");
        auto row = [](const char *tag, const char *name, const char *format, QSize stored, QSize decoded) {
            QTest::newRow(tag) << name << QByteArray(format) << stored << decoded;
        };
        row("bmp", "a.bmp", "bmp", QSize(37, 21), QSize(37, 21));
        row("jpeg", "a.jpg", "jpeg", QSize(640, 480), QSize(640, 480));
        row("png", "a.png", "png", QSize(5, 300), QSize(5, 300));
        row("ico", "a.ico", "ico", QSize(32, 32), QSize(32, 32));
        row("png named .jpg", "png.jpg", "png", QSize(9, 7), QSize(9, 7));
        row("12 megapixels, at a half", "big.jpg", "jpeg", QSize(4000, 3000), QSize(2000, 1500));
        row("a quarter", "big.jpg", "jpeg", QSize(6000, 6000), QSize(1500, 1500));
        row("a half would be too small", "big.jpg", "jpeg", QSize(2900, 2900), QSize(2900, 2900));
        row("a long strip stays whole", "big.jpg", "jpeg", QSize(12000, 1600), QSize(12000, 1600));
    }

    void loadsEachFormat()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(QSize, stored);
        QFETCH(QSize, decoded);
        const int tolerance = format == "jpeg" ? 8 : 0;
        const QColor colour(200, 40, 90);
        QVERIFY(writeFile(path(name), encoded(solid(stored, colour), format, 95)));

        const PictureLoad load = Picture::load(path(name));
        QVERIFY2(load.ok, qPrintable(load.reason));
        QCOMPARE(load.picture.pixelSize(), decoded);
        const QImage image = load.picture.toImage();
        QVERIFY(colourDistance(image.pixel(decoded.width() / 2, decoded.height() / 2), colour.rgb()) <= tolerance);
    }

    void turnsPhotoUpright()
    {
        // A camera held upright stores the pixels sideways with an orientation
        // tag of 6 (turn 90° clockwise to view).
        QImage sideways = solid(QSize(40, 20), Qt::white);
        QPainter(&sideways).fillRect(0, 0, 8, 8, Qt::black);
        QByteArray jpeg = encoded(sideways, "jpeg", 95);
        const QByteArray exif("\xFF\xE1\x00\x22" "Exif\0\0" "II\x2A\x00\x08\x00\x00\x00"
                              "\x01\x00" "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00"
                              "\x00\x00\x00\x00", 36);
        jpeg.insert(2, exif);

        const PictureLoad load = imaging::loadPictureBytes(jpeg);
        QVERIFY2(load.ok, qPrintable(load.reason));
        QCOMPARE(load.picture.pixelSize(), QSize(20, 40));
        const QImage upright = load.picture.toImage();
        QVERIFY(qRed(upright.pixel(16, 3)) < 60);    // the dark corner is now top right
        QVERIFY(qRed(upright.pixel(3, 3)) > 200);
    }

    void refusesUnreadableFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");   // not written when null
        QTest::addColumn<QString>("reason");

        const QByteArray jpeg = encoded(noise(QSize(200, 150), 7), "jpeg", 90);
        const QByteArray png = encoded(noise(QSize(120, 80), 8), "png");
        const QString damaged = QStringLiteral("Le fichier est incomplet ou endommagé.");
        const QString badBmp = QStringLiteral("L'en-tête du fichier BMP est invalide.");
        // Bombs are refused for their size, before anything is decoded.
        const QString tooLarge = QStringLiteral("L'image est trop grande (%1 x %1 pixels).");

        QTest::newRow("missing file") << "nowhere.jpg" << QByteArray() << "Le fichier est introuvable.";
        QTest::newRow("a folder") << "folder.jpg/" << QByteArray() << "C'est un dossier, pas un fichier.";
        QTest::newRow("empty file") << "empty.bmp" << QByteArray("") << "Le fichier est vide.";
        QTest::newRow("text named jpg") << "letter.jpg" << QByteArray("Bonjour, ceci est une lettre.\n")
                                        << "Ce n'est pas une image de format connu (BMP, JPEG, PNG, ICO ou WMF).";
        QTest::newRow("jpeg cut in half") << "half.jpg" << jpeg.left(jpeg.size() / 2) << damaged;
        QTest::newRow("jpeg claiming 30000 square") << "huge.jpg" << jpegClaiming(jpeg, 30000, 30000)
                                                    << tooLarge.arg(30000);
        QTest::newRow("png cut short") << "short.png" << png.left(png.size() - 40) << damaged;
        QTest::newRow("png claiming 60000 square") << "huge.png" << hugePng() << tooLarge.arg(60000);
        QTest::newRow("bmp claiming 30000 square") << "huge.bmp" << bmpWithRows(30000, 30000, 1) << tooLarge.arg(30000);
        QTest::newRow("bmp with rows missing") << "rows.bmp" << bmpWithRows(100, 100, 10) << damaged;
        QTest::newRow("run lengths claiming 6 x 8388610") << "runs.bmp" << rle8Bmp(6, 8388610, 1)
                                                        << "L'image est trop grande (6 x 8388610 pixels).";
        QByteArray badHeader = bmpWithRows(4, 4, 4), badDepth = badHeader;
        qToLittleEndian(quint32(7), badHeader.data() + 14);
        qToLittleEndian(quint16(7), badDepth.data() + 28);
        QTest::newRow("bmp with odd header size") << "header.bmp" << badHeader << badBmp;
        QTest::newRow("bmp with 7 bits per pixel") << "depth.bmp" << badDepth << badBmp;
        QTest::newRow("icon pointing past its end")
            << "broken.ico" << QByteArray("\0\0\1\0\1\0\x20\x20\0\0\1\0\x20\0\0\x10\0\0\0\0\0\x40", 22)
            << "Les données de l'image sont illisibles.";
    }

    // Large run-length pictures are read when their file holds their runs.
    void readsRunLengthBitmapDrawnInFull()
    {
        QVERIFY(writeFile(path("runs.bmp"), rle8Bmp(2500, 2000, 2000)));
        const PictureLoad load = Picture::load(path("runs.bmp"));
        QVERIFY2(load.ok, qPrintable(load.reason));
        QCOMPARE(load.picture.pixelSize(), QSize(2500, 2000));
        QCOMPARE(qGray(load.picture.toImage().pixel(1234, 1500)), 0x80);
    }

    void refusesUnreadableFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        if (name.endsWith('/'))
            QVERIFY(QDir(m_dir.path()).mkpath(name));
        else if (!bytes.isNull())
            QVERIFY(writeFile(path(name), bytes));
        const PictureLoad load = Picture::load(path(name));
        QVERIFY(!load.ok);
        QVERIFY(load.picture.isNull());
        QCOMPARE(load.reason, reason);
    }

    void resamplesToAverageColour_data()
    {
        // Every pixel of the result is the source's average: the mid grey of
        // 1-pixel checkers, or the one colour of a flat picture.
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QSize>("to");
        QTest::addColumn<QColor>("average");
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
    }

    void resamplesToAverageColour()
    {
        QFETCH(QImage, image);
        QFETCH(QSize, to);
        QFETCH(QColor, average);
        QFETCH(int, tolerance);
        const QImage result = Picture::fromImage(image).resampled(to).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(result.size(), to);
        for (int y = 0; y < to.height(); ++y) {
            for (int x = 0; x < to.width(); ++x) {
                const QRgb pixel = result.pixel(x, y);
                QVERIFY2(colourDistance(pixel, average.rgba()) <= tolerance,
                         qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(pixel, 8, 16)));
            }
        }
    }

    void enlargingInterpolates()
    {
        QImage image(2, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(0, 0, 0));
        image.setPixel(1, 0, qRgb(255, 255, 255));
        const QImage result = Picture::fromImage(image).resampled(QSize(8, 1)).toImage();
        QCOMPARE(qRed(result.pixel(0, 0)), 0);
        QCOMPARE(qRed(result.pixel(7, 0)), 255);
        for (int x = 1; x < 8; ++x)
            QVERIFY(qRed(result.pixel(x, 0)) >= qRed(result.pixel(x - 1, 0)));
        QVERIFY(qRed(result.pixel(4, 0)) > 0 && qRed(result.pixel(3, 0)) < 255);
    }

    void greyscaleTest_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<bool>("grey");

        QImage greys = checkerboard(QSize(20, 20));
        greys.setPixel(3, 3, qRgb(90, 90, 90));
        QTest::newRow("greys in colour format") << greys << true;
        QImage oneRed = greys;
        oneRed.setPixel(19, 19, qRgb(91, 90, 90));
        QTest::newRow("one pixel off grey") << oneRed << false;

        QImage indexed(4, 4, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 0, 0)});
        indexed.fill(1);
        QTest::newRow("palette colour unused") << indexed << true;
        QImage indexedRed = indexed;
        indexedRed.setPixel(2, 2, 2);
        QTest::newRow("palette colour used") << indexedRed << false;

        QTest::newRow("invisible red over white") << solid(QSize(4, 4), QColor(255, 0, 0, 0), QImage::Format_ARGB32)
                                                  << true;
        QTest::newRow("faint red over white") << solid(QSize(4, 4), QColor(255, 0, 0, 60), QImage::Format_ARGB32)
                                              << false;
    }

    void greyscaleTest()
    {
        QFETCH(QImage, image);
        QFETCH(bool, grey);
        QCOMPARE(Picture::fromImage(image).isGreyscale(), grey);
    }

    void savesBmpAtDepth_data()
    {
        // Grey sources are grey bytes, which the writer encodes from their own rows.
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("greySource");
        QTest::addColumn<QSize>("size");
        QTest::newRow("8 bits, grey, padded rows") << 8 << true << QSize(13, 7);
        QTest::newRow("8 bits, colour becomes grey") << 8 << false << QSize(16, 5);
        QTest::newRow("24 bits, colour, padded rows") << 24 << false << QSize(11, 9);
        QTest::newRow("24 bits, grey, padded rows") << 24 << true << QSize(5, 4);
    }

    void savesBmpAtDepth()
    {
        QFETCH(int, bits);
        QFETCH(bool, greySource);
        QFETCH(QSize, size);
        QImage source = noise(size, 11);
        if (greySource)
            source = source.convertToFormat(QImage::Format_Grayscale8);
        const QString file = path(QStringLiteral("saved-%1-%2.bmp").arg(bits).arg(greySource));
        QString error;
        QVERIFY2(Picture::fromImage(source).saveBmp(file, bits, &error), qPrintable(error));

        const QByteArray bytes = readFile(file);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(le32(bytes, 2), quint32(bytes.size()));
        QCOMPARE(int(le16(bytes, 28)), bits);
        if (bits == 8)
            QCOMPARE(le32(bytes, 54 + 4 * 200), 0x00C8C8C8u);   // palette entry 200 is grey 200

        const PictureLoad load = Picture::load(file);
        QVERIFY2(load.ok, qPrintable(load.reason));
        const QImage back = load.picture.toImage();
        QCOMPARE(back.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb original = source.pixel(x, y);
                const int grey = qGray(original);
                QCOMPARE(back.pixel(x, y), bits == 8 ? qRgb(grey, grey, grey) : original);
            }
        }
    }

    void saveBmpRefuses_data()
    {
        QTest::addColumn<bool>("nullPicture");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");   // its beginning: the system's own reason follows
        QTest::newRow("16 bits") << false << 16 << "refused.bmp"
                                 << "Profondeur de couleur non prise en charge : 16 bits.";
        QTest::newRow("no picture") << true << 24 << "refused.bmp" << "Il n'y a pas d'image à enregistrer.";
        QTest::newRow("missing folder") << false << 24 << "no/such/folder/refused.bmp"
                                        << "Impossible de créer le fichier refused.bmp : ";
    }

    void saveBmpRefuses()
    {
        QFETCH(bool, nullPicture);
        QFETCH(int, bits);
        QFETCH(QString, file);
        QFETCH(QString, error);
        const Picture picture = nullPicture ? Picture() : Picture::fromImage(noise(QSize(4, 4), 1));
        QString given;
        QVERIFY(!picture.saveBmp(path(file), bits, &given));
        QVERIFY2(given.startsWith(error), qPrintable(given));
        QVERIFY(!QFile::exists(path(file)));
    }

    void copiesAreIndependent()
    {
        Picture original = Picture::fromImage(solid(QSize(10, 10), Qt::red));
        Picture copy = original;
        const Picture smaller = copy.resampled(QSize(5, 5));
        original.clear();
        QVERIFY(original.isNull());
        QCOMPARE(copy.pixelSize(), QSize(10, 10));
        QCOMPARE(smaller.pixelSize(), QSize(5, 5));
        QCOMPARE(copy.toImage().pixel(9, 9), qRgb(255, 0, 0));
        QVERIFY(Picture().resampled(QSize(3, 3)).isNull());
        QVERIFY(copy.resampled(QSize(0, 3)).isNull());
    }

    void drawsScaledIntoTarget()
    {
        QImage left_right(2, 1, QImage::Format_RGB32);
        left_right.setPixel(0, 0, qRgb(255, 0, 0));
        left_right.setPixel(1, 0, qRgb(0, 0, 255));
        const QImage canvas = drawn(Picture::fromImage(left_right), QSize(100, 60), QRectF(20, 10, 60, 40));
        QCOMPARE(canvas.pixel(25, 30), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(75, 30), qRgb(0, 0, 255));
        QCOMPARE(canvas.pixel(10, 30), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(50, 55), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(90, 30), qRgb(255, 255, 255));
    }

    void unreadableMessageNamesFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "/home/a/photos/chat.jpg" << ""
                               << QString::fromUtf8("Le fichier chat.jpg n'est pas une image lisible.");
        QTest::newRow("with reason") << "logo.bmp" << "Le fichier est vide."
                                     << QString::fromUtf8("Le fichier logo.bmp n'est pas une image lisible.\nLe fichier est vide.");
    }

    void unreadableMessageNamesFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QFETCH(QString, text);
        QCOMPARE(unreadablePictureMessage(path, reason), text);
    }

    // Metafiles

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

        const QString file = path("from-wmf.bmp");
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

    // Files that once crashed the program or held it up, each as fuzzing
    // found it: read and drawn at the sizes that found them.
    void foundByFuzzing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        const QDir found(QStringLiteral(KALVENOR_PICTURE_TEST_DATA));
        QTest::newRow("text turned a tenth of a degree, 40 times wider")
            << found.filePath("fuzz-turned-stretched-text.wmf") << QString();
        QTest::newRow("200 bytes of run lengths claiming 50 million pixels")
            << found.filePath("fuzz-run-length-bomb.bmp") << "L'image est trop grande (6 x 8388610 pixels).";
    }
    void foundByFuzzing()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        const PictureLoad load = Picture::load(file);
        QCOMPARE(load.reason, reason);
        if (!load.ok)
            return;
        QCOMPARE(drawn(load.picture, QSize(64, 40), QRectF(0, 0, 1, 400)).size(), QSize(64, 40));
        QCOMPARE(drawn(load.picture, QSize(64, 40), QRectF(3.5, 2, 57, 36)).size(), QSize(64, 40));
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
