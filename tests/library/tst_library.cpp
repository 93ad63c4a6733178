#include "startedwindow.h"

#include "app/functionlist.h"
#include "editor/workingsheet.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetview.h"
#include "library/libraryframe.h"
#include "library/pagefolder.h"
#include "library/pagestore.h"
#include "library/templatestore.h"
#include "storage/pagetable.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTextCursor>

using Answer = Dialogs::Answer;

namespace {

const QString pageName = QStringLiteral("Confitures 2026");

// A working database and a 3 x 8 sheet with labels 3 (two fonts on a line,
// a picture) and 17 (plain text) written.
struct Written {
    ProgramFolder program;
    Database db;
    WorkingSheet sheet{db};
    QString pages = program.file(QStringLiteral("pages"));

    Written()
    {
        const QString working = program.file(QStringLiteral("working.mdb"));
        QFile::copy(ProgramFolder::builtShippedDatabase(), working);
        QFile::setPermissions(working, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(db.open(working));
        sheet.reset(24, 3);
        QTextDocument mixed;
        QTextCursor cursor(&mixed);
        QTextCharFormat big;
        big.setFont(QFont(QStringLiteral("Liberation Serif"), 16));
        cursor.insertText(QStringLiteral("Fraises "), big);
        QTextCharFormat small;
        small.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
        cursor.insertText(QStringLiteral("2026"), small);
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        LabelContent first{&mixed, QColor(255, 240, 200), true,
                           LabelContent::PlacedPicture{Picture::fromImage(image), {100, 50, 900, 600}}};
        QVERIFY(sheet.write(3, 3, first));
        QTextDocument plain(QStringLiteral("Abricots"));
        QVERIFY(sheet.write(17, 17, LabelContent{&plain, Qt::white, false, std::nullopt}));
    }
    QString save(const std::vector<PageLabel> &labels, const QString &name = pageName)
    {
        return pagestore::save(pages, name, ProgramFolder::builtShippedDatabase(), QStringLiteral("3x8"), labels);
    }
    std::vector<PageLabel> labels() { return pagestore::labelsOf(sheet).value_or(std::vector<PageLabel>{}); }
    QString folder() const { return QDir(pages).filePath(pageName); }
};

// A started window whose frame F_modele is driven as a user does: the
// function list, the name field or a click in the names, an option, OK.
struct Library : StartedWindow {
    explicit Library(const QString &type = QStringLiteral("3x8"))
        : StartedWindow(type)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    LibraryFrame &frame() const { return *window->F_modele; }
    void clickItem(QListWidget *list, const QString &text) const
    {
        const auto items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(text));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    void function(const QString &entry) const { clickItem(window->L_fonction, entry); }
    // Types the name or, when listed, clicks it; then the option and OK.
    void confirm(const QString &name, QRadioButton *option) const
    {
        if (frame().names().contains(name) && !name.isEmpty())
            clickItem(frame().L_modeleList, name);
        else
            frame().L_modele->setText(name);
        // On the round button: a radio button takes clicks on its caption only.
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QTest::mouseClick(frame().B_okmodele, Qt::LeftButton);
    }
    void write(int cell, const QString &text, bool mixed = false)
    {
        labelEditor().clear();
        QTextCursor cursor(labelEditor().document());
        QTextCharFormat first;
        first.setFont(QFont(QStringLiteral("Liberation Serif"), 14));
        cursor.insertText(text, first);
        if (mixed) {
            QTextCharFormat second;
            second.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
            cursor.insertText(QStringLiteral(" bis"), second);
        }
        SheetView *page = window->I_page;
        QTest::mouseClick(page, Qt::LeftButton, {}, page->cellRect(cell).center());
    }
    void givePicture() const
    {
        QImage image(90, 60, QImage::Format_RGB32);
        image.fill(QColor(20, 120, 60));
        QVERIFY(window->picture->ouvimage(Picture::fromImage(image)));
    }
    QStringList titles() const
    {
        QStringList titles;
        for (const auto &shown : dialogs.shown)
            titles << shown.title;
        return titles;
    }
    QString text() const { return labelEditor().toPlainText(); }
    QString pageDir() const { return program.file(QStringLiteral("etiqperso/pagetiq")); }
    QList<PageRow> rows() const { return pagetable::all(window->workingDatabase()).value_or(QList<PageRow>{}); }
};

} // namespace

class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void templateRoundTrip_data();
    void templateRoundTrip();
    void templateNameChecksInOrder();
    void templateOfAnotherType_data();
    void templateOfAnotherType();
    void blankTemplateClearsThePage();
    void pageSavedAndReopened();
    void emptyPageAndRefusedOpening();
    void damagedPageKeepsTheSheet_data();
    void damagedPageKeepsTheSheet();
    void savedPageHoldsItsFilesAndReadsBack();
    void failedSaveLeavesNothing_data();
    void failedSaveLeavesNothing();
    void leftoversAreNotListedAndRemoved();
    void damagedFolders_data();
    void damagedFolders();
    void oldDatabaseGetsPictureColumns();
    void deletionStaysInsideListedPages();
    void templateRowAndFilesGoTogether();
};

void TestLibrary::templateRoundTrip_data()
{
    QTest::addColumn<bool>("picture");
    QTest::newRow("text only") << false;
    QTest::newRow("with a picture") << true;
}

void TestLibrary::templateRoundTrip()
{
    QFETCH(bool, picture);
    Library s;
    s.labelEditor().setBackgroundColor(QColor(250, 230, 120));
    s.labelEditor().setPlainText(QStringLiteral("Miel de lavande\nRécolte 2026\n\n\n\n\n\n\n\ntrop bas"));
    if (picture)
        s.givePicture();
    const PicturePlacement placed = s.window->picture->placement();
    s.function(FunctionList::templates);
    s.confirm(QStringLiteral("Miel"), s.frame().O_ajout);
    QVERIFY(!s.frame().isVisible());
    // A name differing only in case is another template.
    s.function(FunctionList::templates);
    s.confirm(QStringLiteral("miel"), s.frame().O_ajout);
    QCOMPARE(s.titles(), QStringList());
    const QString folder = s.program.file(QStringLiteral("etiqperso/modetiq/"));
    QCOMPARE(QFile::exists(folder + "Miel.bmp"), picture);

    s.click("B_supimag");
    s.labelEditor().clear();
    s.labelEditor().setBackgroundColor(Qt::white);
    s.function(FunctionList::templates);
    QVERIFY(s.frame().names().contains(QStringLiteral("Miel")) && s.frame().names().contains(QStringLiteral("miel")));
    s.confirm(QStringLiteral("Miel"), s.frame().O_ouvrir);
    // The whole text comes back, the lines that would not print included.
    QCOMPARE(s.text(), QStringLiteral("Miel de lavande\nRécolte 2026\n\n\n\n\n\n\n\ntrop bas"));
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(250, 230, 120));
    QCOMPARE(s.window->picture->hasPicture(), picture);
    if (picture)
        QCOMPARE(s.window->picture->placement(), placed);

    s.function(FunctionList::templates);
    s.confirm(QStringLiteral("Miel"), s.frame().O_supp);
    QVERIFY(!QFile::exists(folder + "Miel.rtf") && !QFile::exists(folder + "Miel.bmp"));
    QVERIFY(QFile::exists(folder + "miel.rtf"));
    s.function(FunctionList::templates);
    QVERIFY(!s.frame().names().contains(QStringLiteral("Miel")));
    // A name no template has.
    s.confirm(QStringLiteral("Miel"), s.frame().O_ouvrir);
    QCOMPARE(s.titles(), QStringList{"PAS DE MODELE SELECTIONNE"});
}

void TestLibrary::templateNameChecksInOrder()
{
    Library s;
    s.labelEditor().setPlainText(QStringLiteral("x"));
    s.function(FunctionList::templates);
    s.confirm(QString(), s.frame().O_ajout);
    s.confirm(QStringLiteral("a/b"), s.frame().O_ajout);
    s.confirm(QString(), s.frame().O_ouvrir);
    QCOMPARE(s.titles(), (QStringList{"NOM DE MODELE", "NOM INTERDIT", "NOM DE MODELE"}));
    QCOMPARE(s.dialogs.shown[1].text, QStringLiteral("Ce nom ne peut pas servir de nom de fichier"));
    QCOMPARE(s.dialogs.shown[2].text, QStringLiteral("Choisir un modèle."));
    QVERIFY(s.frame().isVisible());
    // A listed empty name is found before the name is found empty.
    QVERIFY(s.window->workingDatabase().execute("INSERT INTO MODELE (modele, type) VALUES ('', '3x8')"));
    s.dialogs.clear();
    s.function(FunctionList::templates);
    s.confirm(QString(), s.frame().O_ajout);
    QCOMPARE(s.titles(), QStringList{"NOM INTERDIT"});
    QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("Ce nom de modèle est déjà utilisé"));
}

void TestLibrary::templateOfAnotherType_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestLibrary::templateOfAnotherType()
{
    QFETCH(bool, yes);
    Library s(QStringLiteral("6x16"));
    s.labelEditor().setPlainText(QStringLiteral("Petit"));
    s.function(FunctionList::templates);
    s.confirm(QStringLiteral("Petit"), s.frame().O_ajout);
    s.use(QStringLiteral("3x8"));
    s.write(4, QStringLiteral("Gardée"));
    s.labelEditor().setPlainText(QStringLiteral("en cours"));
    s.dialogs.answerNext(yes ? Answer::Yes : Answer::No);
    s.function(FunctionList::templates);
    s.confirm(QStringLiteral("Petit"), s.frame().O_ouvrir);
    QCOMPARE(s.titles(), QStringList{"CHANGEMENT D'ETIQUETTE"});
    QCOMPARE(s.window->state().sheetTypeName(), yes ? QStringLiteral("6x16") : QStringLiteral("3x8"));
    QCOMPARE(s.window->sheet().labelCount(), yes ? 96 : 24);
    QCOMPARE(s.rows().size(), yes ? 0 : 1);
    QCOMPARE(s.text(), yes ? QStringLiteral("Petit") : QString());
    QVERIFY(!s.frame().isVisible());
}

void TestLibrary::blankTemplateClearsThePage()
{
    Library s;
    s.write(2, QStringLiteral("Effacée"));
    s.function(FunctionList::templates);
    s.clickItem(s.frame().L_modeleList, QStringLiteral("Effacer modèle"));
    QCOMPARE(s.rows().size(), 0);
    QCOMPARE(s.text(), QString());
}

void TestLibrary::pageSavedAndReopened()
{
    Library s(QStringLiteral("6x16"));
    s.givePicture();
    s.write(3, QStringLiteral("Fraises"), true);
    s.click("B_supimag");
    s.write(17, QStringLiteral("Abricots"));
    const QList<PageRow> before = s.rows();
    s.function(FunctionList::pages);
    s.confirm(QStringLiteral("Confitures 2026"), s.frame().O_ajout);
    QCOMPARE(s.titles(), QStringList());
    QCOMPARE(pagestore::names(s.pageDir()), QStringList{"Confitures 2026"});

    // Another sheet in the meantime; No keeps it.
    s.click("B_effpage");
    s.use(QStringLiteral("3x8"));
    s.write(0, QStringLiteral("Autre"));
    s.function(FunctionList::pages);
    s.dialogs.answerNext(Answer::No);
    s.confirm(QStringLiteral("Confitures 2026"), s.frame().O_ouvrir);
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("3x8"));
    QCOMPARE(s.rows().size(), 1);

    s.function(FunctionList::pages);
    s.dialogs.answerNext(Answer::Yes);
    s.confirm(QStringLiteral("Confitures 2026"), s.frame().O_ouvrir);
    QCOMPARE(s.titles(), (QStringList{"CHANGEMENT DE PAGE", "CHANGEMENT DE PAGE"}));
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("6x16"));
    QCOMPARE(s.rows(), before);
    WorkingSheet &sheet = s.window->sheet();
    QVERIFY(sheet.consistent());
    QCOMPARE(sheet.text(3)->toPlainText(), QStringLiteral("Fraises bis"));
    QCOMPARE(sheet.text(17)->toPlainText(), QStringLiteral("Abricots"));
    QVERIFY(sheet.mixedFormat(3) && !sheet.mixedFormat(17));
    QVERIFY(sheet.picture(3) && !sheet.picture(17));
    QVERIFY(!s.frame().F_charg->isVisible());

    s.function(FunctionList::pages);
    s.confirm(QStringLiteral("Confitures 2026"), s.frame().O_supp);
    QVERIFY(QDir(s.pageDir()).isEmpty());
}

void TestLibrary::emptyPageAndRefusedOpening()
{
    Library s;
    s.function(FunctionList::pages);
    s.confirm(QStringLiteral("Vide"), s.frame().O_ajout);
    s.confirm(QString(), s.frame().O_ouvrir);
    QCOMPARE(s.titles(), (QStringList{"PAGE VIDE", "NOM DE PAGE"}));
    QCOMPARE(s.dialogs.beeps, 2);
    QVERIFY(QDir(s.pageDir()).isEmpty());
    s.confirm(QStringLiteral("../etiqperso"), s.frame().O_supp);
    QCOMPARE(s.titles().last(), QStringLiteral("PAS DE PAGE SELECTIONNEE"));
    QVERIFY(QFileInfo::exists(s.program.file(QStringLiteral("etiqperso/etiquet.mdb"))));
}

void TestLibrary::damagedPageKeepsTheSheet_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("title");
    QTest::newRow("missing 17.rtf") << "17.rtf" << "PAGE INCOMPLETE";
    QTest::newRow("truncated etiquet.mdb") << "etiquet.mdb" << "PAGE ILLISIBLE";
}

void TestLibrary::damagedPageKeepsTheSheet()
{
    QFETCH(QString, damage);
    QFETCH(QString, title);
    Library s;
    s.write(3, QStringLiteral("Trois"));
    s.write(17, QStringLiteral("Dix-sept"));
    s.function(FunctionList::pages);
    s.confirm(QStringLiteral("Abîmée"), s.frame().O_ajout);
    const QString file = s.pageDir() + QStringLiteral("/Abîmée/") + damage;
    if (damage.endsWith(".mdb")) {
        QFile mdb(file);
        QVERIFY(mdb.resize(mdb.size() / 2));
    } else {
        QVERIFY(QFile::remove(file));
    }
    s.click("B_effpage");
    s.use(QStringLiteral("6x16"));
    s.write(50, QStringLiteral("En cours"));
    s.function(FunctionList::pages);
    s.dialogs.answerNext(Answer::Yes);
    s.confirm(QStringLiteral("Abîmée"), s.frame().O_ouvrir);
    QCOMPARE(s.titles().last(), title);
    const bool refused = title == QLatin1String("PAGE ILLISIBLE");
    QCOMPARE(s.window->state().sheetTypeName(), refused ? QStringLiteral("6x16") : QStringLiteral("3x8"));
    QCOMPARE(s.rows().size(), 1);
    QCOMPARE(s.rows().first().numetiq, refused ? 50 : 3);
    QVERIFY(s.window->sheet().consistent());
}

void TestLibrary::savedPageHoldsItsFilesAndReadsBack()
{
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    QCOMPARE(pagestore::names(w.pages), QStringList{pageName});
    QCOMPARE(QDir(w.folder()).entryList(QDir::Files, QDir::Name),
             (QStringList{"17.rtf", "3.bmp", "3.rtf", "etiquet.mdb", "typetiq.txt"}));
    Database page;
    QVERIFY(page.open(w.folder() + "/etiquet.mdb", true));
    QSqlQuery tables = page.run(QStringLiteral("SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'"));
    QVERIFY(tables.next());
    QCOMPARE(tables.value(0).toString(), QStringLiteral("PAGE"));

    const PageFolderLoad load = loadPageFolder(w.folder(), w.db);
    QVERIFY2(load.page, qPrintable(load.reason));
    QCOMPARE(load.skipped, QStringList());
    QCOMPARE(load.page->type.nom, QStringLiteral("3x8"));
    const auto rows = *w.sheet.rows();
    QCOMPARE(int(load.page->labels.size()), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const StoredLabel &label = load.page->labels[i];
        const int n = rows[i].numetiq;
        QCOMPARE(label.row, rows[i]);
        QCOMPARE(label.text->toPlainText(), w.sheet.text(n)->toPlainText());
        QCOMPARE(label.mixedFormat, w.sheet.mixedFormat(n));
        QCOMPARE(label.picture.has_value(), w.sheet.picture(n) != nullptr);
        if (label.picture)
            QCOMPARE(label.picture->toImage(), w.sheet.picture(n)->toImage());
    }
}

void TestLibrary::failedSaveLeavesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pictureLost");
    QTest::newRow("picture fails mid-way") << pageName << true;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("the builder's prefix") << ".enregistrement-1" << false;
}

void TestLibrary::failedSaveLeavesNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, pictureLost);
    Written w;
    std::vector<PageLabel> labels = w.labels();
    if (pictureLost)
        labels.back().row.impage = true;   // the row of label 17 announces a picture it lacks
    QVERIFY(!w.save(labels, name).isEmpty());
    QCOMPARE(QDir(w.pages).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(!QFileInfo::exists(w.program.file(QStringLiteral("b"))));
}

void TestLibrary::leftoversAreNotListedAndRemoved()
{
    Written w;
    QVERIFY(QDir().mkpath(w.pages + "/.enregistrement-x1Y2z3/inside"));
    QCOMPARE(w.save(w.labels()), QString());
    QCOMPARE(pagestore::names(w.pages), QStringList{pageName});
    pagestore::removeLeftovers(w.pages);
    QCOMPARE(QDir(w.pages).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{pageName});
}

void TestLibrary::damagedFolders_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("named");   // in the reason or the skipped labels
    QTest::newRow("missing 3.rtf") << "3.rtf" << true << "3.rtf";
    QTest::newRow("missing 3.bmp") << "3.bmp" << true << "3.bmp";
    QTest::newRow("unreadable 3.bmp") << "garbage 3.bmp" << true << "3.bmp";
    QTest::newRow("unreadable 3.rtf") << "garbage 3.rtf" << true
                                      << "le fichier 3.rtf est illisible (ce n'est pas du texte RTF)";
    QTest::newRow("missing typetiq.txt") << "typetiq.txt" << false << "typetiq.txt";
    QTest::newRow("type no longer known") << "type" << false << "inconnu";
    QTest::newRow("truncated etiquet.mdb") << "truncate" << false << "etiquet.mdb";
    QTest::newRow("every text missing") << "all" << false << "Aucune";
}

void TestLibrary::damagedFolders()
{
    QFETCH(QString, damage);
    QFETCH(bool, opens);
    QFETCH(QString, named);
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    QDir folder(w.folder());
    if (damage == "truncate") {
        QFile mdb(folder.filePath("etiquet.mdb"));
        QVERIFY(mdb.resize(mdb.size() / 2));
    } else if (damage == "type") {
        QFile type(folder.filePath("typetiq.txt"));
        QVERIFY(type.open(QIODevice::WriteOnly));
        type.write("inconnu\r\n");
    } else if (damage == "all") {
        QVERIFY(folder.remove("3.rtf") && folder.remove("17.rtf"));
    } else if (damage.startsWith("garbage ")) {
        QFile bmp(folder.filePath(damage.mid(8)));
        QVERIFY(bmp.open(QIODevice::WriteOnly));
        bmp.write("BM not really a bitmap");
    } else {
        QVERIFY(folder.remove(damage));
    }
    const PageFolderLoad load = loadPageFolder(folder.path(), w.db);
    QCOMPARE(bool(load.page), opens);
    if (opens) {
        QCOMPARE(load.skipped.size(), 1);
        QVERIFY2(load.skipped.first().contains(named), qPrintable(load.skipped.first()));
        QCOMPARE(load.page->labels.size(), std::size_t(1));
        QCOMPARE(load.page->labels.front().row.numetiq, 17);
    } else {
        QVERIFY2(load.reason.contains(named), qPrintable(load.reason));
    }
}

void TestLibrary::oldDatabaseGetsPictureColumns()
{
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    const QString mdb = w.folder() + "/etiquet.mdb";
    {
        // PAGE as the oldest pages have it, before the picture columns.
        Database db;
        QVERIFY(db.open(mdb));
        QVERIFY(db.execute("DROP TABLE PAGE"));
        QVERIFY(db.execute("CREATE TABLE PAGE (numetiq INTEGER, posx INTEGER, posy INTEGER, backcolor INTEGER)"));
        QVERIFY(db.execute("INSERT INTO PAGE VALUES (17, 2, 5, 255)"));
    }
    // Only read: the folder keeps its old database.
    QCOMPARE(loadPageFolder(w.folder(), w.db).columnsAdded, 7);
    const PageFolderOptions update{true, {}};
    const PageFolderLoad first = loadPageFolder(w.folder(), w.db, update);
    QCOMPARE(first.columnsAdded, 7);
    QVERIFY(first.page);
    QCOMPARE(first.page->labels.front().row.backcolor, 255);
    QVERIFY(!first.page->labels.front().row.impage);
    QCOMPARE(loadPageFolder(w.folder(), w.db, update).columnsAdded, 0);
}

void TestLibrary::deletionStaysInsideListedPages()
{
    Written w;
    QCOMPARE(w.save(w.labels()), QString());
    QVERIFY(!pagestore::remove(w.pages, ".."));
    QVERIFY(!pagestore::remove(w.pages, "Pas une page"));
    // A page that is a link to a folder elsewhere: only the link goes.
    const QString elsewhere = w.program.file("ailleurs");
    QVERIFY(QDir().mkpath(elsewhere));
    QFile(elsewhere + "/precieux.txt").open(QIODevice::WriteOnly);
    QVERIFY(QFile::link(elsewhere, w.pages + "/lien"));
    QVERIFY(pagestore::remove(w.pages, "lien"));
    QVERIFY(QFile::exists(elsewhere + "/precieux.txt"));

    QVERIFY(pagestore::remove(w.pages, pageName));
    QVERIFY(!QFileInfo::exists(w.folder()));
    QVERIFY(QFileInfo::exists(w.pages));
}

void TestLibrary::templateRowAndFilesGoTogether()
{
    Written w;
    const QString folder = w.program.file("modetiq");
    TemplateStore store(w.db, folder);
    TemplateRow row{"Étiquette rouge", "3x8", 0x0000FF, true, 10, 20, 900, 600, 60, 40};
    const Picture picture = *w.sheet.picture(3);
    QCOMPARE(store.add(row, "{\\rtf1 rouge}", &picture), QString());
    QCOMPARE(store.find(row.modele), std::optional<TemplateRow>(row));
    const TemplateRead read = store.read(row.modele, QFont());
    QCOMPARE(read.problem, QString());
    QCOMPARE(read.picture->toImage(), picture.toImage());

    // The same name again: refused by the database before any file is touched.
    QVERIFY(!store.add(row, "{\\rtf1 autre}", &picture).isEmpty());
    QFile text(store.textPath(row.modele));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), QByteArray("{\\rtf1 rouge}"));

    // The text cannot be written: neither the row nor the picture stays.
    row.modele = "Bloqué";
    QVERIFY(QDir().mkpath(store.textPath(row.modele)));
    QVERIFY(!store.add(row, "{\\rtf1 x}", &picture).isEmpty());
    QVERIFY(!store.find(row.modele));
    QVERIFY(!QFile::exists(store.picturePath(row.modele)));
}

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
