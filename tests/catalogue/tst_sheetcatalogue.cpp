#include "scripteddialogs.h"
#include "workingdatabase.h"

#include "catalogue/sheetcatalogue.h"

#include <QTest>

using Mode = SheetCatalogue::Mode;
using Outcome = SheetCatalogue::Outcome;
using Icon = Dialogs::Icon;

namespace {

// The fields as the window shows the type, with a comma for decimals.
SheetCatalogue::Fields shown(SheetCatalogue &catalogue, const QString &nom)
{
    if (!catalogue.display(nom))
        qFatal("no type %s", qPrintable(nom));
    return catalogue.displayedFields();
}

const SamplePage page = SamplePage::a4();

} // namespace

class TestSheetCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listIsInNameOrder();
    void displayOfUnknownNameKeepsTheTypeShown();
    void modifyStoresTruncatedTwips();
    void decimalSymbolMissing_data();
    void decimalSymbolMissing();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void addStoresNewType();
    void newNameRefused_data();
    void newNameRefused();
    void builtInTypesCannotBeDeleted_data();
    void builtInTypesCannotBeDeleted();
    void caseVariantOfBuiltInMayGo();
    void missingRow_data();
    void missingRow();
    void noModeWritesNothing();
    void undoModify();
    void undoAddDeletesTheAddedRowWherever();
    void undoDeleteRecreatesUnderItsOwnName();
    void undoNeedsTheSameOption();
    void refusedActionKeepsTheLastChangeUndoable();

private:
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
    m_catalogue = nullptr;
    delete m_work;
    m_work = nullptr;
}

void TestSheetCatalogue::listIsInNameOrder()
{
    const QStringList names = m_catalogue->names();
    QVERIFY(names.size() >= 4);
    QCOMPARE(names.first(), QStringLiteral("1x2"));
    QVERIFY(names.indexOf(QStringLiteral("2x3")) < names.indexOf(QStringLiteral("AVERY65")));
    QVERIFY(names.contains(QStringLiteral("6x16")));
}

void TestSheetCatalogue::displayOfUnknownNameKeepsTheTypeShown()
{
    QVERIFY(m_catalogue->display(QStringLiteral("AVERY65")));
    const SheetType before = m_catalogue->displayed();
    QVERIFY(!m_catalogue->display(QStringLiteral("inconnu")));
    QVERIFY(!m_catalogue->display(QStringLiteral("avery65")));
    QCOMPARE(m_catalogue->displayed(), before);
    QCOMPARE(m_catalogue->labelSizeCaption(), QStringLiteral("Dimensions étiquette:38,1 x 21,2 mm "));
    const SheetCatalogue::Fields fields = m_catalogue->displayedFields();
    QCOMPARE(fields.dims[0], QStringLiteral("4,74"));
    QCOMPARE(fields.dims[2], QStringLiteral("10,69"));
    QCOMPARE(fields.colonnes, QStringLiteral("5"));
    QCOMPARE(fields.rangees, QStringLiteral("13"));
}

void TestSheetCatalogue::modifyStoresTruncatedTwips()
{
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("3x8"));
    fields.dims[4] = QStringLiteral("12,50");
    fields.dims[2] = QStringLiteral("5.5");
    fields.rangees = QStringLiteral("7");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("3x8"), fields), Outcome::Modified);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(fields.dims[4], QStringLiteral("12.50")); // the field now holds a point
    const auto row = etiqtable::find(m_work->db, QStringLiteral("3x8"));
    QVERIFY(row);
    QCOMPARE(row->widthetiq, 708);
    QCOMPARE(row->margehaut, 311);
    QCOMPARE(row->rows, 7);
    QCOMPARE(row->heightetiq, 2104); // shown as 37,11, stored back unchanged
    QVERIFY(m_catalogue->display(QStringLiteral("3x8")));
    QCOMPARE(m_catalogue->displayedFields().dims[4], QStringLiteral("12,49"));
    QVERIFY(m_catalogue->canUndo());
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
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("3x8"));
    // The right margin is checked last: every other field gets its point
    // first, and a refusal before it leaves it as typed.
    fields.dims[1] = QStringLiteral("0,50");
    fields.dims[field] = QStringLiteral("12");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("3x8"), fields), Outcome::DecimalRefused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QTEST(m_dialogs.shown[0].title, "title");
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Symbole décimal inexistant \nou différent de point ou virgule"));
    QCOMPARE(m_dialogs.shown[0].icon, Icon::Exclamation);
    QCOMPARE(fields.dims[field], QStringLiteral("12"));
    if (field != 1)
        QCOMPARE(fields.dims[1], QStringLiteral("0,50"));
    if (field != 4)
        QCOMPARE(fields.dims[4], QStringLiteral("70.00")); // checked first, converted
    QCOMPARE(m_work->rows(), before);
    QVERIFY(!m_catalogue->canUndo());
}

void TestSheetCatalogue::refusalsWriteNothing_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("cols");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("3 x 70,06") << "70,06" << "37,12" << "3" << "8" << "ERREUR LARGEUR"
                               << "Largeur de la page:210 mm\nLargeur calculée à partir des saisies:210,18 mm\n"
                                  "Vérifier largeur étiquette , nombre de colonnes,marge gauche,marge droite";
    QTest::newRow("210,04 wide") << "210,04" << "100.0" << "1" << "2" << "ETIQUETTE TROP LARGE"
                                 << "Largeur d'étiquette max=210 mm";
    QTest::newRow("2 x 148,55") << "100,0" << "148,55" << "1" << "2" << "ETIQUETTE TROP HAUTE"
                                << "Hauteur d'étiquette max=148.5 mm";
    QTest::newRow("empty columns") << "70,00" << "37,12" << "" << "8" << "NOMBRE DE COLONNES"
                                   << "Le nombre de colonnes doit etre au moins de 1 ";
    QTest::newRow("one row") << "70,00" << "37,12" << "3" << "1" << "NOMBRE DE RANGEES"
                             << "Le nombre de rangées doit etre au moins de 2 ";
}

void TestSheetCatalogue::refusalsWriteNothing()
{
    const QList<SheetType> before = m_work->rows();
    for (Mode mode : {Mode::Modifier, Mode::Ajouter}) {
        m_dialogs.clear();
        SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("3x8"));
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, cols);
        QFETCH(QString, rows);
        fields.dims[4] = width;
        fields.dims[5] = height;
        fields.colonnes = cols;
        fields.rangees = rows;
        const QString nom = mode == Mode::Ajouter ? QStringLiteral("Nouveau") : QStringLiteral("3x8");
        QCOMPARE(m_catalogue->ok(mode, nom, fields), Outcome::Refused);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QTEST(m_dialogs.shown[0].title, "title");
        QTEST(m_dialogs.shown[0].text, "text");
        QCOMPARE(m_dialogs.shown[0].icon, Icon::Exclamation);
    }
    QCOMPARE(m_work->rows(), before);
}

void TestSheetCatalogue::addStoresNewType()
{
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("AVERY65"));
    fields.dims[4] = QStringLiteral("63,5");
    fields.dims[5] = QStringLiteral("38.1");
    fields.colonnes = QStringLiteral("3");
    fields.rangees = QStringLiteral("7");
    QCOMPARE(m_catalogue->ok(Mode::Ajouter, QStringLiteral("Mes 3x7"), fields), Outcome::Added);
    const auto row = etiqtable::find(m_work->db, QStringLiteral("Mes 3x7"));
    QVERIFY(row);
    QCOMPARE(*row, (SheetType{QStringLiteral("Mes 3x7"), 3, 7, 3600, 2160, 606, 606, 268, 268}));
    // AVERY65, whose fields were the starting point, is untouched.
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("AVERY65"))->widthetiq, 2160);
}

void TestSheetCatalogue::newNameRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "" << "Donner un nom au type d'étiquette.";
    QTest::newRow("taken") << "2x4" << "Ce nom d'étiquette est déjà utilisé";
    QTest::newRow("built-in") << "AVERY65" << "Ce nom d'étiquette est déjà utilisé";
    QTest::newRow("line break")
        << "deux\nlignes" << "Le nom ne doit contenir ni retour à la ligne ni caractère de contrôle.";
}

void TestSheetCatalogue::newNameRefused()
{
    QFETCH(QString, name);
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("3x8"));
    QCOMPARE(m_catalogue->ok(Mode::Ajouter, name, fields), Outcome::Refused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("NOM INTERDIT"));
    QTEST(m_dialogs.shown[0].text, "text");
    QCOMPARE(m_dialogs.shown[0].icon, Icon::Exclamation);
    QCOMPARE(m_work->rows(), before);
}

void TestSheetCatalogue::builtInTypesCannotBeDeleted_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"3x8", "AVERY65", "6x16", "2x3"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSheetCatalogue::builtInTypesCannotBeDeleted()
{
    QFETCH(QString, name);
    SheetCatalogue::Fields fields = shown(*m_catalogue, name);
    QCOMPARE(m_catalogue->ok(Mode::Supprimer, name, fields), Outcome::Refused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("SUPPRESSION IMPOSSIBLE"));
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Ce type d'étiquette ne peut etre  supprimé"));
    QCOMPARE(m_dialogs.shown[0].icon, Icon::Stop);
    QVERIFY(etiqtable::find(m_work->db, name));
}

void TestSheetCatalogue::caseVariantOfBuiltInMayGo()
{
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("AVERY65"));
    QCOMPARE(m_catalogue->ok(Mode::Ajouter, QStringLiteral("avery65"), fields), Outcome::Added);
    QCOMPARE(m_catalogue->ok(Mode::Supprimer, QStringLiteral("avery65"), fields), Outcome::Deleted);
    QVERIFY(m_dialogs.shown.isEmpty());
    QVERIFY(!etiqtable::find(m_work->db, QStringLiteral("avery65")));
    QVERIFY(etiqtable::find(m_work->db, QStringLiteral("AVERY65")));
}

void TestSheetCatalogue::missingRow_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::newRow("modify unknown") << int(Mode::Modifier) << "inconnu";
    QTest::newRow("modify without a name") << int(Mode::Modifier) << "";
    QTest::newRow("modify in another case") << int(Mode::Modifier) << "avery65";
    QTest::newRow("delete unknown") << int(Mode::Supprimer) << "inconnu";
}

void TestSheetCatalogue::missingRow()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("3x8"));
    QCOMPARE(m_catalogue->ok(Mode(mode), name, fields), Outcome::Refused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].title, QStringLiteral("MODIFICATION IMPOSSIBLE"));
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("La page ") + name + QStringLiteral(" n'existe pas"));
    QCOMPARE(m_work->rows(), before);
}

void TestSheetCatalogue::noModeWritesNothing()
{
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("3x8"));
    fields.colonnes = QString(); // not checked without a mode
    QCOMPARE(m_catalogue->ok(Mode::None, QStringLiteral("3x8"), fields), Outcome::NoMode);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(m_work->rows(), before);
}

void TestSheetCatalogue::undoModify()
{
    // 3 columns, 7.25 mm side margins (411 twips), 7 rows.
    const QString nom = QStringLiteral("3x7 63.5x38.1");
    SheetCatalogue::Fields fields = shown(*m_catalogue, nom);
    fields.dims[0] = QStringLiteral("1,00");
    fields.dims[2] = QStringLiteral("2,00");
    fields.colonnes = QStringLiteral("2");
    fields.rangees = QStringLiteral("5");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, nom, fields), Outcome::Modified);
    QCOMPARE(etiqtable::find(m_work->db, nom)->cols, 2);

    const SheetCatalogue::Undone undone = m_catalogue->annuler(Mode::Modifier, page);
    QVERIFY(undone.written);
    // Margins and counts come back; the label fills the page between them.
    const SheetType expected{nom, 3, 7, 3695, 2160, 859, 859, 411, 411};
    QCOMPARE(*etiqtable::find(m_work->db, nom), expected);
    QVERIFY(!m_catalogue->canUndo());
    QVERIFY(!m_catalogue->annuler(Mode::Modifier, page).written);
}

void TestSheetCatalogue::undoAddDeletesTheAddedRowWherever()
{
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("2x4"));
    QCOMPARE(m_catalogue->ok(Mode::Ajouter, QStringLiteral("Ajouté"), fields), Outcome::Added);
    // Another row lands after it in the table.
    QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Plus tard"), 2, 4, 100, 100, 0, 0, 0, 0}));
    const QList<SheetType> withBoth = m_work->rows();

    QVERIFY(m_catalogue->annuler(Mode::Ajouter, page).written);
    QVERIFY(!etiqtable::find(m_work->db, QStringLiteral("Ajouté")));
    QVERIFY(etiqtable::find(m_work->db, QStringLiteral("Plus tard")));
    QCOMPARE(m_work->rows().size(), withBoth.size() - 1);
}

void TestSheetCatalogue::undoDeleteRecreatesUnderItsOwnName()
{
    const SheetType mine{QStringLiteral("Les miennes"), 2, 5, 5000, 3000, 300, 400, 500, 600};
    QVERIFY(etiqtable::insert(m_work->db, mine));
    SheetCatalogue::Fields fields = shown(*m_catalogue, mine.nom);
    QCOMPARE(m_catalogue->ok(Mode::Supprimer, mine.nom, fields), Outcome::Deleted);
    QVERIFY(!etiqtable::find(m_work->db, mine.nom));
    // The window then shows another type.
    QVERIFY(m_catalogue->display(QStringLiteral("AVERY65")));
    const SheetType avery = m_catalogue->displayed();

    const SheetCatalogue::Undone undone = m_catalogue->annuler(Mode::Supprimer, page);
    QVERIFY(undone.written);
    QCOMPARE(undone.nom, mine.nom);
    const SheetType expected{mine.nom, 2, 5, 5404, 3228, 300, 400, 500, 600};
    QCOMPARE(*etiqtable::find(m_work->db, mine.nom), expected);
    QCOMPARE(*etiqtable::find(m_work->db, QStringLiteral("AVERY65")), avery);
}

void TestSheetCatalogue::undoNeedsTheSameOption()
{
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("2x4"));
    fields.dims[2] = QStringLiteral("10,00");
    fields.rangees = QStringLiteral("3");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("2x4"), fields), Outcome::Modified);
    const QList<SheetType> after = m_work->rows();
    // Undoing an addition that never happened deletes nothing.
    QVERIFY(!m_catalogue->annuler(Mode::Ajouter, page).written);
    QCOMPARE(m_work->rows(), after);
    QVERIFY(!m_catalogue->canUndo());
}

void TestSheetCatalogue::refusedActionKeepsTheLastChangeUndoable()
{
    SheetCatalogue::Fields fields = shown(*m_catalogue, QStringLiteral("2x4"));
    fields.dims[2] = QStringLiteral("10,00");
    fields.rangees = QStringLiteral("3");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("2x4"), fields), Outcome::Modified);
    // Another type shown, then refused.
    SheetCatalogue::Fields other = shown(*m_catalogue, QStringLiteral("AVERY65"));
    other.rangees = QStringLiteral("1");
    QCOMPARE(m_catalogue->ok(Mode::Modifier, QStringLiteral("AVERY65"), other), Outcome::Refused);

    QVERIFY(m_catalogue->annuler(Mode::Modifier, page).written);
    const auto row = etiqtable::find(m_work->db, QStringLiteral("2x4"));
    QCOMPARE(row->margehaut, 0); // 2x4's own values, not AVERY65's
    QCOMPARE(row->rows, 4);
    QCOMPARE(etiqtable::find(m_work->db, QStringLiteral("AVERY65"))->margehaut, 606);
}

QTEST_GUILESS_MAIN(TestSheetCatalogue)
#include "tst_sheetcatalogue.moc"
