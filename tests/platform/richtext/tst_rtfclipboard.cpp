#include "documentdescription.h"
#include "platform/richtext/rtfclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// A document of two paragraphs of mixed formatting, all of it selected.
QTextDocumentFragment sampleFragment(QTextDocument *document)
{
    testing::build(document, QStringLiteral("[Arial 14 b #ff0000]Été [Times New Roman 9 i]à Noël"
                                            " | [Times New Roman 9 i]日本 😀"));
    return QTextDocumentFragment(document);
}

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
    void mimeDataRoundTrip();
    void readingPrefersRtf_data();
    void readingPrefersRtf();
    void systemClipboard();
};

void TestRtfClipboard::mimeDataRoundTrip()
{
    QTextDocument *document = testing::newDocument(this);
    const QTextDocumentFragment fragment = sampleFragment(document);
    std::unique_ptr<QMimeData> data(richtext::mimeDataFor(fragment, document->defaultFont()));
    QVERIFY(data->data(QStringLiteral("text/rtf")).startsWith(R"({\rtf1)"));
    QCOMPARE(data->data(QStringLiteral("text/richtext")), data->data(QStringLiteral("text/rtf")));
    QVERIFY(data->hasHtml());
    QCOMPARE(data->text(), QStringLiteral("Été à Noël\n日本 😀"));
    QVERIFY(richtext::mimeDataHasText(data.get()));
    QCOMPARE(describeFragment(richtext::fragmentFromMimeData(data.get())), testing::describe(*document));
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

void TestRtfClipboard::systemClipboard()
{
    QTextDocument *document = testing::newDocument(this);
    const QTextDocumentFragment fragment = sampleFragment(document);
    richtext::copyToClipboard(fragment, document->defaultFont());
    QVERIFY(richtext::clipboardHasText());
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    QCOMPARE(describeFragment(richtext::fragmentFromClipboard()), testing::describe(*document));

    QGuiApplication::clipboard()->clear();
    QVERIFY(!richtext::clipboardHasText());
    QVERIFY(richtext::fragmentFromClipboard().isEmpty());
    QVERIFY(richtext::fragmentFromMimeData(nullptr).isEmpty());
}

QTEST_MAIN(TestRtfClipboard)
#include "tst_rtfclipboard.moc"
