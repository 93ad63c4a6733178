#include "pdfraster.h"
#include "userwindow.h"

#include "app/printdialogue.h"
#include "editor/cellcolors.h"
#include "print/previewruler.h"
#include "print/previewwindow.h"
#include "print/sheetgeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>

using Answer = Dialogs::Answer;

namespace {

// 3 x 14 labels 1134 twips high under a 567-twip top margin, no row gap: a 768-pixel screen holds 9 rows of them.
const SheetType tall{QStringLiteral("Pixels 3x14"), 3, 14, 3969, 1134, 567, 395, 0, 0};

// A main window shown on a screen 768 pixels high.
struct Shown : UserWindow {
    Shown() { machine.heightPx = 768; }
    // Ticked on its box, as the user does.
    void tick(QAbstractButton *box) const { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }
    QList<int> written() const
    {
        QList<int> numbers;
        for (const PageRow &row : pagetable::all(window->workingDatabase()).value_or(QList<PageRow>{}))
            numbers << row.numetiq;
        return numbers;
    }
};

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void questionsInOrder_data()
    {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("printed");
        const QStringList both{QStringLiteral("IMPRIMANTE"), QStringLiteral("IMPRIMER")};
        const QList<Answer> yes{Answer::Yes, Answer::Yes};
        QTest::newRow("another printer wanted") << QList<Answer>{Answer::No} << false << both.mid(0, 1) << false;
        QTest::newRow("not A4") << QList<Answer>{Answer::Yes, Answer::No} << false << both << false;
        QTest::newRow("printed") << yes << false << both << true;
        QTest::newRow("failed") << yes << true << both + QStringList{QStringLiteral("IMPRESSION IMPOSSIBLE")} << false;
    }
    // The job runs after both questions only, under the busy pointer, which is gone whatever way the job ends; a beep
    // comes with the second.
    void questionsInOrder()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, fails);
        QFETCH(QStringList, titles);
        QFETCH(bool, printed);
        ScriptedDialogs dialogs;
        for (Answer a : answers)
            dialogs.answerNext(a);
        int jobs = 0;
        bool busyWhilePrinting = false;
        const bool done = PrintDialogue(dialogs).run(1, QStringLiteral("PDF"), [&] {
            ++jobs;
            busyWhilePrinting = QGuiApplication::overrideCursor()
                && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            return PrintOutcome{!fails, fails ? QStringLiteral("file:/nowhere: permission denied") : QString()};
        });
        QCOMPARE(done, printed);
        QCOMPARE(jobs, printed || fails ? 1 : 0);
        QCOMPARE(busyWhilePrinting, jobs == 1);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(dialogs.beeps, titles.size() > 1 ? 1 : 0);
        QCOMPARE(::titles(dialogs), titles);
        QCOMPARE(dialogs.shown[0].text,
                 QStringLiteral("Imprimante:PDF\nPour choisir une autre imprimante:\n    -Configurer imprimante.\n"
                                "    -Click droit sur l'imprimante choisie.\n    -Définir comme imprimante par défaut.\n"
                                "    -Fermer la configuration imprimante.\nContinuer?"));
        if (fails)
            QVERIFY(dialogs.shown.last().text.endsWith(QStringLiteral("\nfile:/nowhere: permission denied")));
    }

    // Labels the screen cannot show are erased and greyed until "Normal".
    void pixelsKeepTheRowsTheScreenHolds()
    {
        Shown s;
        s.use(tall);
        QVERIFY(s.openPicture(QSize(40, 40)));
        for (int cell : {2, 26, 27, 30, 41})
            s.write(cell, QStringLiteral("Étiquette %1").arg(cell));
        s.count(QStringLiteral("40"));
        s.tick(s.window->O_pixel);
        QCOMPARE(s.window->T_nombre->text(), QStringLiteral("27"));
        QCOMPARE(s.written(), (QList<int>{2, 26}));
        QVERIFY(s.consistent());
        for (int cell = 27; cell < 42; ++cell)
            QCOMPARE(s.color(cell), cellcolors::darkGrey);
        QVERIFY(s.window->E_screen->isVisible());
        s.count(QStringLiteral("1"));
        s.write(35, QStringLiteral("refusée"));
        QCOMPARE(s.written(), (QList<int>{2, 26}));

        s.tick(s.window->O_normal);
        for (int cell : {27, 30, 41})
            QCOMPARE(s.color(cell), cellcolors::empty(cell));
        QVERIFY(!s.window->E_screen->isVisible());
        s.count(QStringLiteral("1"));   // the refused click left it at 27 - 35
        s.write(41, QStringLiteral("de nouveau"));
        QCOMPARE(s.written(), (QList<int>{2, 26, 41}));
    }

    // An empty page is refused, the calibration closed first; written, the preview shows it and gives the window back.
    void emptyPageRefusedThenPreviewed()
    {
        Shown s;
        s.function(FunctionList::calibrate);
        QVERIFY(s.window->state().calibrationOpen);
        s.function(FunctionList::print);
        QVERIFY(!s.window->state().calibrationOpen);
        QCOMPARE(titles(s.dialogs), QStringList{QStringLiteral("IMPRESSION REFUSEE.")});
        QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("La page est vide."));
        s.write(4, QStringLiteral("Aperçu"));
        s.function(FunctionList::preview);
        auto *preview = s.window->findChild<PreviewWindow *>(QStringLiteral("NPAGE"));
        QVERIFY(preview && preview->isVisible() && !s.window->isVisible());
        // 100 %, the next zoom: the paper at its true size on a 96-dot screen, give or take the printer's few twips.
        QTest::keyClick(preview->C_zoom, Qt::Key_Down);
        const QImage page = preview->pageImage();
        QVERIFY(std::abs(page.width() - 794) <= 1 && std::abs(page.height() - 1123) <= 1);
        QCOMPARE(preview->I_page->size(), page.size());
        // The columns on the printer's page, as the print engine lays them.
        const PrinterFacts &printer = s.window->state().printer;
        const SheetGeometry g = sheetGeometry(s.window->state().type, printer.pageWidth > 0 ? printer.pageWidth : 11906,
                                              printer.pageHeight > 0 ? printer.pageHeight : 16838);
        QCOMPARE(preview->I_hor->marks(), (QList<int>{0, g.colPitch, 2 * g.colPitch}));
        // The written label's place holds the text's ink.
        const double scale = preview->pixelsPerTwip();
        const QRect twips = g.labelRect(1, 1);
        const QRect label(QPoint(int(twips.left() * scale), int(twips.top() * scale)), twips.size() * scale);
        QVERIFY(pdfraster::inkBounds(page.copy(label).convertToFormat(QImage::Format_Grayscale8)).isValid());
        QTest::mouseClick(preview->B_finpage, Qt::LeftButton);
        QTRY_VERIFY(s.window->isVisible());
        QTRY_VERIFY(!s.window->findChild<PreviewWindow *>(QStringLiteral("NPAGE")));
    }

    void sheetComesOutOfTheQueue_data()
    {
        QTest::addColumn<bool>("pixels");
        QTest::addColumn<int>("images");
        QTest::addColumn<double>("slackMm");
        QTest::addColumn<QRectF>("edges");
        // Label 4 of 3 x 8 (70 x 37.1 mm, no margins, row gap 1 twip): 3969 to 7938 twips across, 2105 to 4209 down.
        QTest::newRow("normal") << false << 0 << 0.1 << QRectF(QPointF(3969, 2105), QPointF(7938, 4209));
        // The page drawn at 300 dots per inch (a dot: 0.085 mm); label 4 of the tall labels, under their 567-twip margin.
        QTest::newRow("pixels") << true << 1 << 0.2 << QRectF(QPointF(3969, 1701), QPointF(7938, 2835));
    }
    // A user writes a label, ticks the cut frame, prints and answers Yes twice: the queue's PDF holds the label's frame
    // on its outline; in "Pixels", the whole sheet as one picture.
    void sheetComesOutOfTheQueue()
    {
        QFETCH(bool, pixels);
        QFETCH(int, images);
        QFETCH(double, slackMm);
        QFETCH(QRectF, edges);
        const QString queue = qEnvironmentVariable("KALVENOR_TEST_PRINTER");
        const QString out = qEnvironmentVariable("KALVENOR_TEST_PDF_DIR");
        if (queue.isEmpty() || out.isEmpty())
            QSKIP("no PDF print queue (./test.sh starts one)");
        Shown s;
        if (pixels)
            s.use(tall);
        s.window->state().setPrinter(readPrinterFacts(QPrinterInfo::printerInfo(queue)));
        s.window->state().type.nom = QStringLiteral("etiq-%1").arg(QDateTime::currentMSecsSinceEpoch());
        s.write(4, QStringLiteral("Bonjour"));   // column 1, row 1
        s.tick(s.control<QCheckBox>("C_decoupe"));
        if (pixels)
            s.tick(s.window->O_pixel);
        s.dialogs.answerNext(Answer::Yes);
        s.dialogs.answerNext(Answer::Yes);
        s.function(FunctionList::print);
        QCOMPARE(s.dialogs.shown.size(), 2);   // the printer, the paper; no failure

        const QString pdf = pdfraster::waitForPdf(out, s.window->state().sheetTypeName(), 60);
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QProcess list;
        list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(list.waitForFinished(30'000));
        // Two lines of heading, then one a picture.
        QCOMPARE(QString::fromLatin1(list.readAllStandardOutput()).trimmed().split(u'\n').size(), 2 + images);
        // Drawn at 600 dots per inch: 2.4 twips a dot.
        const QRectF ink(pdfraster::inkBounds(pdfraster::firstPage(pdf, 600)));
        const QRectF found(ink.topLeft() * 2.4, ink.bottomRight() * 2.4);
        for (const QPointF corner : {found.topLeft() - edges.topLeft(), found.bottomRight() - edges.bottomRight()})
            QVERIFY2(std::abs(corner.x()) <= slackMm * 56.7 && std::abs(corner.y()) <= slackMm * 56.7,
                     qPrintable(QStringLiteral("%1, %2 twips off").arg(corner.x()).arg(corner.y())));
        QFile::remove(pdf);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
