#include "startedwindow.h"

#include "app/functionlist.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetview.h"
#include "library/libraryframe.h"
#include "library/pagestore.h"
#include "storage/pagetable.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTextCursor>

using Answer = Dialogs::Answer;

namespace {

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
    QVERIFY(s.frame().isVisible());
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

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
