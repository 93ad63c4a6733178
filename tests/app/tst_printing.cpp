#include "pdfraster.h"
#include "startedwindow.h"

#include "app/functionlist.h"
#include "editor/sheetview.h"
#include "platform/printerfacts.h"

#include <QCheckBox>
#include <QDateTime>
#include <QPrinterInfo>
#include <QTest>

using Answer = Dialogs::Answer;

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void emptyPageRefusedAndCalibrationClosedFirst();
    void writtenSheetComesOutOfTheQueue();
};

void TestPrinting::emptyPageRefusedAndCalibrationClosedFirst()
{
    StartedWindow s;
    s.window->L_fonction_Click(FunctionList::calibrate);
    QVERIFY(s.window->state().calibrationOpen);
    s.window->L_fonction_Click(FunctionList::print);
    QVERIFY(!s.window->state().calibrationOpen);
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("IMPRESSION REFUSEE."));
}

// A user writes a label, ticks the cut frame, prints and answers Yes twice:
// the queue's PDF holds the label's frame on its outline, to 0.1 mm.
void TestPrinting::writtenSheetComesOutOfTheQueue()
{
    const QString queue = qEnvironmentVariable("KALVENOR_TEST_PRINTER");
    const QString out = qEnvironmentVariable("KALVENOR_TEST_PDF_DIR");
    if (queue.isEmpty() || out.isEmpty())
        QSKIP("no PDF print queue (./test.sh starts one)");
    StartedWindow s(QStringLiteral("3x8"));
    s.window->state().setPrinter(readPrinterFacts(QPrinterInfo::printerInfo(queue)));
    s.window->state().type.nom = QStringLiteral("3x8-%1").arg(QDateTime::currentMSecsSinceEpoch());
    s.labelEditor().setPlainText(QStringLiteral("Bonjour"));
    SheetView *page = s.window->I_page;
    QTest::mouseClick(page, Qt::LeftButton, {}, page->cellRect(4).center());   // column 1, row 1
    s.control<QCheckBox>("C_decoupe")->setChecked(true);
    s.dialogs.answerNext(Answer::Yes);
    s.dialogs.answerNext(Answer::Yes);
    s.window->L_fonction_Click(FunctionList::print);
    QCOMPARE(s.dialogs.shown.size(), 2);   // the printer, the paper; no failure

    const QString pdf = pdfraster::waitForPdf(out, s.window->state().sheetTypeName(), 60);
    QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
    const QImage paper = pdfraster::firstPage(pdf, 600);
    const QRect ink = pdfraster::inkBounds(paper);
    // Label 4 of 3 x 8 (70 x 37.1 mm, no margins, vertical gap 1 twip):
    // from 3969 to 7938 twips across, 2105 to 4209 down.
    const double dotsPerTwip = 600.0 / 1440.0, tenth = 0.1 * 600 / 25.4;
    QVERIFY2(std::abs(ink.left() - 3969 * dotsPerTwip) <= tenth, qPrintable(QString::number(ink.left())));
    QVERIFY(std::abs(ink.top() - 2105 * dotsPerTwip) <= tenth);
    QVERIFY(std::abs(ink.right() + 1 - 7938 * dotsPerTwip) <= tenth);
    QVERIFY(std::abs(ink.bottom() + 1 - 4209 * dotsPerTwip) <= tenth);
    QFile::remove(pdf);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
