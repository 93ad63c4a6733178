#include "scripteddialogs.h"
#include "workingdatabase.h"

#include "catalogue/sheetcatalogue.h"

#include <QTest>

using Mode = SheetCatalogue::Mode;
using Outcome = SheetCatalogue::Outcome;
using Icon = Dialogs::Icon;

class TestSheetCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void modifyStoresTruncatedTwips();
    void decimalSymbolMissing_data();
    void decimalSymbolMissing();
    void refusals_data();
    void refusals();
    void addStoresNewType();
    void caseVariantOfBuiltInMayGo();
    void undoModify();
    void undoAddDeletesTheAddedRowWherever();
    void undoDeleteRecreatesUnderItsOwnName();
    void undoNeedsTheSameOption();
    void refusedActionKeepsTheLastChangeUndoable();

private:
    // The fields as the window shows the type (comma for decimals).
    SheetCatalogue::Fields shown(const QString &nom);
    Outcome ok(Mode mode, const QString &nom, SheetCatalogue::Fields fields)
    {
        return m_catalogue->ok(mode, nom, fields);
    }

    WorkingDatabase *m_work = nullptr;
    ScriptedDialogs m_dialogs;
    SheetCatalogue *m_catalogue = nullptr;
};

void TestSheetCatalogue::init()
{
    m_work = new WorkingDatabase;
    QVERIFY(m_work->open());
    m_dialogs.clear();
    m_catalogue = new SheetCatalogue(m_work->db, m_dialogs, u',');
}

void TestSheetCatalogue::cleanup()
{
    delete m_catalogue;
    delete m_work;
}

SheetCatalogue::Fields TestSheetCatalogue::shown(const QString &nom)
{
    if (!m_catalogue->display(nom))
        qFatal("no type %s", qPrintable(nom));
    return m_catalogue->displayedFields();
}

void TestSheetCatalogue::modifyStoresTruncatedTwips()
{
    SheetCatalogue::Fields fields = shown(QStringLiteral("3x8"));
    fields.dims[4] = QStringLiteral("12,50");
    fields.dims[2] = QStringLiteral("5.5");
    fields.rangees = QStringLiteral("7");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("3x8"), fields), Outcome::Modified);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(fields.dims[4], QStringLiteral("12.50")); // the field now holds a point
    // Heights shown as 37,11 go back as the 2104 twips they came from.
    QCOMPARE(*etiqtable::find(m_work->db, QStringLiteral("3x8")),
             (SheetType{QStringLiteral("3x8"), 3, 7, 708, 2104, 311, 0, 0, 0}));
    QCOMPARE(shown(QStringLiteral("3x8")).dims[4], QStringLiteral("12,49"));
}

void TestSheetCatalogue::decimalSymbolMissing_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("title");
    QTest::newRow("label width") << 4 << "LARGEUR ETIQUETTE";
    QTest::newRow("label height") << 5 << "HAUTEUR ETIQUETTE";
    QTest::newRow("top margin") << 2 << "MARGE HAUT";
    QTest::newRow("bottom margin") << 3 << "MARGE BAS";
    QTest::newRow("left margin") << 0 << "MARGE GAUCHE";
    QTest::newRow("right margin") << 1 << "MARGE DROITE";
}

void TestSheetCatalogue::decimalSymbolMissing()
{
    QFETCH(int, field);
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown(QStringLiteral("3x8"));
    // The right margin is checked last, the label width first.
    fields.dims[1] = QStringLiteral("0,50");
    fields.dims[field] = QStringLiteral("12");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("3x8"), fields), Outcome::DecimalRefused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QTEST(m_dialogs.shown[0].title, "title");
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Symbole décimal inexistant \nou différent de point ou virgule"));
    QCOMPARE(m_dialogs.shown[0].icon, Icon::Exclamation);
    if (field != 1)
        QCOMPARE(fields.dims[1], QStringLiteral("0,50")); // not reached
    if (field != 4)
        QCOMPARE(fields.dims[4], QStringLiteral("70.00")); // converted before the refusal
    QCOMPARE(m_work->rows(), before);
}

void TestSheetCatalogue::refusals_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("cols");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");

    const int modify = int(Mode::Modifier), add = int(Mode::Ajouter), remove = int(Mode::Supprimer);
    const int exclamation = int(Icon::Exclamation);
    QTest::newRow("3 x 70,06") << modify << "3x8" << "70,06" << "3" << "8" << "ERREUR LARGEUR"
                               << "Largeur de la page:210 mm\nLargeur calculée à partir des saisies:210,18 mm\n"
                                  "Vérifier largeur étiquette , nombre de colonnes,marge gauche,marge droite"
                               << exclamation;
    QTest::newRow("210,04 wide") << add << "Neuf" << "210,04" << "1" << "2" << "ETIQUETTE TROP LARGE"
                                 << "Largeur d'étiquette max=210 mm" << exclamation;
    QTest::newRow("empty columns") << add << "Neuf" << "70,00" << "" << "8" << "NOMBRE DE COLONNES"
                                   << "Le nombre de colonnes doit etre au moins de 1 " << exclamation;
    QTest::newRow("one row") << modify << "3x8" << "70,00" << "3" << "1" << "NOMBRE DE RANGEES"
                             << "Le nombre de rangées doit etre au moins de 2 " << exclamation;
    const QString nameText = "Le nom ne doit contenir ni retour à la ligne ni caractère de contrôle.";
    QTest::newRow("new name empty") << add << "" << "70,00" << "3" << "8" << "NOM INTERDIT"
                                    << "Donner un nom au type d'étiquette." << exclamation;
    QTest::newRow("new name taken") << add << "2x4" << "70,00" << "3" << "8" << "NOM INTERDIT"
                                    << "Ce nom d'étiquette est déjà utilisé" << exclamation;
    QTest::newRow("new name two lines") << add << "deux\nlignes" << "70,00" << "3" << "8" << "NOM INTERDIT"
                                        << nameText << exclamation;
    QTest::newRow("delete AVERY65") << remove << "AVERY65" << "70,00" << "3" << "8" << "SUPPRESSION IMPOSSIBLE"
                                    << "Ce type d'étiquette ne peut etre  supprimé" << int(Icon::Stop);
    QTest::newRow("modify unknown") << modify << "inconnu" << "70,00" << "3" << "8" << "MODIFICATION IMPOSSIBLE"
                                    << "La page inconnu n'existe pas" << exclamation;
    QTest::newRow("modify without a name") << modify << "" << "70,00" << "3" << "8" << "MODIFICATION IMPOSSIBLE"
                                           << "La page  n'existe pas" << exclamation;
    QTest::newRow("delete unknown") << remove << "inconnu" << "70,00" << "3" << "8" << "MODIFICATION IMPOSSIBLE"
                                    << "La page inconnu n'existe pas" << exclamation;
}

void TestSheetCatalogue::refusals()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown(QStringLiteral("3x8"));
    QFETCH(QString, width);
    QFETCH(QString, cols);
    QFETCH(QString, rows);
    fields.dims[4] = width;
    fields.colonnes = cols;
    fields.rangees = rows;
    QCOMPARE(ok(Mode(mode), name, fields), Outcome::Refused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QTEST(m_dialogs.shown[0].title, "title");
    QTEST(m_dialogs.shown[0].text, "text");
    QTEST(int(m_dialogs.shown[0].icon), "icon");
    QCOMPARE(m_work->rows(), before);
    QVERIFY(!m_catalogue->canUndo());
}

void TestSheetCatalogue::addStoresNewType()
{
    SheetCatalogue::Fields fields = shown(QStringLiteral("AVERY65"));
    fields.dims[4] = QStringLiteral("63,5");
    fields.dims[5] = QStringLiteral("38.1");
    fields.colonnes = QStringLiteral("3");
    fields.rangees = QStringLiteral("7");
    QCOMPARE(ok(Mode::Ajouter, QStringLiteral("Mes 3x7"), fields), Outcome::Added);
    QCOMPARE(*etiqtable::find(m_work->db, QStringLiteral("Mes 3x7")),
             (SheetType{QStringLiteral("Mes 3x7"), 3, 7, 3600, 2160, 606, 606, 268, 268}));
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("AVERY65"))->widthetiq, 2160);
}

void TestSheetCatalogue::caseVariantOfBuiltInMayGo()
{
    const SheetCatalogue::Fields fields = shown(QStringLiteral("AVERY65"));
    QCOMPARE(ok(Mode::Ajouter, QStringLiteral("avery65"), fields), Outcome::Added);
    QCOMPARE(ok(Mode::Supprimer, QStringLiteral("avery65"), fields), Outcome::Deleted);
    QVERIFY(m_dialogs.shown.isEmpty());
    QVERIFY(!etiqtable::find(m_work->db, QStringLiteral("avery65")));
    QVERIFY(etiqtable::find(m_work->db, QStringLiteral("AVERY65")));
}

void TestSheetCatalogue::undoModify()
{
    // 3 columns, 7.25 mm side margins (411 twips), 7 rows.
    const QString nom = QStringLiteral("3x7 63.5x38.1");
    SheetCatalogue::Fields fields = shown(nom);
    fields.dims[0] = QStringLiteral("1,00");
    fields.colonnes = QStringLiteral("2");
    fields.rangees = QStringLiteral("5");
    shown(QStringLiteral("AVERY65")); // another type on show: the name was typed
    QCOMPARE(ok(Mode::Modifier, nom, fields), Outcome::Modified);

    QVERIFY(m_catalogue->annuler(Mode::Modifier).written);
    // The row comes back exactly, label size included.
    QCOMPARE(*etiqtable::find(m_work->db, nom), (SheetType{nom, 3, 7, 3600, 2160, 859, 859, 411, 411}));
    QVERIFY(!m_catalogue->annuler(Mode::Modifier).written); // only once
}

void TestSheetCatalogue::undoAddDeletesTheAddedRowWherever()
{
    QCOMPARE(ok(Mode::Ajouter, QStringLiteral("Ajouté"), shown(QStringLiteral("2x4"))), Outcome::Added);
    // Another row lands after it in the table.
    QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Plus tard"), 2, 4, 100, 100, 0, 0, 0, 0}));
    const qsizetype count = m_work->rows().size();

    QVERIFY(m_catalogue->annuler(Mode::Ajouter).written);
    QVERIFY(!etiqtable::find(m_work->db, QStringLiteral("Ajouté")));
    QVERIFY(etiqtable::find(m_work->db, QStringLiteral("Plus tard")));
    QCOMPARE(m_work->rows().size(), count - 1);
}

void TestSheetCatalogue::undoDeleteRecreatesUnderItsOwnName()
{
    const SheetType mine{QStringLiteral("Les miennes"), 2, 5, 5000, 3000, 300, 400, 500, 600};
    QVERIFY(etiqtable::insert(m_work->db, mine));
    QCOMPARE(ok(Mode::Supprimer, mine.nom, shown(mine.nom)), Outcome::Deleted);
    QVERIFY(!etiqtable::find(m_work->db, mine.nom));
    // The window then shows another type.
    const SheetType avery = *etiqtable::find(m_work->db, QStringLiteral("AVERY65"));
    shown(avery.nom);

    const SheetCatalogue::Undone undone = m_catalogue->annuler(Mode::Supprimer);
    QVERIFY(undone.written);
    QCOMPARE(undone.nom, mine.nom);
    QCOMPARE(*etiqtable::find(m_work->db, mine.nom), mine);
    QCOMPARE(*etiqtable::find(m_work->db, avery.nom), avery);
}

void TestSheetCatalogue::undoNeedsTheSameOption()
{
    SheetCatalogue::Fields fields = shown(QStringLiteral("2x4"));
    fields.rangees = QStringLiteral("3");
    QCOMPARE(ok(Mode::Modifier, QStringLiteral("2x4"), fields), Outcome::Modified);
    const QList<SheetType> after = m_work->rows();
    // Undoing an addition that never happened deletes nothing.
    QVERIFY(!m_catalogue->annuler(Mode::Ajouter).written);
    QCOMPARE(m_work->rows(), after);
    QVERIFY(!m_catalogue->canUndo());
}

void TestSheetCatalogue::refusedActionKeepsTheLastChangeUndoable()
{
    SheetCatalogue::Fields fields = shown(QStringLiteral("2x4"));
    fields.dims[2] = QStringLiteral("10,00");
    fields.rangees = QStringLiteral("3");
    QCOMPARE(ok(Mode::Modifier, QStringLiteral("2x4"), fields), Outcome::Modified);
    // Another type shown, then refused.
    SheetCatalogue::Fields other = shown(QStringLiteral("AVERY65"));
    other.rangees = QStringLiteral("1");
    QCOMPARE(ok(Mode::Modifier, QStringLiteral("AVERY65"), other), Outcome::Refused);

    QVERIFY(m_catalogue->annuler(Mode::Modifier).written);
    const auto row = etiqtable::find(m_work->db, QStringLiteral("2x4"));
    QCOMPARE(row->margehaut, 0); // 2x4's own values, not AVERY65's
    QCOMPARE(row->rows, 4);
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("AVERY65"))->margehaut, 606);
}

QTEST_GUILESS_MAIN(TestSheetCatalogue)
#include "tst_sheetcatalogue.moc"
