#include "pdfraster.h"
#include "scripteddialogs.h"

#include "print/calibrationwindow.h"
#include "print/pdfpage.h"
#include "print/printjob.h"
#include "storage/appstate.h"
#include "testfiles.h"

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
    QVERIFY(std::abs(page.width() - 210 * dotsPerMm) < 0.5 * dotsPerMm);   // A4, not Letter
    const int half = page.height() / 2;
    const QRectF near = pdfraster::inkBounds(page.copy(0, 0, page.width(), half));
    const QRectF far = pdfraster::inkBounds(page.copy(0, half, page.width(), half)).translated(0, half);
    const auto close = [](QPointF found, QPointF drawn) {
        const QPointF miss = found - drawn * dotsPerMm / 56.7;   // 56.7 twips to the millimetre
        return std::max(std::abs(miss.x()), std::abs(miss.y())) <= 0.1 * dotsPerMm;
    };
    QVERIFY(close(near.topLeft(), nearSquare.topLeft()) && close(near.bottomRight(), nearSquare.bottomRight()));
    QVERIFY(close(far.topLeft(), farSquare.topLeft()) && close(far.bottomRight(), farSquare.bottomRight()));
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
    return QPointF(pdfraster::inkBounds(page).topLeft()) / dotsPerTwip;
}

// The calibration window over an empty program folder, the type AVERY65 current.
struct Calibration {
    QTemporaryDir dir;
    AppState state;
    ScriptedDialogs dialogs;
    CalibrationWindow window;

    explicit Calibration(CalibrationWindow::PagePrinter print)
        : window(state, dialogs, std::move(print), {}, nullptr)
    {
        state.programDir = dir.path();
        state.type.nom = QStringLiteral("AVERY65");
    }
    QString ini() const { return dir.filePath(QStringLiteral("etiq.ini")); }
    // Prints the square, types the two measures and clicks CORRIGER; whether it was offered.
    bool measure(const QString &left, const QString &top)
    {
        QTest::mouseClick(window.B_imprim, Qt::LeftButton);
        for (const auto &[field, text] : {std::pair{window.T_mesureH, left}, std::pair{window.T_mesureV, top}}) {
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);   // typed over what the field holds
            QTest::keyClicks(field, text);
        }
        const bool offered = window.B_correct->isEnabled();
        QTest::mouseClick(window.B_correct, Qt::LeftButton);
        return offered;
    }
};

} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT
private slots:
    void pdfFileWrittenWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page.pdf"));
        const PrintOutcome outcome = pdfpage::write(path, QStringLiteral("page"), drawSquares);
        QVERIFY2(outcome.ok, qPrintable(outcome.reason));
        checkSquares(path);
        const QByteArray before = contents(path);
        const PrintOutcome nowhere = pdfpage::write(dir.filePath(QStringLiteral("missing/page.pdf")), {}, drawSquares);
        QVERIFY(!nowhere.ok && !nowhere.reason.isEmpty());
        // A drawing that throws leaves the file as it was.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 pdfpage::write(path, {}, [](QPainter &) { throw std::runtime_error("cut"); }));
        QCOMPARE(contents(path), before);
    }

    void printQueue_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("accepts");
        QTest::newRow("PDF queue") << qEnvironmentVariable("KALVENOR_TEST_PRINTER") << true;
        QTest::newRow("unknown printer") << QStringLiteral("KALVENOR_NO_SUCH_PRINTER") << false;
        QTest::newRow("queue refusing jobs") << qEnvironmentVariable("KALVENOR_TEST_REJECTING_PRINTER") << false;
    }

    // The marks land where drawn from the paper's corner, or the refusal comes back with its reason.
    void printQueue()
    {
        QFETCH(QString, printer);
        QFETCH(bool, accepts);
        const QString folder = qEnvironmentVariable("KALVENOR_TEST_PDF_DIR");
        if (printer.isEmpty() || (accepts && folder.isEmpty()))
            QSKIP("no test print queue (./test.sh starts them)");
        const QString token = QStringLiteral("kalvenor-test-%1").arg(QDateTime::currentMSecsSinceEpoch());
        const PrintOutcome outcome = printjob::printPage(printer, token, drawSquares);
        QVERIFY2(outcome.ok == accepts, qPrintable(outcome.reason));
        QCOMPARE(outcome.reason.isEmpty(), accepts);
        if (!accepts)
            return;
        const QString pdf = pdfraster::waitForPdf(folder, token, 60);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        checkSquares(pdf);
        QFile::remove(pdf);
    }

    void measuresInTheFormXxX_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<bool>("offered");   // CORRIGER enabled
        QTest::addColumn<QString>("message");
        const QString left = QStringLiteral("Format marge gauche incorrect");
        const QString top = QStringLiteral("Format marge haute incorrect");
        const QString done = CalibrationWindow::correctedText, waiting = CalibrationWindow::measuringText;
        QTest::newRow("both good") << "20.5" << "09.5" << true << done;
        QTest::newRow("comma") << "20.0" << "20,5" << true << top;
        QTest::newRow("two decimals") << "20.0" << "20.55" << true << top;
        QTest::newRow("no tenths digit") << "20.x" << "20.0" << true << left;
        QTest::newRow("point misplaced") << "2.05" << "20.0" << true << left;
        QTest::newRow("both wrong: left first") << "9.5" << "20,5" << true << left;
        QTest::newRow("zero") << "00.0" << "20.0" << false << waiting;
    }

    void measuresInTheFormXxX()
    {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(bool, offered);
        QFETCH(QString, message);
        Calibration c([](const PageDrawing &) { return PrintOutcome{true, {}}; });
        QCOMPARE(c.measure(left, top), offered);
        QCOMPARE(c.window.E_message->text(), message);
        const bool accepted = message == CalibrationWindow::correctedText;
        QCOMPARE(QFile::exists(c.ini()), accepted);   // nothing saved on a refusal
        QCOMPARE(c.state.calibrationOpen, !accepted);
        QCOMPARE(c.window.T_mesureH->isEnabled(), !accepted);
    }

    // A refused print, two measures, then a reset that cannot be saved and one that is.
    void calibrationSession()
    {
        QList<QPointF> corners;
        bool refusing = true;
        Calibration c([&](const PageDrawing &draw) {
            if (refusing)
                return PrintOutcome{false, QStringLiteral("Destination not accepting jobs.")};
            corners << squareCorner(draw);
            return PrintOutcome{true, {}};
        });
        QTest::mouseClick(c.window.B_imprim, Qt::LeftButton);
        QCOMPARE(c.dialogs.shown.size(), 1);
        QCOMPARE(c.dialogs.shown[0].title, QStringLiteral("IMPRESSION IMPOSSIBLE"));
        QVERIFY(c.dialogs.shown[0].text.endsWith(QStringLiteral("Destination not accepting jobs.")));
        QVERIFY(!c.window.T_mesureH->isEnabled());   // nothing printed, nothing to measure
        refusing = false;
        // floor((20 - measured) x 56.7) twips: 20.5 mm gives floor(-28.35) = -29, 19.5 mm 28.
        QVERIFY(c.measure(QStringLiteral("20.5"), QStringLiteral("19.5")));
        QCOMPARE(contents(c.ini()), QByteArray("AVERY65\r\n\r\n[DeltaH]\r\n-29\r\n\r\n[DeltaV]\r\n28\r\n"));
        // The second square carries the first correction; what it still misses adds to it. A whole
        // 10 mm too far is a whole number of twips: no floor to take.
        QVERIFY(c.measure(QStringLiteral("30.0"), QStringLiteral("20.5")));
        QCOMPARE(c.state.DeltaH, -29.0 - 567);
        QCOMPARE(c.state.DeltaV, 28.0 - 29);
        QCOMPARE(corners.size(), 2);
        QVERIFY((corners[0] - QPointF(1134, 1134)).manhattanLength() <= 2 / dotsPerTwip);
        QVERIFY((corners[1] - QPointF(1134 - 29, 1134 + 28)).manhattanLength() <= 2 / dotsPerTwip);
        // etiq.ini cannot be written: nothing changes, and the user is told.
        QVERIFY(QFile::remove(c.ini()) && QDir().mkdir(c.ini()));
        QTest::mouseClick(c.window.B_init, Qt::LeftButton);
        QCOMPARE(c.state.DeltaH, -596.0);
        QCOMPARE(c.state.DeltaV, -1.0);
        QCOMPARE(c.dialogs.shown.last().title, QStringLiteral("SAUVEGARDE IMPOSSIBLE"));
        QVERIFY(c.window.E_message->text() != CalibrationWindow::resetText);
        QVERIFY(QDir().rmdir(c.ini()));
        QTest::mouseClick(c.window.B_init, Qt::LeftButton);
        QCOMPARE(c.window.E_message->text(), CalibrationWindow::resetText);
        QCOMPARE(contents(c.ini()), QByteArray("AVERY65\r\n\r\n[DeltaH]\r\n0\r\n\r\n[DeltaV]\r\n0\r\n"));
    }
};

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
