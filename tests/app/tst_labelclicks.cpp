#include "userwindow.h"

#include "app/functionlist.h"
#include "editor/cellcolors.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetpanel.h"
#include "storage/colorvalue.h"

#include <QLabel>
#include <QTemporaryDir>


using Answer = Dialogs::Answer;

namespace {

struct Sheet : UserWindow {
    void openTypeList() const { function(FunctionList::selection); }
    bool consistent() { return window->sheet().consistent(); }
    QString text() const { return labelEditor().toPlainText(); }
};

QString writePicture(const QTemporaryDir &dir, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 200));
    const QString path = dir.filePath(QStringLiteral("photo.png"));
    image.save(path);
    return path;
}

} // namespace

class TestLabelClicks : public QObject {
    Q_OBJECT
private slots:
    void writeFromTheClickedLabel_data();
    void writeFromTheClickedLabel();
    void missingTextAndEmptyLabel();
    void tooHighTextStoredAsFitted();
    void replacementAsked();
    void labelsFrom120GetTextOnly();
    void recallRestoresTextBackgroundAndPicture();
    void greyCellsFreedWithTheLastMixedLabel();
    void clearPage();
    void sheetTypeList();
    void sheetTypeFoundAsYouType();
};

void TestLabelClicks::writeFromTheClickedLabel_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("countAfter");
    QTest::newRow("one label") << QStringLiteral("1") << 0 << 0 << QStringLiteral("1");
    QTest::newRow("30 typed: 24 at most") << QStringLiteral("30") << 0 << 23 << QStringLiteral("24");
    QTest::newRow("20 from 19: the 5 left") << QStringLiteral("20") << 19 << 23 << QStringLiteral("5");
    QTest::newRow("2.5 from 10: 11.5 rounds up to even") << QStringLiteral("2.5") << 10 << 12 << QStringLiteral("2.5");
    QTest::newRow("3.5 from 20: 22.5 rounds down to even") << QStringLiteral("3.5") << 20 << 22 << QStringLiteral("3.5");
    QTest::newRow("1.4 from 3") << QStringLiteral("1.4") << 3 << 3 << QStringLiteral("1.4");
    QTest::newRow("1.6 from 3") << QStringLiteral("1.6") << 3 << 4 << QStringLiteral("1.6");
}

void TestLabelClicks::writeFromTheClickedLabel()
{
    QFETCH(QString, count);
    QFETCH(int, cell);
    QFETCH(int, last);
    QFETCH(QString, countAfter);
    Sheet s;
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
    QCOMPARE(colorvalue::toColor(row.backcolor), QColor(Qt::white));
    QVERIFY(!row.impage);
    QVERIFY(s.consistent());
}

// Without text, the clicks that do nothing say nothing either.
void TestLabelClicks::missingTextAndEmptyLabel()
{
    Sheet s;
    s.click(3, Qt::MiddleButton);
    s.click(3, Qt::LeftButton, Qt::ShiftModifier);
    s.click(3, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(s.dialogs.shown.isEmpty());
    s.click(3);
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("MANQUE TEXTE"));
    QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("Une étiquette doit toujours comporter un texte\n"
                                                     "Ce texte peut se limiter à un blanc(espace)"));
    s.click(3, Qt::RightButton);
    s.click(3, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(s.dialogs.shown.size(), 3);
    QCOMPARE(s.dialogs.shown[1].title, QStringLiteral("ETIQUETTE VIDE"));
    QCOMPARE(s.dialogs.shown[2].text, QStringLiteral("Etiquette vide"));
    QCOMPARE(s.rows(), 0);
}

void TestLabelClicks::tooHighTextStoredAsFitted()
{
    Sheet s;
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("Ligne %1").arg(i);
    s.type(lines.join(u'\n'));
    s.click(0);
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("TEXTE TROP HAUT"));
    QVERIFY(s.dialogs.shown[0].text.startsWith(QStringLiteral("Seules les ")));
    const int kept = s.window->sheet().text(0)->blockCount();
    QVERIFY(kept > 1 && kept < 20);
    QCOMPARE(s.text().split(u'\n').size(), 20); // the editor keeps all it had
    s.click(0, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(s.text().split(u'\n').size(), kept);
    QCOMPARE(s.text().split(u'\n').last(), QStringLiteral("Ligne %1").arg(kept));
}

// Three labels from 3 over the label of mixed formats at 4: a No keeps it,
// a Yes replaces it.
void TestLabelClicks::replacementAsked()
{
    Sheet s;
    QTextCursor cursor(s.labelEditor().document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Gras "), bold);
    cursor.insertText(QStringLiteral("maigre"), QTextCharFormat());
    s.click(4);
    QVERIFY(s.window->I_page->hasDiagonal(4));
    const QList<PageRow> before = pagetable::all(s.window->workingDatabase()).value();

    s.type(QStringLiteral("Autre"));
    s.count(QStringLiteral("3"));
    s.dialogs.answerNext(Answer::No);
    s.click(3);
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("REMPLACEMENT ETIQUETTE"));
    QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("Les étiquettes utilisées(jaune)\n"
                                                     "vont etre effacées et remplacées.\nContinuer?"));
    QCOMPARE(s.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(s.color(3), cellcolors::lightGreen);
    QCOMPARE(s.color(4), cellcolors::lightRed);
    QVERIFY(s.window->I_page->hasDiagonal(4));
    QCOMPARE(s.color(5), cellcolors::lightGreen);
    QCOMPARE(pagetable::all(s.window->workingDatabase()).value(), before);
    QCOMPARE(s.window->sheet().text(4)->toPlainText(), QStringLiteral("Gras maigre"));
    QVERIFY(s.consistent());

    s.dialogs.answerNext(Answer::Yes);
    s.click(3);
    QCOMPARE(s.dialogs.shown.size(), 2);
    QCOMPARE(s.rows(), 3);
    for (int i = 3; i <= 5; ++i) {
        QCOMPARE(s.color(i), cellcolors::lightRed);
        QCOMPARE(s.window->sheet().text(i)->toPlainText(), QStringLiteral("Autre"));
    }
    QVERIFY(!s.window->I_page->hasDiagonal(4));
    QVERIFY(s.consistent());
}

void TestLabelClicks::labelsFrom120GetTextOnly()
{
    Sheet s;
    s.use(SheetType{QStringLiteral("7x20"), 7, 20, 1701, 841, 0, 0, 0, 0});
    QTemporaryDir dir;
    QVERIFY(s.window->picture->openPicture(writePicture(dir, QSize(60, 30))));
    QVERIFY(s.window->picture->hasPicture());
    s.type(QStringLiteral("Petit"));
    s.count(QStringLiteral("3"));
    s.click(119);
    QCOMPARE(s.color(119), cellcolors::lightRed);
    QCOMPARE(s.color(120), cellcolors::darkRed);
    QVERIFY(s.window->sheet().row(119)->impage);
    QVERIFY(!s.window->sheet().row(120)->impage);
    QVERIFY(!s.window->sheet().picture(121));
    QVERIFY(s.consistent());
}

void TestLabelClicks::recallRestoresTextBackgroundAndPicture()
{
    Sheet s;
    QTemporaryDir dir;
    QVERIFY(s.window->picture->openPicture(writePicture(dir, QSize(120, 80))));
    const PicturePlacement placed = s.window->picture->placement();
    s.labelEditor().setBackgroundColor(QColor(255, 240, 200));
    s.type(QStringLiteral("Confiture\nFraises"));
    s.click(0);
    s.click("B_supimag");
    QVERIFY(!s.window->picture->hasPicture());
    s.labelEditor().setBackgroundColor(Qt::white);
    s.type(QStringLiteral("Autre chose"));
    s.click(1);

    s.click(0, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(s.text(), QStringLiteral("Confiture\nFraises"));
    QCOMPARE(s.labelEditor().backgroundColor(), QColor(255, 240, 200));
    QVERIFY(s.window->picture->hasPicture());
    QCOMPARE(s.window->picture->placement(), placed);
    // A label without a picture leaves the editor without one.
    s.click(1, Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(!s.window->picture->hasPicture());
    QCOMPARE(s.text(), QStringLiteral("Autre chose"));
}

// Labels from 12 on greyed, as by the screen print mode: erasing the last
// label of mixed formats frees them.
void TestLabelClicks::greyCellsFreedWithTheLastMixedLabel()
{
    Sheet s;
    s.window->sheetPanel->limitTo(12);
    s.window->E_screen->show();
    QTextCursor cursor(s.labelEditor().document());
    QTextCharFormat big;
    big.setFontPointSize(18);
    cursor.insertText(QStringLiteral("Grand "), big);
    cursor.insertText(QStringLiteral("petit"), QTextCharFormat());
    s.count(QStringLiteral("2"));
    s.click(0);
    QCOMPARE(s.window->sheet().mixedFormatCount(), 2);
    s.click(0, Qt::RightButton);
    QCOMPARE(s.color(0), cellcolors::lightGreen);
    QCOMPARE(s.color(20), cellcolors::darkGrey);
    s.click(1, Qt::RightButton);
    QCOMPARE(s.rows(), 0);
    QCOMPARE(s.color(20), cellcolors::lightGreen);
    QVERIFY(!s.window->E_screen->isVisibleTo(s.window.get()));
    QVERIFY(s.consistent());
}

void TestLabelClicks::clearPage()
{
    Sheet s;
    s.type(QStringLiteral("Bocal"));
    s.count(QStringLiteral("6"));
    s.click(2);
    s.click("B_effpage");
    QCOMPARE(s.rows(), 0);
    QCOMPARE(s.window->T_nombre->text(), QStringLiteral("1"));
    QVERIFY(s.text().isEmpty());
    for (int i = 0; i < 24; ++i)
        QCOMPARE(s.color(i), cellcolors::lightGreen);
    QVERIFY(s.consistent());
}

// The list frees the cells greyed by the screen print mode. However often it
// was opened and left, another type asks once, and only a Yes clears the
// page; a stored type the program cannot lay out is refused without asking.
void TestLabelClicks::sheetTypeList()
{
    Sheet s;
    QListWidget *list = s.window->L_etiq;
    s.type(QStringLiteral("Bocal"));
    s.click(0);
    s.window->sheet().limitTo(10);
    QCOMPARE(s.color(10), cellcolors::darkGrey);
    for (int i = 0; i < 3; ++i) {
        s.openTypeList();
        QVERIFY(list->isVisible());
        QTest::mouseClick(s.window.get(), Qt::LeftButton, {}, QPoint(2, 2));   // the window's background
        QVERIFY(!list->isVisible());
    }
    for (int cell : {10, 17, 23})
        QCOMPARE(s.color(cell), cellcolors::lightGreen);

    // The type in use: nothing asked, nothing cleared.
    s.openTypeList();
    s.choose(list, QStringLiteral("3x8"));
    QVERIFY(s.dialogs.shown.isEmpty());
    QVERIFY(!list->isVisible());
    s.openTypeList();
    s.dialogs.answerNext(Answer::No);
    s.choose(list, QStringLiteral("6x16"));
    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("CHANGEMENT D'ETIQUETTE"));
    QVERIFY(!list->isVisible());
    QVERIFY(etiqtable::insert(s.window->workingDatabase(),
                              SheetType{QStringLiteral("Absurde"), 32767, 32767, 0, 0, 0, 0, 0, 0}));
    s.openTypeList();
    s.choose(list, QStringLiteral("Absurde"));
    QCOMPARE(s.dialogs.shown.size(), 2);
    QCOMPARE(s.dialogs.shown[1].title, QStringLiteral("ETIQUETTE TROP PETITE"));
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("3x8"));
    QCOMPARE(s.rows(), 1);

    s.openTypeList();
    s.dialogs.answerNext(Answer::Yes);
    s.choose(list, QStringLiteral("6x16"));
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("6x16"));
    QCOMPARE(s.window->I_page->cellCount(), 96);
    QCOMPARE(s.rows(), 0);
    QVERIFY(s.text().isEmpty());
    QVERIFY(s.consistent());
}

// The field over the list finds a type as the user types its name; Enter
// chooses it as a click does.
void TestLabelClicks::sheetTypeFoundAsYouType()
{
    Sheet s;
    s.openTypeList();
    QLineEdit *field = s.window->T_chercheetiq;
    QListWidget *list = s.window->L_etiq;
    QVERIFY(field->isVisible() && field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("avery65"));
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->isHidden())
            shown << list->item(i)->text();
    }
    QCOMPARE(shown, QStringList{"AVERY65"});
    s.dialogs.answerNext(Answer::Yes);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(s.window->state().sheetTypeName(), QStringLiteral("AVERY65"));
    QVERIFY(!list->isVisible() && !field->isVisible());
}

QTEST_MAIN(TestLabelClicks)
#include "tst_labelclicks.moc"
