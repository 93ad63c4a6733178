#include "pdfraster.h"

#include "print/pdfpage.h"
#include "print/printjob.h"

#include <QDateTime>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int dpi = 600;
constexpr double dotsPerMm = dpi / 25.4;
constexpr double twipsPerMm = 56.7;

// Two filled squares: 20 mm from the paper's top-left corner, and 20 mm from
// its bottom-right corner, so both the origin and the scale show.
const QRectF nearSquare(1134, 1134, 1134, 1134);
const QRectF farSquare(11906 - 2268, 16840 - 2268, 1134, 1134);

void drawSquares(QPainter &painter)
{
    painter.fillRect(nearSquare, Qt::black);
    painter.fillRect(farSquare, Qt::black);
}

// Each square's corners found on the paper within 0.1 mm of where they were drawn.
void checkSquares(const QString &pdf)
{
    const QImage page = pdfraster::firstPage(pdf, dpi);
    QVERIFY2(!page.isNull(), qPrintable(pdf));
    QVERIFY(std::abs(page.width() - 210 * dotsPerMm) < 0.5 * dotsPerMm);   // A4, not Letter
    const int half = page.height() / 2;
    for (const auto &[found, drawn] : {std::pair{pdfraster::inkBounds(page.copy(0, 0, page.width(), half)), nearSquare},
                                       std::pair{pdfraster::inkBounds(page.copy(0, half, page.width(), half))
                                                     .translated(0, half),
                                                 farSquare}}) {
        const double tolerance = 0.1 * dotsPerMm;
        const double scale = dotsPerMm / twipsPerMm;
        QVERIFY2(std::abs(found.left() - drawn.left() * scale) <= tolerance, qPrintable(QString::number(found.left())));
        QVERIFY2(std::abs(found.top() - drawn.top() * scale) <= tolerance, qPrintable(QString::number(found.top())));
        QVERIFY(std::abs(found.right() + 1 - drawn.right() * scale) <= tolerance);
        QVERIFY(std::abs(found.bottom() + 1 - drawn.bottom() * scale) <= tolerance);
    }
}

QString uniqueToken()
{
    return QStringLiteral("kalvenor-test-%1").arg(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT
private slots:
    void pdfFilePlacesMarksFromThePapersCorner();
    void pdfFileNotWrittenHalfway();
    void printQueuePlacesMarksFromThePapersCorner();
    void printerRefusalsComeBackWithTheirReason_data();
    void printerRefusalsComeBackWithTheirReason();
};

void TestPrintJob::pdfFilePlacesMarksFromThePapersCorner()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    const PrintOutcome outcome = pdfpage::write(path, QStringLiteral("page"), drawSquares);
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    checkSquares(path);
}

void TestPrintJob::pdfFileNotWrittenHalfway()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QVERIFY(pdfpage::write(path, QStringLiteral("page"), drawSquares).ok);
    const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    // Unwritable place: a failure with a reason, and the old file untouched.
    const PrintOutcome nowhere = pdfpage::write(dir.filePath(QStringLiteral("missing/page.pdf")), {}, drawSquares);
    QVERIFY(!nowhere.ok);
    QVERIFY(!nowhere.reason.isEmpty());
    // A drawing that throws leaves the file as it was.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, pdfpage::write(path, {}, [](QPainter &) {
        throw std::runtime_error("cut");
    }));
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

void TestPrintJob::printQueuePlacesMarksFromThePapersCorner()
{
    const QString queue = qEnvironmentVariable("KALVENOR_TEST_PRINTER");
    const QString folder = qEnvironmentVariable("KALVENOR_TEST_PDF_DIR");
    if (queue.isEmpty() || folder.isEmpty())
        QSKIP("no PDF print queue (./test.sh starts one)");
    const QString token = uniqueToken();
    const PrintOutcome outcome = printjob::printPage(queue, token, drawSquares);
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    const QString pdf = pdfraster::waitForPdf(folder, token, 60);
    QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
    checkSquares(pdf);
    QFile::remove(pdf);
}

void TestPrintJob::printerRefusalsComeBackWithTheirReason_data()
{
    QTest::addColumn<QString>("printer");
    QTest::newRow("unknown printer") << QStringLiteral("KALVENOR_NO_SUCH_PRINTER");
    QTest::newRow("queue refusing jobs") << qEnvironmentVariable("KALVENOR_TEST_REJECTING_PRINTER");
}

void TestPrintJob::printerRefusalsComeBackWithTheirReason()
{
    QFETCH(QString, printer);
    if (printer.isEmpty())
        QSKIP("no refusing print queue (./test.sh starts one)");
    const PrintOutcome outcome = printjob::printPage(printer, uniqueToken(), drawSquares);
    QVERIFY(!outcome.ok);
    QVERIFY(!outcome.reason.isEmpty());
}

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
