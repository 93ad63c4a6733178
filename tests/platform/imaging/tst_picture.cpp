#include "platform/imaging/picture.h"
#include "platform/imaging/picturemessage.h"

#include "testpictures.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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
        QVERIFY(writeFile(path("phone.jpg"), jpeg));

        const PictureLoad load = Picture::load(path("phone.jpg"));
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
        QByteArray badHeader = bmpWithRows(4, 4, 4), badDepth = badHeader;
        qToLittleEndian(quint32(7), badHeader.data() + 14);
        qToLittleEndian(quint16(7), badDepth.data() + 28);
        QTest::newRow("bmp with odd header size") << "header.bmp" << badHeader << badBmp;
        QTest::newRow("bmp with 7 bits per pixel") << "depth.bmp" << badDepth << badBmp;
        QTest::newRow("icon pointing past its end")
            << "broken.ico" << QByteArray("\0\0\1\0\1\0\x20\x20\0\0\1\0\x20\0\0\x10\0\0\0\0\0\x40", 22)
            << "Les données de l'image sont illisibles.";
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
        QTest::newRow("grey bytes") << solid(QSize(5, 5), Qt::gray, QImage::Format_Grayscale8) << true;

        QImage indexed(4, 4, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 0, 0)});
        indexed.fill(1);
        QTest::newRow("palette colour unused") << indexed << true;
        QImage indexedRed = indexed;
        indexedRed.setPixel(2, 2, 2);
        QTest::newRow("palette colour used") << indexedRed << false;

        QTest::newRow("invisible red over white") << solid(QSize(4, 4), QColor(255, 0, 0, 0), QImage::Format_ARGB32)
                                                  << true;
        QTest::newRow("faint red over white") << solid(QSize(4, 4), QColor(255, 0, 0, 60), QImage::Format_ARGB32) << false;
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
        QTest::newRow("16 bits") << false << 16 << "refused.bmp" << "Profondeur de couleur non prise en charge : 16 bits.";
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
        QImage canvas = solid(QSize(100, 60), Qt::white);
        {
            QPainter painter(&canvas);
            Picture::fromImage(left_right).draw(painter, QRectF(20, 10, 60, 40));
        }
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

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
