#include "editor/baseline.h"
#include "editor/textmeasure.h"

#include <QTest>

// Liberation Sans carries Arial's metrics: ascent 1854 and descent 434 units
// of a 2048-unit em.
static constexpr double sansAscent = 1854.0 / 2048;
static constexpr double sansCell = (1854.0 + 434.0) / 2048;

static QFont sans(double points)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    return font;
}

class TestTextMeasure : public QObject {
    Q_OBJECT
private slots:
    void measuresInTwips_data();
    void measuresInTwips();
    void pixelSizedFontCountsScreenPixels();
    void defmilieuKeepsTallestCell();
};

void TestTextMeasure::measuresInTwips_data()
{
    QTest::addColumn<double>("points");
    QTest::newRow("8 pt") << 8.0;
    QTest::newRow("10 pt") << 10.0;
    QTest::newRow("12 pt") << 12.0;
    QTest::newRow("10.5 pt") << 10.5;
    QTest::newRow("36 pt") << 36.0;
}

void TestTextMeasure::measuresInTwips()
{
    QFETCH(double, points);
    TextMeasure measure;
    const FontMeasure &font = measure.font(sans(points));
    const double em = points * 20;
    QVERIFY(qAbs(font.cellHeight() - em * sansCell) <= 1);
    QVERIFY(qAbs(font.baselineDepth() - em * sansAscent) <= 1);
    // An em dash is one em wide in Liberation Sans: widths are in twips too.
    QVERIFY(qAbs(font.width(u"\u2014\u2014") - 2 * em) <= 1);
}

void TestTextMeasure::pixelSizedFontCountsScreenPixels()
{
    QFont pixels(QStringLiteral("Liberation Sans"));
    pixels.setPixelSize(16);   // 16 pixels at 96 dpi are 12 points
    TextMeasure measure;
    QCOMPARE(TextMeasure::sizeInTwips(pixels), 240.0);
    QCOMPARE(measure.font(pixels).cellHeight(), measure.font(sans(12)).cellHeight());
    QCOMPARE(measure.font(pixels).charWidth(U'W'), measure.font(sans(12)).charWidth(U'W'));
}

void TestTextMeasure::defmilieuKeepsTallestCell()
{
    TextMeasure measure;
    BaselineGauge gauge(measure);
    const int small = gauge.defmilieu(sans(12));
    const int large = gauge.defmilieu(sans(24));
    QVERIFY(qAbs(large - 2 * small) <= 1);
    QVERIFY(large < measure.font(sans(24)).cellHeight());

    gauge.defmilieu(sans(8));
    QCOMPARE(gauge.fontCellMax(), measure.font(sans(24)).cellHeight());

    gauge.resetFontCellMax();
    gauge.defmilieu(sans(8));
    QCOMPARE(gauge.fontCellMax(), measure.font(sans(8)).cellHeight());
}

QTEST_MAIN(TestTextMeasure)
#include "tst_textmeasure.moc"
