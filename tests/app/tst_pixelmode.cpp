#include "pdfraster.h"
#include "startedwindow.h"

#include "app/functionlist.h"
#include "editor/cellcolors.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetview.h"
#include "platform/printerfacts.h"
#include "print/previewwindow.h"
#include "print/sheetgeometry.h"
#include "print/previewruler.h"
#include "storage/pagetable.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>

using Answer = Dialogs::Answer;

namespace {

// 3 x 14 labels 1134 twips high under a 567-twip top margin, no row gap: a
// 768-pixel screen holds 9 rows of them.
const SheetType tall{QStringLiteral("Pixels 3x14"), 3, 14, 3969, 1134, 567, 395, 0, 0};

struct Shown : StartedWindow {
    explicit Shown(const QString &shipped = {})
    {
        machine.heightPx = 768;
        if (shipped.isEmpty())
            use(tall);
        else
            use(shipped);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void write(int cell, const QString &text)
    {
        labelEditor().setPlainText(text);
        SheetView *page = window->I_page;
        QTest::mouseClick(page, Qt::LeftButton, {}, page->cellRect(cell).center());
    }
    void choose(QRadioButton *option) const
    {
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
    void function(const QString &entry) const
    {
        QListWidget *list = window->L_fonction;
        const auto items = list->findItems(entry, Qt::MatchExactly);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
    }
    QList<int> written() const
    {
        QList<int> numbers;
        for (const PageRow &row : pagetable::all(window->workingDatabase()).value_or(QList<PageRow>{}))
            numbers << row.numetiq;
        return numbers;
    }
    QColor color(int cell) const { return window->I_page->cellColor(cell); }
};

} // namespace

class TestPixelMode : public QObject {
    Q_OBJECT
private slots:
    void pixelsKeepTheRowsTheScreenHolds();
    void previewShowsThePageAndGoesBack();
    void pixelPageComesOutOfTheQueueAsOneImage();
};

void TestPixelMode::pixelsKeepTheRowsTheScreenHolds()
{
    Shown s;
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QVERIFY(s.window->picture->ouvimage(Picture::fromImage(image)));
    for (int cell : {2, 26, 27, 30, 41})
        s.write(cell, QStringLiteral("Étiquette %1").arg(cell));
    s.window->T_nombre->setText(QStringLiteral("40"));

    s.choose(s.window->O_pixel);
    QCOMPARE(s.window->state().usableLabelCount, 27);
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("27"));
    QCOMPARE(s.written(), (QList<int>{2, 26}));
    QVERIFY(s.window->sheet().consistent());
    for (int cell = 27; cell < 42; ++cell)
        QCOMPARE(s.color(cell), cellcolors::darkGrey);
    QVERIFY(s.window->E_screen->isVisible());
    s.window->T_nombre->setText(QStringLiteral("1"));
    s.write(35, QStringLiteral("refusée"));
    QCOMPARE(s.written(), (QList<int>{2, 26}));

    s.choose(s.window->O_normal);
    QCOMPARE(s.window->state().usableLabelCount, 42);
    for (int cell : {27, 30, 41})
        QCOMPARE(s.color(cell), cellcolors::empty(cell));
    QVERIFY(!s.window->E_screen->isVisible());
    s.window->T_nombre->setText(QStringLiteral("1"));   // the refused click left it at 27 - 35
    s.write(41, QStringLiteral("de nouveau"));
    QCOMPARE(s.written(), (QList<int>{2, 26, 41}));
}

void TestPixelMode::previewShowsThePageAndGoesBack()
{
    Shown s(QStringLiteral("3x8"));
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

// In "Pixels" the sheet goes to the printer as one picture, with the label
// in its place.
void TestPixelMode::pixelPageComesOutOfTheQueueAsOneImage()
{
    const QString queue = qEnvironmentVariable("KALVENOR_TEST_PRINTER");
    const QString out = qEnvironmentVariable("KALVENOR_TEST_PDF_DIR");
    if (queue.isEmpty() || out.isEmpty())
        QSKIP("no PDF print queue (./test.sh starts one)");
    Shown s;
    s.window->state().setPrinter(readPrinterFacts(QPrinterInfo::printerInfo(queue)));
    s.window->state().type.nom = QStringLiteral("pixels-%1").arg(QDateTime::currentMSecsSinceEpoch());
    s.labelEditor().setBackgroundColor(Qt::black);
    s.write(4, QStringLiteral(" "));
    s.choose(s.window->O_pixel);
    s.dialogs.answerNext(Answer::Yes);
    s.dialogs.answerNext(Answer::Yes);
    s.function(FunctionList::print);
    QCOMPARE(s.dialogs.shown.size(), 2);

    const QString pdf = pdfraster::waitForPdf(out, s.window->state().sheetTypeName(), 60);
    QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    QVERIFY(images.waitForFinished(30'000));
    const QStringList lines = QString::fromLatin1(images.readAllStandardOutput()).trimmed().split(u'\n');
    QCOMPARE(lines.size(), 3);   // two lines of heading, one image
    const QImage paper = pdfraster::firstPage(pdf, 150);
    const QRect ink = pdfraster::inkBounds(paper);
    // Label 4: column 1, row 1, below the 567-twip margin.
    const double dotsPerTwip = 150.0 / 1440.0;
    QVERIFY2(std::abs(ink.left() - 3969 * dotsPerTwip) <= 2, qPrintable(QString::number(ink.left())));
    QVERIFY2(std::abs(ink.top() - (567 + 1134) * dotsPerTwip) <= 2, qPrintable(QString::number(ink.top())));
}

QTEST_MAIN(TestPixelMode)
#include "tst_pixelmode.moc"
