#include "startedwindow.h"

#include "app/contactwindow.h"
#include "app/functionlist.h"
#include "app/helpwindow.h"
#include "platform/richtext/rtflimits.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

// A help file of a title and `paragraphs` numbered paragraphs.
QString writeHelp(const QTemporaryDir &dir, int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Sans;}}\\f0\\fs28 Titre\\par\\fs20 ";
    for (int i = 1; i <= paragraphs; ++i)
        rtf += "Paragraphe " + QByteArray::number(i) + "\\par\r\n";
    rtf += '}';
    QFile file(dir.filePath(QStringLiteral("etiquet.rtf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
        return {};
    return dir.path();
}

void verifyCentred(QWidget &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint offset = window.frameGeometry().center() - window.screen()->availableGeometry().center();
    // A few pixels of slack: the frame is not known before the window shows.
    QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QStringLiteral("%1, %2 off").arg(offset.x()).arg(offset.y())));
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void opensAtItsTopInTheMiddle();
    void saysWhenTheTextWasCut_data();
    void saysWhenTheTextWasCut();
    void contactWindowInTheMiddle();
    void helpNamesTheMainWindowControls();
};

void TestHelpWindow::opensAtItsTopInTheMiddle()
{
    QTemporaryDir dir;
    HelpWindow help(writeHelp(dir, 300));
    verifyCentred(help);
    QVERIFY(help.T_aide->verticalScrollBar()->maximum() > 0); // the text is longer than the window
    QCOMPARE(help.T_aide->verticalScrollBar()->value(), 0);
}

void TestHelpWindow::saysWhenTheTextWasCut_data()
{
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<bool>("cut");
    QTest::newRow("whole") << 20 << false;
    QTest::newRow("more paragraphs than the reader takes") << int(richtext::limits::kMaxParagraphs) << true;
}

void TestHelpWindow::saysWhenTheTextWasCut()
{
    QFETCH(int, paragraphs);
    QFETCH(bool, cut);
    QTemporaryDir dir;
    HelpWindow help(writeHelp(dir, paragraphs));
    QCOMPARE(help.E_tronque->isVisibleTo(&help), cut);
    // What was read is shown, from its start.
    QCOMPARE(help.T_aide->document()->begin().text(), QStringLiteral("Titre"));
    QCOMPARE(help.T_aide->document()->begin().next().text(), QStringLiteral("Paragraphe 1"));
}

void TestHelpWindow::contactWindowInTheMiddle()
{
    ContactWindow contact;
    verifyCentred(contact);
}

// Every button, box and function the main window offers is named in the
// shipped help by its own caption.
void TestHelpWindow::helpNamesTheMainWindowControls()
{
    StartedWindow started;
    QVERIFY(started.window);
    QStringList captions;
    for (const QAbstractButton *button : started.window->findChildren<QAbstractButton *>())
        captions << button->text().remove(u'&');
    const FunctionList *functions = started.window->findChild<FunctionList *>();
    QVERIFY(functions && functions->count() == 8);
    for (int i = 0; i < functions->count(); ++i)
        captions << functions->item(i)->text();
    captions.removeAll(QString());
    captions.removeDuplicates();
    QVERIFY(captions.size() > functions->count());

    HelpWindow help(qEnvironmentVariable("KALVENOR_PROGRAM_DIR"));
    const QString text = help.T_aide->toPlainText();
    QStringList missing;
    for (const QString &caption : captions) {
        if (!text.contains(caption))
            missing << caption;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
