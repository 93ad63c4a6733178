#include "editor/picture/labelpicture.h"
#include "editor/picture/resampling.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <QFile>

namespace {

// Usable area 3000 × 1500 twips: a resampling box of 375 × 188 pixels
// (1500 / 8 = 187.5, halves to even).
const QRect editor(300, 450, 3030, 1530);

Picture colourPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 90));
    return Picture::fromImage(image);
}

LabelPicture opened(QSize pixels)
{
    LabelPicture picture;
    picture.setEditor(editor);
    picture.ouvimage(colourPicture(pixels));
    return picture;
}

quint16 bitsPerPixel(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(30);
    return header.size() == 30 ? qFromLittleEndian<quint16>(header.constData() + 28) : 0;
}

} // namespace

class TestLabelPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void resamplingBox_data();
    void resamplingBox();
    void planRoundsHalvesToEven_data();
    void planRoundsHalvesToEven();
    void redimimage_data();
    void redimimage();
    void qualityColours_data();
    void qualityColours();
    void resizingChangesQuality();
    void captions();
    void nullPictureKeepsPrevious();
    void restoreKeepsStoredPixels();
    void clearingCaptionsKeepsPixelSize();
    void savesBitmapAtItsDepth_data();
    void savesBitmapAtItsDepth();
};

void TestLabelPicture::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void TestLabelPicture::resamplingBox_data()
{
    QTest::addColumn<int>("editorWidth");
    QTest::addColumn<int>("box");

    // (width − 30) / 1440 × 180 = (width − 30) / 8
    QTest::newRow("whole") << 3030 << 375;
    QTest::newRow("half, odd below: up") << 1530 << 188;      // 187.5
    QTest::newRow("half, even below: down") << 2018 << 248;   // 248.5
    QTest::newRow("below half") << 2013 << 248;               // 247.875
    QTest::newRow("above half") << 2023 << 249;               // 249.125
    QTest::newRow("no usable width") << 20 << 0;
}

void TestLabelPicture::resamplingBox()
{
    QFETCH(int, editorWidth);
    QFETCH(int, box);
    QCOMPARE(resampling::box(QSize(editorWidth, 1530)), QSize(box, 188));
}

void TestLabelPicture::planRoundsHalvesToEven_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("size");

    QTest::newRow("123.5 to 124") << QSize(2000, 1000) << QSize(247, 500) << QSize(247, 124);
    QTest::newRow("124.5 to 124") << QSize(2000, 1000) << QSize(249, 500) << QSize(249, 124);
    QTest::newRow("by height, 62.5 to 62") << QSize(1000, 2000) << QSize(500, 125) << QSize(62, 125);
    QTest::newRow("by height, 63.5 to 64") << QSize(1000, 2000) << QSize(500, 127) << QSize(64, 127);
    QTest::newRow("never below one pixel") << QSize(9000, 3) << QSize(375, 188) << QSize(375, 1);
    QTest::newRow("inside the box: kept") << QSize(375, 188) << QSize(375, 188) << QSize(375, 188);
}

void TestLabelPicture::planRoundsHalvesToEven()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, box);
    QFETCH(QSize, size);
    const resampling::Plan plan = resampling::plan(pixels, box);
    QCOMPARE(plan.size, size);
    QCOMPARE(plan.reduced, pixels != size);
}

void TestLabelPicture::redimimage_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("resampled");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("quality");
    QTest::addColumn<QString>("qualityCaption");

    QTest::newRow("small: kept, poor") << QSize(100, 50) << QSize(100, 50) << 1.0 << 48
                                       << "Qualité:48 pixels/pouce";
    QTest::newRow("medium: kept, fair") << QSize(360, 180) << QSize(360, 180) << 1.0 << 172
                                        << "Qualité:172 pixels/pouce";
    QTest::newRow("exactly the box") << QSize(375, 188) << QSize(375, 188) << 1.0 << 180
                                     << "Qualité:180 pixels/pouce";
    QTest::newRow("large, label's ratio") << QSize(4000, 2000) << QSize(375, 188) << 375.0 / 4000 << 180
                                          << "Qualité:180 pixels/pouce";
    QTest::newRow("large, tall") << QSize(1000, 4000) << QSize(47, 188) << 188.0 / 4000 << 180
                                 << "Qualité:180 pixels/pouce";
    QTest::newRow("wider than the box only") << QSize(800, 100) << QSize(375, 47) << 375.0 / 800 << 180
                                             << "Qualité:180 pixels/pouce";
    QTest::newRow("higher than the box only") << QSize(300, 400) << QSize(141, 188) << 188.0 / 400 << 180
                                              << "Qualité:180 pixels/pouce";
}

void TestLabelPicture::redimimage()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, resampled);
    QFETCH(double, factor);
    QFETCH(int, quality);
    QFETCH(QString, qualityCaption);

    const LabelPicture picture = opened(pixels);
    QVERIFY(picture.hasPicture());
    QCOMPARE(picture.picture().pixelSize(), resampled);
    QCOMPARE(QSize(picture.xpixel(), picture.ypixel()), resampled);
    QCOMPARE(picture.factor(), factor);
    QCOMPARE(picture.quality(), quality);
    QCOMPARE(picture.captions().quality, qualityCaption);
    QCOMPARE(picture.captions().pixel,
             QStringLiteral("Pixels image:%1 x %2").arg(resampled.width()).arg(resampled.height()));
    // Never more than the box, whatever came in.
    QVERIFY(resampled.width() <= 375 && resampled.height() <= 188);
}

void TestLabelPicture::qualityColours_data()
{
    QTest::addColumn<int>("quality");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");

    const QColor darkRed(192, 0, 0), orange(255, 192, 128), lightGreen(192, 255, 192);
    QTest::newRow("0") << 0 << darkRed << QColor(Qt::white);
    QTest::newRow("120") << 120 << darkRed << QColor(Qt::white);
    QTest::newRow("121") << 121 << orange << QColor(Qt::black);
    QTest::newRow("178") << 178 << orange << QColor(Qt::black);
    QTest::newRow("179") << 179 << lightGreen << QColor(Qt::black);
    QTest::newRow("1000") << 1000 << lightGreen << QColor(Qt::black);
}

void TestLabelPicture::qualityColours()
{
    QFETCH(int, quality);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    const resampling::QualityColours colours = resampling::colours(quality);
    QCOMPARE(colours.background, background);
    QCOMPARE(colours.text, text);
}

void TestLabelPicture::resizingChangesQuality()
{
    // 100 pixels over 3000 twips: 48 pixels per inch; over 750 twips: 192.
    LabelPicture picture = opened(QSize(100, 50));
    QCOMPARE(picture.qualityColours().background, QColor(192, 0, 0));
    picture.changeformat(750);
    QCOMPARE(picture.quality(), 192);
    QCOMPARE(picture.captions().quality, QStringLiteral("Qualité:192 pixels/pouce"));
    QCOMPARE(picture.qualityColours().background, QColor(192, 255, 192));
    // Resizing shows the picture bigger or smaller; its pixels stay.
    QCOMPARE(picture.picture().pixelSize(), QSize(100, 50));
}

void TestLabelPicture::captions()
{
    LabelPicture picture = opened(QSize(2000, 1000));
    QCOMPARE(picture.captions().format, QStringLiteral("Format:52,9 x 26,5 mm"));
    QCOMPARE(picture.captions().left, QStringLiteral("Gauche:0,3 mm"));   // the margin counts
    QCOMPARE(picture.captions().top, QStringLiteral("Haut :0,3 mm"));
    QCOMPARE(picture.captions().pixel, QStringLiteral("Pixels image:375 x 188"));

    picture.changeformat(1134);   // 20 mm
    QCOMPARE(picture.captions().format, QStringLiteral("Format:20,0 x 10,0 mm"));
    picture.changeleft(300 + 567);
    picture.changetop(450 + 284);
    QCOMPARE(picture.captions().left, QStringLiteral("Gauche:10,0 mm"));
    QCOMPARE(picture.captions().top, QStringLiteral("Haut :5,0 mm"));
}

void TestLabelPicture::nullPictureKeepsPrevious()
{
    LabelPicture picture = opened(QSize(800, 400));
    const PicturePlacement before = picture.placement();
    QVERIFY(!picture.ouvimage(Picture()));
    QVERIFY(picture.hasPicture());
    QCOMPARE(picture.placement(), before);
    QCOMPARE(picture.picture().pixelSize(), QSize(375, 188));
}

void TestLabelPicture::restoreKeepsStoredPixels()
{
    LabelPicture picture;
    picture.setEditor(editor);
    picture.restore(colourPicture(QSize(200, 100)), PicturePlacement{60, 90, 1200, 600});
    QVERIFY(picture.hasPicture());
    QCOMPARE(picture.placement(), (PicturePlacement{60, 90, 1200, 600}));
    QCOMPARE(QSize(picture.xpixel(), picture.ypixel()), QSize(200, 100));
    QCOMPARE(picture.quality(), 240);   // 200 pixels over 1200 twips
    QCOMPARE(picture.captions().pixel, QStringLiteral("Pixels image:200 x 100"));

    // Resampling for this label changes nothing: it already fits the box.
    picture.redimimage();
    QCOMPARE(picture.picture().pixelSize(), QSize(200, 100));

    picture.restore(Picture(), PicturePlacement{60, 90, 1200, 600});
    QVERIFY(!picture.hasPicture());
}

void TestLabelPicture::clearingCaptionsKeepsPixelSize()
{
    LabelPicture picture = opened(QSize(800, 400));
    picture.clearCaptions();
    picture.supimage();
    QVERIFY(!picture.hasPicture());
    QVERIFY(picture.captions().format.isEmpty());
    QVERIFY(picture.captions().left.isEmpty());
    QVERIFY(picture.captions().top.isEmpty());
    QVERIFY(picture.captions().quality.isEmpty());
    QCOMPARE(picture.captions().pixel, QStringLiteral("Pixels image:375 x 188"));
}

void TestLabelPicture::savesBitmapAtItsDepth_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("bits");
    QTest::newRow("grey") << QColor(90, 90, 90) << 8;
    QTest::newRow("colour") << QColor(200, 40, 90) << 24;
}

void TestLabelPicture::savesBitmapAtItsDepth()
{
    QFETCH(QColor, colour);
    QFETCH(int, bits);
    QTemporaryDir dir;
    QImage image(QSize(600, 300), QImage::Format_RGB32);
    image.fill(colour);
    LabelPicture picture;
    picture.setEditor(editor);
    QVERIFY(!picture.sauvimage(dir.filePath("none.bmp")));   // nothing to save yet
    QVERIFY(!QFile::exists(dir.filePath("none.bmp")));
    QVERIFY(picture.ouvimage(Picture::fromImage(image)));

    const QString path = dir.filePath("modele.bmp");
    QVERIFY(picture.sauvimage(path));
    QCOMPARE(int(bitsPerPixel(path)), bits);
    const PictureLoad back = Picture::load(path);
    QVERIFY(back.ok);
    QCOMPARE(back.picture.pixelSize(), QSize(375, 188));
}

QTEST_APPLESS_MAIN(TestLabelPicture)
#include "tst_labelpicture.moc"
