#include "pdfraster.h"
#include "scripteddialogs.h"

#include "print/calibration.h"
#include "print/calibrationwindow.h"
#include "print/pdfpage.h"
#include "print/printjob.h"
#include "storage/appstate.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int dpi = 600;
constexpr double dotsPerMm = dpi / 25.4;
constexpr double dotsPerTwip = dpi / 1440.0;
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

// Where the square's outline starts, in twips from the paper's corner.
QPointF squareCorner(const PageDrawing &draw)
{
    QImage page(int(11906 * dotsPerTwip), int(16838 * dotsPerTwip), QImage::Format_Grayscale8);
    page.fill(255);
    QPainter painter(&page);
    painter.scale(dotsPerTwip, dotsPerTwip);
    draw(painter);
    painter.end();
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.constScanLine(y)[x] < 128)
                return QPointF(x, y) / dotsPerTwip;
    return {};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void correctionIsTheFloorOfTheMiss_data();
    void correctionIsTheFloorOfTheMiss();
    void measuresInTheFormXxX_data();
    void measuresInTheFormXxX();
    void correctingTwiceAccumulates();
    void resetAndPrinterFailure();
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
    const QByteArray before = contents(path);
    // Unwritable place: a failure with a reason, and the old file untouched.
    const PrintOutcome nowhere = pdfpage::write(dir.filePath(QStringLiteral("missing/page.pdf")), {}, drawSquares);
    QVERIFY(!nowhere.ok);
    QVERIFY(!nowhere.reason.isEmpty());
    // A drawing that throws leaves the file as it was.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, pdfpage::write(path, {}, [](QPainter &) {
        throw std::runtime_error("cut");
    }));
    QCOMPARE(contents(path), before);
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

void TestPrintJob::correctionIsTheFloorOfTheMiss_data()
{
    QTest::addColumn<double>("measured");
    QTest::addColumn<int>("twips");
    QTest::newRow("too far right") << 20.5 << -29;    // floor(-28.35), not -28
    QTest::newRow("a whole 10 mm") << 10.0 << 567;
    QTest::newRow("a whole 10 mm over") << 30.0 << -567;
}

void TestPrintJob::correctionIsTheFloorOfTheMiss()
{
    QFETCH(double, measured);
    QFETCH(int, twips);
    QCOMPARE(calibration::correctionFor(measured), twips);
}

void TestPrintJob::measuresInTheFormXxX_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("refusal");   // empty: accepted
    QTest::addColumn<bool>("offered");      // CORRIGER enabled
    const QString left = QStringLiteral("Format marge gauche incorrect");
    const QString top = QStringLiteral("Format marge haute incorrect");
    QTest::newRow("both good") << "20.5" << "09.5" << QString() << true;
    QTest::newRow("no leading zero") << "9.5" << "20.0" << left << true;
    QTest::newRow("comma") << "20.0" << "20,5" << top << true;
    QTest::newRow("two decimals") << "20.0" << "20.55" << top << true;
    QTest::newRow("no tenths digit") << "20.x" << "20.0" << left << true;
    QTest::newRow("point misplaced") << "2.05" << "20.0" << left << true;
    QTest::newRow("zero") << "00.0" << "20.0" << left << false;
    QTest::newRow("both wrong: left first") << "9.5" << "20,5" << left << true;
    QTest::newRow("initial text") << "xx.x" << "yy.y" << left << false;
}

void TestPrintJob::measuresInTheFormXxX()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QString, refusal);
    QFETCH(bool, offered);
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    state.DeltaH = 5;
    ScriptedDialogs dialogs;
    CalibrationWindow window(state, dialogs, [](const PageDrawing &) { return PrintOutcome{true, {}}; }, {}, nullptr);
    QVERIFY(state.calibrationOpen);
    QVERIFY(!window.B_correct->isEnabled());
    QTest::mouseClick(window.B_imprim, Qt::LeftButton);
    window.T_mesureH->setText(left);
    window.T_mesureV->setText(top);
    QCOMPARE(window.B_correct->isEnabled(), offered);
    if (!offered)
        return;
    QTest::mouseClick(window.B_correct, Qt::LeftButton);
    if (refusal.isEmpty()) {
        QCOMPARE(window.E_message->text(), CalibrationWindow::correctedText);
        QVERIFY(!state.calibrationOpen);
    } else {
        QCOMPARE(window.E_message->text(), refusal);
        QCOMPARE(state.DeltaH, 5.0);   // unchanged, and no file written
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("etiq.ini"))));
        QVERIFY(window.T_mesureH->isEnabled());
    }
}

void TestPrintJob::correctingTwiceAccumulates()
{
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    state.type.nom = QStringLiteral("AVERY65");
    ScriptedDialogs dialogs;
    QList<QPointF> printed;
    CalibrationWindow window(state, dialogs, [&](const PageDrawing &draw) {
        printed << squareCorner(draw);
        return PrintOutcome{true, {}};
    }, {}, nullptr);

    QTest::mouseClick(window.B_imprim, Qt::LeftButton);
    window.T_mesureH->setText(QStringLiteral("20.5"));
    window.T_mesureV->setText(QStringLiteral("19.5"));
    QTest::mouseClick(window.B_correct, Qt::LeftButton);
    QCOMPARE(state.DeltaH, -29.0);
    QCOMPARE(state.DeltaV, 28.0);
    QCOMPARE(contents(dir.filePath(QStringLiteral("etiq.ini"))),
             QByteArray("AVERY65\r\n\r\n[DeltaH]\r\n-29\r\n\r\n[DeltaV]\r\n28\r\n"));
    QVERIFY(!window.B_correct->isEnabled());

    // The second square carries the first correction; what it still misses adds to it.
    QTest::mouseClick(window.B_imprim, Qt::LeftButton);
    window.T_mesureH->setText(QStringLiteral("20.0"));
    window.T_mesureV->setText(QStringLiteral("20.5"));
    QTest::mouseClick(window.B_correct, Qt::LeftButton);
    QCOMPARE(state.DeltaH, -29.0);
    QCOMPARE(state.DeltaV, -1.0);

    QCOMPARE(printed.size(), 2);
    const double dot = 1 / dotsPerTwip;
    QVERIFY(std::abs(printed[0].x() - 1134) <= dot && std::abs(printed[0].y() - 1134) <= dot);
    QVERIFY2(std::abs(printed[1].x() - (1134 - 29)) <= dot && std::abs(printed[1].y() - (1134 + 28)) <= dot,
             qPrintable(QStringLiteral("%1,%2").arg(printed[1].x()).arg(printed[1].y())));
}

void TestPrintJob::resetAndPrinterFailure()
{
    QTemporaryDir dir;
    AppState state;
    state.programDir = dir.path();
    state.type.nom = QStringLiteral("T");
    state.DeltaH = 40;
    state.DeltaV = -12;
    ScriptedDialogs dialogs;
    CalibrationWindow window(state, dialogs, [](const PageDrawing &) {
        return PrintOutcome{false, QStringLiteral("Destination not accepting jobs.")};
    }, {}, nullptr);
    QTest::mouseClick(window.B_imprim, Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("IMPRESSION IMPOSSIBLE"));
    QVERIFY(dialogs.shown[0].text.endsWith(QStringLiteral("Destination not accepting jobs.")));
    QVERIFY(!window.T_mesureH->isEnabled());   // nothing printed, nothing to measure

    // etiq.ini cannot be written: nothing changes, and the user is told.
    QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("etiq.ini"))));
    QTest::mouseClick(window.B_init, Qt::LeftButton);
    QCOMPARE(state.DeltaH, 40.0);
    QCOMPARE(dialogs.shown.last().title, QStringLiteral("SAUVEGARDE IMPOSSIBLE"));
    QVERIFY(window.E_message->text() != CalibrationWindow::resetText);
    QVERIFY(QDir().rmdir(dir.filePath(QStringLiteral("etiq.ini"))));

    QTest::mouseClick(window.B_init, Qt::LeftButton);
    QCOMPARE(state.DeltaH, 0.0);
    QCOMPARE(state.DeltaV, 0.0);
    QCOMPARE(window.E_message->text(), CalibrationWindow::resetText);
    QCOMPARE(contents(dir.filePath(QStringLiteral("etiq.ini"))), QByteArray("T\r\n\r\n[DeltaH]\r\n0\r\n\r\n[DeltaV]\r\n0\r\n"));
}

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
