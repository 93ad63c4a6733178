#include "startedwindow.h"

#include "app/contactwindow.h"
#include "app/functionlist.h"
#include "app/helpwindow.h"
#include "app/progresswindow.h"
#include "editor/cellcolors.h"
#include "editor/editorpanel.h"
#include "editor/labeleditor.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetview.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

Q_DECLARE_METATYPE(SheetType)


namespace {

struct Started : StartedWindow {
    using StartedWindow::StartedWindow;
    EditorPanel &editor() { return *window->editor; }
    QTextEdit &text() { return labelEditor(); }

    // Selects [start, start + length) the way the user does: the mouse
    // release records the range for the font command.
    void select(int start, int length)
    {
        QTextCursor cursor(text().document());
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        text().setTextCursor(cursor);
        QTest::mouseRelease(text().viewport(), Qt::LeftButton, {}, QPoint(1, 1));
        text().setTextCursor(cursor);
    }
};

QTextCharFormat formatAt(QTextDocument *document, int position)
{
    QTextCursor cursor(document);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void threeByEightOnScreen();
    void moreThan120Labels();
    void singleColumnSheet();
    void cellsShareTheirEdges_data();
    void cellsShareTheirEdges();
    void noControlCoversAnother_data();
    void noControlCoversAnother();
    void activationOnlyOnReturnFromOwnWindows();
    void countClampedToUsableLabels();
    void functionListEntries();
    void fontDialogPresetFromCaretAppliedToSelection();
    void fontCancelChangesNothing();
    void colourDialog();
    void copyCutPasteEnabling();
    void pasteUsesScratchBuffer();
    void dateTakesSelectionFormat();
    void helpShowsTheShippedText();
    void contactHidesAndShowsMainWindow();
    void catalogueHidesMainWindowAndList();
    void progressWindow();
    void clickInEditorEmptiesClipboard();
    void pressInSelectionStartsANewOne();
    void topOfLabelBroughtBackIntoView();
};

void TestMainWindow::threeByEightOnScreen()
{
    Started s;
    QVERIFY(s.dialogs.shown.isEmpty());
    QCOMPARE(s.window->windowTitle(), QStringLiteral("Type étiquette:3x8 (70,0 x 37,1 mm)"));
    QCOMPARE(s.text().size(), QSize(264, 140));
    // Laid out 30 twips inside either edge of the 3960-twip label, as fitted.
    QCOMPARE(s.labelEditor().document()->textWidth(), 3900.0);
    SheetView &page = *s.window->I_page;
    QCOMPARE(page.cellCount(), 24);
    QCOMPARE(page.cellRect(4).topLeft(), QPoint(page.cellRect(0).width(), page.cellRect(0).height()));
    for (int i = 0; i < 24; ++i)
        QCOMPARE(page.cellColor(i), cellcolors::lightGreen);
    QVERIFY(!s.window->E_nombre->isVisibleTo(s.window.get()));
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("1"));
    QCOMPARE(s.window->state().usableLabelCount, 24);
}

void TestMainWindow::moreThan120Labels()
{
    Started s;
    s.use(SheetType{QStringLiteral("7x20"), 7, 20, 1701, 841, 0, 0, 0, 0});
    SheetView &page = *s.window->I_page;
    QCOMPARE(page.cellCount(), 140);
    QCOMPARE(page.cellColor(119), cellcolors::lightGreen);
    QCOMPARE(page.cellColor(120), cellcolors::green);
    QCOMPARE(page.cellColor(139), cellcolors::green);
    QVERIFY(s.window->E_nombre->isVisibleTo(s.window.get()));
    QCOMPARE(s.window->E_nombre->text(), QStringLiteral("Seules les 120 premières étiquettes\npeuvent recevoir une image"));
    // Back to a small sheet: the notice goes.
    s.use(QStringLiteral("2x3"));
    QVERIFY(!s.window->E_nombre->isVisibleTo(s.window.get()));
    QCOMPARE(page.cellCount(), 6);
}

void TestMainWindow::singleColumnSheet()
{
    Started s(QStringLiteral("1x2"));
    const SheetLayout &layout = s.window->layout();
    QVERIFY(layout.singleColumn);
    QCOMPARE(s.text().geometry().center().x(), 11907 / 15 / 2);
    QVERIFY(s.window->I_page->geometry().left() > 11907 / 15);
}

void TestMainWindow::cellsShareTheirEdges_data()
{
    QTest::addColumn<QString>("type");
    for (const char *type : {"6x16", "3x8", "4x10", "AVERY65"})
        QTest::newRow(type) << QString::fromLatin1(type);
}

void TestMainWindow::cellsShareTheirEdges()
{
    QFETCH(QString, type);
    Started s(type);
    const SheetView &page = *s.window->I_page;
    const int cols = s.window->layout().cols;
    for (int i = 0; i < page.cellCount(); ++i) {
        const QRect cell = page.cellRect(i);
        if ((i + 1) % cols != 0)
            QCOMPARE(page.cellRect(i + 1).left(), cell.right() + 1);
        if (i + cols < page.cellCount())
            QCOMPARE(page.cellRect(i + cols).top(), cell.bottom() + 1);
    }
}

void TestMainWindow::noControlCoversAnother_data()
{
    QTest::addColumn<SheetType>("type");
    Started s;
    for (const SheetType &type : etiqtable::allByName(s.window->workingDatabase()))
        QTest::newRow(qPrintable(type.nom)) << type;
    // The extremes the catalogue accepts: the tallest labels of a sheet of
    // several columns, a label as wide as the page, the smallest labels.
    QTest::newRow("2x2 105 x 148,5") << SheetType{QStringLiteral("2x2"), 2, 2, 5953, 8419, 0, 0, 0, 0};
    QTest::newRow("1x2 210 x 148,5") << SheetType{QStringLiteral("A5"), 1, 2, 11907, 8419, 0, 0, 0, 0};
    QTest::newRow("1x50 50 x 5,3") << SheetType{QStringLiteral("1x50"), 1, 50, 2835, 300, 0, 0, 0, 0};
    QTest::newRow("20x50 5,3 x 5,3") << SheetType{QStringLiteral("20x50"), 20, 50, 300, 300, 0, 0, 0, 0};
}

void TestMainWindow::noControlCoversAnother()
{
    QFETCH(SheetType, type);
    Started s;
    s.use(type);
    s.window->show();   // the frames lay their controls out
    for (const char *name : {"Feuille1", "F_page", "F_etiq", "pictureControls", "F_mode"}) {
        QWidget *parent = qstrcmp(name, "Feuille1") == 0 ? s.window.get() : s.control<QWidget>(name);
        QVERIFY2(parent, name);
        QList<QWidget *> shown;
        for (QWidget *w : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow() && w->isVisibleTo(s.window.get()))
                shown.append(w);
        }
        for (int i = 0; i < shown.size(); ++i) {
            const QRect a = shown[i]->geometry();
            QVERIFY2(parent->rect().contains(a), qPrintable(shown[i]->objectName() + " leaves " + name));
            for (int j = i + 1; j < shown.size(); ++j) {
                QVERIFY2(!a.intersects(shown[j]->geometry()),
                         qPrintable(shown[i]->objectName() + " covers " + shown[j]->objectName()));
            }
        }
    }
}

void TestMainWindow::activationOnlyOnReturnFromOwnWindows()
{
    Started s;
    QEvent activate(QEvent::WindowActivate);
    // After a message box: the focus stays where the user left it.
    s.window->T_nombre->setFocus();
    QApplication::sendEvent(s.window.get(), &activate);
    QCOMPARE(s.window->focusWidget(), s.window->T_nombre);
    // While the catalogue opens, an activation does not close it again.
    s.window->openCatalogue();
    auto *catalogue = s.control<QWidget>("Feuille3");
    QVERIFY(catalogue && catalogue->isVisible());
    QApplication::sendEvent(s.window.get(), &activate);
    QVERIFY(catalogue->isVisible());
    QVERIFY(!s.window->L_fonction->isEnabled());
    // Back from the catalogue: the label editor has the focus again.
    catalogue->close();
    QApplication::sendEvent(s.window.get(), &activate);
    QVERIFY(s.window->L_fonction->isEnabled());
    QCOMPARE(s.window->focusWidget(), &s.labelEditor());
}

void TestMainWindow::countClampedToUsableLabels()
{
    Started s;
    s.window->T_nombre->setText(QStringLiteral("30"));
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("24"));
    s.window->T_nombre->setText(QStringLiteral("8"));
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("8"));
}

void TestMainWindow::functionListEntries()
{
    Started s;
    QStringList entries;
    for (int i = 0; i < s.window->L_fonction->count(); ++i)
        entries << s.window->L_fonction->item(i)->text();
    QCOMPARE(entries, QStringList({"Catalogue étiquettes", "Sélection étiquette", "Modèles étiquettes",
                                   "Pages étiquettes", "Vue avant impression", "Configurer imprimante", "Imprimer",
                                   "Ajuster"}));
    s.dialogs.answerNext(Dialogs::Answer::Cancel);
    s.window->L_fonction_Click(QStringLiteral("Configurer imprimante"));
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("CONFIGURER IMPRIMANTE"));
    s.window->L_fonction_Click(QStringLiteral("pas une fonction"));
    QCOMPARE(s.dialogs.shown.size(), 1);
}

void TestMainWindow::fontDialogPresetFromCaretAppliedToSelection()
{
    Started s;
    QTextCursor cursor(s.text().document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontFamilies({QStringLiteral("Liberation Serif")});
    bold.setFontPointSize(14);
    cursor.insertText(QStringLiteral("Gras"), bold);
    cursor.insertText(QStringLiteral(" et maigre"), QTextCharFormat());

    // Caret in the bold word, selection over "et maigre" reaching back.
    s.select(2, 10);
    FontChoice chosen;
    chosen.family = QStringLiteral("Liberation Mono");
    chosen.pointSize = 9;
    chosen.color = QColor(0, 0, 128);
    chosen.italic = true;
    chosen.underline = true;
    s.choosers.fontAnswer = chosen;
    s.click("B_police");

    QCOMPARE(s.choosers.fontPresets.size(), 1);
    const FontChoice preset = s.choosers.fontPresets[0];
    QCOMPARE(preset.family, QStringLiteral("Liberation Serif"));
    QCOMPARE(preset.pointSize, 14.0);
    QVERIFY(preset.bold);
    // Outside the range: untouched.
    QCOMPARE(formatAt(s.text().document(), 0).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(s.text().document(), 1).fontPointSize(), 14.0);
    for (int position = 2; position < 12; ++position) {
        const QTextCharFormat f = formatAt(s.text().document(), position);
        QCOMPARE(f.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Mono"));
        QCOMPARE(f.fontPointSize(), 9.0);
        QCOMPARE(f.fontWeight(), int(QFont::Normal));
        QVERIFY(f.fontItalic());
        QVERIFY(f.fontUnderline());
        QCOMPARE(f.foreground().color(), QColor(0, 0, 128));
    }
    QCOMPARE(formatAt(s.text().document(), 12).fontPointSize(), 0.0); // " maigre" tail left alone
}

void TestMainWindow::fontCancelChangesNothing()
{
    Started s;
    s.text().setPlainText(QStringLiteral("Bonjour"));
    const QString before = s.text().toHtml();
    s.select(0, 7);
    s.choosers.fontAnswer.reset();
    s.editor().police();
    QCOMPARE(s.choosers.fontPresets.size(), 1);
    QCOMPARE(s.text().toHtml(), before);
}

void TestMainWindow::colourDialog()
{
    Started s;
    s.choosers.colorAnswer.reset();
    s.click("B_couleur");
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(Qt::white));
    s.choosers.colorAnswer = QColor(255, 255, 192);
    s.click("B_couleur");
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(255, 255, 192));
    QCOMPARE(s.choosers.colorPresets.last(), QColor(Qt::white));
}

void TestMainWindow::copyCutPasteEnabling()
{
    Started s;
    EditorPanel &e = s.editor();
    QVERIFY(!s.control<QPushButton>("B_copier")->isEnabled());
    QVERIFY(!s.control<QPushButton>("B_coller")->isEnabled());
    QVERIFY(!s.control<QPushButton>("B_effac")->isEnabled());
    s.text().setPlainText(QStringLiteral("Une étiquette"));
    QVERIFY(s.control<QPushButton>("B_effac")->isEnabled());
    s.select(4, 9);
    QVERIFY(s.control<QPushButton>("B_copier")->isEnabled());
    QVERIFY(s.control<QPushButton>("B_couper")->isEnabled());
    s.click("B_couper");
    QCOMPARE(s.text().toPlainText(), QStringLiteral("Une "));
    QCOMPARE(e.scratch().toPlainText(), QStringLiteral("étiquette"));
    QVERIFY(!s.control<QPushButton>("B_copier")->isEnabled());
    QVERIFY(s.control<QPushButton>("B_coller")->isEnabled());
    s.click("B_coller");
    QCOMPARE(s.text().toPlainText(), QStringLiteral("Une étiquette"));
    s.click("B_effac");
    QVERIFY(s.text().document()->isEmpty());
    QVERIFY(!s.control<QPushButton>("B_effac")->isEnabled());
}

void TestMainWindow::pasteUsesScratchBuffer()
{
    Started s;
    EditorPanel &e = s.editor();
    s.text().setPlainText(QStringLiteral("copié"));
    s.select(0, 5);
    s.click("B_copier");
    // Fitting a label overwrites the scratch buffer: paste gives its text.
    e.scratch().setPlainText(QStringLiteral("ajusté"));
    QTextCursor end(s.text().document());
    end.movePosition(QTextCursor::End);
    s.text().setTextCursor(end);
    s.click("B_coller");
    QCOMPARE(s.text().toPlainText(), QStringLiteral("copiéajusté"));
    // An empty buffer pastes nothing.
    e.scratch().clear();
    s.click("B_coller");
    QCOMPARE(s.text().toPlainText(), QStringLiteral("copiéajusté"));
}

void TestMainWindow::dateTakesSelectionFormat()
{
    Started s;
    QTextCursor cursor(s.text().document());
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontPointSize(16);
    format.setForeground(QColor(200, 0, 0));
    cursor.insertText(QStringLiteral("Le "), format);
    s.text().setTextCursor(cursor);
    s.editor().insererDate(QDate(2026, 3, 4));
    QCOMPARE(s.text().toPlainText(), QStringLiteral("Le 04/03/2026"));
    const QTextCharFormat inserted = formatAt(s.text().document(), 5);
    QCOMPARE(inserted.fontWeight(), int(QFont::Bold));
    QCOMPARE(inserted.fontPointSize(), 16.0);
    QCOMPARE(inserted.foreground().color(), QColor(200, 0, 0));
}

void TestMainWindow::helpShowsTheShippedText()
{
    HelpWindow help(qEnvironmentVariable("KALVENOR_PROGRAM_DIR"));
    QVERIFY(help.T_aide->toPlainText().contains(QStringLiteral("Choisir le type d'étiquette")));
    QVERIFY(help.T_aide->isReadOnly());
    QTemporaryDir empty;
    HelpWindow missing(empty.path());
    QVERIFY(missing.T_aide->toPlainText().contains(QStringLiteral("etiquet.rtf")));
}

void TestMainWindow::contactHidesAndShowsMainWindow()
{
    Started s;
    s.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
    s.window->B_contact->click();
    QVERIFY(!s.window->isVisible());
    auto *contact = s.window->findChild<ContactWindow *>(QStringLiteral("CONTACT"));
    QVERIFY(contact);
    QCOMPARE(ContactWindow::mailUrl().scheme(), QStringLiteral("mailto"));
    contact->B_fincontact->click();
    QVERIFY(s.window->isVisible());
}

void TestMainWindow::catalogueHidesMainWindowAndList()
{
    Started s;
    s.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
    s.window->L_fonction_Click(FunctionList::catalogue);
    QVERIFY(!s.window->isVisible());
    QVERIFY(!s.window->L_fonction->isEnabled());
    QWidget *catalogue = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("Feuille3") && w->isVisible())
            catalogue = w;
    }
    QVERIFY(catalogue);
    catalogue->close();
    QVERIFY(s.window->isVisible());
    QVERIFY(s.window->L_fonction->isEnabled());
}

void TestMainWindow::progressWindow()
{
    ProgressWindow progress(96);
    QCOMPARE(progress.windowTitle(), QStringLiteral("          Traitement en cours:Patienter ....         "));
    QCOMPARE(progress.P_calcul->minimum(), 0);
    QCOMPARE(progress.P_calcul->maximum(), 96);
    QCOMPARE(progress.P_calcul->value(), 0);
    // As wide as its caption and 1200 twips (80 pixels) more.
    QCOMPARE(progress.width(), QFontMetrics(progress.font()).horizontalAdvance(ProgressWindow::caption) + 80);
}

void TestMainWindow::clickInEditorEmptiesClipboard()
{
    Started s;
    QGuiApplication::clipboard()->setText(QStringLiteral("ailleurs"));
    QTest::mousePress(s.text().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
}

void TestMainWindow::pressInSelectionStartsANewOne()
{
    Started s;
    s.text().setPlainText(QStringLiteral("Miel de lavande"));
    QTextCursor all(s.text().document());
    all.select(QTextCursor::Document);
    s.text().setTextCursor(all);
    // A press inside the selection starts a new one: no text drag is armed.
    QTest::mousePress(s.text().viewport(), Qt::LeftButton, {}, QPoint(2, 5));
    QVERIFY(!s.text().textCursor().hasSelection());
    QTest::mouseRelease(s.text().viewport(), Qt::LeftButton, {}, QPoint(2, 5));
    QCOMPARE(s.text().toPlainText(), QStringLiteral("Miel de lavande"));
}

void TestMainWindow::topOfLabelBroughtBackIntoView()
{
    Started s;
    QStringList lines;
    for (int i = 0; i < 15; ++i)
        lines << QStringLiteral("ligne");
    s.text().setPlainText(lines.join(u'\n'));
    QTextCursor end(s.text().document());
    end.movePosition(QTextCursor::End);
    s.text().setTextCursor(end);
    // The caret at the end of a text taller than the label stays in view.
    QVERIFY(s.labelEditor().scrollTwips() > 0);
    s.click("B_hautetiq");
    QCOMPARE(s.labelEditor().scrollTwips(), 0);
    QCOMPARE(s.text().textCursor().position(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
