#include "scripteddialogs.h"
#include "workingdatabase.h"

#include "catalogue/sheetcatalogue.h"

#include <QTest>

using Mode = SheetCatalogue::Mode;
using Outcome = SheetCatalogue::Outcome;

// Fields changed before OK, by their index in T_dim; Cols stands for the column count.
using Edits = QMap<int, QString>;
enum Field { ML, MR, MT, MB, W, H, Cols };

const QString noSymbol = QStringLiteral("Symbole décimal inexistant \nou différent de point ou virgule");

class TestSheetCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_work.emplace().open()); m_dialogs.clear(); m_catalogue.emplace(m_work->db, m_dialogs, u','); }
    void cleanup() { m_catalogue.reset(); m_work.reset(); }

    // OK writes each length in its own column, truncated to twips.
    void okWritesTwips()
    {
        SheetCatalogue::Fields fields = shown("3x8");
        fields.dims[W] = "12,50";
        fields.dims[MT] = "5.5";
        fields.rangees = "7";
        QCOMPARE(m_catalogue->ok(Mode::Modifier, "3x8", fields), Outcome::Modified);
        // Heights shown as 37,11 go back as the 2104 twips they came from.
        QCOMPARE(*row("3x8"), (SheetType{QStringLiteral("3x8"), 3, 7, 708, 2104, 311, 0, 0, 0}));
        // A name with no row leaves the type on show.
        QVERIFY(!m_catalogue->display("inconnu"));
        QCOMPARE(m_catalogue->displayed().nom, QStringLiteral("3x8"));
        // A case variant of a built-in type's name is free, and can go again.
        fields = {{"12,5", "1,0", "2,0", "3,0", "63,5", "38.1"}, "3", "7"};
        QCOMPARE(m_catalogue->ok(Mode::Ajouter, "avery65", fields), Outcome::Added);
        QCOMPARE(*row("avery65"), (SheetType{QStringLiteral("avery65"), 3, 7, 3600, 2160, 113, 170, 708, 56}));
        QCOMPARE(m_catalogue->ok(Mode::Supprimer, "avery65", fields), Outcome::Deleted);
        QVERIFY(!row("avery65"));
        QCOMPARE(row("AVERY65")->widthetiq, 2160);
    }

    void refusals_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Edits>("edits"); // on the fields of 3x8
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const int modify = int(Mode::Modifier), add = int(Mode::Ajouter), remove = int(Mode::Supprimer);
        // A dimension without a decimal symbol (the width's title: in the window's test); of two, the first checked is named.
        QTest::newRow("height first") << modify << "3x8" << Edits{{H, "12"}, {MR, "7"}} << "HAUTEUR ETIQUETTE" << noSymbol;
        QTest::newRow("top margin") << modify << "3x8" << Edits{{MT, "12"}} << "MARGE HAUT" << noSymbol;
        QTest::newRow("bottom first") << modify << "3x8" << Edits{{MB, "12"}, {ML, "7"}} << "MARGE BAS" << noSymbol;
        QTest::newRow("left margin") << modify << "3x8" << Edits{{ML, "12"}} << "MARGE GAUCHE" << noSymbol;
        QTest::newRow("right margin") << modify << "3x8" << Edits{{MR, "12"}} << "MARGE DROITE" << noSymbol;
        QTest::newRow("3 x 70,06") << modify << "3x8" << Edits{{W, "70,06"}} << "ERREUR LARGEUR"
                                   << "Largeur de la page:210 mm\nLargeur calculée à partir des saisies:210,18 mm\n"
                                      "Vérifier largeur étiquette , nombre de colonnes,marge gauche,marge droite";
        // The top margin counts in the height: 8 x 37.11 + 1.5.
        QTest::newRow("8 x 37,11 and a top margin") << modify << "3x8" << Edits{{MT, "1,5"}} << "ERREUR HAUTEUR"
                                   << "Hauteur de la page:297 mm\nHauteur calculée à partir des saisies:298,38 mm\n"
                                      "Vérifier hauteur étiquette , nombre de rangées,marge haut,marge bas";
        QTest::newRow("no columns") << add << "Neuf" << Edits{{Cols, ""}} << "NOMBRE DE COLONNES"
                                    << "Le nombre de colonnes doit etre au moins de 1 ";
        QTest::newRow("no new name") << add << "" << Edits{} << "NOM INTERDIT" << "Donner un nom au type d'étiquette.";
        QTest::newRow("name taken") << add << "2x4" << Edits{} << "NOM INTERDIT" << "Ce nom d'étiquette est déjà utilisé";
        QTest::newRow("new name two lines") << add << "deux\nlignes" << Edits{} << "NOM INTERDIT"
                                            << "Le nom ne doit contenir ni retour à la ligne ni caractère de contrôle.";
        QTest::newRow("delete AVERY65") << remove << "AVERY65" << Edits{} << "SUPPRESSION IMPOSSIBLE"
                                        << "Ce type d'étiquette ne peut etre  supprimé";
        QTest::newRow("modify, no name") << modify << "" << Edits{} << "MODIFICATION IMPOSSIBLE" << "La page  n'existe pas";
        QTest::newRow("delete unknown") << remove << "inconnu" << Edits{} << "MODIFICATION IMPOSSIBLE"
                                        << "La page inconnu n'existe pas";
    }
    void refusals()
    {
        QFETCH(int, mode);
        QFETCH(QString, name);
        QFETCH(Edits, edits);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const QList<SheetType> before = m_work->rows();
        SheetCatalogue::Fields fields = shown("3x8");
        for (auto e = edits.cbegin(); e != edits.cend(); ++e)
            (e.key() == Cols ? fields.colonnes : fields.dims[e.key()]) = e.value();
        QCOMPARE(m_catalogue->ok(Mode(mode), name, fields), text == noSymbol ? Outcome::DecimalRefused : Outcome::Refused);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].title, title);
        QCOMPARE(m_dialogs.shown[0].text, text);
        // Only refusing a built-in type stops.
        QCOMPARE(m_dialogs.shown[0].icon, title == u"SUPPRESSION IMPOSSIBLE" ? Dialogs::Icon::Stop : Dialogs::Icon::Exclamation);
        if (!edits.contains(W))
            QCOMPARE(fields.dims[W], QStringLiteral("70.00")); // converted, even before a refusal
        QCOMPARE(m_work->rows(), before);
        QVERIFY(!m_catalogue->canUndo());
    }

    void undoRestoresTheDatabase_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("sent");      // the type whose fields are sent
        QTest::addColumn<QString>("nom");       // the name typed in the list
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("undoMode");      // the option chosen on ANNULER
        QTest::addColumn<QString>("recreated"); // what undoing reports
        const QString mine = QStringLiteral("Les miennes");
        const int modify = int(Mode::Modifier), add = int(Mode::Ajouter), remove = int(Mode::Supprimer);
        QTest::newRow("modify") << modify << mine << mine << int(Outcome::Modified) << modify << "";
        QTest::newRow("add") << add << "2x4" << "Ajouté" << int(Outcome::Added) << add << "";
        QTest::newRow("delete") << remove << mine << mine << int(Outcome::Deleted) << remove << mine;
        // Undoing an addition that never happened deletes nothing.
        QTest::newRow("modify, undone as added") << modify << mine << mine << int(Outcome::Modified) << add << "";
    }
    void undoRestoresTheDatabase()
    {
        QFETCH(int, mode);
        QFETCH(QString, nom);
        QFETCH(QString, sent);
        QFETCH(int, undoMode);
        // Unequal margins, and a label size no computation from the page gives back.
        QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Les miennes"), 2, 5, 5000, 3000, 300, 400, 500, 600}));
        const QList<SheetType> before = m_work->rows();
        SheetCatalogue::Fields fields = shown(sent);
        fields.rangees = "2";
        // Another type on show (the name was typed), then refused: the change stays the one undone.
        SheetCatalogue::Fields other = shown("AVERY65");
        QTEST(int(m_catalogue->ok(Mode(mode), nom, fields)), "outcome");
        other.rangees = "1";
        QCOMPARE(m_catalogue->ok(Mode::Modifier, "AVERY65", other), Outcome::Refused);
        const QList<SheetType> after = m_work->rows();
        // A row lands after the change in the table.
        QVERIFY(etiqtable::insert(m_work->db, SheetType{QStringLiteral("Plus tard"), 2, 4, 100, 100, 0, 0, 0, 0}));
        const SheetCatalogue::Undone undone = m_catalogue->annuler(Mode(undoMode));
        QCOMPARE(undone.written, undoMode == mode);
        QTEST(undone.nom, "recreated");
        QVERIFY(etiqtable::remove(m_work->db, QStringLiteral("Plus tard")));
        QCOMPARE(m_work->rows(), undone.written ? before : after);
        QVERIFY(!m_catalogue->annuler(Mode(mode)).written); // only once, whatever the option
    }

private:
    // The fields as the window shows the type (comma for decimals).
    SheetCatalogue::Fields shown(const QString &nom) { m_catalogue->display(nom); return m_catalogue->displayedFields(); }
    std::optional<SheetType> row(const QString &nom) { return etiqtable::find(m_work->db, nom); }

    std::optional<WorkingDatabase> m_work;
    ScriptedDialogs m_dialogs;
    std::optional<SheetCatalogue> m_catalogue;
};

QTEST_GUILESS_MAIN(TestSheetCatalogue)
#include "tst_sheetcatalogue.moc"
