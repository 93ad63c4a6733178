#include "editor/textmeasure.h"
#include "platform/imaging/picture.h"
#include "print/pagepreview.h"
#include "print/pixelpage.h"
#include "print/sheetgeometry.h"
#include "print/sheetrenderer.h"

#include <QPainter>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr double dotsPerTwip = 600.0 / 1440.0;

QImage paper()
{
    QImage image(qRound(11906 * dotsPerTwip), qRound(16838 * dotsPerTwip), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool dark(const QImage &image, double xTwips, double yTwips)
{
    return qGray(image.pixel(int(xTwips * dotsPerTwip), int(yTwips * dotsPerTwip))) < 128;
}

QImage render(const SheetSnapshot &sheet, const RenderOptions &options)
{
    QImage image = paper();
    QPainter painter(&image);
    painter.scale(dotsPerTwip, dotsPerTwip);
    TextMeasure measure;
    SheetRenderer(measure).render(painter, sheet, options);
    return image;
}

SheetType type(int cols, int rows, int width, int height, int top, int bottom, int left, int right)
{
    return {QStringLiteral("T"), cols, rows, width, height, top, bottom, left, right};
}

SheetSnapshot everyLabel(const SheetType &t, qint64 colour)
{
    SheetSnapshot sheet{t, {}};
    for (int i = 0; i < t.cols * t.rows; ++i) {
        LabelSnapshot label;
        label.row.numetiq = i;
        label.row.posx = i % t.cols;
        label.row.posy = i / t.cols;
        label.row.backcolor = colour;
        sheet.labels.push_back(label);
    }
    return sheet;
}

// A document of lines; each line a list of (text, point size). An empty
// line is in 10 points.
std::unique_ptr<QTextDocument> lines(const QList<QList<std::pair<QString, int>>> &content)
{
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor cursor(doc.get());
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (i > 0) {
            QTextCharFormat opening;
            opening.setFont(QFont(QStringLiteral("Liberation Sans"), content[i].isEmpty() ? 10 : content[i][0].second));
            cursor.insertBlock(QTextBlockFormat(), opening);
        }
        for (const auto &[text, size] : content[i]) {
            QTextCharFormat format;
            format.setFont(QFont(QStringLiteral("Liberation Sans"), size));
            cursor.insertText(text, format);
        }
    }
    return doc;
}

// Ink of the image's dark pixels, in twips.
QRectF ink(const QImage &image)
{
    int l = image.width(), t = image.height(), r = -1, b = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
            }
    return r < 0 ? QRectF() : QRectF(QPointF(l, t) / dotsPerTwip, QPointF(r + 1, b + 1) / dotsPerTwip);
}

} // namespace

class TestSheetRenderer : public QObject {
    Q_OBJECT
private slots:
    void gapsRoundHalvesToEven_data();
    void gapsRoundHalvesToEven();
    void backgroundsLandOnTheirPlaces_data();
    void backgroundsLandOnTheirPlaces();
    void pictureAtItsPlacement_data();
    void pictureAtItsPlacement();
    void frameOverTheText_data();
    void frameOverTheText();
    void lineHeights_data();
    void lineHeights();
    void previewDrawsWhatPrints_data();
    void previewDrawsWhatPrints();
    void previewLabelBoxes_data();
    void previewLabelBoxes();
    void usableLabelCount_data();
    void usableLabelCount();
    void pixelPageHasTheCorrectionsAndTheLimit();
};

void TestSheetRenderer::gapsRoundHalvesToEven_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("margins");   // left and right each
    QTest::addColumn<int>("gap");
    QTest::newRow("2.5 to 2") << 3 << 3901 << 99 << 2;
    QTest::newRow("3.5 to 4") << 3 << 3900 << 99 << 4;
    QTest::newRow("negative half") << 3 << 3969 << 0 << 0;
    QTest::newRow("one column") << 1 << 5000 << 100 << 0;
}

void TestSheetRenderer::gapsRoundHalvesToEven()
{
    QFETCH(int, cols);
    QFETCH(int, width);
    QFETCH(int, margins);
    QFETCH(int, gap);
    const SheetGeometry g = sheetGeometry(type(cols, 2, width, 1000, 0, 0, margins, margins), 11906, 16838);
    QCOMPARE(g.hGap, gap);
    QCOMPARE(g.colPitch, width + gap);
}

void TestSheetRenderer::backgroundsLandOnTheirPlaces_data()
{
    QTest::addColumn<SheetType>("sheet");
    QTest::addColumn<int>("hGap");
    QTest::addColumn<int>("vGap");
    QTest::addColumn<double>("deltaH");
    QTest::addColumn<double>("deltaV");
    // 3 x 8 of 70 x 37 mm on a full page; 6 x 16 of 30 x 16.9 mm with margins.
    const SheetType three = type(3, 8, 3969, 2098, 0, 0, 0, 0);
    const SheetType six = type(6, 16, 1701, 958, 737, 737, 454, 454);
    // Gaps worked out by hand: (11906 - 11907) / 2 = -0.5 and 54 / 7; 792 / 5 and 36 / 15; 2838 / 3.
    QTest::newRow("3x8") << three << 0 << 8 << 0.0 << 0.0;
    QTest::newRow("6x16 corrected") << six << 158 << 2 << 30.0 << -15.0;
    QTest::newRow("one column") << type(1, 4, 5000, 3000, 1000, 1000, 2000, 2000) << 0 << 946 << 0.0 << 0.0;
}

void TestSheetRenderer::backgroundsLandOnTheirPlaces()
{
    QFETCH(SheetType, sheet);
    QFETCH(int, hGap);
    QFETCH(int, vGap);
    QFETCH(double, deltaH);
    QFETCH(double, deltaV);
    RenderOptions options;
    options.deltaH = deltaH;
    options.deltaV = deltaV;
    const QImage image = render(everyLabel(sheet, 0x000000), options);
    // One dot inside each corner is inked, one dot outside is paper (or the next label).
    const double dot = 1 / dotsPerTwip;
    for (int row = 0; row < sheet.rows; ++row) {
        for (int col = 0; col < sheet.cols; ++col) {
            const double left = sheet.margegauche + col * (sheet.widthetiq + hGap) + deltaH;
            const double top = sheet.margehaut + row * (sheet.heightetiq + vGap) + deltaV;
            const double right = left + sheet.widthetiq, bottom = top + sheet.heightetiq;
            QVERIFY2(dark(image, left + dot, top + dot), qPrintable(QStringLiteral("%1,%2").arg(col).arg(row)));
            QVERIFY(dark(image, right - dot, bottom - dot));
            if (left - dot > 0 && (col == 0 || hGap > 2 * dot))
                QVERIFY2(!dark(image, left - dot, top + dot), qPrintable(QStringLiteral("%1,%2").arg(col).arg(row)));
            if (top - dot > 0 && (row == 0 || vGap > 2 * dot))
                QVERIFY(!dark(image, left + dot, top - dot));
        }
    }
}

void TestSheetRenderer::pictureAtItsPlacement_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::newRow("first label") << 0 << 0;
    QTest::newRow("second column, third row") << 1 << 2;
}

// The placement is measured from the text's corner, 30 twips inside the label.
void TestSheetRenderer::pictureAtItsPlacement()
{
    QFETCH(int, col);
    QFETCH(int, row);
    const SheetType t = type(3, 8, 3969, 2098, 0, 0, 0, 0);
    SheetSnapshot sheet = everyLabel(t, 0xFFFFFF);
    QImage black(10, 10, QImage::Format_RGB32);
    black.fill(Qt::black);
    const Picture picture = Picture::fromImage(black);
    LabelSnapshot &label = sheet.labels[row * 3 + col];
    label.row.impage = true;
    label.row.impleft = 300;
    label.row.imptop = 200;
    label.row.impwidth = 600;
    label.row.impheight = 480;
    label.picture = &picture;
    const QRectF box = sheetGeometry(t, 11906, 16838).labelRect(col, row);
    const QRectF expected(box.left() + 330, box.top() + 230, 600, 480);
    const QRectF found = ink(render(sheet, RenderOptions()));
    const double dot = 1 / dotsPerTwip;
    QVERIFY2(qAbs(found.left() - expected.left()) < dot && qAbs(found.top() - expected.top()) < dot
                 && qAbs(found.right() - expected.right()) < dot && qAbs(found.bottom() - expected.bottom()) < dot,
             qPrintable(QStringLiteral("ink at %1,%2 %3 x %4").arg(found.left()).arg(found.top())
                            .arg(found.width()).arg(found.height())));
}

void TestSheetRenderer::frameOverTheText_data()
{
    QTest::addColumn<bool>("frame");
    QTest::addColumn<int>("printableBottom");
    QTest::newRow("no frame") << false << 16838;
    QTest::newRow("frame") << true << 16838;
    // The text goes, the frame stays.
    QTest::newRow("text below the printable area") << true << 1100;
}

void TestSheetRenderer::frameOverTheText()
{
    QFETCH(bool, frame);
    QFETCH(int, printableBottom);
    const SheetType t = type(2, 2, 5000, 5000, 1000, 1000, 900, 900);
    SheetSnapshot sheet = everyLabel(t, 0xFFFFFF);
    // A red line of full blocks running past the right edge: the frame is
    // drawn over it.
    QTextDocument blocks;
    QTextCharFormat red;
    red.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    red.setForeground(Qt::red);
    QTextCursor(&blocks).insertText(QString(40, QChar(0x2588)), red);
    sheet.labels[0].text = &blocks;
    RenderOptions options;
    options.cutFrame = frame;
    options.printableBottom = printableBottom;
    const QImage image = render(sheet, options);
    QCOMPARE(dark(image, 900 + 4, 3000), frame);          // on the left edge
    QCOMPARE(dark(image, 900 + 5000 - 4, 3000), frame);   // on the right edge
    QVERIFY(!dark(image, 900 + 2500, 3000));               // never inside
    const auto pixel = [&](double x, double y) { return image.pixel(int(x * dotsPerTwip), int(y * dotsPerTwip)); };
    const QRgb text = printableBottom > 2000 ? qRgb(255, 0, 0) : qRgb(255, 255, 255);
    QCOMPARE(pixel(900 + 2500, 1000 + 30 + 200), text);
    QCOMPARE(pixel(900 + 5000 - 4, 1000 + 30 + 200), frame ? qRgb(0, 0, 0) : text);
}

void TestSheetRenderer::lineHeights_data()
{
    QTest::addColumn<bool>("mixed");
    QTest::newRow("one font per line") << false;
    QTest::newRow("mixed fonts") << true;
}

// Three lines: a small and a large "H", an empty line, a small "H". The two
// small ones show how far the first two lines advanced.
void TestSheetRenderer::lineHeights()
{
    QFETCH(bool, mixed);
    auto doc = lines({{{QStringLiteral("H"), 10}, {QStringLiteral("H"), 24}}, {}, {{QStringLiteral("H"), 10}}});
    SheetSnapshot sheet = everyLabel(type(1, 2, 8000, 8000, 1000, 1000, 1000, 1000), 0xFFFFFF);
    sheet.labels.resize(1);
    sheet.labels[0].text = doc.get();
    sheet.labels[0].mixedFormat = mixed;
    const QImage image = render(sheet, {});

    // The column of the small characters: the tops of its two inked runs.
    const QImage column = image.copy(int(1000 * dotsPerTwip), 0, int(150 * dotsPerTwip), image.height() / 2);
    QList<double> tops;
    bool inRun = false;
    for (int y = 0; y < column.height(); ++y) {
        bool inked = false;
        for (int x = 0; x < column.width() && !inked; ++x)
            inked = qGray(column.pixel(x, y)) < 128;
        if (inked && !inRun)
            tops << y / dotsPerTwip;
        inRun = inked;
    }
    QCOMPARE(tops.size(), 2);

    TextMeasure measure;
    FontMeasure &small = measure.font(QFont(QStringLiteral("Liberation Sans"), 10));
    FontMeasure &large = measure.font(QFont(QStringLiteral("Liberation Sans"), 24));
    // One font per line: the first line is as high as its first character,
    // the empty one as an "a", and each "H" hangs from its line's top. Mixed:
    // the first line is as high as its tallest character, and its small "H"
    // sits on the large one's baseline.
    const double advance = mixed ? large.cellHeight() + small.cellHeight() + small.baselineDepth() - large.baselineDepth()
                                 : 2 * small.cellHeight();
    QVERIFY2(std::abs((tops[1] - tops[0]) - advance) <= 2 / dotsPerTwip,
             qPrintable(QStringLiteral("%1 vs %2").arg(tops[1] - tops[0]).arg(advance)));
    // The first line's two characters end on one baseline only when mixed.
    const int split = int((1000 + 30 + 150) * dotsPerTwip);   // between the two characters
    const QRectF smallInk = ink(image.copy(0, 0, split, int(tops[1] * dotsPerTwip)));
    const QRectF largeInk = ink(image.copy(split, 0, image.width() - split, image.height() / 2));
    QCOMPARE(std::abs(smallInk.bottom() - largeInk.bottom()) <= 1 / dotsPerTwip, mixed);
}

// The preview and the pixel page at a coarser grain than the paper above.
constexpr double coarse = 150.0 / 1440.0;

QColor at(const QImage &image, double xTwips, double yTwips)
{
    return image.pixelColor(int(xTwips * coarse), int(yTwips * coarse));
}

void TestSheetRenderer::previewDrawsWhatPrints_data()
{
    QTest::addColumn<int>("printableBottom");
    QTest::addColumn<bool>("textShown");
    QTest::newRow("whole page printable") << 16838 << true;
    // The printer stops above the last row's text: so does the preview.
    QTest::newRow("printer stops above the last row") << 16838 - 2000 << false;
}

void TestSheetRenderer::previewDrawsWhatPrints()
{
    QFETCH(int, printableBottom);
    QFETCH(bool, textShown);
    const SheetType t = type(3, 8, 3969, 2098, 0, 0, 0, 0);
    SheetSnapshot sheet = everyLabel(t, 0x00FFFF);   // yellow
    const auto text = lines({{{QStringLiteral("MMMM"), 24}}});
    for (LabelSnapshot &label : sheet.labels)
        label.text = text.get();
    // Label 120 of no sheet: a picture there, or further, is never drawn.
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    const Picture picture = Picture::fromImage(red);
    sheet.labels[22].row.impage = true;
    sheet.labels[22].row.impwidth = sheet.labels[22].row.impheight = 600;
    sheet.labels[22].picture = &picture;
    sheet.labels[23] = sheet.labels[22];
    sheet.labels[23].row.numetiq = 120;
    sheet.labels[23].row.posx = 2;

    PreviewPaper paper;
    paper.printable = QRect(0, 0, 11906, printableBottom);
    TextMeasure measure;
    const QImage preview = pagepreview::draw(sheet, paper, coarse, measure);
    QImage printed(preview.size(), QImage::Format_RGB32);
    printed.fill(Qt::white);
    {
        QPainter painter(&printed);
        painter.scale(coarse, coarse);
        RenderOptions options;
        options.printableBottom = printableBottom;
        SheetRenderer(measure).render(painter, sheet, options);
    }
    // Inside the labels and the printable area the preview is the printed
    // page, pixel for pixel.
    const SheetGeometry geometry = sheetGeometry(t, 11906, 16838);
    for (const LabelSnapshot &label : sheet.labels) {
        const QRectF twips = QRectF(geometry.labelRect(label.row.posx, label.row.posy)) & QRectF(0, 0, 11906, printableBottom);
        const QRect pixels = QRectF(twips.topLeft() * coarse, twips.bottomRight() * coarse).toAlignedRect().adjusted(1, 1, -1, -1);
        QVERIFY2(preview.copy(pixels) == printed.copy(pixels), qPrintable(QString::number(label.row.numetiq)));
    }
    const QRect last = geometry.labelRect(0, 7);
    bool ink = false;
    for (int x = last.left() + 40; x < last.right() - 40; x += 5)
        ink = ink || qGray(at(preview, x, last.top() + 300).rgb()) < 80;
    QCOMPARE(ink, textShown);
    auto reddish = [&](int x) {
        const QColor c = at(preview, x + 35 + 100, last.top() + 35 + 100);
        return c.red() > c.green() + 60;
    };
    QVERIFY(reddish(last.left() + 3969));        // label 22's picture
    QVERIFY(!reddish(last.left() + 2 * 3969));   // none for label 120
}

void TestSheetRenderer::previewLabelBoxes_data()
{
    QTest::addColumn<SheetType>("sheet");
    QTest::addColumn<bool>("inset");
    QTest::newRow("no top or left margin") << type(3, 8, 3969, 2098, 0, 0, 0, 0) << true;
    QTest::newRow("a left margin") << type(3, 8, 3800, 2098, 0, 0, 153, 153) << false;
    QTest::newRow("a top margin") << type(3, 7, 3969, 2098, 500, 500, 0, 0) << false;
}

void TestSheetRenderer::previewLabelBoxes()
{
    QFETCH(SheetType, sheet);
    QFETCH(bool, inset);
    TextMeasure measure;
    const QImage preview = pagepreview::draw({sheet, {}}, PreviewPaper{}, coarse, measure);
    const QRect label = sheetGeometry(sheet, 11906, 16838).labelRect(1, 1);
    QCOMPARE(at(preview, label.left() + 8, label.center().y()), inset ? pagepreview::paperColor : QColor(Qt::white));
    QCOMPARE(at(preview, label.left() + 25, label.center().y()), QColor(Qt::white));
}

void TestSheetRenderer::usableLabelCount_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("usable");
    // 768 pixels: floor(10953 / 1134) = 9 rows of 3.
    QTest::newRow("768-pixel screen") << 11520 << 567 << 0 << 1134 << 27;
    // The last gap needs no room: floor((11520 - 567 + 100) / 1234) = 8.
    QTest::newRow("gaps between rows") << 11520 << 567 << 100 << 1134 << 24;
    QTest::newRow("margin taller than the screen") << 11520 << 12000 << 0 << 1134 << 0;
}

void TestSheetRenderer::usableLabelCount()
{
    QFETCH(int, screen);
    QFETCH(int, top);
    QFETCH(int, gap);
    QFETCH(int, height);
    QFETCH(int, usable);
    QCOMPARE(pixelpage::usableLabelCount(screen, top, gap, height, 3), usable);
}

void TestSheetRenderer::pixelPageHasTheCorrectionsAndTheLimit()
{
    const SheetType t = type(3, 8, 3969, 2098, 0, 0, 0, 0);
    SheetSnapshot sheet = everyLabel(t, 0x000000);
    RenderOptions options;
    options.deltaH = 567;
    options.deltaV = 283;
    options.labelLimit = 9;   // three rows
    TextMeasure measure;
    const QImage page = pixelpage::draw(sheet, options, 150, measure);
    QCOMPARE(page.size(), QSize(1240, 1754));
    QCOMPARE(page.dotsPerMeterX(), 5906);
    // Label 0 starts 1 cm across and 5 mm down; nothing from the fourth row on.
    QCOMPARE(at(page, 567 - 20, 1000), QColor(Qt::white));
    QCOMPARE(at(page, 567 + 20, 1000), QColor(Qt::black));
    QCOMPARE(at(page, 1000, 283 - 20), QColor(Qt::white));
    QCOMPARE(at(page, 1000, 283 + 20), QColor(Qt::black));
    QCOMPARE(at(page, 1000, 283 + 3 * 2098 + 200), QColor(Qt::white));
    QVERIFY(pixelpage::draw(sheet, options, 20, measure).isNull());
}

QTEST_MAIN(TestSheetRenderer)
#include "tst_sheetrenderer.moc"
