#include "scripteddialogs.h"
#include "workingdatabase.h"

#include "catalogue/cataloguewindow.h"
#include "catalogue/sampleview.h"
#include "storage/appstate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// A printer whose page is exactly A4 at 56.7 twips per mm, printable inside
// 3 mm (170 twips).
const PrinterFacts a4Printer{QStringLiteral("test"), 11907, 16839, 11567, 16499, 170, 170};

bool isGreen(QRgb pixel) { return (pixel & 0xffffff) == 0x00ff00; }
bool isRed(QRgb pixel) { return (pixel & 0xffffff) == 0xff0000; }

} // namespace

class TestCatalogueWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openingShowsTheCurrentType();
    void missingCurrentTypeSelectsTheLastEntry();
    void keysInTheFields_data();
    void keysInTheFields();
    void modifyShowsStoredValueThenUndo();
    void missingDecimalSymbolGoesBackToTheFirstType();
    void addThenUndo();
    void deleteThenUndo();
    void listTextNamingNoRowChangesNothing();
    void sampleIsDrawn();
    void quitAndHelp();

private:
    void load(const QString &currentType);
    QLineEdit *field(const char *name) { return m_window->findChild<QLineEdit *>(QString::fromLatin1(name)); }

    WorkingDatabase *m_work = nullptr;
    ScriptedDialogs m_dialogs;
    AppState m_state;
    CatalogueWindow *m_window = nullptr;
};

void TestCatalogueWindow::initTestCase()
{
    // The users are French: fields show decimals with a comma.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

void TestCatalogueWindow::init()
{
    m_work = new WorkingDatabase;
    QVERIFY(m_work->open());
    m_dialogs.clear();
    m_state = AppState();
    m_state.screenWidthPx = 1280;
    m_state.screenHeightPx = 1024;
    m_state.setPrinter(a4Printer);
}

void TestCatalogueWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_work;
    m_work = nullptr;
}

void TestCatalogueWindow::load(const QString &currentType)
{
    m_state.sheetTypeName = currentType;
    m_window = new CatalogueWindow(m_state, m_work->db, m_dialogs);
    m_window->Form_Load();
}

void TestCatalogueWindow::openingShowsTheCurrentType()
{
    load(QStringLiteral("AVERY65"));
    QCOMPARE(m_window->objectName(), QStringLiteral("Feuille3"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("CATALOGUE ETIQUETTES"));
    // Centred on a 1280 x 1024 screen.
    QCOMPARE(m_window->pos(), QPoint(270, 242));
    QVERIFY(m_window->isReady());
    QCOMPARE(m_window->scale(), 7320.0 / 16839);

    QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("AVERY65"));
    QCOMPARE(m_window->L_etiq->count(), m_work->rows().size());
    QVERIFY(m_window->O_modif->isChecked());
    QVERIFY(!m_window->B_annul->isEnabled());
    QCOMPARE(field("T_dim(0)")->text(), QStringLiteral("4,74"));
    QCOMPARE(field("T_dim(2)")->text(), QStringLiteral("10,69"));
    QCOMPARE(field("T_dim(4)")->text(), QStringLiteral("38,10"));
    QCOMPARE(field("T_dim(5)")->text(), QStringLiteral("21,20"));
    QCOMPARE(field("T_colonnes")->text(), QStringLiteral("5"));
    QCOMPARE(field("T_rangees")->text(), QStringLiteral("13"));
    QCOMPARE(m_window->E_etiq->text(), QStringLiteral("Dimensions étiquette:38,1 x 21,2 mm "));
    QCOMPARE(m_window->E_symbole->text(),
             QStringLiteral("Le symbole décimal utilisé doit etre le point ou la virgule.\n"
                            "Un bip sonore indique qu'une erreur de saisie na pas été prise en compte"));

    // The picture at 5700 x 450 twips, 7320 high, A4 wide; the caption over it.
    QCOMPARE(m_window->I_page->geometry(), QRect(380, 30, 345, 488));
    QCOMPARE(m_window->E_etiq->x(), m_window->I_page->x());
    QCOMPARE(m_window->E_etiq->width(), m_window->I_page->width());
    QCOMPARE(m_window->I_page->sample().boxes().size(), 65);
    QCOMPARE(m_window->rowNumbers().size(), 13);
    QCOMPARE(m_window->columnNumbers().size(), 5);
}

void TestCatalogueWindow::missingCurrentTypeSelectsTheLastEntry()
{
    load(QStringLiteral("disparu"));
    QCOMPARE(m_window->L_etiq->currentIndex(), m_window->L_etiq->count() - 1);
    QCOMPARE(m_window->L_etiq->currentText(), m_work->rows().last().nom);
    QCOMPARE(field("T_colonnes")->text(), QString::number(m_work->rows().last().cols));
}

void TestCatalogueWindow::keysInTheFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("keys"); // "\b" Backspace, "\x7f" Delete
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    // The rest of the filter is tested on EntryFilter itself.
    QTest::newRow("columns: Backspace undone") << "T_colonnes" << "12" << 2 << "\b" << "12" << 1;
    QTest::newRow("columns: Delete works") << "T_colonnes" << "12" << 0 << "\x7f" << "2" << 0;
    // The point is character 46, the code of the Delete key: still undone.
    QTest::newRow("rows: point undone") << "T_rangees" << "8" << 1 << "." << "8" << 1;
    QTest::newRow("width: comma completed") << "T_dim(4)" << "" << 0 << "12," << "12,00" << 0;
    QTest::newRow("height: second symbol undone") << "T_dim(5)" << "37,11" << 5 << "." << "37,11" << 1;
    QTest::newRow("width: Delete the symbol, type another")
        << "T_dim(4)" << "12,50" << 2 << "\x7f." << "12.50" << 0;
}

void TestCatalogueWindow::keysInTheFields()
{
    load(QStringLiteral("3x8"));
    QFETCH(QString, name);
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(QString, keys);
    QLineEdit *edit = m_window->findChild<QLineEdit *>(name);
    QVERIFY(edit);
    edit->setText(start);
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(edit, &focus);
    edit->setCursorPosition(cursor);
    for (const QChar key : keys) {
        if (key == u'\b')
            QTest::keyClick(edit, Qt::Key_Backspace);
        else if (key == u'\x7f')
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClick(edit, key.toLatin1());
    }
    QTEST(edit->text(), "text");
    QTEST(m_dialogs.beeps, "beeps");
}

void TestCatalogueWindow::modifyShowsStoredValueThenUndo()
{
    load(QStringLiteral("3x8"));
    field("T_dim(4)")->setText(QStringLiteral("12,50"));
    QTest::mouseClick(m_window->B_ok, Qt::LeftButton);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("3x8"))->widthetiq, 708);
    QCOMPARE(field("T_dim(4)")->text(), QStringLiteral("12,49"));
    QCOMPARE(m_window->E_etiq->text(), QStringLiteral("Dimensions étiquette:12,5 x 37,1 mm "));
    QVERIFY(m_window->B_annul->isEnabled());

    QTest::mouseClick(m_window->B_annul, Qt::LeftButton);
    QVERIFY(!m_window->B_annul->isEnabled());
    // The row as it was, to the twip.
    const auto row = etiqtable::find(m_work->db, QStringLiteral("3x8"));
    QCOMPARE(row->widthetiq, 3969);
    QCOMPARE(row->heightetiq, 2104);
    QCOMPARE(field("T_dim(4)")->text(), QStringLiteral("70,00"));
}

void TestCatalogueWindow::missingDecimalSymbolGoesBackToTheFirstType()
{
    load(QStringLiteral("3x8"));
    const QList<SheetType> before = m_work->rows();
    field("T_dim(4)")->setText(QStringLiteral("12"));
    QTest::mouseClick(m_window->B_ok, Qt::LeftButton);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("LARGEUR ETIQUETTE"));
    QCOMPARE(m_window->L_etiq->currentIndex(), 0);
    QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("1x2"));
    QCOMPARE(field("T_dim(4)")->text(), QStringLiteral("210,00"));
    QCOMPARE(m_window->columnNumbers().size(), 1);
    QVERIFY(!m_window->B_annul->isEnabled());
    QCOMPARE(m_work->rows(), before);
}

void TestCatalogueWindow::addThenUndo()
{
    load(QStringLiteral("3x8"));
    m_window->L_etiq->setEditText(QStringLiteral("Nouveau"));
    QTest::mouseClick(m_window->O_ajout, Qt::LeftButton);
    QVERIFY(m_window->O_ajout->isChecked());
    field("T_colonnes")->setText(QStringLiteral("2"));
    QTest::mouseClick(m_window->B_ok, Qt::LeftButton);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("Nouveau"));
    QVERIFY(m_window->L_etiq->findText(QStringLiteral("Nouveau")) >= 0);
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("Nouveau"))->cols, 2);
    QCOMPARE(m_window->columnNumbers().size(), 2);

    QTest::mouseClick(m_window->B_annul, Qt::LeftButton);
    QVERIFY(!etiqtable::find(m_work->db, QStringLiteral("Nouveau")));
    QCOMPARE(m_window->L_etiq->findText(QStringLiteral("Nouveau")), -1);
    QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("3x8"));
    QCOMPARE(field("T_colonnes")->text(), QStringLiteral("3"));
}

void TestCatalogueWindow::deleteThenUndo()
{
    QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Provisoire"), 2, 5, 5000, 3000, 300, 400, 500, 600}));
    load(QStringLiteral("3x8"));
    const int index = m_window->L_etiq->findText(QStringLiteral("Provisoire"));
    QVERIFY(index >= 0);
    m_window->L_etiq->setCurrentIndex(index);
    emit m_window->L_etiq->activated(index); // as the user's choice does
    QCOMPARE(field("T_dim(1)")->text(), QStringLiteral("10,58"));

    QTest::mouseClick(m_window->O_sup, Qt::LeftButton);
    QTest::mouseClick(m_window->B_ok, Qt::LeftButton);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_window->L_etiq->findText(QStringLiteral("Provisoire")), -1);
    QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("3x8"));
    QCOMPARE(field("T_colonnes")->text(), QStringLiteral("3"));

    QTest::mouseClick(m_window->B_annul, Qt::LeftButton);
    QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("Provisoire"));
    QCOMPARE(field("T_dim(1)")->text(), QStringLiteral("10,58"));
    QCOMPARE(field("T_colonnes")->text(), QStringLiteral("2"));
    QVERIFY(etiqtable::find(m_work->db, QStringLiteral("3x8"))); // not re-created under the shown name
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("3x8"))->margehaut, 0);
}

void TestCatalogueWindow::listTextNamingNoRowChangesNothing()
{
    load(QStringLiteral("AVERY65"));
    const QList<QRect> boxes = m_window->I_page->sample().boxes();
    const QString caption = m_window->E_etiq->text();
    field("T_dim(4)")->setText(QStringLiteral("99,99"));
    m_window->L_etiq->setEditText(QStringLiteral("inconnu"));
    m_window->L_etiq_Click();
    m_window->O_modif_Click();
    QCOMPARE(field("T_dim(4)")->text(), QStringLiteral("99,99"));
    QCOMPARE(field("T_colonnes")->text(), QStringLiteral("5"));
    QCOMPARE(m_window->I_page->sample().boxes(), boxes);
    QCOMPARE(m_window->E_etiq->text(), caption);
    QVERIFY(m_dialogs.shown.isEmpty());
}

void TestCatalogueWindow::sampleIsDrawn()
{
    load(QStringLiteral("3x8"));
    const QImage image = m_window->I_page->grab().toImage();
    // Edge to edge: the first box's left side at 15 twips (1 pixel), the
    // second's at 1740 (116); the pixel between them is blank.
    QVERIFY(isGreen(image.pixel(1, 20)));
    QVERIFY(isGreen(image.pixel(116, 20)));
    QVERIFY(!isGreen(image.pixel(115, 20)));
    // The printable area starts 170 twips in: 74 scaled, 5 pixels.
    QVERIFY(isRed(image.pixel(4, 200)) || isRed(image.pixel(5, 200)));
    QVERIFY(!isRed(image.pixel(20, 200)));
    // Row and column numbers beside the picture.
    QCOMPARE(m_window->rowNumbers().size(), 8);
    QCOMPARE(m_window->columnNumbers().size(), 3);
    QCOMPARE(m_window->columnNumbers().at(1).at, QPointF(5700 + 1725 + 862.5, 255));
}

void TestCatalogueWindow::quitAndHelp()
{
    load(QStringLiteral("3x8"));
    m_window->show();
    QSignalSpy closed(m_window, &CatalogueWindow::closed);
    QSignalSpy help(m_window, &CatalogueWindow::helpRequested);
    QTest::mouseClick(m_window->B_doc, Qt::LeftButton);
    QCOMPARE(help.size(), 1);
    QCOMPARE(closed.size(), 0);
    QTest::mouseClick(m_window->B_finpagetiq, Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->isReady());
    // A late click on the list redraws nothing once the window is going.
    m_window->L_etiq->setCurrentIndex(0);
    m_window->L_etiq_Click();
    QCOMPARE(field("T_colonnes")->text(), QStringLiteral("3"));

    // The close box does the same.
    m_window->show();
    m_window->close();
    QCOMPARE(closed.size(), 2);
}

QTEST_MAIN(TestCatalogueWindow)
#include "tst_cataloguewindow.moc"
