#include "userwindow.h"

#include "app/contactwindow.h"
#include "app/helpwindow.h"
#include "app/progresswindow.h"
#include "app/translations.h"
#include "editor/cellcolors.h"
#include "editor/editorpanel.h"
#include "editor/labelformatting.h"
#include "platform/richtext/rtflimits.h"
#include "testfiles.h"

#include <QClipboard>
#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>

Q_DECLARE_METATYPE(SheetType)

namespace {

struct Started : UserWindow {
    QTextDocument &document() const { return *labelEditor().document(); }
    // Selects [start, start + length) the way the user does: the mouse release records the range for the font command.
    void select(int start, int length) const
    {
        QTextCursor cursor(&document());
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        labelEditor().setTextCursor(cursor);
        QTest::mouseRelease(labelEditor().viewport(), Qt::LeftButton, {}, QPoint(1, 1));
        labelEditor().setTextCursor(cursor);
    }
    void caretAtEnd() const { labelEditor().moveCursor(QTextCursor::End); }
    bool enabled(const char *button) const { return control<QPushButton>(button)->isEnabled(); }
};

// A help file of a title and `paragraphs` numbered paragraphs.
bool writeHelp(const QString &dir, int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Sans;}}\\f0\\fs28 Titre\\par\\fs20 ";
    for (int i = 1; i <= paragraphs; ++i)
        rtf += "Paragraphe " + QByteArray::number(i) + "\\par\r\n";
    return writeFile(dir + QStringLiteral("/etiquet.rtf"), rtf + '}');
}

void verifyCentred(QWidget &window)
{
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

    // 3 x 8 as it opens; more than 120 labels, of which only the first 120 take the picture; back to a small sheet.
    void sheetOnScreen()
    {
        Started s;
        QVERIFY(s.dialogs.shown.isEmpty());
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Type étiquette:3x8 (70,0 x 37,1 mm)"));
        QCOMPARE(s.labelEditor().size(), QSize(264, 140));
        // Laid out 30 twips inside either edge of the 3960-twip label, as fitted.
        QCOMPARE(s.document().textWidth(), 3900.0);
        SheetView &page = *s.window->I_page;
        QCOMPARE(page.cellCount(), 24);
        const QLabel &notice = *s.window->E_nombre;
        QVERIFY(!notice.isVisibleTo(s.window.get()));
        s.use(SheetType{QStringLiteral("7x20"), 7, 20, 1701, 841, 0, 0, 0, 0});
        QCOMPARE(page.cellCount(), 140);
        QCOMPARE(page.cellColor(119), cellcolors::lightGreen);
        QCOMPARE(page.cellColor(120), cellcolors::green);
        QVERIFY(notice.isVisibleTo(s.window.get()));
        QCOMPARE(notice.text(), QStringLiteral("Seules les 120 premières étiquettes\npeuvent recevoir une image"));
        QVERIFY(s.openPicture(QSize(60, 30)));
        s.count(QStringLiteral("3"));
        s.write(119, QStringLiteral("Petit"));
        QCOMPARE(s.color(119), cellcolors::lightRed);
        QCOMPARE(s.color(120), cellcolors::darkRed);
        QVERIFY(s.window->sheet().row(119)->impage && !s.window->sheet().row(120)->impage);
        QVERIFY(s.consistent());
        s.use(QStringLiteral("2x3"));
        QVERIFY(!notice.isVisibleTo(s.window.get()));
        QCOMPARE(page.cellCount(), 6);
    }

    void layoutOfEverySheetType_data()
    {
        QTest::addColumn<SheetType>("type");
        Started s;
        for (const SheetType &type : etiqtable::allByName(s.window->workingDatabase()))
            QTest::newRow(qPrintable(type.nom)) << type;
        // The extremes the catalogue takes: the tallest of several columns, a label as wide as the page, the smallest.
        QTest::newRow("2x2 105 x 148,5") << SheetType{QStringLiteral("2x2"), 2, 2, 5953, 8419, 0, 0, 0, 0};
        QTest::newRow("1x2 210 x 148,5") << SheetType{QStringLiteral("A5"), 1, 2, 11907, 8419, 0, 0, 0, 0};
        QTest::newRow("1x50 50 x 5,3") << SheetType{QStringLiteral("1x50"), 1, 50, 2835, 300, 0, 0, 0, 0};
        QTest::newRow("20x50 5,3 x 5,3") << SheetType{QStringLiteral("20x50"), 20, 50, 300, 300, 0, 0, 0, 0};
    }
    // No control covers another or leaves its frame, and the cells share their edges, whatever the sheet type.
    void layoutOfEverySheetType()
    {
        QFETCH(SheetType, type);
        Started s;
        s.use(type);
        for (const char *name : {"Feuille1", "F_page", "F_etiq", "pictureControls", "F_mode"}) {
            QWidget *parent = qstrcmp(name, "Feuille1") == 0 ? s.window.get() : s.control<QWidget>(name);
            QVERIFY2(parent, name);
            QList<QWidget *> shown = parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            shown.removeIf([&](const QWidget *w) { return w->isWindow() || !w->isVisibleTo(s.window.get()); });
            for (int i = 0; i < shown.size(); ++i) {
                const QRect a = shown[i]->geometry();
                QVERIFY2(parent->rect().contains(a), qPrintable(shown[i]->objectName() + " leaves " + name));
                for (int j = i + 1; j < shown.size(); ++j)
                    QVERIFY2(!a.intersects(shown[j]->geometry()),
                             qPrintable(shown[i]->objectName() + " covers " + shown[j]->objectName()));
            }
        }
        const SheetView &page = *s.window->I_page;
        for (int i = 0; i < page.cellCount(); ++i) {
            if ((i + 1) % type.cols != 0)
                QCOMPARE(page.cellRect(i + 1).left(), page.cellRect(i).right() + 1);
            if (i + type.cols < page.cellCount())
                QCOMPARE(page.cellRect(i + type.cols).top(), page.cellRect(i).bottom() + 1);
        }
    }

    // The catalogue and the contact window take the place of the main window until closed. Activation follows every
    // message box too: only a return from another of the program's windows moves the focus.
    void ownWindowsTakeThePlaceOfTheMainOne()
    {
        Started s;
        QEvent activate(QEvent::WindowActivate);
        s.window->T_nombre->setFocus();
        QApplication::sendEvent(s.window.get(), &activate);
        QCOMPARE(s.window->focusWidget(), s.window->T_nombre);
        s.function(FunctionList::catalogue);
        auto *catalogue = s.control<QWidget>("Feuille3");
        QVERIFY(catalogue && catalogue->isVisible() && !s.window->isVisible());
        // While the catalogue opens, an activation does not close it again.
        QApplication::sendEvent(s.window.get(), &activate);
        QVERIFY(catalogue->isVisible() && !s.window->L_fonction->isEnabled());
        catalogue->close();
        QVERIFY(s.window->isVisible() && s.window->L_fonction->isEnabled());
        QApplication::sendEvent(s.window.get(), &activate);
        QCOMPARE(s.window->focusWidget(), &s.labelEditor());
        s.click("B_contact");
        auto *contact = s.control<ContactWindow>("CONTACT");
        QVERIFY(contact && !s.window->isVisible());
        verifyCentred(*contact);
        QCOMPARE(ContactWindow::mailUrl().scheme(), QStringLiteral("mailto"));
        QTest::mouseClick(contact->B_fincontact, Qt::LeftButton);
        QVERIFY(s.window->isVisible());
    }

    // The entries in their order, named in the shipped help as every button and box is; Enter chooses the current one.
    void functionListEntries()
    {
        Started s;
        QListWidget *list = s.window->L_fonction;
        QStringList captions;
        for (int i = 0; i < list->count(); ++i)
            captions << list->item(i)->text();
        QCOMPARE(captions, QStringList({"Catalogue étiquettes", "Sélection étiquette", "Modèles étiquettes",
                                        "Pages étiquettes", "Vue avant impression", "Configurer imprimante", "Imprimer",
                                        "Ajuster"}));
        for (const QAbstractButton *button : s.window->findChildren<QAbstractButton *>())
            captions << button->text().remove(u'&');
        captions.removeAll(QString());
        QVERIFY(captions.size() > 8);
        const QString help = HelpWindow(qEnvironmentVariable("KALVENOR_PROGRAM_DIR")).T_aide->toPlainText();
        captions.removeIf([&](const QString &caption) { return help.contains(caption); });
        QVERIFY2(captions.isEmpty(), qPrintable(captions.join(QStringLiteral(", ")) + " not in the help"));
        s.dialogs.answerNext(Dialogs::Answer::Cancel);
        list->setCurrentRow(5);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(titles(s.dialogs), QStringList{"CONFIGURER IMPRIMANTE"});
    }

    // The font dialog opens on the font at the caret and applies to the selection, and the date takes the font at the
    // caret; cancelled, either dialog changes nothing.
    void fontAndColourDialogs()
    {
        Started s;
        QTextCursor cursor(&s.document());
        QTextCharFormat bold;
        bold.setFont(QFont(QStringLiteral("Liberation Serif"), 14, QFont::Bold));
        cursor.insertText(QStringLiteral("Gras"), bold);
        cursor.insertText(QStringLiteral(" et maigre"), QTextCharFormat());
        const QString before = s.labelEditor().toHtml();
        const FontChoice tail = LabelFormatting::fontAt(s.document(), 12);
        // Caret in the bold word, selection over "et maigre" reaching back.
        s.select(2, 10);
        s.click("B_police");
        QCOMPARE(s.labelEditor().toHtml(), before);
        const FontChoice chosen{QStringLiteral("Liberation Mono"), 9, QColor(0, 0, 128), false, true, true};
        s.choosers.fontAnswer = chosen;
        s.click("B_police");
        const FontChoice preset{QStringLiteral("Liberation Serif"), 14, Qt::black, true};
        QCOMPARE(s.choosers.fontPresets, QList<FontChoice>({preset, preset}));
        for (int position = 0; position <= 12; ++position)
            QCOMPARE(LabelFormatting::fontAt(s.document(), position),
                     position < 2 ? preset : position < 12 ? chosen : tail);
        s.select(5, 0);
        s.click("B_date");
        QCOMPARE(s.text(), QStringLiteral("Gras ") + LabelFormatting::dateText(QDate::currentDate()) + "et maigre");
        QCOMPARE(LabelFormatting::fontAt(s.document(), 6), chosen);
        s.click("B_couleur");
        QCOMPARE(s.labelEditor().backgroundColor(), QColor(Qt::white));
        s.choosers.colorAnswer = QColor(255, 255, 192);
        s.click("B_couleur");
        QCOMPARE(s.labelEditor().backgroundColor(), QColor(255, 255, 192));
        QCOMPARE(s.choosers.colorPresets, QList<QColor>({Qt::white, Qt::white}));
    }

    // The buttons follow the text and the selection; paste gives the scratch buffer, which copy, cut and fitting fill.
    // A press empties the system clipboard; one inside the selection starts a new selection rather than a text drag.
    // The caret at the end of a text taller than the label stays in view, until the button brings back its top.
    void copyCutPasteAndScroll()
    {
        Started s;
        QTextDocument &scratch = s.window->editor->scratch();
        QVERIFY(!s.enabled("B_copier") && !s.enabled("B_coller") && !s.enabled("B_effac"));
        s.type(QStringLiteral("Une étiquette"));
        QVERIFY(s.enabled("B_effac") && !s.enabled("B_copier"));
        s.select(4, 9);
        QVERIFY(s.enabled("B_copier") && s.enabled("B_couper"));
        s.click("B_copier");
        QCOMPARE(scratch.toPlainText(), QStringLiteral("étiquette"));
        QCOMPARE(s.text(), QStringLiteral("Une étiquette"));
        QVERIFY(s.enabled("B_copier") && s.enabled("B_coller"));
        s.select(0, 4);
        s.click("B_couper");
        QCOMPARE(scratch.toPlainText(), QStringLiteral("Une "));
        QCOMPARE(s.text(), QStringLiteral("étiquette"));
        QVERIFY(!s.enabled("B_copier"));
        s.caretAtEnd();
        s.click("B_coller");
        scratch.setPlainText(QStringLiteral("ajusté"));
        s.click("B_coller");
        scratch.clear();   // an empty one pastes nothing, not even through the system clipboard
        QGuiApplication::clipboard()->setText(QStringLiteral("ailleurs"));
        s.click("B_coller");
        QCOMPARE(s.text(), QStringLiteral("étiquetteUne ajusté"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ailleurs"));
        s.select(0, 19);
        QTest::mousePress(s.labelEditor().viewport(), Qt::LeftButton, {}, QPoint(2, 5));
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QVERIFY(!s.labelEditor().textCursor().hasSelection());
        QTest::mouseRelease(s.labelEditor().viewport(), Qt::LeftButton, {}, QPoint(2, 5));
        QCOMPARE(s.text(), QStringLiteral("étiquetteUne ajusté"));
        s.click("B_effac");
        QVERIFY(s.document().isEmpty() && !s.enabled("B_effac"));
        s.type(QStringLiteral("ligne\n").repeated(14) + QStringLiteral("ligne"));
        s.caretAtEnd();
        QVERIFY(s.labelEditor().scrollTwips() > 0);
        s.click("B_hautetiq");
        QCOMPARE(s.labelEditor().scrollTwips(), 0);
        QCOMPARE(s.labelEditor().textCursor().position(), 0);
    }

    // Day, month, year, joined by the locale's own separator.
    void dateText()
    {
        const auto text = [](const QLocale &locale) { return LabelFormatting::dateText(QDate(2026, 3, 4), locale); };
        QCOMPARE(text(QLocale(QLocale::Swedish, QLocale::Sweden)), QStringLiteral("04-03-2026"));   // year first
        QCOMPARE(text(QLocale(QLocale::Hungarian, QLocale::Hungary)), QStringLiteral("04.03.2026")); // "yyyy. MM. dd."
        QCOMPARE(text(QLocale::c()), QStringLiteral("04/03/2026")); // month name and blanks
    }

    void helpFromItsButton_data()
    {
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<bool>("cut");
        QTest::newRow("none in the program folder") << 0 << false;
        QTest::newRow("longer than the window") << 300 << false;
        QTest::newRow("more paragraphs than the reader takes") << int(richtext::limits::kMaxParagraphs) << true;
    }
    // In the middle of the screen, scrolled to the title, saying whether the text was cut.
    void helpFromItsButton()
    {
        QFETCH(int, paragraphs);
        QFETCH(bool, cut);
        Started s;
        QVERIFY(paragraphs == 0 || writeHelp(s.program.path(), paragraphs));
        s.click("B_aide");
        auto *help = s.control<HelpWindow>("Feuille4");
        QVERIFY(help && help->isVisible());
        verifyCentred(*help);
        QCOMPARE(help->E_tronque->isVisibleTo(help), cut);
        const QString text = help->T_aide->toPlainText();
        if (paragraphs == 0)
            QCOMPARE(text, QStringLiteral("Le fichier d'aide etiquet.rtf est introuvable ou illisible."));
        else
            QVERIFY2(text.startsWith(QStringLiteral("Titre\nParagraphe 1\n")), qPrintable(text.left(40)));
        QCOMPARE(help->T_aide->verticalScrollBar()->maximum() > 0, paragraphs > 0);
        QCOMPARE(help->T_aide->verticalScrollBar()->value(), 0);
    }

    void progressWindow()
    {
        ProgressWindow progress(96);
        QCOMPARE(progress.windowTitle(), QStringLiteral("          Traitement en cours:Patienter ....         "));
        QCOMPARE(progress.P_calcul->maximum(), 96);
        // As wide as its caption and 1200 twips (80 pixels) more.
        QCOMPARE(progress.width(), QFontMetrics(progress.font()).horizontalAdvance(ProgressWindow::caption) + 80);
    }

    // Where Qt's French translations are installed, its colour dialog speaks French. Last: they stay loaded.
    void colourDialogSpeaksFrench()
    {
        const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm");
        if (!QFileInfo::exists(installed))
            QSKIP("Qt's French translations are not installed (qt6-translations-l10n)");
        QVERIFY(loadTranslations(*qApp));
        QColorDialog dialog;
        QStringList captions;
        for (const QWidget *control : dialog.findChildren<QWidget *>())   // the labels' and the buttons'
            captions << control->property("text").toString().remove(u'&');
        QVERIFY(captions.contains(QStringLiteral("Couleurs de base")) && !captions.contains(QStringLiteral("Cancel")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
