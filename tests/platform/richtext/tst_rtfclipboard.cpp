#include "documentdescription.h"
#include "platform/richtext/rtfclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString describeFragment(const QTextDocumentFragment &fragment)
{
    std::unique_ptr<QTextDocument> document(testing::newDocument(nullptr));
    QTextCursor(document.get()).insertFragment(fragment);
    return testing::describe(*document);
}

} // namespace

class TestRtfClipboard : public QObject {
    Q_OBJECT

private slots:
    void systemClipboard();
    void readingPrefersRtf_data();
    void readingPrefersRtf();
};

// A document of two paragraphs of mixed formatting, all of it copied, then
// pasted back; the clipboard carries it in every form.
void TestRtfClipboard::systemClipboard()
{
    QTextDocument *document = testing::newDocument(this);
    testing::build(document, QStringLiteral("[Arial 14 b #ff0000]Été [Times New Roman 9 i]à Noël"
                                            " | [Times New Roman 9 i]日本 😀"));
    richtext::copyToClipboard(QTextDocumentFragment(document), document->defaultFont());
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->data(QStringLiteral("text/rtf")).startsWith(R"({\rtf1)"));
    QCOMPARE(data->data(QStringLiteral("text/richtext")), data->data(QStringLiteral("text/rtf")));
    QVERIFY(data->hasHtml());
    QCOMPARE(data->text(), QStringLiteral("Été à Noël\n日本 😀"));
    QVERIFY(richtext::clipboardHasText());
    QCOMPARE(describeFragment(richtext::fragmentFromClipboard()), testing::describe(*document));

    QGuiApplication::clipboard()->clear();
    QVERIFY(!richtext::clipboardHasText());
    QVERIFY(richtext::fragmentFromClipboard().isEmpty());
    QVERIFY(!richtext::mimeDataHasText(nullptr));
    QVERIFY(richtext::fragmentFromMimeData(nullptr).isEmpty());
}

void TestRtfClipboard::readingPrefersRtf_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QByteArray rtf = R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs20\b rtf\par})";
    const QString html = QStringLiteral("<p><i>html</i></p>");
    QTest::newRow("rtf first") << rtf << html << QStringLiteral("text") << QStringLiteral("[Arial 10 b]rtf");
    QTest::newRow("then html") << QByteArray() << html << QStringLiteral("text")
                               << QStringLiteral("[Liberation Sans 11 i]html");
    QTest::newRow("then text, any line end") << QByteArray() << QString() << QStringLiteral("a\r\nb\rc\nd")
                                             << QStringLiteral("[Liberation Sans 11]a | [Liberation Sans 11]b"
                                                               " | [Liberation Sans 11]c | [Liberation Sans 11]d");
    QTest::newRow("broken rtf falls back") << QByteArray("not rtf") << QString() << QStringLiteral("text")
                                           << QStringLiteral("[Liberation Sans 11]text");
    QTest::newRow("nothing") << QByteArray() << QString() << QString() << QStringLiteral("[Liberation Sans 11]");
}

void TestRtfClipboard::readingPrefersRtf()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, html);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QMimeData data;
    if (!rtf.isEmpty())
        data.setData(QStringLiteral("text/rtf"), rtf);
    if (!html.isEmpty())
        data.setHtml(html);
    if (!text.isEmpty())
        data.setText(text);
    QCOMPARE(richtext::mimeDataHasText(&data), !(rtf.isEmpty() && html.isEmpty() && text.isEmpty()));
    QCOMPARE(describeFragment(richtext::fragmentFromMimeData(&data)), expected);
}

QTEST_MAIN(TestRtfClipboard)
#include "tst_rtfclipboard.moc"
