#include "pdfraster.h"
#include "programfolder.h"

#include "platform/imaging/bmpwriter.h"
#include "platform/richtext/rtfwriter.h"
#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/personalstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int dpi = 600;
constexpr double dotsPerMm = dpi / 25.4;

struct Written {
    int numetiq;
    qint64 colour;
    bool picture;
};

// A saved page as the program keeps it: etiquet.mdb holding PAGE, typetiq.txt,
// one n.rtf per label and n.bmp for a label with a picture.
void writePageFolder(const QString &folder, const QString &typeName, const QList<Written> &labels, int cols)
{
    QDir().mkpath(folder);
    const QString mdb = folder + QStringLiteral("/etiquet.mdb");
    QFile::copy(ProgramFolder::builtShippedDatabase(), mdb);
    QFile::setPermissions(mdb, QFile::ReadOwner | QFile::WriteOwner);
    Database db;
    QVERIFY(db.open(mdb));
    QVERIFY(db.execute(QStringLiteral("DELETE FROM PAGE")));
    QFile type(folder + QStringLiteral("/typetiq.txt"));
    QVERIFY(type.open(QIODevice::WriteOnly));
    type.write(typeName.toLatin1() + "\r\n");
    for (const Written &w : labels) {
        QVERIFY(db.execute(QStringLiteral("INSERT INTO PAGE VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                           {w.numetiq, w.numetiq % cols, w.numetiq / cols, w.colour, w.picture, 200, 600, 300, 300,
                            20, 20}));
        QTextDocument text;
        QTextCharFormat format;
        format.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
        QTextCursor(&text).insertText(QStringLiteral("Étiquette %1").arg(w.numetiq), format);
        QFile rtf(QStringLiteral("%1/%2.rtf").arg(folder).arg(w.numetiq));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write(richtext::writeRtf(text));
        if (w.picture) {
            QImage picture(20, 20, QImage::Format_RGB32);
            picture.fill(Qt::darkBlue);
            QVERIFY(imaging::writeBmp(picture, QStringLiteral("%1/%2.bmp").arg(folder).arg(w.numetiq), 24, nullptr));
        }
    }
}

struct Run {
    int status;
    QStringList errorLines;
    QString out;
};

// Started in `folder`, the program works there when it holds etiquet.mdb.
Run kalvenor(const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setProgram(qEnvironmentVariable("KALVENOR_PROGRAM_DIR") + QStringLiteral("/kalvenor"));
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    process.start();
    process.waitForFinished(120'000);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            err.isEmpty() ? QStringList() : err.split(QLatin1Char('\n')),
            QString::fromUtf8(process.readAllStandardOutput())};
}

// Each written label's background (black) sits within 0.1 mm of its nominal
// place: black inside its corners away from the text and the picture, white
// outside its edges.
void checkBackgrounds(const QString &pdf, const SheetType &type, int hGap, int vGap, const QList<int> &written)
{
    const QImage page = pdfraster::firstPage(pdf, dpi);
    QVERIFY2(!page.isNull(), qPrintable(pdf));
    const double tenth = 0.1 * 56.7 + 1;   // 0.1 mm, plus a twip for the dot grid
    for (int n : written) {
        const double left = type.margegauche + n % type.cols * (type.widthetiq + hGap);
        const double top = type.margehaut + n / type.cols * (type.heightetiq + vGap);
        const double right = left + type.widthetiq, bottom = top + type.heightetiq;
        const QList<std::pair<QPointF, bool>> probes{
            {{left + tenth, bottom - tenth}, true},  {{right - tenth, top + tenth}, true},
            {{right - tenth, bottom - tenth}, true}, {{left - tenth, bottom - 200}, false},
            {{right + tenth, bottom - 200}, false},  {{right - 200, bottom + tenth}, false}};
        for (const auto &[twips, black] : probes) {
            const QPoint dot(int(twips.x() / 56.7 * dotsPerMm), int(twips.y() / 56.7 * dotsPerMm));
            if (twips.x() > 0 && page.rect().contains(dot))
                QVERIFY2((page.pixelColor(dot).lightness() < 100) == black, qPrintable(QStringLiteral("label %1").arg(n)));
        }
    }
}

SheetType shippedType(const QString &name)
{
    Database db;
    if (!db.open(ProgramFolder::builtShippedDatabase(), true))
        return {};
    return etiqtable::find(db, name).value_or(SheetType{});
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
private slots:
    void savedPageLandsOnItsPlaces();
    void badRequestsFailWithOneLine_data();
    void badRequestsFailWithOneLine();
    void savedPagesListedAndPrintedByName();
    void makersSheetsImported();
};

// Gaps by hand: 2 / 5 and 2 / 15 round to 0 (3 x 8 below: (11906 - 11907) / 2
// = -0.5 to 0, 6 / 7 to 1).
void TestPrintPdf::savedPageLandsOnItsPlaces()
{
    const SheetType sheet = shippedType(QStringLiteral("6x16"));
    QVERIFY(sheet.cols > 0);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("ma page"));
    writePageFolder(folder, sheet.nom, {{0, 0x000000, false}, {45, 0x000000, true}, {95, 0x000000, false}}, sheet.cols);
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    const Run run = kalvenor({QStringLiteral("--print-pdf"), pdf, folder});
    QCOMPARE(run.errorLines, QStringList());
    QCOMPARE(run.status, 0);
    checkBackgrounds(pdf, sheet, 0, 0, {0, 45, 95});

    // The text stays text: its font is in the file.
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    QVERIFY(fonts.waitForFinished(30'000));
    QVERIFY2(fonts.readAllStandardOutput().contains("LiberationSerif"), "no embedded text font");
}

void TestPrintPdf::badRequestsFailWithOneLine_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("no such page") << "missing";
    QTest::newRow("empty page") << "empty";
    QTest::newRow("unknown type") << "type";
    QTest::newRow("not a database") << "database";
    QTest::newRow("unwritable output") << "output";
    QTest::newRow("no page given") << "arguments";
}

void TestPrintPdf::badRequestsFailWithOneLine()
{
    QFETCH(QString, damage);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("page"));
    writePageFolder(folder, damage == QLatin1String("type") ? QStringLiteral("NO SUCH TYPE") : QStringLiteral("3x8"),
                    damage == QLatin1String("empty") ? QList<Written>{} : QList<Written>{{4, 0, false}}, 3);
    if (damage == QLatin1String("database")) {
        QFile mdb(folder + QStringLiteral("/etiquet.mdb"));
        QVERIFY(mdb.open(QIODevice::WriteOnly | QIODevice::Truncate));
        mdb.write("not a database at all");
    }
    QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    if (damage == QLatin1String("output"))
        pdf = dir.filePath(QStringLiteral("no folder/out.pdf"));
    QStringList arguments{QStringLiteral("--print-pdf"), pdf};
    if (damage != QLatin1String("arguments"))
        arguments << (damage == QLatin1String("missing") ? dir.filePath(QStringLiteral("nothing")) : folder);
    const Run run = kalvenor(arguments);
    QVERIFY(run.status > 0);
    QCOMPARE(run.errorLines.size(), 1);
    QVERIFY(!QFile::exists(pdf));
}

void TestPrintPdf::savedPagesListedAndPrintedByName()
{
    ProgramFolder program;
    const QString pages = program.file(QStringLiteral("etiqperso/pagetiq/"));
    writePageFolder(pages + QStringLiteral("Été"), QStringLiteral("3x8"), {{0, 0, false}, {10, 0, true}, {23, 0, false}}, 3);
    writePageFolder(pages + QStringLiteral("hiver"), QStringLiteral("3x8"), {{2, 0, false}}, 3);
    writePageFolder(pages + QStringLiteral("abeilles"), QStringLiteral("3x8"), {{3, 0, false}}, 3);
    QVERIFY(QDir().mkpath(pages + QStringLiteral(".enregistrement-a1b2c3")));   // a save cut short
    const Run list = kalvenor({QStringLiteral("--list-pages")}, program.path());
    QCOMPARE(list.status, 0);
    QCOMPARE(list.out, QStringLiteral("abeilles\nÉté\nhiver\n"));

    const QString pdf = program.file(QStringLiteral("été.pdf"));
    const Run print = kalvenor({QStringLiteral("--print-pdf"), pdf, QStringLiteral("Été")}, program.path());
    QCOMPARE(print.errorLines, QStringList());
    checkBackgrounds(pdf, shippedType(QStringLiteral("3x8")), 0, 1, {0, 10, 23});

    // The page image of the "Pixels" mode: label 2 of 3 x 8 from 7938 twips across.
    const QString png = program.file(QStringLiteral("hiver.png"));
    const Run image = kalvenor({QStringLiteral("--print-png"), png, QStringLiteral("hiver"), QStringLiteral("--dpi"),
                                QStringLiteral("100")},
                               program.path());
    QCOMPARE(image.errorLines, QStringList());
    const QImage page = QImage(png).convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(page.size(), QSize(827, 1169));
    QCOMPARE(pdfraster::inkBounds(page).left(), qRound(7938 * 100 / 1440.0));
    const Run refused = kalvenor({QStringLiteral("--print-png"), png, QStringLiteral("Été"), QStringLiteral("--dpi"),
                                  QStringLiteral("5000")},
                                 program.path());
    QCOMPARE(refused.status, 2);
    QCOMPARE(refused.errorLines.size(), 1);
}

void TestPrintPdf::makersSheetsImported()
{
    ProgramFolder program;
    const QString xml = program.file(QStringLiteral("fabricant-templates.xml"));
    QFile file(xml);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<Glabels-templates>"
               "<Template brand=\"Maison\" part=\"B12\" size=\"A4\"><Label-rectangle width=\"70mm\" height=\"37mm\">"
               "<Layout nx=\"3\" ny=\"8\" x0=\"0\" y0=\"0.5mm\" dx=\"70mm\" dy=\"37mm\"/></Label-rectangle></Template>"
               "<Template brand=\"Maison\" part=\"C1\" size=\"A5\"/>"
               "</Glabels-templates>");
    file.close();
    const QStringList arguments{QStringLiteral("--import-sheets"), xml};
    // No personal catalogue yet.
    const Run before = kalvenor(arguments, program.path());
    QCOMPARE(before.status, 1);
    QCOMPARE(before.errorLines.size(), 1);

    QVERIFY(PersonalStore(program.path()).creatperso());
    const Run first = kalvenor(arguments, program.path());
    QCOMPARE(first.errorLines, QStringList());
    QVERIFY2(first.out.contains(QStringLiteral("Ajouté : Maison B12\n")), qPrintable(first.out));
    QVERIFY2(first.out.contains(QStringLiteral("Écarté : Maison C1 : pas au format A4")), qPrintable(first.out));
    Database personal;
    QVERIFY(personal.open(PersonalStore(program.path()).workingDatabase(), true));
    QCOMPARE(etiqtable::find(personal, QStringLiteral("Maison B12"))->heightetiq, int(37 * 56.7));
    personal.close();
    // Again: the type is there and stays as it is.
    const Run second = kalvenor(arguments, program.path());
    QVERIFY2(second.out.contains(QStringLiteral("Écarté : Maison B12 : un type de ce nom existe déjà.")),
             qPrintable(second.out));
    QCOMPARE(kalvenor({QStringLiteral("--import-sheets"), program.file("absent.xml")}, program.path()).status, 1);
}

QTEST_MAIN(TestPrintPdf)
#include "tst_printpdf.moc"
