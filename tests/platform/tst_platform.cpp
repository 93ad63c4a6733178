#include "platform/numbertext.h"
#include "platform/units.h"

#include <QTest>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void shortestDecimal_data();
    void shortestDecimal();
    void shortestDecimalReadsBack();
    void millimetresTruncate_data();
    void millimetresTruncate();
};

void TestPlatform::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("negative") << "-29" << -29.0;
    QTest::newRow("decimal point") << "20.5" << 20.5;
    QTest::newRow("comma stops") << "20,5" << 20.0;
    QTest::newRow("leading blanks") << "  12.25mm" << 12.25;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("exponent") << "1.5e2" << 150.0;
    QTest::newRow("dangling exponent") << "3e" << 3.0;
    QTest::newRow("overflow is no number") << "1e999" << 0.0;
    QTest::newRow("arabic digits ignored") << QString::fromUtf8("\u0661\u0662") << 0.0;
}

void TestPlatform::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numbertext::leadingNumber(text), value);
}

void TestPlatform::shortestDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("negative") << -29.0 << "-29";
    QTest::newRow("half") << 12.5 << "12.5";
    QTest::newRow("large") << 1234567.0 << "1234567";
}

void TestPlatform::shortestDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numbertext::shortestDecimal(value), text);
}

void TestPlatform::shortestDecimalReadsBack()
{
    // The settings file relies on writer and reader agreeing in every locale.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (double v : {0.1, -28.35, 1.0 / 3.0, 1e-7, 16839.0}) {
        const QString text = numbertext::shortestDecimal(v);
        QVERIFY2(!text.contains(u','), qPrintable(text));
        QCOMPARE(numbertext::leadingNumber(text), v);
    }
    QLocale::setDefault(saved);
}

void TestPlatform::millimetresTruncate_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("twips");
    QTest::newRow("63.5 mm") << 63.5 << 3600;
    QTest::newRow("12.50 mm") << 12.5 << 708;
    QTest::newRow("20 mm, an exact product") << 20.0 << 1134;
    QTest::newRow("A4 height") << 297.0 << 16839;
}

void TestPlatform::millimetresTruncate()
{
    QFETCH(double, mm);
    QFETCH(int, twips);
    QCOMPARE(units::mmToTwips(mm), twips);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
