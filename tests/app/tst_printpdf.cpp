#include "pdfraster.h"
#include "programfolder.h"

#include "platform/imaging/bmpwriter.h"
#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/personalstore.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int dpi = 600;
constexpr double dotsPerMm = dpi / 25.4;

// A saved page as the program keeps it: etiquet.mdb holding PAGE, typetiq.txt, one n.rtf per label and n.bmp for the
// label with a picture. Each label is black and stored at the sheet's top left: the program places it by its number.
void writePageFolder(const QString &folder, const QString &typeName, const QList<int> &labels, int pictured = -1)
{
    QDir().mkpath(folder);
    const QString mdb = folder + "/etiquet.mdb";
    QFile::copy(ProgramFolder::builtShippedDatabase(), mdb);
    QFile::setPermissions(mdb, QFile::ReadOwner | QFile::WriteOwner);
    Database db;
    QVERIFY(db.open(mdb) && db.execute("DELETE FROM PAGE"));
    QVERIFY(writeFile(folder + "/typetiq.txt", typeName.toLatin1() + "\r\n"));
    for (int n : labels) {
        QVERIFY(db.execute("INSERT INTO PAGE VALUES (?, 0, 0, 0, ?, 200, 600, 300, 300, 20, 20)", {n, n == pictured}));
        const QString rtf = QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Liberation Serif;}}\\f0 \\'c9tiquette %1}").arg(n);
        QVERIFY(writeFile(QStringLiteral("%1/%2.rtf").arg(folder).arg(n), rtf.toLatin1()));
        if (n == pictured) {
            QImage picture(20, 20, QImage::Format_RGB32);
            picture.fill(Qt::darkBlue);
            QVERIFY(imaging::writeBmp(picture, QStringLiteral("%1/%2.bmp").arg(folder).arg(n), 24, nullptr));
        }
    }
}

struct Run { int status; QStringList errorLines; QString out; };

// Started in `folder`, the program works there when it holds etiquet.mdb.
Run kalvenor(const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(qEnvironmentVariable("KALVENOR_PROGRAM_DIR") + "/kalvenor", arguments);
    process.waitForFinished(120'000);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            err.isEmpty() ? QStringList() : err.split(u'\n'), QString::fromUtf8(process.readAllStandardOutput())};
}

// Prints `page` to a PDF; each written label's background (black) sits within 0.1 mm of its nominal place: black
// inside its corners away from the text and the picture, white outside its edges.
void printedInPlace(const QString &page, const QString &dir, const QString &type, int vGap, const QList<int> &written)
{
    const QString pdf = dir + "/page.pdf";
    const Run run = kalvenor({"--print-pdf", pdf, page}, dir);
    QCOMPARE(run.errorLines, QStringList());
    QCOMPARE(run.status, 0);
    const QImage printed = pdfraster::firstPage(pdf, dpi);
    QVERIFY2(!printed.isNull(), qPrintable(pdf));
    Database db;
    QVERIFY(db.open(ProgramFolder::builtShippedDatabase(), true));
    const SheetType sheet = etiqtable::find(db, type).value_or(SheetType{});
    const double tenth = 0.1 * 56.7 + 1;   // 0.1 mm, plus a twip for the dot grid
    for (int n : written) {
        const double left = sheet.margegauche + n % sheet.cols * sheet.widthetiq;
        const double top = sheet.margehaut + n / sheet.cols * (sheet.heightetiq + vGap);
        const double right = left + sheet.widthetiq, bottom = top + sheet.heightetiq;
        const QList<std::pair<QPointF, bool>> probes{
            {{left + tenth, bottom - tenth}, true},  {{right - tenth, top + tenth}, true},
            {{right - tenth, bottom - tenth}, true}, {{left - tenth, bottom - 200}, false},
            {{right + tenth, bottom - 200}, false},  {{right - 200, bottom + tenth}, false}};
        for (const auto &[twips, black] : probes) {
            const QPoint dot(int(twips.x() / 56.7 * dotsPerMm), int(twips.y() / 56.7 * dotsPerMm));
            if (twips.x() > 0 && printed.rect().contains(dot))
                QVERIFY2((printed.pixelColor(dot).lightness() < 100) == black, qPrintable(QString::number(n)));
        }
    }
    // The text stays text: its font is in the file.
    QProcess fonts;
    fonts.start("pdffonts", {pdf});
    QVERIFY(fonts.waitForFinished(30'000));
    QVERIFY2(fonts.readAllStandardOutput().contains("LiberationSerif"), "no embedded text font");
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
private slots:
    void savedPagesListedAndPrinted()
    {
        ProgramFolder program;
        const QString pages = program.file("etiqperso/pagetiq/");
        writePageFolder(pages + "Été", "3x8", {0, 10, 23}, 10);
        writePageFolder(pages + "hiver", "3x8", {2});
        writePageFolder(pages + "abeilles", "3x8", {3});
        QVERIFY(QDir().mkpath(pages + ".enregistrement-a1b2c3"));   // a save cut short
        const Run list = kalvenor({"--list-pages"}, program.path());
        QCOMPARE(list.status, 0);
        QCOMPARE(list.out, QStringLiteral("abeilles\nÉté\nhiver\n"));

        // By name, and by the path of a folder elsewhere. Gaps by hand: 3 x 8
        // (11906 - 11907) / 2 = -0.5 to 0, 6 / 7 to 1; 6 x 16: 2 / 5 and 2 / 15 to 0.
        printedInPlace("Été", program.path(), "3x8", 1, {0, 10, 23});
        writePageFolder(program.file("ma page"), "6x16", {0, 45, 95}, 45);
        printedInPlace(program.file("ma page"), program.path(), "6x16", 0, {0, 45, 95});

        // The page image of the "Pixels" mode: label 2 of 3 x 8 from 7938 twips across.
        const QString png = program.file("hiver.png");
        QCOMPARE(kalvenor({"--print-png", png, "hiver", "--dpi", "100"}, program.path()).errorLines, QStringList());
        const QImage page = QImage(png).convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(page.size(), QSize(827, 1169));
        QCOMPARE(pdfraster::inkBounds(page).left(), qRound(7938 * 100 / 1440.0));
    }

    void badRequestsFailWithOneLine_data()
    {
        QTest::addColumn<QString>("request");   // {name}: that file or saved page in a fresh folder
        QTest::addColumn<int>("status");        // 2: refused as asked; 1: the page could not be printed
        QTest::addColumn<QString>("said");      // in the one line, in French
        QTest::newRow("no such page") << "--print-pdf {out.pdf} {out.pdf}/nothing" << 1 << "n'existe pas";
        QTest::newRow("empty page") << "--print-pdf {out.pdf} {empty}" << 1 << "La page est vide";
        QTest::newRow("a label unreadable") << "--print-pdf {out.pdf} {incomplete}" << 1 << "incomplète";
        QTest::newRow("unwritable output") << "--print-pdf {out.pdf}/out.pdf {page}" << 1 << "n'a pas pu être écrit";
        QTest::newRow("no page given") << "--print-pdf {out.pdf}" << 2 << "attend une page";
        QTest::newRow("resolution out of range") << "--print-png {out.pdf} {page} --dpi 5000" << 2 << "de 50 à 1200";
        QTest::newRow("unknown option") << "--print-pdf {out.pdf} {page} --pdf" << 2 << "Option inconnue";
    }
    void badRequestsFailWithOneLine()
    {
        QFETCH(QString, request);
        QFETCH(int, status);
        QFETCH(QString, said);
        QTemporaryDir dir;
        writePageFolder(dir.filePath("page"), "3x8", {4});
        writePageFolder(dir.filePath("empty"), "3x8", {});
        writePageFolder(dir.filePath("incomplete"), "3x8", {4, 5});
        QVERIFY(QFile::remove(dir.filePath("incomplete/5.rtf")));
        for (const QString name : {"out.pdf", "page", "empty", "incomplete"})
            request.replace(u'{' + name + u'}', dir.filePath(name));
        const QStringList arguments = request.split(u' ');
        const Run run = kalvenor(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.errorLines.size(), 1);
        QVERIFY2(run.errorLines[0].contains(said), qPrintable(run.errorLines[0]));
        QVERIFY(!QFile::exists(arguments[1]));
    }

    void makersSheetsImported()
    {
        ProgramFolder program;
        const QString xml = program.file("fabricant-templates.xml");
        QVERIFY(writeFile(xml, "<Glabels-templates>"
                               "<Template brand=\"Maison\" part=\"B12\" size=\"A4\"><Label-rectangle width=\"70mm\" "
                               "height=\"37mm\"><Layout nx=\"3\" ny=\"8\" x0=\"0\" y0=\"0.5mm\" dx=\"70mm\" "
                               "dy=\"37mm\"/></Label-rectangle></Template><Template brand=\"Maison\" part=\"C1\" "
                               "size=\"A5\"/></Glabels-templates>"));
        const auto import = [&](const QString &file) { return kalvenor({"--import-sheets", file}, program.path()); };
        // No personal catalogue yet.
        const Run before = import(xml);
        QCOMPARE(before.status, 1);
        QCOMPARE(before.errorLines.size(), 1);
        QVERIFY(PersonalStore(program.path()).creatperso());
        QCOMPARE(import(program.file("absent.xml")).status, 1);
        const Run first = import(xml);
        QCOMPARE(first.errorLines, QStringList());
        QVERIFY2(first.out.contains("Ajouté : Maison B12\n")
                     && first.out.contains("Écarté : Maison C1 : pas au format A4"), qPrintable(first.out));
        // Again: the type is there and stays as it is.
        const Run second = import(xml);
        QVERIFY2(second.out.contains("Écarté : Maison B12 : un type de ce nom existe déjà."), qPrintable(second.out));
    }
};

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
