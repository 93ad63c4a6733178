#include "documentdescription.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void writes_data();
    void writes();
    void objectsAreNotWritten();
    void fragmentTakesBaseFont();
    void savesFile();
};

// A document built from its description, or one the reader made of a file
// that made the fuzzer fail, writes to plain ASCII RTF that reads back as
// the same document.
void TestRtfWriter::roundTrip_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QByteArray>("rtf");
    auto built = [](const char *tag, const QString &description) { QTest::newRow(tag) << description << QByteArray(); };
    built("fonts, sizes, styles, colours",
          QStringLiteral("[Arial 10]Bonjour [Arial 10 b]gras[Times New Roman 14 i #ff0000] rouge"
                         " | [Courier New 8 us #0000ff]bleu[Arial 36 bius #008000]tout"));
    built("French text", QStringLiteral("[Arial 12]Été à Noël — 5 € « œuvre » ÿ Œ"));
    built("outside Windows-1252", QStringLiteral("[Arial 12]Αλφα Ωμέγα 日本語 😀 ŝ ‱ \uF8FF"));
    built("empty document", QString());
    built("empty paragraphs", QStringLiteral("[Arial 10]a | [Arial 20] | [Arial 30] | [Arial 8]b | [Arial 16]"));
    built("nothing set: the document's font", QStringLiteral("[]plain text | []"));
    built("RTF syntax in the text", QStringLiteral("[Arial 12]{braces} back\\slash; semi\ttab 1\u00a0000 \\par \\'e9 ?"));
    built("fractional and extreme sizes", QStringLiteral("[Arial 10.5]a[Arial 1]b[Arial 1638]c"));
    built("font names to escape", QStringLiteral("[Polícia Sérif 12]x[Odd;{Name}\\ 12]y[日本 Gothic 12]z"));
    built("black is not automatic", QStringLiteral("[Arial 12 #000000]a[Arial 12]b[Arial 12 #fffffe]c"));

    const QDir found(QStringLiteral(KALVENOR_RTF_TEST_DATA), QStringLiteral("fuzz-*.rtf"));
    QVERIFY(found.count() > 0);
    for (const QString &name : found.entryList()) {
        QFile file(found.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << QString() << file.readAll();
    }
}

void TestRtfWriter::roundTrip()
{
    QFETCH(QString, description);
    QFETCH(QByteArray, rtf);
    QTextDocument *original = testing::newDocument(this);
    if (rtf.isNull())
        testing::build(original, description);
    else
        richtext::readRtf(rtf, original);
    const QByteArray written = richtext::writeRtf(*original);
    QVERIFY2(std::all_of(written.begin(), written.end(), [](char c) { return uchar(c) < 0x80; }), written.constData());

    QTextDocument *readBack = testing::newDocument(this);
    const richtext::RtfReadResult result = richtext::readRtf(written, readBack);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(testing::describe(*readBack), testing::describe(*original));
}

// Each piece is written exactly once; the header says Windows-1252 and names
// the program before the first paragraph.
void TestRtfWriter::writes_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::newRow("euro, in Windows-1252 only") << QStringLiteral("[]€") << QByteArrayList{R"(\'80)"};
    QTest::newRow("private use, negative") << QStringLiteral("[]\uF8FF") << QByteArrayList{R"(\u-1793?)"};
    QTest::newRow("emoji, surrogate pair") << QStringLiteral("[]😀") << QByteArrayList{R"(\u-10179?\u-8704?)"};
    QTest::newRow("unassigned in Windows-1252") << QStringLiteral("[]\u0081") << QByteArrayList{R"(\u129?)"};
    QTest::newRow("tab") << QStringLiteral("[]a\tb") << QByteArrayList{R"(a\tab b)"};
    QTest::newRow("soft line break") << QStringLiteral("[]a\u2028b") << QByteArrayList{R"(a\line b)"};
    QTest::newRow("optional hyphen") << QStringLiteral("[]eti\u00adquette") << QByteArrayList{R"(eti\-quette)"};
    QTest::newRow("tables list each font and colour once")
        << QStringLiteral("[Arial 12 #ff0000]a[Times 12 #0000ff]b | [Arial 20 #ff0000]c[Times 9 b #0000ff]d")
        << QByteArrayList{" Arial;", " Times;", R"(\red255\green0\blue0;)", R"(\red0\green0\blue255;)"};
}

void TestRtfWriter::writes()
{
    QFETCH(QString, description);
    QFETCH(QByteArrayList, pieces);
    QTextDocument *document = testing::newDocument(this);
    testing::build(document, description);
    const QByteArray rtf = richtext::writeRtf(*document);
    for (const QByteArray &piece : pieces)
        QVERIFY2(rtf.count(piece) == 1, rtf.constData());
    QVERIFY(rtf.contains(R"(\ansicpg1252)"));
    const qsizetype generator = rtf.indexOf(R"({\*\generator KALVENOR )" PROJECT_VERSION ";}");
    QVERIFY2(generator > 0, rtf.constData());
    QVERIFY(generator < rtf.indexOf(R"(\pard)"));
}

void TestRtfWriter::objectsAreNotWritten()
{
    QTextDocument *document = testing::newDocument(this);
    QTextCursor cursor(document);
    cursor.insertText(QStringLiteral("a"));
    cursor.insertImage(QStringLiteral("picture.png"));
    cursor.insertText(QStringLiteral("b"));
    QTextDocument *readBack = testing::newDocument(this);
    QVERIFY(richtext::readRtf(richtext::writeRtf(*document), readBack).ok);
    QCOMPARE(readBack->toPlainText(), QStringLiteral("ab"));
}

void TestRtfWriter::fragmentTakesBaseFont()
{
    QTextDocument *document = testing::newDocument(this);
    const QFont editorFont(QStringLiteral("Liberation Serif"), 20);
    document->setDefaultFont(editorFont);
    testing::build(document, QStringLiteral("[]abc | [Arial 8 b]de"));
    QTextCursor cursor(document);
    cursor.setPosition(1);
    cursor.setPosition(5, QTextCursor::KeepAnchor);

    QTextDocument *readBack = testing::newDocument(this);
    QVERIFY(richtext::readRtf(richtext::writeRtf(QTextDocumentFragment(cursor), editorFont), readBack).ok);
    QCOMPARE(testing::describe(*readBack), QStringLiteral("[Liberation Serif 20]bc | [Arial 8 b]d"));
}

// The file is replaced whole, and a save that cannot be made leaves nothing.
void TestRtfWriter::savesFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("modele.rtf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(100000, 'x')) == 100000);
    old.close();
    QTextDocument *document = testing::newDocument(this);
    testing::build(document, QStringLiteral("[Arial 12 b]Étiquette | [Arial 9]ligne 2"));
    QString error;
    QVERIFY2(richtext::saveRtfFile(*document, path, &error), qPrintable(error));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), richtext::writeRtf(*document));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("modele.rtf")});

    const QString unreachable = dir.filePath(QStringLiteral("absent/modele.rtf"));
    QVERIFY(!richtext::saveRtfFile(*document, unreachable, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(unreachable));
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
