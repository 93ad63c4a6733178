#include "userwindow.h"

#include "editor/cellcolors.h"
#include "editor/sheetpanel.h"
#include "storage/colorvalue.h"

#include <QLabel>

using Answer = Dialogs::Answer;

class TestLabelClicks : public QObject {
    Q_OBJECT
private slots:
    void writeFromTheClickedLabel_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("countAfter");
        QTest::newRow("one label") << QStringLiteral("1") << 0 << 0 << QStringLiteral("1");
        QTest::newRow("30 typed: 24 at most") << QStringLiteral("30") << 0 << 23 << QStringLiteral("24");
        QTest::newRow("20 from 19: the 5 left") << QStringLiteral("20") << 19 << 23 << QStringLiteral("5");
        QTest::newRow("2.5 from 10: 11.5 to even 12") << QStringLiteral("2.5") << 10 << 12 << QStringLiteral("2.5");
        QTest::newRow("3.5 from 20: 22.5 to even 22") << QStringLiteral("3.5") << 20 << 22 << QStringLiteral("3.5");
    }
    void writeFromTheClickedLabel()
    {
        QFETCH(QString, count);
        QFETCH(int, cell);
        QFETCH(int, last);
        QFETCH(QString, countAfter);
        UserWindow s;
        s.type(QStringLiteral(" "));   // a blank is text enough
        s.count(count);
        s.click(cell);
        QVERIFY(s.dialogs.shown.isEmpty());
        QCOMPARE(s.window->T_nombre->text(), countAfter);
        QCOMPARE(s.rows(), last - cell + 1);
        for (int i = std::max(cell - 1, 0); i <= std::min(last + 1, 23); ++i)
            QCOMPARE(s.color(i), i >= cell && i <= last ? cellcolors::lightRed : cellcolors::lightGreen);
        const PageRow row = *s.window->sheet().row(cell);
        QCOMPARE(QPoint(row.posx, row.posy), QPoint(cell % 3, cell / 3));
        QVERIFY(colorvalue::toColor(row.backcolor) == Qt::white && !row.impage);
        QVERIFY(s.consistent());
    }

    // Without text, the clicks that do nothing say nothing either.
    void missingTextAndEmptyLabel()
    {
        UserWindow s;
        s.click(3, Qt::MiddleButton);
        s.click(3, Qt::LeftButton, Qt::ShiftModifier);
        s.click(3, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(s.dialogs.shown.isEmpty());
        s.click(3);
        s.click(3, Qt::RightButton);
        s.click(3, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(titles(s.dialogs), QStringList({"MANQUE TEXTE", "ETIQUETTE VIDE", "ETIQUETTE VIDE"}));
        QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("Une étiquette doit toujours comporter un texte\n"
                                                         "Ce texte peut se limiter à un blanc(espace)"));
        QCOMPARE(s.dialogs.shown[2].text, QStringLiteral("Etiquette vide"));
        QCOMPARE(s.rows(), 0);
    }

    // Three labels from 3 over label 4 of mixed formats ask first: a No keeps it. A Yes from 2 replaces it, but the
    // labels from 12, greyed as by the screen print mode, stay grey until 5, the last of mixed formats, is erased.
    // Clearing the page resets the count to one.
    void replacementAsked()
    {
        UserWindow s;
        s.window->sheetPanel->limitTo(12);
        s.window->E_screen->show();
        QTextCursor cursor(s.labelEditor().document());
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Gras "), bold);
        cursor.insertText(QStringLiteral("maigre"), QTextCharFormat());
        s.count(QStringLiteral("2"));
        s.click(4);
        QVERIFY(s.window->I_page->hasDiagonal(4));
        const QList<PageRow> before = pagetable::all(s.window->workingDatabase()).value();
        s.type(QStringLiteral("Autre"));
        s.count(QStringLiteral("3"));
        s.dialogs.answerNext(Answer::No);
        s.click(3);
        QCOMPARE(titles(s.dialogs), QStringList{"REMPLACEMENT ETIQUETTE"});
        QCOMPARE(s.dialogs.shown[0].text,
                 QStringLiteral("Les étiquettes utilisées(jaune)\nvont etre effacées et remplacées.\nContinuer?"));
        QCOMPARE(s.dialogs.shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE((QList<QColor>{s.color(3), s.color(4), s.color(5)}),
                 (QList<QColor>{cellcolors::lightGreen, cellcolors::lightRed, cellcolors::lightRed}));
        QVERIFY(s.window->I_page->hasDiagonal(4));
        QCOMPARE(pagetable::all(s.window->workingDatabase()).value(), before);
        QCOMPARE(s.window->sheet().text(4)->toPlainText(), QStringLiteral("Gras maigre"));
        QVERIFY(s.consistent());

        s.dialogs.answerNext(Answer::Yes);
        s.click(2);
        QCOMPARE(s.dialogs.shown.size(), 2);
        QCOMPARE(s.rows(), 4);
        QCOMPARE((QList<QColor>{s.color(2), s.color(3), s.color(4)}), QList<QColor>(3, cellcolors::lightRed));
        QCOMPARE(s.window->sheet().text(4)->toPlainText(), QStringLiteral("Autre"));
        QVERIFY(!s.window->I_page->hasDiagonal(4));
        QCOMPARE(s.color(20), cellcolors::darkGrey);
        s.click(5, Qt::RightButton);
        QCOMPARE(s.rows(), 3);
        QCOMPARE(s.color(20), cellcolors::lightGreen);
        QVERIFY(!s.window->E_screen->isVisibleTo(s.window.get()));
        QVERIFY(s.consistent());

        s.click("B_effpage");
        QCOMPARE(s.rows(), 0);
        QCOMPARE(s.window->T_nombre->text(), QStringLiteral("1"));
        QVERIFY(s.text().isEmpty());
        QCOMPARE((QList<QColor>{s.color(2), s.color(3), s.color(4)}), QList<QColor>(3, cellcolors::lightGreen));
        QVERIFY(s.consistent());
    }

    // Recalled, a label gives back its background, its picture and its text as stored: cut to the lines that fit, while
    // the editor kept all it had. A label without a picture leaves the editor without one.
    void recallRestoresTextBackgroundAndPicture()
    {
        UserWindow s;
        QVERIFY(s.openPicture(QSize(120, 80)));
        const PicturePlacement placed = s.window->picture->placement();
        s.labelEditor().setBackgroundColor(QColor(255, 240, 200));
        s.write(0, QStringLiteral("Confiture\nFraises"));
        s.click("B_supimag");
        QVERIFY(!s.window->picture->hasPicture());
        s.labelEditor().setBackgroundColor(Qt::white);
        QStringList lines;
        for (int i = 1; i <= 20; ++i)
            lines << QStringLiteral("Ligne %1").arg(i);
        s.write(1, lines.join(u'\n'));
        QCOMPARE(titles(s.dialogs), QStringList{"TEXTE TROP HAUT"});
        QCOMPARE(s.text().count(u'\n'), 19);
        s.click(0, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(s.text(), QStringLiteral("Confiture\nFraises"));
        QCOMPARE(s.labelEditor().backgroundColor(), QColor(255, 240, 200));
        QVERIFY(s.window->picture->hasPicture());
        QCOMPARE(s.window->picture->placement(), placed);
        s.click(1, Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(!s.window->picture->hasPicture());
        const int kept = s.window->sheet().text(1)->blockCount();
        QVERIFY(kept > 1 && kept < 20);
        QCOMPARE(s.text(), lines.mid(0, kept).join(u'\n'));
    }

    // The list frees the cells greyed by the screen print mode. However often it was opened and left, another type asks
    // once, and only a Yes clears the page; a stored type the program cannot lay out is refused without asking. The
    // field over the list finds a type as the user types its name; Enter chooses it as a click does.
    void sheetTypeList()
    {
        UserWindow s;
        QListWidget *list = s.window->L_etiq;
        QLineEdit *field = s.window->T_chercheetiq;
        s.write(0, QStringLiteral("Bocal"));
        s.window->sheet().limitTo(10);
        QCOMPARE(s.color(10), cellcolors::darkGrey);
        for (int i = 0; i < 3; ++i) {
            s.function(FunctionList::selection);
            QVERIFY(list->isVisible() && field->isVisible() && field->hasFocus());
            QTest::mouseClick(s.window.get(), Qt::LeftButton, {}, QPoint(2, 2));   // the window's background
            QVERIFY(!list->isVisible() && !field->isVisible());
        }
        for (int cell : {10, 17, 23})
            QCOMPARE(s.color(cell), cellcolors::lightGreen);
        const auto pick = [&](const QString &type) { s.function(FunctionList::selection); s.choose(list, type); };
        // The type in use: nothing asked, nothing cleared.
        pick(QStringLiteral("3x8"));
        QVERIFY(s.dialogs.shown.isEmpty() && !list->isVisible());
        s.dialogs.answerNext(Answer::No);
        pick(QStringLiteral("6x16"));
        QCOMPARE(titles(s.dialogs), QStringList{"CHANGEMENT D'ETIQUETTE"});
        QVERIFY(!list->isVisible());
        QVERIFY(etiqtable::insert(s.window->workingDatabase(),
                                  SheetType{QStringLiteral("Absurde"), 32767, 32767, 0, 0, 0, 0, 0, 0}));
        pick(QStringLiteral("Absurde"));
        QCOMPARE(titles(s.dialogs), QStringList({"CHANGEMENT D'ETIQUETTE", "ETIQUETTE TROP PETITE"}));
        QVERIFY(!list->isVisible());
        QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("3x8"));
        QCOMPARE(s.rows(), 1);

        s.function(FunctionList::selection);
        QTest::keyClicks(field, QStringLiteral("avery65"));
        s.dialogs.answerNext(Answer::Yes);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("AVERY65"));
        QCOMPARE(s.window->I_page->cellCount(), 65);   // AVERY65: 65 labels
        QCOMPARE(s.rows(), 0);
        QVERIFY(s.text().isEmpty());
        QVERIFY(!list->isVisible() && !field->isVisible());
        QVERIFY(s.consistent());
    }
};

QTEST_MAIN(TestLabelClicks)
#include "tst_labelclicks.moc"
