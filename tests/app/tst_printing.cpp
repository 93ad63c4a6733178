#include "pdfraster.h"
#include "userwindow.h"

#include "app/functionlist.h"
#include "app/printdialogue.h"
#include "editor/cellcolors.h"
#include "editor/picture/picturepanel.h"
#include "platform/printerfacts.h"
#include "print/previewruler.h"
#include "print/previewwindow.h"
#include "print/sheetgeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>

using Answer = Dialogs::Answer;

namespace {

// 3 x 14 labels 1134 twips high under a 567-twip top margin, no row gap: a
// 768-pixel screen holds 9 rows of them.
const SheetType tall{QStringLiteral("Pixels 3x14"), 3, 14, 3969, 1134, 567, 395, 0, 0};

// A main window shown on a screen 768 pixels high.
struct Shown : UserWindow {
    Shown() { machine.heightPx = 768; }
    void write(int cell, const QString &text) const
    {
        type(text);
        click(cell);
    }
    void choose(QAbstractButton *option) const
    {
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
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
    void questionsInOrder_data();
    void questionsInOrder();
    void emptyPageRefusedAndCalibrationClosedFirst();
    void pixelsKeepTheRowsTheScreenHolds();
    void previewShowsThePageAndGoesBack();
    void sheetComesOutOfTheQueue_data();
    void sheetComesOutOfTheQueue();
};

void TestPrinting::questionsInOrder_data()
{
    QTest::addColumn<int>("labels");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("printed");
    const QStringList both{QStringLiteral("IMPRIMANTE"), QStringLiteral("IMPRIMER")};
    const QList<Answer> yes{Answer::Yes, Answer::Yes};
    QTest::newRow("empty page") << 0 << QList<Answer>{} << false << QStringList{QStringLiteral("IMPRESSION REFUSEE.")}
                                << 0 << false;
    QTest::newRow("another printer wanted") << 3 << QList<Answer>{Answer::No} << false
                                            << QStringList{QStringLiteral("IMPRIMANTE")} << 0 << false;
    QTest::newRow("not A4") << 3 << QList<Answer>{Answer::Yes, Answer::No} << false << both << 1 << false;
    QTest::newRow("printed") << 3 << yes << false << both << 1 << true;
    QTest::newRow("failed") << 1 << yes << true << both + QStringList{QStringLiteral("IMPRESSION IMPOSSIBLE")}
                            << 1 << false;
}

// The job runs after both questions only, under the busy pointer, which is
// gone whatever way the job ends.
void TestPrinting::questionsInOrder()
{
    QFETCH(int, labels);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, fails);
    QFETCH(QStringList, titles);
    QFETCH(int, beeps);
    QFETCH(bool, printed);
    ScriptedDialogs dialogs;
    for (Answer a : answers)
        dialogs.answerNext(a);
    bool busyWhilePrinting = false;
    int jobs = 0;
    const bool done = PrintDialogue(dialogs).run(labels, QStringLiteral("PDF"), [&] {
        ++jobs;
        busyWhilePrinting = QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        return PrintOutcome{!fails, fails ? QStringLiteral("file:/nowhere: permission denied") : QString()};
    });
    QCOMPARE(done, printed);
    QCOMPARE(jobs, printed || fails ? 1 : 0);
    QCOMPARE(busyWhilePrinting, jobs == 1);
    QCOMPARE(dialogs.beeps, beeps);
    QStringList shown;
    for (const auto &s : dialogs.shown)
        shown << s.title;
    QCOMPARE(shown, titles);
    if (labels == 0)
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("La page est vide."));
    if (!answers.isEmpty()) {
        QCOMPARE(dialogs.shown[0].text,
                 QStringLiteral("Imprimante:PDF\nPour choisir une autre imprimante:\n    -Configurer imprimante.\n"
                                "    -Click droit sur l'imprimante choisie.\n    -Définir comme imprimante par défaut.\n"
                                "    -Fermer la configuration imprimante.\nContinuer?"));
    }
    if (fails)
        QVERIFY(dialogs.shown.last().text.endsWith(QStringLiteral("\nfile:/nowhere: permission denied")));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPrinting::emptyPageRefusedAndCalibrationClosedFirst()
{
    Shown s;
    s.function(FunctionList::calibrate);
    QVERIFY(s.window->state().calibrationOpen);
    s.function(FunctionList::print);
    QVERIFY(!s.window->state().calibrationOpen);
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("IMPRESSION REFUSEE."));
}

void TestPrinting::pixelsKeepTheRowsTheScreenHolds()
{
    Shown s;
    s.use(tall);
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QVERIFY(s.window->picture->ouvimage(Picture::fromImage(image)));
    for (int cell : {2, 26, 27, 30, 41})
        s.write(cell, QStringLiteral("Étiquette %1").arg(cell));
    s.count(QStringLiteral("40"));

    s.choose(s.window->O_pixel);
    QCOMPARE(s.window->state().usableLabelCount, 27);
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("27"));
    QCOMPARE(s.written(), (QList<int>{2, 26}));
    QVERIFY(s.window->sheet().consistent());
    for (int cell = 27; cell < 42; ++cell)
        QCOMPARE(s.color(cell), cellcolors::darkGrey);
    QVERIFY(s.window->E_screen->isVisible());
    s.count(QStringLiteral("1"));
    s.write(35, QStringLiteral("refusée"));
    QCOMPARE(s.written(), (QList<int>{2, 26}));

    s.choose(s.window->O_normal);
    QCOMPARE(s.window->state().usableLabelCount, 42);
    for (int cell : {27, 30, 41})
        QCOMPARE(s.color(cell), cellcolors::empty(cell));
    QVERIFY(!s.window->E_screen->isVisible());
    s.count(QStringLiteral("1"));   // the refused click left it at 27 - 35
    s.write(41, QStringLiteral("de nouveau"));
    QCOMPARE(s.written(), (QList<int>{2, 26, 41}));
}

void TestPrinting::previewShowsThePageAndGoesBack()
{
    Shown s;
    s.write(4, QStringLiteral("Aperçu"));
    s.function(FunctionList::preview);
    auto *preview = s.window->findChild<PreviewWindow *>(QStringLiteral("NPAGE"));
    QVERIFY(preview);
    QVERIFY(!s.window->isVisible() && preview->isVisible());
    // 100 %: the paper at its true size on a 96-dot screen (the printer's
    // A4 may be a few twips short of 210 x 297 mm).
    preview->C_zoom->setCurrentIndex(1);
    QVERIFY(std::abs(preview->pageImage().width() - 794) <= 1 && std::abs(preview->pageImage().height() - 1123) <= 1);
    QCOMPARE(preview->I_page->size(), preview->pageImage().size());
    // The columns on the printer's page, as the print engine lays them.
    const PrinterFacts &printer = s.window->state().printer;
    const SheetGeometry g = sheetGeometry(s.window->state().type, printer.pageWidth > 0 ? printer.pageWidth : 11906,
                                          printer.pageHeight > 0 ? printer.pageHeight : 16838);
    QCOMPARE(preview->I_hor->marks(), (QList<int>{0, g.colPitch, 2 * g.colPitch}));
    // The written label's place holds the text's ink.
    const double scale = preview->pixelsPerTwip();
    const QRect twips = g.labelRect(1, 1);
    const QRect label(QPoint(int(twips.left() * scale), int(twips.top() * scale)), twips.size() * scale);
    QVERIFY(pdfraster::inkBounds(preview->pageImage().copy(label).convertToFormat(QImage::Format_Grayscale8)).isValid());
    QTest::mouseClick(preview->B_finpage, Qt::LeftButton);
    QTRY_VERIFY(s.window->isVisible());
    QTRY_VERIFY(!s.window->findChild<PreviewWindow *>(QStringLiteral("NPAGE")));
}

void TestPrinting::sheetComesOutOfTheQueue_data()
{
    QTest::addColumn<bool>("pixels");
    QTest::addColumn<int>("images");
    QTest::addColumn<double>("slackMm");
    QTest::addColumn<QList<double>>("edges");
    // Label 4 of 3 x 8 (70 x 37.1 mm, no margins, vertical gap 1 twip):
    // from 3969 to 7938 twips across, 2105 to 4209 down.
    QTest::newRow("normal") << false << 0 << 0.1 << QList<double>{3969, 2105, 7938, 4209};
    // The page drawn at 300 dots per inch (a dot is 0.085 mm); label 4 of
    // the tall labels, below their 567-twip margin.
    QTest::newRow("pixels") << true << 1 << 0.2 << QList<double>{3969, 1701, 7938, 2835};
}

// A user writes a label, ticks the cut frame, prints and answers Yes twice:
// the queue's PDF holds the label's frame on its outline; in "Pixels", the
// whole sheet as one picture.
void TestPrinting::sheetComesOutOfTheQueue()
{
    QFETCH(bool, pixels);
    QFETCH(int, images);
    QFETCH(double, slackMm);
    QFETCH(QList<double>, edges);
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
    s.choose(s.control<QCheckBox>("C_decoupe"));
    if (pixels)
        s.choose(s.window->O_pixel);
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
    const QRect ink = pdfraster::inkBounds(pdfraster::firstPage(pdf, 600));
    const double twipsPerDot = 1440.0 / 600;
    const QList<double> found{ink.left() * twipsPerDot, ink.top() * twipsPerDot, (ink.right() + 1) * twipsPerDot,
                              (ink.bottom() + 1) * twipsPerDot};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(std::abs(found[i] - edges[i]) <= slackMm * 56.7, qPrintable(QString::number(found[i])));
    QFile::remove(pdf);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
