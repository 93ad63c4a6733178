#include "fakeenvironment.h"
#include "programfolder.h"
#include "scriptedchoosers.h"
#include "scripteddialogs.h"

#include "app/environmentcheck.h"
#include "app/mainwindow.h"
#include "app/printersetup.h"
#include "storage/etiqtable.h"
#include "storage/pagetable.h"
#include "storage/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

using Icon = Dialogs::Icon;

namespace {

// A main window with scripted dialogs, not yet started.
struct Window {
    ScriptedDialogs dialogs;
    FakeEnvironment machine;
    ScriptedChoosers choosers;
    MainWindow window{machine, dialogs, choosers};
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void environmentChecks_data();
    void environmentChecks();
    void firstStartWithoutSettings();
    void settingsChooseTheSheetType_data();
    void settingsChooseTheSheetType();
    void quitWritesSettingsReadAtNextStart();
    void missingShippedDatabaseIsReported();
    void unusableCurrentTypeGivesWayToTheFirstGoodOne();
    void unwritableSettingsReportedAtQuit();
    void readOnlyPersonalFolderRefusesToStart();
    void configxpAsksThenOpens_data();
    void configxpAsksThenOpens();
};

void TestStartup::environmentChecks_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("dpiY");
    QTest::addColumn<int>("printers");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");

    const QString dpiText = " L'écran doit etre configuré en 96 ppp:\n   -Panneau de configuration.\n   -Affichage.\n"
                            "   -Paramètres.\n   -Avancé.\n   -Paramètre PPP:Normal(96 ppp).";
    const QString printerText = " Aucune imprimante n' été identifiée.\n Cette application nécessite une imprimante.";
    const QString sizeText = "Les seules dimensions d'écran admises sont :\nlargeur >=1024 et hauteur >=768\n"
                             "Configuration trouvée:";
    QTest::newRow("1021 x 766 passes") << 1021 << 766 << 96.0 << 96.0 << 2 << "" << "" << 0;
    QTest::newRow("120 dpi, checked first") << 1020 << 700 << 120.0 << 120.0 << 0 << "CONFIGURATION ECRAN" << dpiText
                                            << int(Icon::Critical);
    QTest::newRow("96 dpi across, 120 down") << 1280 << 1024 << 96.0 << 120.0 << 1 << "CONFIGURATION ECRAN" << dpiText
                                             << int(Icon::Critical);
    // A small screen and no printer: the printer is named first.
    QTest::newRow("no printer, small screen") << 800 << 600 << 96.0 << 96.0 << 0 << "IMPRIMANTE" << printerText
                                              << int(Icon::Exclamation);
    QTest::newRow("1020 wide") << 1020 << 768 << 96.0 << 96.0 << 1 << "DIMENSION ECRAN" << sizeText + "1020 x 768"
                               << int(Icon::Critical);
    QTest::newRow("765 high") << 1280 << 765 << 96.0 << 96.0 << 1 << "DIMENSION ECRAN" << sizeText + "1280 x 765"
                              << int(Icon::Critical);
}

void TestStartup::environmentChecks()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, dpi);
    QFETCH(double, dpiY);
    QFETCH(int, printers);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, icon);
    ScriptedDialogs dialogs;
    const auto screen = checkEnvironment(FakeEnvironment(width, height, dpi, printers, dpiY), dialogs);
    if (title.isEmpty()) {
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(screen, std::optional<QSize>(QSize(width, height)));
        return;
    }
    QVERIFY(!screen);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].title, title);
    QCOMPARE(dialogs.shown[0].text, text);
    QCOMPARE(int(dialogs.shown[0].icon), icon);
}

void TestStartup::firstStartWithoutSettings()
{
    ProgramFolder program;
    QVERIFY(program.isValid());
    Window w;
    QVERIFY(w.window.Form_Load(program.path()));
    QVERIFY(w.dialogs.shown.isEmpty());

    // The first type of the table becomes current.
    QCOMPARE(w.window.state().sheetTypeName(), QStringLiteral("3x8"));
    QCOMPARE(w.window.state().labelCount(), 24);
    QCOMPARE(w.window.state().labelWidth(), 3969);
    QCOMPARE(w.window.state().personalDir, program.file("etiqperso"));
    QVERIFY(QFileInfo(program.file("etiqperso/etiquet.mdb")).isFile());
    QVERIFY(QFileInfo(program.file("etiqperso/pagetiq")).isDir());
    QVERIFY(readAll(program.file("etiqperso/modetiq/Effacer modèle.rtf")).startsWith("{\\rtf1"));
    QVERIFY(readAll(program.file("ETIQ.TXT")).startsWith("KALVENOR\r\n"));
    QVERIFY(readAll(program.file("ETIQ.TXT")).endsWith("\r\n"));
}

void TestStartup::settingsChooseTheSheetType_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("type");
    QTest::addColumn<double>("deltaH");
    QTest::addColumn<double>("deltaV");
    QTest::newRow("known type") << QByteArray("6x16\r\n\r\n[DeltaH]\r\n57\r\n\r\n[DeltaV]\r\n-29\r\n") << "6x16" << 57.0
                                << -29.0;
    QTest::newRow("short file") << QByteArray("AVERY65\r\n\r\n[DeltaH]\r\n12\r\n") << "AVERY65" << 12.0 << 0.0;
    QTest::newRow("type gone") << QByteArray("Disparu\r\n\r\n[DeltaH]\r\n3\r\n\r\n[DeltaV]\r\n4\r\n") << "3x8" << 3.0
                               << 4.0;
    QTest::newRow("case differs") << QByteArray("avery65\r\n") << "3x8" << 0.0 << 0.0;
    QTest::newRow("empty file") << QByteArray() << "3x8" << 0.0 << 0.0;
}

// Closed other than by QUITTER, the window leaves etiq.ini as it was and
// the page empty.
void TestStartup::settingsChooseTheSheetType()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, type);
    QFETCH(double, deltaH);
    QFETCH(double, deltaV);
    ProgramFolder program;
    writeAll(program.file("etiq.ini"), settings);
    Window w;
    QVERIFY(w.window.Form_Load(program.path()));
    const AppState &state = w.window.state();
    QCOMPARE(state.sheetTypeName(), type);
    QCOMPARE(state.DeltaH, deltaH);
    QCOMPARE(state.DeltaV, deltaV);
    QCOMPARE(state.labelCount(), etiqtable::find(w.window.workingDatabase(), type)->labelCount());

    QVERIFY(w.window.workingDatabase().execute(QStringLiteral("INSERT INTO PAGE (numetiq, posx, posy) VALUES (4, 1, 1)")));
    w.window.state().DeltaH = 99;
    w.window.close();
    QCOMPARE(readAll(program.file("etiq.ini")), settings);
    QCOMPARE(pagetable::count(w.window.workingDatabase()), 0);
}

void TestStartup::quitWritesSettingsReadAtNextStart()
{
    ProgramFolder program;
    {
        Window w;
        QVERIFY(w.window.Form_Load(program.path()));
        AppState &state = w.window.state();
        state.initbd(*etiqtable::find(w.window.workingDatabase(), QStringLiteral("2x3")));
        state.DeltaH = -29;
        state.DeltaV = 28;
        writeAll(program.file("sauvder.jpg"), {});
        w.window.B_finapp->click();
        QVERIFY(!QFileInfo::exists(program.file("sauvder.jpg")));
    }
    QCOMPARE(readAll(program.file("etiq.ini")), QByteArray("2x3\r\n\r\n[DeltaH]\r\n-29\r\n\r\n[DeltaV]\r\n28\r\n"));

    Window w;
    QVERIFY(w.window.Form_Load(program.path()));
    QCOMPARE(w.window.state().sheetTypeName(), QStringLiteral("2x3"));
    QCOMPARE(w.window.state().labelCount(), 6);
    QCOMPARE(w.window.state().DeltaH, -29.0);
    QCOMPARE(w.window.state().DeltaV, 28.0);
}

void TestStartup::missingShippedDatabaseIsReported()
{
    ProgramFolder program;
    QVERIFY(QFile::remove(program.file("etiquet.mdb")));
    Window w;
    QVERIFY(!w.window.Form_Load(program.path()));
    QCOMPARE(w.dialogs.shown.size(), 1);
    QCOMPARE(w.dialogs.shown[0].title, QStringLiteral("BASE DE DONNEES"));
    QVERIFY(!QFileInfo::exists(program.file("etiqperso/etiquet.mdb")));
}

// A personal type of absurd numbers named by etiq.ini: the program starts on
// the first type it can lay out and says which type it refused.
void TestStartup::unusableCurrentTypeGivesWayToTheFirstGoodOne()
{
    ProgramFolder program;
    {
        Window first;
        QVERIFY(first.window.Form_Load(program.path()));
        QVERIFY(first.window.workingDatabase().execute(
            QStringLiteral("INSERT INTO ETIQ (nom, cols, rows, widthetiq, heightetiq, margehaut, margebas, "
                           "margegauche, margedroite) VALUES ('Absurde', 32767, 32767, 0, 0, -5, 0, 0, 0)")));
    }
    QVERIFY(settingsfile::write(program.file("etiq.ini"), Settings{QStringLiteral("Absurde"), 0, 0}));

    Window w;
    QVERIFY(w.window.Form_Load(program.path()));
    QCOMPARE(w.window.state().sheetTypeName(), QStringLiteral("3x8"));
    QCOMPARE(w.window.state().labelCount(), 24);
    QCOMPARE(w.dialogs.shown.size(), 1);
    QVERIFY(w.dialogs.shown[0].text.contains(QStringLiteral("« Absurde »")));
}

void TestStartup::unwritableSettingsReportedAtQuit()
{
    ProgramFolder program;
    QVERIFY(QDir().mkdir(program.file("etiq.ini")));   // a folder where the file should be
    Window w;
    QVERIFY(w.window.Form_Load(program.path()));
    w.dialogs.shown.clear();
    w.window.B_finapp->click();
    QCOMPARE(w.dialogs.shown.size(), 1);
    QCOMPARE(w.dialogs.shown[0].title, QStringLiteral("SAUVEGARDE IMPOSSIBLE"));
}

void TestStartup::readOnlyPersonalFolderRefusesToStart()
{
    if (geteuid() == 0)
        QSKIP("permissions do not hold for root");
    ProgramFolder program;
    {
        Window first;
        QVERIFY(first.window.Form_Load(program.path()));
    }
    const QString personal = program.file("etiqperso");
    QFile::setPermissions(personal + QStringLiteral("/etiquet.mdb"), QFile::ReadOwner);
    QFile::setPermissions(personal, QFile::ReadOwner | QFile::ExeOwner);
    Window w;
    const bool started = w.window.Form_Load(program.path());
    QFile::setPermissions(personal, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!started);
    QCOMPARE(w.dialogs.shown.size(), 1);
    QVERIFY(w.dialogs.shown[0].text.contains(QDir::toNativeSeparators(personal)));
}

void TestStartup::configxpAsksThenOpens_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("launches");
    QTest::newRow("cancel") << int(Dialogs::Answer::Cancel) << true << false << 1 << 0;
    QTest::newRow("ok") << int(Dialogs::Answer::Ok) << true << true << 1 << 1;
    QTest::newRow("ok, nothing to open") << int(Dialogs::Answer::Ok) << false << false << 2 << 1;
}

void TestStartup::configxpAsksThenOpens()
{
    QFETCH(int, answer);
    QFETCH(bool, opens);
    QFETCH(bool, pending);
    QFETCH(int, messages);
    QFETCH(int, launches);
    ScriptedDialogs dialogs;
    dialogs.answerNext(Dialogs::Answer(answer));
    int launched = 0;
    QCOMPARE(printersetup::configxp(dialogs, [&] { ++launched; return opens; }), pending);
    QCOMPARE(launched, launches);
    QCOMPARE(dialogs.shown.size(), messages);
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("CONFIGURER IMPRIMANTE"));
    QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(dialogs.shown[0].text,
             QStringLiteral("Cette action ouvre la fenetre Imprimantes et Télécopieurs du panneau de configuration "
                            "Windows.\nAprés avoir configuré l'imprimante,refermer cette fenetre."));
    if (messages == 2) {
        QCOMPARE(dialogs.shown[1].title, QStringLiteral("SYSTEME D'EXPLOITATION"));
        QCOMPARE(dialogs.shown[1].text, QStringLiteral("Cette action n'est pas valable pour ce système d'exploitation"));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
