#include "platform/boundedread.h"
#include "platform/numbertext.h"
#include "platform/units.h"

#include <QBuffer>
#include <QTest>

#include <algorithm>

// A pipe: no size, and at most 1000 bytes a read.
class Trickle : public QIODevice {
public:
    QByteArray bytes;
    qint64 at = 0;
    bool isSequential() const override { return true; }
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = std::min({max, qint64(1000), bytes.size() - at});
        std::copy_n(bytes.constData() + at, n, data);
        at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
};

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void numberText_data();
    void numberText();
    void millimetresTruncate_data();
    void millimetresTruncate();
    void readAtMostStopsAtTheLimit_data();
    void readAtMostStopsAtTheLimit();
};

// leadingNumber reads text as value; shortestDecimal writes value as text where
// written is set. In French: the settings file needs both to ignore the locale.
void TestPlatform::numberText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("written");
    QTest::newRow("negative") << "-29" << -29.0 << true;
    QTest::newRow("decimal point") << "20.5" << 20.5 << true;
    QTest::newRow("negative zero") << "0" << -0.0 << true;
    QTest::newRow("large") << "1234567" << 1234567.0 << true;
    QTest::newRow("inexact tenth") << "0.1" << 0.1 << true;
    QTest::newRow("shortest that reads back") << "0.3333333333333333" << 1.0 / 3.0 << true;
    QTest::newRow("small, without exponent") << "0.0000001" << 1e-7 << true;
    QTest::newRow("comma stops") << "20,5" << 20.0 << false;
    QTest::newRow("leading blanks") << "  12.25mm" << 12.25 << false;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("point first") << ".5" << 0.5 << false;
    QTest::newRow("exponent") << "1.5e2" << 150.0 << false;
    QTest::newRow("dangling exponent") << "3e" << 3.0 << false;
    QTest::newRow("overflow is no number") << "1e999" << 0.0 << false;
    QTest::newRow("arabic digits ignored") << QString::fromUtf8("\u0661\u0662") << 0.0 << false;
}

void TestPlatform::numberText()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, written);
    QCOMPARE(numbertext::leadingNumber(text), value);
    if (written)
        QCOMPARE(numbertext::shortestDecimal(value), text);
}

// Typed lengths are stored truncated, never rounded.
void TestPlatform::millimetresTruncate_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("twips");
    QTest::newRow("12.50 mm, 708.75 twips") << 12.5 << 708;
    QTest::newRow("20 mm, an exact product") << 20.0 << 1134;
    QTest::newRow("A4 height") << 297.0 << 16839;
}

void TestPlatform::millimetresTruncate()
{
    QFETCH(double, mm);
    QFETCH(int, twips);
    QCOMPARE(units::mmToTwips(mm), twips);
}

// 200000 bytes read from a device with a size, and from a pipe.
void TestPlatform::readAtMostStopsAtTheLimit_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<int>("maxSize");
    QTest::newRow("file over the limit") << false << 199999;
    QTest::newRow("pipe over the limit") << true << 150001;
    QTest::newRow("pipe under the limit") << true << (1 << 20);
}

void TestPlatform::readAtMostStopsAtTheLimit()
{
    QFETCH(bool, pipe);
    QFETCH(int, maxSize);
    QByteArray bytes = QByteArray("0123456789").repeated(20000);
    Trickle trickle;
    trickle.bytes = bytes;
    QBuffer file(&bytes);
    QIODevice &device = pipe ? static_cast<QIODevice &>(trickle) : file;
    QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    QCOMPARE(readAtMost(device, maxSize), bytes.left(maxSize));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
