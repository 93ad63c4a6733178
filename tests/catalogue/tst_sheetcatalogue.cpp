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
    void cleanup() { m_catalogue.reset(); m_work.reset(); }

    void modifyStoresTruncatedTwips();
    void decimalSymbolMissing_data();
    void decimalSymbolMissing();
    void refusals_data();
    void refusals();
    void caseVariantOfBuiltInMayBeAddedAndGo();
    void undoRestoresTheDatabase_data();
    void undoRestoresTheDatabase();
    void undoNeedsTheSameOption();

private:
    // The fields as the window shows the type (comma for decimals).
    SheetCatalogue::Fields shown(const QString &nom)
    {
        if (!m_catalogue->display(nom))
            qFatal("no type %s", qPrintable(nom));
        return m_catalogue->displayedFields();
    }
    std::optional<SheetType> row(const QString &nom) { return etiqtable::find(m_work->db, nom); }

    std::optional<WorkingDatabase> m_work;
    ScriptedDialogs m_dialogs;
    std::optional<SheetCatalogue> m_catalogue;
};

void TestSheetCatalogue::init()
{
    QVERIFY(m_work.emplace().open());
    m_dialogs.clear();
    m_catalogue.emplace(m_work->db, m_dialogs, u',');
}

void TestSheetCatalogue::modifyStoresTruncatedTwips()
{
    SheetCatalogue::Fields fields = shown("3x8");
    fields.dims[4] = "12,50";
    fields.dims[2] = "5.5";
    fields.rangees = "7";
    QCOMPARE(m_catalogue->ok(Mode::Modifier, "3x8", fields), Outcome::Modified);
    QVERIFY(m_dialogs.shown.isEmpty());
    QCOMPARE(fields.dims[4], QStringLiteral("12.50")); // the field now holds a point
    // Heights shown as 37,11 go back as the 2104 twips they came from.
    QCOMPARE(*row("3x8"), (SheetType{QStringLiteral("3x8"), 3, 7, 708, 2104, 311, 0, 0, 0}));
    QCOMPARE(shown("3x8").dims[4], QStringLiteral("12,49"));
    // A name with no row leaves the type on show.
    QVERIFY(!m_catalogue->display("inconnu"));
    QCOMPARE(m_catalogue->displayed().nom, QStringLiteral("3x8"));
}

void TestSheetCatalogue::decimalSymbolMissing_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("alsoWrong");   // -1: none
    QTest::addColumn<QString>("title");
    // Two fields wrong at once: only the first in the checking order is named.
    QTest::newRow("right margin and label height") << 5 << 1 << "HAUTEUR ETIQUETTE";
    QTest::newRow("left margin and bottom margin") << 3 << 0 << "MARGE BAS";
    QTest::newRow("label width") << 4 << -1 << "LARGEUR ETIQUETTE";
    QTest::newRow("top margin") << 2 << -1 << "MARGE HAUT";
    QTest::newRow("left margin") << 0 << -1 << "MARGE GAUCHE";
    QTest::newRow("right margin") << 1 << -1 << "MARGE DROITE";
}

void TestSheetCatalogue::decimalSymbolMissing()
{
    QFETCH(int, field);
    QFETCH(int, alsoWrong);
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown("3x8");
    fields.dims[field] = "12";
    if (alsoWrong >= 0)
        fields.dims[alsoWrong] = "7";
    QCOMPARE(m_catalogue->ok(Mode::Modifier, "3x8", fields), Outcome::DecimalRefused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QTEST(m_dialogs.shown[0].title, "title");
    QCOMPARE(m_dialogs.shown[0].text, QStringLiteral("Symbole décimal inexistant \nou différent de point ou virgule"));
    QCOMPARE(m_dialogs.shown[0].icon, Icon::Exclamation);
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
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const int modify = int(Mode::Modifier), add = int(Mode::Ajouter), remove = int(Mode::Supprimer);
    QTest::newRow("3 x 70,06") << modify << "3x8" << "70,06" << "3" << "ERREUR LARGEUR"
                               << "Largeur de la page:210 mm\nLargeur calculée à partir des saisies:210,18 mm\n"
                                  "Vérifier largeur étiquette , nombre de colonnes,marge gauche,marge droite";
    QTest::newRow("empty columns") << add << "Neuf" << "70,00" << "" << "NOMBRE DE COLONNES"
                                   << "Le nombre de colonnes doit etre au moins de 1 ";
    QTest::newRow("new name empty") << add << "" << "70,00" << "3" << "NOM INTERDIT"
                                    << "Donner un nom au type d'étiquette.";
    QTest::newRow("new name taken") << add << "2x4" << "70,00" << "3" << "NOM INTERDIT"
                                    << "Ce nom d'étiquette est déjà utilisé";
    QTest::newRow("new name two lines") << add << "deux\nlignes" << "70,00" << "3" << "NOM INTERDIT"
                                        << "Le nom ne doit contenir ni retour à la ligne ni caractère de contrôle.";
    QTest::newRow("delete AVERY65") << remove << "AVERY65" << "70,00" << "3" << "SUPPRESSION IMPOSSIBLE"
                                    << "Ce type d'étiquette ne peut etre  supprimé";
    QTest::newRow("modify without a name") << modify << "" << "70,00" << "3" << "MODIFICATION IMPOSSIBLE"
                                           << "La page  n'existe pas";
    QTest::newRow("delete unknown") << remove << "inconnu" << "70,00" << "3" << "MODIFICATION IMPOSSIBLE"
                                    << "La page inconnu n'existe pas";
}

void TestSheetCatalogue::refusals()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, title);
    const QList<SheetType> before = m_work->rows();
    SheetCatalogue::Fields fields = shown("3x8");
    QFETCH(QString, width);
    QFETCH(QString, cols);
    fields.dims[4] = width;
    fields.colonnes = cols;
    QCOMPARE(m_catalogue->ok(Mode(mode), name, fields), Outcome::Refused);
    QCOMPARE(m_dialogs.shown.size(), 1);
    QCOMPARE(m_dialogs.shown[0].title, title);
    QTEST(m_dialogs.shown[0].text, "text");
    // Only refusing a built-in type stops.
    QCOMPARE(m_dialogs.shown[0].icon, title == u"SUPPRESSION IMPOSSIBLE" ? Icon::Stop : Icon::Exclamation);
    QCOMPARE(m_work->rows(), before);
    QVERIFY(!m_catalogue->canUndo());
}

void TestSheetCatalogue::caseVariantOfBuiltInMayBeAddedAndGo()
{
    SheetCatalogue::Fields fields = shown("AVERY65");
    fields.dims[4] = "63,5";
    fields.dims[5] = "38.1";
    fields.colonnes = "3";
    fields.rangees = "7";
    QCOMPARE(m_catalogue->ok(Mode::Ajouter, "avery65", fields), Outcome::Added);
    QCOMPARE(*row("avery65"), (SheetType{QStringLiteral("avery65"), 3, 7, 3600, 2160, 606, 606, 268, 268}));
    QVERIFY(m_catalogue->names().contains(QStringLiteral("avery65")));
    QCOMPARE(m_catalogue->ok(Mode::Supprimer, "avery65", fields), Outcome::Deleted);
    QVERIFY(m_dialogs.shown.isEmpty());
    QVERIFY(!row("avery65"));
    QCOMPARE(row("AVERY65")->widthetiq, 2160);
}

void TestSheetCatalogue::undoRestoresTheDatabase_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("sent");      // the type whose fields are sent
    QTest::addColumn<QString>("nom");       // the name typed in the list
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("recreated"); // what undoing reports

    const QString mine = QStringLiteral("Les miennes");
    QTest::newRow("modify") << int(Mode::Modifier) << mine << mine << int(Outcome::Modified) << "";
    QTest::newRow("add") << int(Mode::Ajouter) << "2x4" << "Ajouté" << int(Outcome::Added) << "";
    QTest::newRow("delete") << int(Mode::Supprimer) << mine << mine << int(Outcome::Deleted) << mine;
}

void TestSheetCatalogue::undoRestoresTheDatabase()
{
    QFETCH(int, mode);
    QFETCH(QString, nom);
    // Unequal margins, and a label size no computation from the page gives back.
    QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Les miennes"), 2, 5, 5000, 3000, 300, 400, 500, 600}));
    const QList<SheetType> before = m_work->rows();
    QFETCH(QString, sent);
    SheetCatalogue::Fields fields = shown(sent);
    fields.rangees = "2";
    // Another type on show (the name was typed), then refused: the change stays the one undone.
    SheetCatalogue::Fields other = shown("AVERY65");
    QTEST(int(m_catalogue->ok(Mode(mode), nom, fields)), "outcome");
    other.rangees = "1";
    QCOMPARE(m_catalogue->ok(Mode::Modifier, "AVERY65", other), Outcome::Refused);
    // A row lands after the change in the table.
    QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Plus tard"), 2, 4, 100, 100, 0, 0, 0, 0}));

    const SheetCatalogue::Undone undone = m_catalogue->annuler(Mode(mode));
    QVERIFY(undone.written);
    QTEST(undone.nom, "recreated");
    QVERIFY(etiqtable::remove(m_work->db, QStringLiteral("Plus tard")));
    QCOMPARE(m_work->rows(), before);
    QVERIFY(!m_catalogue->annuler(Mode(mode)).written); // only once
}

void TestSheetCatalogue::undoNeedsTheSameOption()
{
    SheetCatalogue::Fields fields = shown("2x4");
    fields.rangees = "3";
    QCOMPARE(m_catalogue->ok(Mode::Modifier, "2x4", fields), Outcome::Modified);
    const QList<SheetType> after = m_work->rows();
    // Undoing an addition that never happened deletes nothing.
    QVERIFY(!m_catalogue->annuler(Mode::Ajouter).written);
    QCOMPARE(m_work->rows(), after);
    QVERIFY(!m_catalogue->canUndo());
}

QTEST_GUILESS_MAIN(TestSheetCatalogue)
#include "tst_sheetcatalogue.moc"
