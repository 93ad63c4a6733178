#include "userwindow.h"

#include "app/environmentcheck.h"
#include "app/printersetup.h"
#include "storage/etiqtable.h"
#include "testfiles.h"

#include <QDir>

#include <unistd.h>

using Icon = Dialogs::Icon;

namespace {

// A program folder; each start() is a new session of the program on it, with scripted dialogs.
struct Session {
    ProgramFolder program;
    ScriptedDialogs dialogs;
    FakeEnvironment machine;
    ScriptedChoosers choosers;
    std::unique_ptr<MainWindow> window;

    bool start()
    {
        window.reset();
        dialogs.clear();
        window = std::make_unique<MainWindow>(machine, dialogs, choosers);
        return window->Form_Load(program.path());
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void environmentChecks_data()
    {
        QTest::addColumn<FakeEnvironment>("machine");   // width, height, dpi, printers, dpi down when it differs
        QTest::addColumn<QString>("title");              // none: the start goes on
        QTest::newRow("1021 x 766 passes") << FakeEnvironment(1021, 766, 96, 2) << "";
        QTest::newRow("120 dpi, checked first") << FakeEnvironment(1020, 700, 120, 0) << "CONFIGURATION ECRAN";
        QTest::newRow("96 dpi across, 120 down") << FakeEnvironment(1280, 1024, 96, 1, 120) << "CONFIGURATION ECRAN";
        QTest::newRow("no printer, named before a small screen") << FakeEnvironment(800, 600, 96, 0) << "IMPRIMANTE";
        QTest::newRow("1020 wide") << FakeEnvironment(1020, 768, 96, 1) << "DIMENSION ECRAN";
        QTest::newRow("765 high") << FakeEnvironment(1280, 765, 96, 1) << "DIMENSION ECRAN";
    }
    void environmentChecks()
    {
        QFETCH(FakeEnvironment, machine);
        QFETCH(QString, title);
        const QHash<QString, std::pair<QString, Icon>> messages{
            {"CONFIGURATION ECRAN",
             {" L'écran doit etre configuré en 96 ppp:\n   -Panneau de configuration.\n   -Affichage.\n"
              "   -Paramètres.\n   -Avancé.\n   -Paramètre PPP:Normal(96 ppp).", Icon::Critical}},
            {"IMPRIMANTE", {" Aucune imprimante n' été identifiée.\n Cette application nécessite une imprimante.",
                            Icon::Exclamation}},
            {"DIMENSION ECRAN",
             {QStringLiteral("Les seules dimensions d'écran admises sont :\nlargeur >=1024 et hauteur >=768\n"
                             "Configuration trouvée:%1 x %2").arg(machine.widthPx).arg(machine.heightPx),
              Icon::Critical}}};
        ScriptedDialogs dialogs;
        const auto screen = checkEnvironment(machine, dialogs);
        QCOMPARE(screen, title.isEmpty() ? std::optional<QSize>({machine.widthPx, machine.heightPx}) : std::nullopt);
        QCOMPARE(titles(dialogs), title.isEmpty() ? QStringList() : QStringList{title});
        if (!title.isEmpty()) {
            QCOMPARE(dialogs.shown[0].text, messages[title].first);
            QCOMPARE(dialogs.shown[0].icon, messages[title].second);
        }
    }

    void settingsChooseTheSheetType_data()
    {
        QTest::addColumn<QByteArray>("settings");   // null: no etiq.ini
        QTest::addColumn<QString>("type");
        QTest::addColumn<QPointF>("deltas");   // DeltaH, DeltaV
        QTest::addColumn<QString>("said");   // in the one message, when there is one
        QTest::newRow("known type") << QByteArray("6x16\r\n\r\n[DeltaH]\r\n57\r\n\r\n[DeltaV]\r\n-29\r\n") << "6x16"
                                    << QPointF(57, -29) << "";
        QTest::newRow("type gone") << QByteArray("Disparu\r\n\r\n[DeltaH]\r\n3\r\n") << "3x8" << QPointF(3, 0) << "";
        QTest::newRow("no file: the first type") << QByteArray() << "3x8" << QPointF() << "";
        // A type of absurd numbers gives way to the first type the program can lay out.
        QTest::newRow("unusable type") << QByteArray("Absurde\r\n") << "3x8" << QPointF() << "« Absurde »";
    }
    // Closed other than by QUITTER, the window leaves etiq.ini as it was and the page empty.
    void settingsChooseTheSheetType()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, type);
        QFETCH(QPointF, deltas);
        QFETCH(QString, said);
        Session s;
        QVERIFY(s.start());
        QVERIFY(contents(s.program.file("ETIQ.TXT")).startsWith("KALVENOR\r\n"));
        QVERIFY(s.window->workingDatabase().execute(
            "INSERT INTO ETIQ (nom, cols, rows, widthetiq, heightetiq, margehaut, margebas, margegauche, margedroite) "
            "VALUES ('Absurde', 32767, 32767, 0, 0, -5, 0, 0, 0)"));
        if (!settings.isNull())
            QVERIFY(writeFile(s.program.file("etiq.ini"), settings));
        QVERIFY(s.start());
        QCOMPARE(s.dialogs.shown.size(), said.isEmpty() ? 0 : 1);
        QVERIFY(said.isEmpty() || s.dialogs.shown[0].text.contains(said));
        AppState &state = s.window->state();
        QCOMPARE(state.sheetTypeName(), type);
        QCOMPARE(QPointF(state.DeltaH, state.DeltaV), deltas);
        QVERIFY(s.window->workingDatabase().execute("INSERT INTO PAGE (numetiq, posx, posy) VALUES (4, 1, 1)"));
        state.DeltaH = 99;
        s.window->close();
        QCOMPARE(contents(s.program.file("etiq.ini")), settings);
        QCOMPARE(pagetable::count(s.window->workingDatabase()), 0);
    }

    // QUITTER keeps the type and the corrections for the next start, or says it could not.
    void quitWritesTheSettings()
    {
        Session s;
        QVERIFY(s.start());
        AppState &state = s.window->state();
        state.initbd(*etiqtable::find(s.window->workingDatabase(), QStringLiteral("2x3")));
        state.DeltaH = -29;
        state.DeltaV = 28;
        QVERIFY(writeFile(s.program.file("sauvder.jpg"), {}));
        QTest::mouseClick(s.window->B_finapp, Qt::LeftButton);
        QVERIFY(!QFileInfo::exists(s.program.file("sauvder.jpg")));
        QCOMPARE(contents(s.program.file("etiq.ini")),
                 QByteArray("2x3\r\n\r\n[DeltaH]\r\n-29\r\n\r\n[DeltaV]\r\n28\r\n"));
        // A folder where the file should be.
        QVERIFY(QFile::remove(s.program.file("etiq.ini")) && QDir().mkdir(s.program.file("etiq.ini")));
        QVERIFY(s.start());
        QTest::mouseClick(s.window->B_finapp, Qt::LeftButton);
        QCOMPARE(titles(s.dialogs), QStringList{"SAUVEGARDE IMPOSSIBLE"});
    }

    // A start that cannot go on says why, once.
    void refusedStarts()
    {
        Session missing;
        QVERIFY(QFile::remove(missing.program.file("etiquet.mdb")));
        QVERIFY(!missing.start());
        QCOMPARE(titles(missing.dialogs), QStringList{"BASE DE DONNEES"});
        QVERIFY(!QFileInfo::exists(missing.program.file("etiqperso/etiquet.mdb")));
        if (geteuid() == 0)
            QSKIP("permissions do not hold for root");
        Session readOnly;
        QVERIFY(readOnly.start());
        const QString personal = readOnly.program.file("etiqperso");
        QFile::setPermissions(personal + QStringLiteral("/etiquet.mdb"), QFile::ReadOwner);
        QFile::setPermissions(personal, QFile::ReadOwner | QFile::ExeOwner);
        const bool started = readOnly.start();
        QFile::setPermissions(personal, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!started);
        QCOMPARE(titles(readOnly.dialogs), QStringList{"BASE DE DONNEES"});
        QVERIFY(readOnly.dialogs.shown[0].text.contains(QDir::toNativeSeparators(personal)));
    }

    void configxpAsksThenOpens_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("cancel") << Dialogs::Answer::Cancel << true << false << QStringList{"CONFIGURER IMPRIMANTE"};
        QTest::newRow("ok") << Dialogs::Answer::Ok << true << true << QStringList{"CONFIGURER IMPRIMANTE"};
        QTest::newRow("ok, nothing to open") << Dialogs::Answer::Ok << false << false
                                             << QStringList{"CONFIGURER IMPRIMANTE", "SYSTEME D'EXPLOITATION"};
    }
    // The printers window is opened only on OK.
    void configxpAsksThenOpens()
    {
        QFETCH(Dialogs::Answer, answer);
        QFETCH(bool, opens);
        QFETCH(bool, pending);
        QFETCH(QStringList, titles);
        ScriptedDialogs dialogs;
        dialogs.answerNext(answer);
        int launched = 0;
        QCOMPARE(printersetup::configxp(dialogs, [&] { ++launched; return opens; }), pending);
        QCOMPARE(launched, answer == Dialogs::Answer::Ok ? 1 : 0);
        QCOMPARE(::titles(dialogs), titles);
        QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("Cette action ouvre la fenetre Imprimantes et Télécopieurs du "
                                                       "panneau de configuration Windows.\nAprés avoir configuré "
                                                       "l'imprimante,refermer cette fenetre."));
        if (titles.size() == 2)
            QCOMPARE(dialogs.shown[1].text,
                     QStringLiteral("Cette action n'est pas valable pour ce système d'exploitation"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
