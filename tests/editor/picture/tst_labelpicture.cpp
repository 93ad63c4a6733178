#include "editor/picture/labelpicture.h"
#include "editor/picture/picturecaptions.h"
#include "editor/picture/resampling.h"
#include "platform/imaging/pictureloader.h"

#include "wmfbuilder.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// Usable area 3000 × 1500 twips: a resampling box of 375 × 188 pixels.
const QRect editor(300, 450, 3030, 1530);

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

} // namespace

class TestLabelPicture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void resamplingBox_data();
    void resamplingBox();
    void redimimage_data();
    void redimimage();
    void qualityColours_data();
    void qualityColours();
    void captionsFollowTheBars();
    void metafileQualityIsItsBitmaps();
    void savesBitmapAtItsDepth_data();
    void savesBitmapAtItsDepth();
};

void TestLabelPicture::resamplingBox_data()
{
    QTest::addColumn<int>("editorWidth");
    QTest::addColumn<int>("box");
    // (width − 30) / 1440 × 180 = (width − 30) / 8, halves to even.
    QTest::newRow("187.5 up") << 1530 << 188;
    QTest::newRow("248.5 down") << 2018 << 248;
    QTest::newRow("no usable width") << 20 << 0;
}

void TestLabelPicture::resamplingBox()
{
    QFETCH(int, editorWidth);
    QFETCH(int, box);
    QCOMPARE(resampling::box(QSize(editorWidth, 3030)), QSize(box, 375));
}

void TestLabelPicture::redimimage_data()
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

void TestLabelPicture::redimimage()
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

void TestLabelPicture::qualityColours_data()
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

void TestLabelPicture::qualityColours()
{
    QFETCH(int, quality);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QCOMPARE(resampling::colours(quality).background, background);
    QCOMPARE(resampling::colours(quality).text, text);
}

void TestLabelPicture::captionsFollowTheBars()
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
}

// A drawing of 2 x 1 inches, small enough to be kept at its own size: the
// label holds the bitmap it was drawn into, and the quality is that bitmap's
// figure over the shown width.
void TestLabelPicture::metafileQualityIsItsBitmaps()
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
    const QString path = dir.filePath("modele.bmp");
    QVERIFY(!LabelPicture().sauvimage(path));   // nothing to save
    QVERIFY(opened(filled(QSize(600, 300), colour)).sauvimage(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(int(qFromLittleEndian<quint16>(file.read(30).constData() + 28)), bits);
    QCOMPARE(Picture::load(path).picture.pixelSize(), QSize(375, 188));
}

QTEST_APPLESS_MAIN(TestLabelPicture)
#include "tst_labelpicture.moc"
