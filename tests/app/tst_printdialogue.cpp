#include "scripteddialogs.h"

#include "app/printdialogue.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

using Answer = Dialogs::Answer;

class TestPrintDialogue : public QObject {
    Q_OBJECT
private slots:
    void questionsInOrder_data();
    void questionsInOrder();
    void failureReportedWithTheSystemsReason();
};

void TestPrintDialogue::questionsInOrder_data()
{
    QTest::addColumn<int>("labels");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("printed");
    const QStringList both{QStringLiteral("IMPRIMANTE"), QStringLiteral("IMPRIMER")};
    QTest::newRow("empty page") << 0 << QList<Answer>{} << QStringList{QStringLiteral("IMPRESSION REFUSEE.")} << 0
                                << false;
    QTest::newRow("another printer wanted") << 3 << QList<Answer>{Answer::No}
                                            << QStringList{QStringLiteral("IMPRIMANTE")} << 0 << false;
    QTest::newRow("not A4") << 3 << QList<Answer>{Answer::Yes, Answer::No} << both << 1 << false;
    QTest::newRow("printed") << 3 << QList<Answer>{Answer::Yes, Answer::Yes} << both << 1 << true;
}

void TestPrintDialogue::questionsInOrder()
{
    QFETCH(int, labels);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, titles);
    QFETCH(int, beeps);
    QFETCH(bool, printed);
    ScriptedDialogs dialogs;
    for (Answer a : answers)
        dialogs.answerNext(a);
    bool busyWhilePrinting = false;
    int jobs = 0;
    const bool done = PrintDialogue(dialogs).run(labels, QStringLiteral("PDF"), [&] {
        ++jobs;
        busyWhilePrinting = QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        return PrintOutcome{true, {}};
    });
    QCOMPARE(done, printed);
    QCOMPARE(jobs, printed ? 1 : 0);
    QCOMPARE(busyWhilePrinting, printed);
    QCOMPARE(dialogs.beeps, beeps);
    QStringList shown;
    for (const auto &s : dialogs.shown)
        shown << s.title;
    QCOMPARE(shown, titles);
    if (labels == 0)
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("La page est vide."));
    if (!answers.isEmpty()) {
        QCOMPARE(dialogs.shown[0].text,
                 QStringLiteral("Imprimante:PDF\nPour choisir une autre imprimante:\n    -Configurer imprimante.\n"
                                "    -Click droit sur l'imprimante choisie.\n    -Définir comme imprimante par défaut.\n"
                                "    -Fermer la configuration imprimante.\nContinuer?"));
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPrintDialogue::failureReportedWithTheSystemsReason()
{
    ScriptedDialogs dialogs;
    dialogs.answerNext(Answer::Yes);
    dialogs.answerNext(Answer::Yes);
    const bool done = PrintDialogue(dialogs).run(1, QStringLiteral("PDF"), [] {
        return PrintOutcome{false, QStringLiteral("file:/nowhere: permission denied")};
    });
    QVERIFY(!done);
    QCOMPARE(dialogs.shown.last().title, QStringLiteral("IMPRESSION IMPOSSIBLE"));
    QVERIFY(dialogs.shown.last().text.endsWith(QStringLiteral("\nfile:/nowhere: permission denied")));
    QVERIFY(!QGuiApplication::overrideCursor());   // the pointer is back
}

QTEST_MAIN(TestPrintDialogue)
#include "tst_printdialogue.moc"
