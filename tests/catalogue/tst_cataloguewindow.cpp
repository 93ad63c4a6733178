#include "scripteddialogs.h"
#include "workingdatabase.h"

#include "catalogue/cataloguewindow.h"
#include "catalogue/sampleview.h"
#include "storage/appstate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class TestCatalogueWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The users are French: fields show decimals with a comma. The page is exactly A4, printable inside
        // 3 mm (170 twips).
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        m_state.screenWidthPx = 1280;
        m_state.screenHeightPx = 1024;
        m_state.setPrinter(PrinterFacts{QStringLiteral("test"), 11907, 16839, 11567, 16499, 170, 170});
    }
    void init() { QVERIFY(m_work.emplace().open()); }
    void cleanup() { delete std::exchange(m_window, nullptr); m_work.reset(); m_dialogs.clear(); }

    // The current type on opening, its picture, and what a name with no row leaves.
    void typeOnShow()
    {
        load(QStringLiteral("AVERY65"));
        QCOMPARE(m_window->pos(), QPoint(270, 242)); // centred on a 1280 x 1024 screen
        QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("AVERY65"));
        QStringList texts;
        for (const char *name : {"T_dim(0)", "T_dim(2)", "T_dim(4)", "T_dim(5)", "T_colonnes", "T_rangees"})
            texts << field(name)->text();
        QCOMPARE(texts, (QStringList{"4,74", "10,69", "38,10", "21,20", "5", "13"}));
        QCOMPARE(m_window->E_etiq->text(), QStringLiteral("Dimensions étiquette:38,1 x 21,2 mm "));
        // The picture at 5700 x 450 twips, 7320 high, A4 wide.
        QCOMPARE(m_window->I_page->geometry(), QRect(380, 30, 345, 488));
        QCOMPARE(m_window->I_page->sample().boxes().size(), 65);
        QCOMPARE(m_window->rowNumbers().size(), 13);
        // "Modifier" redraws the type named in the list only if it has a row: the width typed stays.
        const QList<QRect> boxes = m_window->I_page->sample().boxes();
        field("T_dim(4)")->setText(QStringLiteral("99,99"));
        m_window->L_etiq->setEditText(QStringLiteral("inconnu"));
        click(m_window->O_modif);
        QCOMPARE(field("T_dim(4)")->text(), QStringLiteral("99,99"));
        QCOMPARE(m_window->I_page->sample().boxes(), boxes);
        load(QStringLiteral("3x8"));
        const QImage image = m_window->I_page->grab().toImage();
        const auto colour = [&](int x, int y) { return image.pixel(x, y) & 0xffffff; };
        // Edge to edge: the boxes' left sides at 15 and 1740 twips (pixels 1 and 116), blank between.
        QCOMPARE(colour(1, 20), 0x00ff00u);
        QCOMPARE(colour(116, 20), 0x00ff00u);
        QVERIFY(colour(115, 20) != 0x00ff00u);
        // The printable area starts 170 twips in: 74 scaled, 5 pixels.
        QVERIFY(colour(4, 200) == 0xff0000u || colour(5, 200) == 0xff0000u);
        QVERIFY(colour(20, 200) != 0xff0000u);
        QCOMPARE(m_window->columnNumbers().at(1).at, QPointF(5700 + 1725 + 862.5, 255));
        // A current type with no row gives way to the last entry.
        load(QStringLiteral("disparu"));
        QCOMPARE(m_window->L_etiq->currentText(), m_work->rows().last().nom);
        QCOMPARE(field("T_colonnes")->text(), QString::number(m_work->rows().last().cols));
    }

    void keysInTheFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("start"); // "|" marks the caret, here and in "text"
        QTest::addColumn<QString>("keys"); // "\b" Backspace, "\x7f" Delete, "→" the right arrow
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("columns: Backspace undone") << "T_colonnes" << "12|" << "\b" << "12|" << 1;
        QTest::newRow("columns: Delete works") << "T_colonnes" << "|12" << "\x7f" << "|2" << 0;
        // The point is character 46, the code of the Delete key: still undone.
        QTest::newRow("rows: point undone, digit kept") << "T_rangees" << "8|" << ".4" << "84|" << 1;
        QTest::newRow("width: comma completed") << "T_dim(4)" << "|" << "12," << "12,|00" << 0;
        QTest::newRow("width: point alone completed") << "T_dim(4)" << "|" << "." << "0.|00" << 0;
        QTest::newRow("width: digits after refusals") << "T_dim(4)" << "1|" << "a,b2" << "1,2|00" << 2;
        // A key that types nothing after a refused second symbol is silent.
        QTest::newRow("height: second symbol undone") << "T_dim(5)" << "37,11|" << ".→" << "37,11|" << 1;
        QTest::newRow("width: Delete the symbol, type another") << "T_dim(4)" << "12|,50" << "\x7f." << "12.|50" << 0;
    }
    void keysInTheFields()
    {
        load(QStringLiteral("3x8"));
        QFETCH(QString, name);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QLineEdit *edit = m_window->findChild<QLineEdit *>(name);
        edit->setText(QString(start).remove(u'|'));
        QFocusEvent focus(QEvent::FocusIn);
        QApplication::sendEvent(edit, &focus);
        edit->setCursorPosition(start.indexOf(u'|'));
        const QHash<QChar, Qt::Key> special{{u'\b', Qt::Key_Backspace}, {u'\x7f', Qt::Key_Delete}, {u'→', Qt::Key_Right}};
        for (const QChar key : keys)
            special.contains(key) ? QTest::keyClick(edit, special[key]) : QTest::keyClick(edit, key.toLatin1());
        QTEST(edit->text().insert(edit->cursorPosition(), u'|'), "text");
        QTEST(m_dialogs.beeps, "beeps");
    }

    void changeThenUndo_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("name"); // typed in the list (added) or found (deleted)
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal"); // the message's title, if any: then there is nothing to undo
        // The entry selected and the edited field after OK, then after ANNULER.
        QTest::addColumn<QStringList>("shown");
        // Stored as 708 twips, shown back as 12,49.
        QTest::newRow("modify") << "O_modif" << "" << "T_dim(4)" << "12,50" << "" << QStringList{"3x8", "12,49", "3x8", "70,00"};
        QTest::newRow("add") << "O_ajout" << "Nouveau" << "T_colonnes" << "2" << "" << QStringList{"Nouveau", "2", "3x8", "3"};
        // Re-created under its own name, not the one on show.
        QTest::newRow("delete") << "O_sup" << "Provisoire" << "T_colonnes" << "2" << ""
                                << QStringList{"3x8", "3", "Provisoire", "2"};
        // Back to the first type, as a choice in the list would.
        QTest::newRow("no decimal symbol") << "O_modif" << "" << "T_dim(4)" << "12" << "LARGEUR ETIQUETTE"
                                           << QStringList{"1x2", "210,00", "1x2", "210,00"};
    }
    void changeThenUndo()
    {
        QFETCH(QString, option);
        QFETCH(QString, name);
        QFETCH(QString, edited);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QStringList, shown);
        QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Provisoire"), 2, 5, 5000, 3000, 300, 400, 500, 600}));
        const QList<SheetType> before = m_work->rows();
        load(QStringLiteral("3x8"));
        if (option == u"O_sup")
            search(name);
        else if (!name.isEmpty())
            m_window->L_etiq->setEditText(name);
        click(m_window->findChild<QRadioButton *>(option));
        field(qPrintable(edited))->setText(typed);
        click(m_window->B_ok);
        QCOMPARE(m_dialogs.shown.value(0).title, refusal);
        // The list follows the table, the numbers the type shown; the entry selected, not only the list's text.
        const auto consistent = [&] {
            return m_window->L_etiq->count() == m_work->rows().size()
                && m_window->columnNumbers().size() == field("T_colonnes")->text().toInt();
        };
        const auto showing = [&] {
            return QStringList{m_window->L_etiq->itemText(m_window->L_etiq->currentIndex()), field(qPrintable(edited))->text()};
        };
        QVERIFY(consistent());
        QCOMPARE(showing(), shown.mid(0, 2));
        QCOMPARE(m_window->B_annul->isEnabled(), refusal.isEmpty());
        click(m_window->B_annul);
        QVERIFY(!m_window->B_annul->isEnabled());
        QCOMPARE(m_work->rows(), before); // to the twip
        QVERIFY(consistent());
        QCOMPARE(showing(), shown.mid(2));
    }

    void searchHelpAndQuit()
    {
        load(QStringLiteral("3x8"));
        m_window->show();
        auto *list = qobject_cast<QListView *>(m_window->L_etiq->view());
        QTest::keyClicks(m_window->T_cherche, QStringLiteral("AVERY 65X")); // no such name: nothing shown
        for (int row = 0; row < m_window->L_etiq->count(); ++row)
            QVERIFY(list->isRowHidden(row));
        QTest::keyClick(m_window->T_cherche, Qt::Key_Escape);
        search(QStringLiteral("very6"));
        QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("AVERY65"));
        QCOMPARE(field("T_dim(0)")->text(), QStringLiteral("4,74")); // its margin: shown as a click shows it
        QSignalSpy closed(m_window, &CatalogueWindow::closed);
        QSignalSpy help(m_window, &CatalogueWindow::helpRequested);
        click(m_window->B_doc);
        QCOMPARE(help.size(), 1);
        click(m_window->B_finpagetiq);
        QCOMPARE(closed.size(), 1);
        QVERIFY(!m_window->isVisible());
        // A late choice in the list redraws nothing once the window is going.
        search(QStringLiteral("3x8"));
        QCOMPARE(m_window->L_etiq->currentText(), QStringLiteral("3x8"));
        QCOMPARE(field("T_colonnes")->text(), QStringLiteral("5"));
        // The close box does the same.
        m_window->show();
        m_window->close();
        QCOMPARE(closed.size(), 2);
    }

private:
    void load(const QString &currentType)
    {
        delete m_window;
        m_state.type.nom = currentType;
        m_window = new CatalogueWindow(m_state, m_work->db, m_dialogs);
        m_window->Form_Load();
    }
    QLineEdit *field(const char *name) { return m_window->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Finds the type with the search field and chooses it, as Enter does.
    void search(const QString &name)
    {
        QTest::keyClicks(m_window->T_cherche, name);
        QTest::keyClick(m_window->T_cherche, Qt::Key_Enter);
        QTest::keyClick(m_window->T_cherche, Qt::Key_Escape);
    }

    std::optional<WorkingDatabase> m_work;
    ScriptedDialogs m_dialogs;
    AppState m_state;
    CatalogueWindow *m_window = nullptr;
};

QTEST_MAIN(TestCatalogueWindow)
#include "tst_cataloguewindow.moc"
