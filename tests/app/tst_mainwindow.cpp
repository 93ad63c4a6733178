#include "userwindow.h"

#include "app/contactwindow.h"
#include "app/functionlist.h"
#include "app/helpwindow.h"
#include "app/progresswindow.h"
#include "app/translations.h"
#include "editor/cellcolors.h"
#include "editor/editorpanel.h"
#include "editor/labelformatting.h"
#include "platform/richtext/rtflimits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>

Q_DECLARE_METATYPE(SheetType)


namespace {

struct Started : UserWindow {
    EditorPanel &editor() { return *window->editor; }
    QTextEdit &text() { return labelEditor(); }
    QTextDocument &document() { return *labelEditor().document(); }

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
    void caretAtEnd()
    {
        QTextCursor end(text().document());
        end.movePosition(QTextCursor::End);
        text().setTextCursor(end);
    }
    bool enabled(const char *button) const { return control<QPushButton>(button)->isEnabled(); }
};

// A help file of a title and `paragraphs` numbered paragraphs.
QString writeHelp(const QTemporaryDir &dir, int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Sans;}}\\f0\\fs28 Titre\\par\\fs20 ";
    for (int i = 1; i <= paragraphs; ++i)
        rtf += "Paragraphe " + QByteArray::number(i) + "\\par\r\n";
    rtf += '}';
    QFile file(dir.filePath(QStringLiteral("etiquet.rtf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
        return {};
    return dir.path();
}

void verifyCentred(QWidget &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint offset = window.frameGeometry().center() - window.screen()->availableGeometry().center();
    // A few pixels of slack: the frame is not known before the window shows.
    QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QStringLiteral("%1, %2 off").arg(offset.x()).arg(offset.y())));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void sheetOnScreen();
    void layoutOfEverySheetType_data();
    void layoutOfEverySheetType();
    void catalogueTakesThePlaceOfTheWindow();
    void functionListEntries();
    void fontDialogPresetFromCaretAppliedToSelection();
    void colourDialog();
    void copyCutPaste_data();
    void copyCutPaste();
    void dateText_data();
    void dateText();
    void dateTakesTheFormatAtTheCaret();
    void pressInEditor();
    void topOfLabelBroughtBackIntoView();
    void helpAndContactFromTheirButtons();
    void helpOpensAtItsTop_data();
    void helpOpensAtItsTop();
    void helpNamesTheMainWindowControls();
    void progressWindow();
    void colourDialogSpeaksFrench();
};

// 3 x 8 as it opens; more than 120 labels, and back to a small sheet.
void TestMainWindow::sheetOnScreen()
{
    Started s;
    QVERIFY(s.dialogs.shown.isEmpty());
    QCOMPARE(s.window->windowTitle(), QStringLiteral("Type étiquette:3x8 (70,0 x 37,1 mm)"));
    QCOMPARE(s.text().size(), QSize(264, 140));
    // Laid out 30 twips inside either edge of the 3960-twip label, as fitted.
    QCOMPARE(s.document().textWidth(), 3900.0);
    SheetView &page = *s.window->I_page;
    QCOMPARE(page.cellCount(), 24);
    QCOMPARE(page.cellRect(4).topLeft(), QPoint(page.cellRect(0).width(), page.cellRect(0).height()));
    for (int i = 0; i < 24; ++i)
        QCOMPARE(page.cellColor(i), cellcolors::lightGreen);
    QVERIFY(!s.window->E_nombre->isVisibleTo(s.window.get()));
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("1"));
    QCOMPARE(s.window->state().usableLabelCount, 24);

    s.use(SheetType{QStringLiteral("7x20"), 7, 20, 1701, 841, 0, 0, 0, 0});
    QCOMPARE(page.cellCount(), 140);
    QCOMPARE(page.cellColor(119), cellcolors::lightGreen);
    QCOMPARE(page.cellColor(120), cellcolors::green);
    QCOMPARE(page.cellColor(139), cellcolors::green);
    QVERIFY(s.window->E_nombre->isVisibleTo(s.window.get()));
    QCOMPARE(s.window->E_nombre->text(), QStringLiteral("Seules les 120 premières étiquettes\npeuvent recevoir une image"));
    s.use(QStringLiteral("2x3"));
    QVERIFY(!s.window->E_nombre->isVisibleTo(s.window.get()));
    QCOMPARE(page.cellCount(), 6);
}

void TestMainWindow::layoutOfEverySheetType_data()
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

// No control covers another or leaves its frame, and the cells share their
// edges, whatever the sheet type.
void TestMainWindow::layoutOfEverySheetType()
{
    QFETCH(SheetType, type);
    Started s;
    s.use(type);
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
    const SheetView &page = *s.window->I_page;
    for (int i = 0; i < page.cellCount(); ++i) {
        const QRect cell = page.cellRect(i);
        if ((i + 1) % type.cols != 0)
            QCOMPARE(page.cellRect(i + 1).left(), cell.right() + 1);
        if (i + type.cols < page.cellCount())
            QCOMPARE(page.cellRect(i + type.cols).top(), cell.bottom() + 1);
    }
}

// Activation follows every message box too: only the return from one of the
// program's windows gives the editor the focus back.
void TestMainWindow::catalogueTakesThePlaceOfTheWindow()
{
    Started s;
    QEvent activate(QEvent::WindowActivate);
    s.window->T_nombre->setFocus();
    QApplication::sendEvent(s.window.get(), &activate);
    QCOMPARE(s.window->focusWidget(), s.window->T_nombre);

    s.function(FunctionList::catalogue);
    auto *catalogue = s.control<QWidget>("Feuille3");
    QVERIFY(catalogue && catalogue->isVisible());
    QVERIFY(!s.window->isVisible());
    // While the catalogue opens, an activation does not close it again.
    QApplication::sendEvent(s.window.get(), &activate);
    QVERIFY(catalogue->isVisible());
    QVERIFY(!s.window->L_fonction->isEnabled());

    catalogue->close();
    QVERIFY(s.window->isVisible());
    QVERIFY(s.window->L_fonction->isEnabled());
    QApplication::sendEvent(s.window.get(), &activate);
    QCOMPARE(s.window->focusWidget(), &s.labelEditor());
}

// The entries in their order; Enter chooses the current one.
void TestMainWindow::functionListEntries()
{
    Started s;
    QListWidget *list = s.window->L_fonction;
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    QCOMPARE(entries, QStringList({"Catalogue étiquettes", "Sélection étiquette", "Modèles étiquettes",
                                   "Pages étiquettes", "Vue avant impression", "Configurer imprimante", "Imprimer",
                                   "Ajuster"}));
    s.dialogs.answerNext(Dialogs::Answer::Cancel);
    list->setCurrentRow(5);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("CONFIGURER IMPRIMANTE"));
}

// The dialog opens on the font at the caret and applies to the selection
// only; cancelled, it changes nothing.
void TestMainWindow::fontDialogPresetFromCaretAppliedToSelection()
{
    Started s;
    QTextCursor cursor(&s.document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontFamilies({QStringLiteral("Liberation Serif")});
    bold.setFontPointSize(14);
    cursor.insertText(QStringLiteral("Gras"), bold);
    cursor.insertText(QStringLiteral(" et maigre"), QTextCharFormat());
    const QString before = s.text().toHtml();
    const FontChoice tail = LabelFormatting::fontAt(s.document(), 12);

    // Caret in the bold word, selection over "et maigre" reaching back.
    s.select(2, 10);
    s.click("B_police");
    QCOMPARE(s.text().toHtml(), before);
    const FontChoice chosen{QStringLiteral("Liberation Mono"), 9, QColor(0, 0, 128), false, true, true};
    s.choosers.fontAnswer = chosen;
    s.click("B_police");

    const FontChoice preset{QStringLiteral("Liberation Serif"), 14, Qt::black, true};
    QCOMPARE(s.choosers.fontPresets, QList<FontChoice>({preset, preset}));
    // Outside the range: untouched.
    QCOMPARE(LabelFormatting::fontAt(s.document(), 0), preset);
    QCOMPARE(LabelFormatting::fontAt(s.document(), 1), preset);
    for (int position = 2; position < 12; ++position)
        QCOMPARE(LabelFormatting::fontAt(s.document(), position), chosen);
    QCOMPARE(LabelFormatting::fontAt(s.document(), 12), tail);
}

void TestMainWindow::colourDialog()
{
    Started s;
    s.click("B_couleur");
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(Qt::white));
    s.choosers.colorAnswer = QColor(255, 255, 192);
    s.click("B_couleur");
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(255, 255, 192));
    QCOMPARE(s.choosers.colorPresets, QList<QColor>({Qt::white, Qt::white}));
}

void TestMainWindow::copyCutPaste_data()
{
    QTest::addColumn<bool>("cut");
    QTest::newRow("copy") << false;
    QTest::newRow("cut") << true;
}

// The buttons follow the text and the selection. Paste gives the scratch
// buffer, which fitting a label overwrites too; an empty one pastes nothing.
void TestMainWindow::copyCutPaste()
{
    QFETCH(bool, cut);
    Started s;
    QVERIFY(!s.enabled("B_copier") && !s.enabled("B_coller") && !s.enabled("B_effac"));
    s.text().setPlainText(QStringLiteral("Une étiquette"));
    QVERIFY(s.enabled("B_effac") && !s.enabled("B_copier"));
    s.select(4, 9);
    QVERIFY(s.enabled("B_copier") && s.enabled("B_couper"));
    s.click(cut ? "B_couper" : "B_copier");
    QCOMPARE(s.editor().scratch().toPlainText(), QStringLiteral("étiquette"));
    QCOMPARE(s.text().toPlainText(), cut ? QStringLiteral("Une ") : QStringLiteral("Une étiquette"));
    QCOMPARE(s.enabled("B_copier"), !cut);
    QVERIFY(s.enabled("B_coller"));
    s.caretAtEnd();
    s.click("B_coller");
    const QString pasted = cut ? QStringLiteral("Une étiquette") : QStringLiteral("Une étiquetteétiquette");
    QCOMPARE(s.text().toPlainText(), pasted);

    s.editor().scratch().setPlainText(QStringLiteral(" ajusté"));
    s.click("B_coller");
    QCOMPARE(s.text().toPlainText(), pasted + QStringLiteral(" ajusté"));
    s.editor().scratch().clear();
    s.click("B_coller");
    QCOMPARE(s.text().toPlainText(), pasted + QStringLiteral(" ajusté"));
    s.click("B_effac");
    QVERIFY(s.document().isEmpty());
    QVERIFY(!s.enabled("B_effac"));
}

// Day, month, year always, joined by the locale's own separator.
void TestMainWindow::dateText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("German, dot") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("04.03.2026");
    QTest::newRow("Swedish, year first") << QLocale(QLocale::Swedish, QLocale::Sweden) << QStringLiteral("04-03-2026");
    QTest::newRow("Hungarian, padded dot") << QLocale(QLocale::Hungarian, QLocale::Hungary)
                                           << QStringLiteral("04.03.2026");
    QTest::newRow("US, month first") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("04/03/2026");
    QTest::newRow("C, month name and blanks") << QLocale::c() << QStringLiteral("04/03/2026");
}

void TestMainWindow::dateText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(LabelFormatting::dateText(QDate(2026, 3, 4), locale), expected);
}

void TestMainWindow::dateTakesTheFormatAtTheCaret()
{
    Started s;
    QTextCursor cursor(&s.document());
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontPointSize(16);
    format.setForeground(QColor(200, 0, 0));
    cursor.insertText(QStringLiteral("Le "), format);
    s.text().setTextCursor(cursor);
    s.click("B_date");
    QCOMPARE(s.text().toPlainText(), QStringLiteral("Le ") + LabelFormatting::dateText(QDate::currentDate()));
    QCOMPARE(LabelFormatting::fontAt(s.document(), 5), LabelFormatting::fontAt(s.document(), 0));
}

// A press empties the system clipboard; one inside the selection starts a
// new selection rather than a text drag.
void TestMainWindow::pressInEditor()
{
    Started s;
    QGuiApplication::clipboard()->setText(QStringLiteral("ailleurs"));
    s.text().setPlainText(QStringLiteral("Miel de lavande"));
    s.select(0, 15);
    QTest::mousePress(s.text().viewport(), Qt::LeftButton, {}, QPoint(2, 5));
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
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
    s.caretAtEnd();
    // The caret at the end of a text taller than the label stays in view.
    QVERIFY(s.labelEditor().scrollTwips() > 0);
    s.click("B_hautetiq");
    QCOMPARE(s.labelEditor().scrollTwips(), 0);
    QCOMPARE(s.text().textCursor().position(), 0);
}

// The contact window takes the place of the main window until it is closed.
void TestMainWindow::helpAndContactFromTheirButtons()
{
    Started s;
    s.click("B_aide");
    auto *help = s.control<HelpWindow>("Feuille4");
    QVERIFY(help && help->isVisible());
    // The test's program folder has no help file.
    QCOMPARE(help->T_aide->toPlainText(),
             QStringLiteral("Le fichier d'aide etiquet.rtf est introuvable ou illisible."));
    s.click("B_contact");
    QVERIFY(!s.window->isVisible());
    auto *contact = s.control<ContactWindow>("CONTACT");
    QVERIFY(contact);
    verifyCentred(*contact);
    QCOMPARE(ContactWindow::mailUrl().scheme(), QStringLiteral("mailto"));
    contact->B_fincontact->click();
    QVERIFY(s.window->isVisible());
}

void TestMainWindow::helpOpensAtItsTop_data()
{
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<bool>("cut");
    QTest::newRow("longer than the window") << 300 << false;
    QTest::newRow("more paragraphs than the reader takes") << int(richtext::limits::kMaxParagraphs) << true;
}

// In the middle of the screen, scrolled to the title, saying whether the
// text was cut.
void TestMainWindow::helpOpensAtItsTop()
{
    QFETCH(int, paragraphs);
    QFETCH(bool, cut);
    QTemporaryDir dir;
    HelpWindow help(writeHelp(dir, paragraphs));
    verifyCentred(help);
    QCOMPARE(help.E_tronque->isVisibleTo(&help), cut);
    QCOMPARE(help.T_aide->document()->begin().text(), QStringLiteral("Titre"));
    QCOMPARE(help.T_aide->document()->begin().next().text(), QStringLiteral("Paragraphe 1"));
    QVERIFY(help.T_aide->verticalScrollBar()->maximum() > 0);
    QCOMPARE(help.T_aide->verticalScrollBar()->value(), 0);
}

// Every button, box and function the main window offers is named in the
// shipped help by its own caption.
void TestMainWindow::helpNamesTheMainWindowControls()
{
    Started s;
    QStringList captions;
    for (const QAbstractButton *button : s.window->findChildren<QAbstractButton *>())
        captions << button->text().remove(u'&');
    for (int i = 0; i < s.window->L_fonction->count(); ++i)
        captions << s.window->L_fonction->item(i)->text();
    captions.removeAll(QString());
    captions.removeDuplicates();
    QVERIFY(captions.size() > 8);

    HelpWindow help(qEnvironmentVariable("KALVENOR_PROGRAM_DIR"));
    QVERIFY(help.T_aide->isReadOnly());
    const QString text = help.T_aide->toPlainText();
    QStringList missing;
    for (const QString &caption : captions) {
        if (!text.contains(caption))
            missing << caption;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

void TestMainWindow::progressWindow()
{
    ProgressWindow progress(96);
    QCOMPARE(progress.windowTitle(), QStringLiteral("          Traitement en cours:Patienter ....         "));
    QCOMPARE(progress.P_calcul->maximum(), 96);
    // As wide as its caption and 1200 twips (80 pixels) more.
    QCOMPARE(progress.width(), QFontMetrics(progress.font()).horizontalAdvance(ProgressWindow::caption) + 80);
}

// Where Qt's French translations are installed, its colour dialog shows
// none of its English captions. Last: the translations stay loaded.
void TestMainWindow::colourDialogSpeaksFrench()
{
    const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm");
    if (!QFileInfo::exists(installed))
        QSKIP("Qt's French translations are not installed (qt6-translations-l10n)");
    QVERIFY(loadTranslations(*qApp));

    QColorDialog dialog;
    QStringList captions;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        captions << label->text().remove(u'&');
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        captions << button->text().remove(u'&');
    for (const char *english : {"Basic colors", "Pick Screen Color", "Custom colors", "Add to Custom Colors", "Cancel"})
        QVERIFY2(!captions.contains(QLatin1String(english)), english);
    QVERIFY(captions.contains(QStringLiteral("Couleurs de base")));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
