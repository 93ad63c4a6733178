#include "pdfraster.h"

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
// The preview and the pixel page at a coarser grain than the paper.
constexpr double coarse = 150.0 / 1440.0;

bool dark(const QImage &image, double xTwips, double yTwips)
{
    return qGray(image.pixel(int(xTwips * dotsPerTwip), int(yTwips * dotsPerTwip))) < 128;
}

QColor at(const QImage &image, double xTwips, double yTwips)
{
    return image.pixelColor(int(xTwips * coarse), int(yTwips * coarse));
}

// The sheet drawn on white A4 paper, at 600 dpi unless told.
QImage render(const SheetSnapshot &sheet, const RenderOptions &options, double scale = dotsPerTwip)
{
    QImage image(qRound(11906 * scale), qRound(16838 * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
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
    for (int i = 0; i < t.cols * t.rows; ++i)
        sheet.labels.push_back({PageRow{.numetiq = i, .posx = i % t.cols, .posy = i / t.cols, .backcolor = colour}});
    return sheet;
}

Picture solid(Qt::GlobalColor colour)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(colour);
    return Picture::fromImage(image);
}

QTextCharFormat inFont(int points, const char *family = "Liberation Sans")
{
    QTextCharFormat format;
    format.setFont(QFont(QString::fromLatin1(family), points));
    return format;
}

// Ink of the image's dark pixels, in twips.
QRectF ink(const QImage &image)
{
    const QRectF dots = pdfraster::inkBounds(image.convertToFormat(QImage::Format_Grayscale8));
    return QRectF(dots.topLeft() / dotsPerTwip, dots.size() / dotsPerTwip);
}

} // namespace

class TestSheetRenderer : public QObject {
    Q_OBJECT
private slots:
    void backgroundsLandOnTheirPlaces();
    void frameOverTheText();
    void lineHeights();
    void kernedRunAdvancesAsFitted();
    void previewDrawsWhatPrints();
    void previewLabelBoxes();
    void pixelPageHasTheCorrectionsAndTheLimit();
};

// Each label's background at its place, corrected; the last label also carries a white picture,
// placed from its text's corner 30 twips inside.
void TestSheetRenderer::backgroundsLandOnTheirPlaces()
{
    const auto row = [](const SheetType &t, int hGap, int vGap, double deltaH, double deltaV) {
        const SheetGeometry g = sheetGeometry(t, 11906, 16838);
        QCOMPARE(g.hGap, hGap);
        QCOMPARE(g.vGap, vGap);
        SheetSnapshot sheet = everyLabel(t, 0x000000);
        const Picture picture = solid(Qt::white);
        LabelSnapshot &last = sheet.labels.back();
        last.row.impage = true;
        last.row.impleft = 300;
        last.row.imptop = 200;
        last.row.impwidth = 600;
        last.row.impheight = 480;
        last.picture = &picture;
        const QImage image = render(sheet, {.origin = {}, .deltaH = deltaH, .deltaV = deltaV});
        // One dot inside each corner of `box` is `inked`; one dot outside its top-left corner is
        // not, where paper (not the next label) is that close.
        const double dot = 1 / dotsPerTwip;
        const auto edges = [&](const QRectF &box, bool inked, bool leftShows, bool topShows) {
            return dark(image, box.left() + dot, box.top() + dot) == inked
                && dark(image, box.right() - dot, box.bottom() - dot) == inked
                && (!leftShows || box.left() - dot <= 0 || dark(image, box.left() - dot, box.top() + dot) != inked)
                && (!topShows || box.top() - dot <= 0 || dark(image, box.left() + dot, box.top() - dot) != inked);
        };
        QRectF box;
        for (int row = 0; row < t.rows; ++row)
            for (int col = 0; col < t.cols; ++col) {
                box = QRectF(t.margegauche + col * (t.widthetiq + hGap) + deltaH,
                             t.margehaut + row * (t.heightetiq + vGap) + deltaV, t.widthetiq, t.heightetiq);
                QVERIFY2(edges(box, true, col == 0 || hGap > 2 * dot, row == 0 || vGap > 2 * dot),
                         qPrintable(QStringLiteral("%1 across, label %2,%3").arg(t.cols).arg(col).arg(row)));
            }
        QVERIFY(edges(QRectF(box.left() + 330, box.top() + 230, 600, 480), false, true, true));
    };
    // Gaps worked out by hand, halves rounded to even: (11906 - 11907) / 2 = -0.5 and 54 / 7 for 3 x 8 of
    // 70 x 37 mm; 792 / 5 and 36 / 15 for 6 x 16 with margins; 5 / 2 and 7 / 2; none and 2838 / 3 for one column.
    row(type(3, 8, 3969, 2098, 0, 0, 0, 0), 0, 8, 0, 0);
    row(type(6, 16, 1701, 958, 737, 737, 454, 454), 158, 2, 30, -15);
    row(type(3, 3, 3901, 5000, 915, 916, 99, 99), 2, 4, 0, 0);
    row(type(1, 4, 5000, 3000, 1000, 1000, 2000, 2000), 0, 946, 0, 0);
}

void TestSheetRenderer::frameOverTheText()
{
    SheetSnapshot sheet = everyLabel(type(2, 2, 5000, 5000, 1000, 1000, 900, 900), 0xFFFFFF);
    // A red line of full blocks running past the right edge: the frame is drawn over it.
    QTextDocument blocks;
    QTextCharFormat red = inFont(20, "DejaVu Sans");
    red.setForeground(Qt::red);
    QTextCursor(&blocks).insertText(QString(40, QChar(0x2588)), red);
    sheet.labels[0].text = &blocks;
    // A line whose bottom passes the printable area's goes, the frame stays; one ending on it stays.
    TextMeasure measure;
    const int lineBottom = 1000 + 30 + measure.font(red.font()).cellHeight();
    const std::tuple<bool, int, bool> cases[] = {
        {false, 16838, true}, {true, 16838, true}, {true, 1100, false}, {false, lineBottom, true},
        {false, lineBottom - 1, false}};
    for (const auto &[frame, printableBottom, shown] : cases) {
        const QImage image = render(sheet, {.origin = {}, .cutFrame = frame, .printableBottom = printableBottom});
        QCOMPARE(dark(image, 900 + 4, 3000), frame);          // on the left edge
        QCOMPARE(dark(image, 900 + 5000 - 4, 3000), frame);   // on the right edge
        QVERIFY(!dark(image, 900 + 2500, 3000));               // never inside
        const auto pixel = [&image](double x, double y) {
            return image.pixel(int(x * dotsPerTwip), int(y * dotsPerTwip));
        };
        const QRgb text = shown ? qRgb(255, 0, 0) : qRgb(255, 255, 255);
        QCOMPARE(pixel(900 + 2500, 1000 + 30 + 200), text);
        QCOMPARE(pixel(900 + 5000 - 4, 1000 + 30 + 200), frame ? qRgb(0, 0, 0) : text);
    }
}

// Three lines: a small, a large and a small "H", an empty line, a small "H". The two
// small ones show how far the first two lines advanced.
void TestSheetRenderer::lineHeights()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("H"), inFont(10));
    cursor.insertText(QStringLiteral("H"), inFont(24));
    cursor.insertText(QStringLiteral("H"), inFont(10));   // the line's deepest baseline is not its last character's
    cursor.insertBlock(QTextBlockFormat(), inFont(10));   // empty lines take the font of their opening
    cursor.insertBlock(QTextBlockFormat(), inFont(10));
    cursor.insertText(QStringLiteral("H"), inFont(10));
    SheetSnapshot sheet = everyLabel(type(1, 1, 8000, 8000, 1000, 1000, 1000, 1000), 0xFFFFFF);
    sheet.labels[0].text = &doc;
    TextMeasure measure;
    FontMeasure &small = measure.font(QFont(QStringLiteral("Liberation Sans"), 10));
    FontMeasure &large = measure.font(QFont(QStringLiteral("Liberation Sans"), 24));
    for (const bool mixed : {false, true}) {
        sheet.labels[0].mixedFormat = mixed;
        const QImage image = render(sheet, {});
        // The column of the small characters: the tops of its two inked runs.
        const QImage column = image.copy(int(1000 * dotsPerTwip), 0, int(150 * dotsPerTwip), image.height() / 2);
        QList<double> tops;
        bool inRun = false;
        for (int y = 0; y < column.height(); ++y) {
            const bool inked = !ink(column.copy(0, y, column.width(), 1)).isNull();
            if (inked && !inRun)
                tops << y / dotsPerTwip;
            inRun = inked;
        }
        QCOMPARE(tops.size(), 2);
        // One font per line: the first line is as high as its first character,
        // the empty one as an "a", and each "H" hangs from its line's top. Mixed:
        // the first line is as high as its tallest character, and its small "H"
        // sits on the large one's baseline.
        const double advance = mixed ? large.cellHeight() + small.cellHeight()
                                         + small.baselineDepth() - large.baselineDepth()
                                     : 2 * small.cellHeight();
        QVERIFY2(std::abs((tops[1] - tops[0]) - advance) <= 2 / dotsPerTwip, QByteArray::number(tops[1] - tops[0]));
        // The first line's two characters end on one baseline only when mixed.
        const int split = int((1000 + 30 + 150) * dotsPerTwip);   // between the two characters
        const QRectF smallInk = ink(image.copy(0, 0, split, int(tops[1] * dotsPerTwip)));
        const QRectF largeInk = ink(image.copy(split, 0, image.width() - split, image.height() / 2));
        QCOMPARE(std::abs(smallInk.bottom() - largeInk.bottom()) <= 1 / dotsPerTwip, mixed);
    }
}

// Each "f" lends the next one its overlap, as in text fitting: a red "H" after
// twenty of them starts where the fitter's measures put it.
void TestSheetRenderer::kernedRunAdvancesAsFitted()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QString(20, u'f'), inFont(24));
    QTextCharFormat red = inFont(24);
    red.setForeground(Qt::red);
    cursor.insertText(QStringLiteral("H"), red);
    SheetSnapshot sheet = everyLabel(type(1, 1, 11000, 8000, 1000, 1000, 400, 400), 0xFFFFFF);
    sheet.labels[0].text = &doc;
    TextMeasure measure;
    FontMeasure &font = measure.font(red.font());
    QVERIFY(font.pairOverlap(u'f') > 0);
    double x = 400 + 30;
    for (int i = 0; i < 20; ++i)
        x = qRound(x + font.charWidth(u'f') - font.pairOverlap(u'f'));
    x += QFontMetricsF(font.twipFont()).leftBearing(u'H');
    const QImage image = render(sheet, {});
    const int y = int((1000 + 30 + font.baselineDepth() - 100) * dotsPerTwip);
    const auto isRed = [&](int dot) { return qRed(image.pixel(dot, y)) > 200 && qGreen(image.pixel(dot, y)) < 100; };
    int left = 0;
    while (left < image.width() && !isRed(left))
        ++left;
    QVERIFY2(std::abs(left / dotsPerTwip - x) <= 3 / dotsPerTwip, QByteArray::number(left / dotsPerTwip - x));
}

void TestSheetRenderer::previewDrawsWhatPrints()
{
    const SheetType t = type(3, 8, 3969, 2098, 0, 0, 0, 0);
    SheetSnapshot sheet = everyLabel(t, 0x00FFFF);   // yellow
    QTextDocument text;
    QTextCursor(&text).insertText(QStringLiteral("MMMM"), inFont(24));
    for (LabelSnapshot &label : sheet.labels)
        label.text = &text;
    // Label 120 of no sheet: a picture there, or further, is never drawn.
    const Picture picture = solid(Qt::red);
    sheet.labels[22].row.impage = true;
    sheet.labels[22].row.impwidth = sheet.labels[22].row.impheight = 600;
    sheet.labels[22].picture = &picture;
    sheet.labels[23] = sheet.labels[22];
    sheet.labels[23].row.numetiq = 120;
    sheet.labels[23].row.posx = 2;
    // When the printer stops above the last row's text, so does the preview.
    for (const auto &[printableBottom, textShown] : {std::pair{16838, true}, std::pair{16838 - 2000, false}}) {
        const PreviewPaper paper{.printable = QRect(0, 0, 11906, printableBottom)};
        TextMeasure measure;
        const QImage preview = pagepreview::draw(sheet, paper, coarse, measure);
        const QImage printed = render(sheet, {.origin = {}, .printableBottom = printableBottom}, coarse);
        // Inside the labels and the printable area the preview is the printed page, pixel for pixel.
        const SheetGeometry geometry = sheetGeometry(t, 11906, 16838);
        for (const LabelSnapshot &label : sheet.labels) {
            const QRectF twips = QRectF(geometry.labelRect(label.row.posx, label.row.posy)) & QRectF(paper.printable);
            const QRect pixels = QRectF(twips.topLeft() * coarse, twips.size() * coarse).toAlignedRect()
                                     .adjusted(1, 1, -1, -1);
            QVERIFY2(preview.copy(pixels) == printed.copy(pixels), qPrintable(QString::number(label.row.numetiq)));
        }
        const QRect last = geometry.labelRect(0, 7);
        const QRectF line(last.left() + 40, last.top() + 300, last.width() - 80, 1 / coarse);   // across the text
        QCOMPARE(!ink(preview.copy(QRectF(line.topLeft() * coarse, line.size() * coarse).toRect())).isNull(), textShown);
        const auto reddish = [&](int x) {
            const QColor c = at(preview, x + 35 + 100, last.top() + 35 + 100);
            return c.red() > c.green() + 60;
        };
        QVERIFY(reddish(last.left() + 3969));        // label 22's picture
        QVERIFY(!reddish(last.left() + 2 * 3969));   // none for label 120
    }
}

// Each label's white box in the preview: inset when the sheet has neither a top nor a left margin.
void TestSheetRenderer::previewLabelBoxes()
{
    TextMeasure measure;
    for (const auto &[sheet, inset] : {std::pair{type(3, 8, 3969, 2098, 0, 0, 0, 0), true},
                                       std::pair{type(3, 8, 3800, 2098, 0, 0, 153, 153), false},
                                       std::pair{type(3, 7, 3969, 2098, 500, 500, 0, 0), false}}) {
        const QImage preview = pagepreview::draw({sheet, {}}, PreviewPaper{}, coarse, measure);
        const QRect label = sheetGeometry(sheet, 11906, 16838).labelRect(1, 1);
        QCOMPARE(at(preview, label.left() + 8, label.center().y()), inset ? pagepreview::paperColor : QColor(Qt::white));
        QCOMPARE(at(preview, label.left() + 25, label.center().y()), QColor(Qt::white));
    }
}

void TestSheetRenderer::pixelPageHasTheCorrectionsAndTheLimit()
{
    // The limit: the whole rows of labels 1134 high a 768-pixel screen (11520 twips) holds, 3 across.
    QCOMPARE(pixelpage::usableLabelCount(11520, 567, 0, 1134, 3), 27);   // floor(10953 / 1134) = 9 rows
    // The last row needs no gap below it: nine rows and their eight gaps fill 11006 twips exactly.
    QCOMPARE(pixelpage::usableLabelCount(567 + 11006, 567, 100, 1134, 3), 27);
    QCOMPARE(pixelpage::usableLabelCount(567 + 11005, 567, 100, 1134, 3), 24);
    QCOMPARE(pixelpage::usableLabelCount(11520, 12000, 0, 1134, 3), 0);   // margin taller than the screen
    const SheetSnapshot sheet = everyLabel(type(3, 8, 3969, 2098, 0, 0, 0, 0), 0x000000);
    const RenderOptions options{.origin = {}, .deltaH = 567, .deltaV = 283, .labelLimit = 9};   // three rows
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
