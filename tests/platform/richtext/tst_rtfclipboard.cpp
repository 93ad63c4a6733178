#include "documentdescription.h"
#include "platform/richtext/rtfclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// A document with two paragraphs of mixed formatting, and the fragment
// that selects all of it.
QTextDocumentFragment sampleFragment(QTextDocument *document)
{
    document->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    QTextCursor cursor(document);
    QTextCharFormat bold;
    bold.setFontFamilies({QStringLiteral("Arial")});
    bold.setFontPointSize(14);
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(Qt::red));
    cursor.insertText(QStringLiteral("Été "), bold);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Times New Roman")});
    plain.setFontPointSize(9);
    plain.setFontItalic(true);
    cursor.insertText(QStringLiteral("à Noël"), plain);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("日本 😀"), plain);
    cursor.select(QTextCursor::Document);
    return QTextDocumentFragment(cursor);
}

QString describeFragment(const QTextDocumentFragment &fragment)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    QTextCursor(&document).insertFragment(fragment);
    return testing::describe(document);
}

} // namespace

class TestRtfClipboard : public QObject {
    Q_OBJECT

private slots:
    void mimeDataCarriesEveryForm();
    void mimeDataRoundTrip();
    void readingPrefersRtf_data();
    void readingPrefersRtf();
    void systemClipboard();
};

void TestRtfClipboard::mimeDataCarriesEveryForm()
{
    QTextDocument document;
    const QTextDocumentFragment fragment = sampleFragment(&document);
    std::unique_ptr<QMimeData> data(richtext::mimeDataFor(fragment, document.defaultFont()));
    QVERIFY(data->data(QStringLiteral("text/rtf")).startsWith(R"({\rtf1)"));
    QCOMPARE(data->data(QStringLiteral("text/richtext")), data->data(QStringLiteral("text/rtf")));
    QVERIFY(data->hasHtml());
    QCOMPARE(data->text(), QStringLiteral("Été à Noël\n日本 😀"));
    QVERIFY(richtext::mimeDataHasText(data.get()));
}

void TestRtfClipboard::mimeDataRoundTrip()
{
    QTextDocument document;
    const QTextDocumentFragment fragment = sampleFragment(&document);
    std::unique_ptr<QMimeData> data(richtext::mimeDataFor(fragment, document.defaultFont()));
    QCOMPARE(describeFragment(richtext::fragmentFromMimeData(data.get())), testing::describe(document));
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
    QTextDocument document;
    const QTextDocumentFragment fragment = sampleFragment(&document);
    richtext::copyToClipboard(fragment, document.defaultFont());
    QVERIFY(richtext::clipboardHasText());
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    QCOMPARE(describeFragment(richtext::fragmentFromClipboard()), testing::describe(document));

    QGuiApplication::clipboard()->clear();
    QVERIFY(!richtext::clipboardHasText());
    QVERIFY(richtext::fragmentFromClipboard().isEmpty());
    QVERIFY(richtext::fragmentFromMimeData(nullptr).isEmpty());
}

QTEST_MAIN(TestRtfClipboard)
#include "tst_rtfclipboard.moc"
