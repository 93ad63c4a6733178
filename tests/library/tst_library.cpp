#include "../app/userwindow.h"

#include "library/libraryframe.h"
#include "library/pagefolder.h"
#include "library/pagestore.h"
#include "library/templatestore.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSqlDatabase>

using Answer = Dialogs::Answer;

namespace {

const QString pageName = QStringLiteral("Confitures 2026");
using Option = QRadioButton *LibraryFrame::*;
const Option add = &LibraryFrame::O_ajout, open = &LibraryFrame::O_ouvrir, del = &LibraryFrame::O_supp;

// The frame F_modele driven as a user does: the function list, the name
// field or a click in the names, an option, OK.
struct Library : UserWindow {
    using UserWindow::UserWindow;
    LibraryFrame &frame() const { return *window->F_modele; }
    // Types the name or, when listed, clicks it; then the option and OK.
    void confirm(const QString &name, Option option) const
    {
        if (frame().names().contains(name) && !name.isEmpty())
            choose(frame().L_modeleList, name);
        else
            frame().L_modele->setText(name);
        // On the round button: a radio button takes clicks on its caption only.
        QRadioButton *button = frame().*option;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        QTest::mouseClick(frame().B_okmodele, Qt::LeftButton);
    }
    void choose(const QString &entry, const QString &name, Option o) const { function(entry); confirm(name, o); }
    using UserWindow::choose;
    // Labels 3 (two fonts on a line, a picture) and 17 (plain text).
    void writeTwo() const
    {
        QVERIFY(openPicture({90, 60}));
        labelEditor().setHtml("<span style=\"font-family:'Liberation Serif'; font-size:14pt\">Fraises</span>"
                              "<span style=\"font-family:'Liberation Sans'; font-size:8pt\"> bis</span>");
        click(3);
        click("B_supimag");
        write(17, QStringLiteral("Abricots"));
    }
    QString pageDir() const { return program.file(QStringLiteral("etiqperso/pagetiq")); }
    QString folder() const { return QDir(pageDir()).filePath(pageName); }
    QList<PageRow> pageRows() const { return pagetable::all(window->workingDatabase()).value_or(QList<PageRow>{}); }
    // The page saved without the window, as the window saves it.
    std::vector<PageLabel> labels() const { return pagestore::labelsOf(window->sheet()).value(); }
    QString save(const std::vector<PageLabel> &labels, const QString &name = pageName) const
    {
        return pagestore::save(pageDir(), name, ProgramFolder::builtShippedDatabase(), QStringLiteral("3x8"), labels);
    }
    PageFolderLoad load(const PageFolderOptions &options = {}) const
    {
        return loadPageFolder(folder(), window->workingDatabase(), options);
    }
};

} // namespace

class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void templateRoundTrip();
    void refusedNames();
    void templateOfAnotherType();
    void pageSavedAndReopened_data();
    void pageSavedAndReopened();
    void savedPageFolder();
    void damagedFolders_data();
    void damagedFolders();
};

void TestLibrary::templateRoundTrip()
{
    Library s;
    const QString text = QStringLiteral("Miel de lavande\nRécolte 2026\n\n\n\n\n\n\n\ntrop bas");
    s.labelEditor().setBackgroundColor(QColor(250, 230, 120));
    s.type(text);
    QVERIFY(s.openPicture({90, 60}));
    const PicturePlacement placed = s.window->picture->placement();
    const Picture picture = s.window->picture->picture();
    s.choose(FunctionList::templates, "Miel", add);
    QVERIFY(!s.frame().isVisible());
    // A name differing only in case is another template.
    s.choose(FunctionList::templates, "miel", add);
    QCOMPARE(titles(s.dialogs), QStringList());
    const QString folder = s.program.file(QStringLiteral("etiqperso/modetiq/"));
    QVERIFY(QFile::exists(folder + "Miel.bmp"));

    s.click("B_supimag");
    s.labelEditor().clear();
    s.labelEditor().setBackgroundColor(Qt::white);
    s.function(FunctionList::templates);
    QVERIFY(s.frame().names().contains(QStringLiteral("Miel")) && s.frame().names().contains(QStringLiteral("miel")));
    s.confirm("Miel", open);
    // The whole text comes back, the lines that would not print included.
    QCOMPARE(s.text(), text);
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(250, 230, 120));
    QVERIFY(s.window->picture->hasPicture());
    QCOMPARE(s.window->picture->placement(), placed);

    s.choose(FunctionList::templates, "Miel", del);
    QVERIFY(!QFile::exists(folder + "Miel.rtf") && !QFile::exists(folder + "Miel.bmp"));
    QVERIFY(QFile::exists(folder + "miel.rtf"));
    s.function(FunctionList::templates);
    QVERIFY(!s.frame().names().contains(QStringLiteral("Miel")));
    // A name no template has.
    s.confirm("Miel", open);
    QCOMPARE(titles(s.dialogs), QStringList{"PAS DE MODELE SELECTIONNE"});

    // A template is its row and its files together.
    TemplateStore store(s.window->workingDatabase(), folder);
    TemplateRow row{"Étiquette rouge", "3x8", 0x0000FF, true, 10, 20, 900, 600, 60, 40};
    QCOMPARE(store.add(row, "{\\rtf1 rouge}", &picture), QString());
    // The same name again: refused by the database before any file is touched.
    QVERIFY(!store.add(row, "{\\rtf1 autre}", &picture).isEmpty());
    QCOMPARE(contents(store.textPath(row.modele)), QByteArray("{\\rtf1 rouge}"));
    // The text cannot be written: neither the row nor the picture stays.
    row.modele = "Bloqué";
    QVERIFY(QDir().mkpath(store.textPath(row.modele)));
    QVERIFY(!store.add(row, "{\\rtf1 x}", &picture).isEmpty());
    QVERIFY(!store.find(row.modele));
    QVERIFY(!QFile::exists(store.picturePath(row.modele)));
}

// The names are checked in order, each refusal saying why; the frame stays
// open for another name.
void TestLibrary::refusedNames()
{
    Library s;
    s.type(QStringLiteral("x"));
    s.function(FunctionList::templates);
    s.confirm(QString(), add);
    s.confirm("a/b", add);
    s.confirm(QString(), open);
    QCOMPARE(titles(s.dialogs), (QStringList{"NOM DE MODELE", "NOM INTERDIT", "NOM DE MODELE"}));
    QCOMPARE(s.dialogs.shown[1].text, QStringLiteral("Ce nom ne peut pas servir de nom de fichier"));
    QCOMPARE(s.dialogs.shown[2].text, QStringLiteral("Choisir un modèle."));
    QVERIFY(s.frame().isVisible());
    // A listed empty name is found before the name is found empty.
    QVERIFY(s.window->workingDatabase().execute("INSERT INTO MODELE (modele, type) VALUES ('', '3x8')"));
    s.dialogs.clear();
    s.choose(FunctionList::templates, QString(), add);
    QCOMPARE(titles(s.dialogs), QStringList{"NOM INTERDIT"});
    QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("Ce nom de modèle est déjà utilisé"));

    // No label written: nothing to save.
    s.dialogs.clear();
    s.choose(FunctionList::pages, "Vide", add);
    s.confirm(QString(), open);
    QCOMPARE(titles(s.dialogs), (QStringList{"PAGE VIDE", "NOM DE PAGE"}));
    QCOMPARE(s.dialogs.beeps, 2);
    QVERIFY(QDir(s.pageDir()).isEmpty());
    s.confirm("../etiqperso", del);
    QCOMPARE(titles(s.dialogs).last(), QStringLiteral("PAS DE PAGE SELECTIONNEE"));
    QVERIFY(QFileInfo::exists(s.program.file(QStringLiteral("etiqperso/etiquet.mdb"))));
}

// A template of another sheet type asks first: No keeps the sheet, Yes
// changes it.
void TestLibrary::templateOfAnotherType()
{
    Library s(QStringLiteral("6x16"));
    s.type(QStringLiteral("Petit"));
    s.choose(FunctionList::templates, "Petit", add);
    s.use(QStringLiteral("3x8"));
    s.write(4, QStringLiteral("Gardée"));
    s.dialogs.answerNext(Answer::No);
    s.choose(FunctionList::templates, "Petit", open);
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("3x8"));
    QCOMPARE(s.pageRows().size(), 1);
    QCOMPARE(s.text(), QString());
    QVERIFY(!s.frame().isVisible());
    // The blank template, at a click in the names, clears the text and the page.
    s.type(QStringLiteral("en cours"));
    s.function(FunctionList::templates);
    s.choose(s.frame().L_modeleList, QStringLiteral("Effacer modèle"));
    QCOMPARE(s.pageRows().size(), 0);
    QCOMPARE(s.text(), QString());

    s.write(4, QStringLiteral("Effacée"));
    s.dialogs.answerNext(Answer::Yes);
    s.choose(FunctionList::templates, "Petit", open);
    QCOMPARE(titles(s.dialogs), (QStringList{"CHANGEMENT D'ETIQUETTE", "CHANGEMENT D'ETIQUETTE"}));
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("6x16"));
    QCOMPARE(s.window->sheet().labelCount(), 96);
    QCOMPARE(s.pageRows().size(), 0);
    QCOMPARE(s.text(), QStringLiteral("Petit"));
    QVERIFY(!s.frame().isVisible());
}

void TestLibrary::pageSavedAndReopened_data()
{
    QTest::addColumn<QString>("damage");    // the file of the saved page spoilt before it is opened
    QTest::addColumn<QString>("problem");   // the message after the question
    QTest::newRow("whole") << "" << "";
    QTest::newRow("missing 17.rtf") << "17.rtf" << "PAGE INCOMPLETE";
    QTest::newRow("truncated etiquet.mdb") << "etiquet.mdb" << "PAGE ILLISIBLE";
}

void TestLibrary::pageSavedAndReopened()
{
    QFETCH(QString, damage);
    QFETCH(QString, problem);
    Library s(QStringLiteral("6x16"));
    s.writeTwo();
    const QList<PageRow> before = s.pageRows();
    s.choose(FunctionList::pages, pageName, add);
    QFile spoilt(s.folder() + u'/' + damage);
    if (!damage.isEmpty())
        QVERIFY(damage.endsWith(".mdb") ? spoilt.resize(spoilt.size() / 2) : spoilt.remove());

    // Another sheet in the meantime; No keeps it.
    s.click("B_effpage");
    s.use(QStringLiteral("3x8"));
    s.write(0, QStringLiteral("Autre"));
    s.dialogs.answerNext(Answer::No);
    s.choose(FunctionList::pages, pageName, open);
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("3x8"));
    QCOMPARE(s.pageRows().size(), 1);

    s.dialogs.answerNext(Answer::Yes);
    s.choose(FunctionList::pages, pageName, open);
    const QStringList asked{"CHANGEMENT DE PAGE", "CHANGEMENT DE PAGE"};
    QCOMPARE(titles(s.dialogs), problem.isEmpty() ? asked : asked + QStringList{problem});
    // A page that cannot be read leaves the sheet as it was; a label lost, the others placed.
    const bool refused = problem == QLatin1String("PAGE ILLISIBLE");
    QCOMPARE(s.window->state().sheetTypeName(), refused ? QStringLiteral("3x8") : QStringLiteral("6x16"));
    const QList<PageRow> rows = s.pageRows();
    if (refused)
        QVERIFY(rows.size() == 1 && rows.first().numetiq == 0);
    else
        QCOMPARE(rows, damage.isEmpty() ? before : before.first(1));
    WorkingSheet &sheet = s.window->sheet();
    QVERIFY(sheet.consistent());
    QVERIFY(!s.frame().F_charg->isVisible());
    if (damage.isEmpty()) {
        QCOMPARE(sheet.text(3)->toPlainText(), QStringLiteral("Fraises bis"));
        QCOMPARE(sheet.text(17)->toPlainText(), QStringLiteral("Abricots"));
        QVERIFY(sheet.mixedFormat(3) && sheet.picture(3) && !sheet.mixedFormat(17) && !sheet.picture(17));
    }
    s.choose(FunctionList::pages, pageName, del);
    QVERIFY(QDir(s.pageDir()).isEmpty());
}

// A failed save leaves nothing; the saved folder holds the page's files only;
// a save cut short is neither listed nor kept; an old page is brought up to
// date; only a listed page can be deleted.
void TestLibrary::savedPageFolder()
{
    Library s;
    s.writeTwo();
    std::vector<PageLabel> labels = s.labels();
    QVERIFY(!s.save(labels, ".enregistrement-1").isEmpty());   // the builder's prefix
    labels.back().row.impage = true;   // the row of label 17 announces a picture it lacks
    QVERIFY(!s.save(labels).isEmpty());
    QCOMPARE(QDir(s.pageDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

    QVERIFY(QDir().mkpath(s.pageDir() + "/.enregistrement-x1Y2z3/inside"));
    QCOMPARE(s.save(s.labels()), QString());
    QCOMPARE(pagestore::names(s.pageDir()), QStringList{pageName});
    QCOMPARE(QDir(s.folder()).entryList(QDir::Files, QDir::Name),
             (QStringList{"17.rtf", "3.bmp", "3.rtf", "etiquet.mdb", "typetiq.txt"}));
    Database page;
    QVERIFY(page.open(s.folder() + "/etiquet.mdb"));
    QCOMPARE(page.connection().tables(), QStringList{"PAGE"});
    // The rest of what is read back is checked through the window.
    const PageFolderLoad load = s.load();
    QVERIFY2(load.page, qPrintable(load.reason));
    QCOMPARE(load.page->labels.front().picture->toImage(), s.window->sheet().picture(3)->toImage());
    pagestore::removeLeftovers(s.pageDir());
    QCOMPARE(QDir(s.pageDir()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{pageName});

    // PAGE as the oldest pages have it, before the picture columns: only read,
    // the folder keeps its old database; opened, it is brought up to date once.
    QVERIFY(page.execute("DROP TABLE PAGE")
            && page.execute("CREATE TABLE PAGE (numetiq INTEGER, posx INTEGER, posy INTEGER, backcolor INTEGER)")
            && page.execute("INSERT INTO PAGE VALUES (17, 2, 5, 255)"));
    page.close();
    QCOMPARE(s.load().columnsAdded, 7);
    const PageFolderLoad old = s.load({true, {}});
    QCOMPARE(old.columnsAdded, 7);
    QVERIFY(old.page);
    QCOMPARE(old.page->labels.front().row.backcolor, 255);
    QVERIFY(!old.page->labels.front().row.impage);
    QCOMPARE(s.load({true, {}}).columnsAdded, 0);

    QVERIFY(!pagestore::remove(s.pageDir(), ".."));
    // A page that is a link to a folder elsewhere: only the link goes.
    const QString elsewhere = s.program.file("ailleurs");
    QVERIFY(QDir().mkpath(elsewhere) && writeFile(elsewhere + "/precieux.txt", {}));
    QVERIFY(QFile::link(elsewhere, s.pageDir() + "/lien"));
    QVERIFY(pagestore::remove(s.pageDir(), "lien"));
    QVERIFY(QFile::exists(elsewhere + "/precieux.txt"));
    QVERIFY(pagestore::remove(s.pageDir(), pageName));
    QVERIFY(!QFileInfo::exists(s.folder()) && QFileInfo::exists(s.pageDir()));
}

void TestLibrary::damagedFolders_data()
{
    QTest::addColumn<QString>("files");      // of the saved page, spoilt
    QTest::addColumn<QByteArray>("bytes");   // written in their place; null: removed
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("named");      // in the reason or the skipped labels
    const QByteArray garbage("BM not really a bitmap");
    QTest::newRow("missing 3.bmp") << "3.bmp" << QByteArray() << true << "3.bmp";
    QTest::newRow("unreadable 3.bmp") << "3.bmp" << garbage << true << "3.bmp";
    QTest::newRow("unreadable 3.rtf") << "3.rtf" << garbage << true
                                      << "le fichier 3.rtf est illisible (ce n'est pas du texte RTF)";
    QTest::newRow("missing typetiq.txt") << "typetiq.txt" << QByteArray() << false << "typetiq.txt";
    QTest::newRow("type no longer known") << "typetiq.txt" << QByteArray("inconnu\r\n") << false << "inconnu";
    QTest::newRow("missing etiquet.mdb") << "etiquet.mdb" << QByteArray() << false << "etiquet.mdb";
    QTest::newRow("etiquet.mdb not a database") << "etiquet.mdb" << garbage << false << "etiquet.mdb";
    QTest::newRow("every text missing") << "3.rtf 17.rtf" << QByteArray() << false << "Aucune";
}

void TestLibrary::damagedFolders()
{
    QFETCH(QString, files);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    QFETCH(QString, named);
    Library s;
    s.writeTwo();
    QCOMPARE(s.save(s.labels()), QString());
    for (const QString &file : files.split(u' '))
        QVERIFY(bytes.isNull() ? QFile::remove(s.folder() + u'/' + file) : writeFile(s.folder() + u'/' + file, bytes));
    const PageFolderLoad load = s.load();
    QCOMPARE(bool(load.page), opens);
    if (!opens) {
        QVERIFY2(load.reason.contains(named), qPrintable(load.reason));
    } else {
        QCOMPARE(load.skipped.size(), 1);
        QVERIFY2(load.skipped.first().contains(named), qPrintable(load.skipped.first()));
        QCOMPARE(load.page->labels.size(), std::size_t(1));
        QCOMPARE(load.page->labels.front().row.numetiq, 17);
    }
}

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
