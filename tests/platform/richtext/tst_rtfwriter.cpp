#include "documentdescription.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// The inverse of testing::describe for building documents:
// "[Arial 10 b #ff0000]text[...]more | [Arial 20]" (an empty paragraph
// with its mark's format). "[]" is a run that sets no property at all.
QTextCharFormat parseFormat(const QString &description)
{
    QTextCharFormat format;
    QStringList parts = description.split(u' ', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return format;
    if (parts.last().startsWith(u'#'))
        format.setForeground(QColor(parts.takeLast()));
    if (QRegularExpression(QStringLiteral("^[bius]+$")).match(parts.last()).hasMatch()) {
        const QString flags = parts.takeLast();
        format.setFontWeight(flags.contains(u'b') ? QFont::Bold : QFont::Normal);
        format.setFontItalic(flags.contains(u'i'));
        format.setFontUnderline(flags.contains(u'u'));
        format.setFontStrikeOut(flags.contains(u's'));
    }
    format.setFontPointSize(parts.takeLast().toDouble());
    format.setFontFamilies({parts.join(u' ')});
    return format;
}

void build(QTextDocument *document, const QString &description)
{
    QTextCursor cursor(document);
    const QStringList paragraphs = description.split(QStringLiteral(" | "));
    static const QRegularExpression run(QStringLiteral("\\[([^\\]]*)\\]([^\\[]*)"));
    for (qsizetype i = 0; i < paragraphs.size() && !description.isEmpty(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        for (auto match = run.globalMatch(paragraphs[i]); match.hasNext();) {
            const auto piece = match.next();
            const QTextCharFormat format = parseFormat(piece.captured(1));
            if (piece.captured(2).isEmpty())
                cursor.setBlockCharFormat(format);
            else
                cursor.insertText(piece.captured(2), format);
        }
    }
}

QTextDocument *newDocument(QObject *parent)
{
    auto *document = new QTextDocument(parent);
    document->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    return document;
}

bool isSevenBit(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void encodesCharacters_data();
    void encodesCharacters();
    void rewritesWhatWasRead_data();
    void rewritesWhatWasRead();
    void emptyDocument();
    void tablesListEachFontAndColourOnce();
    void softLineBreakReadsAsParagraph();
    void objectsAreNotWritten();
    void fragmentTakesBaseFont();
    void savesFileWhole();
    void saveToMissingFolderFails();
};

void TestRtfWriter::roundTrip_data()
{
    QTest::addColumn<QString>("description");
    QTest::newRow("fonts, sizes, styles, colours")
        << QStringLiteral("[Arial 10]Bonjour [Arial 10 b]gras[Times New Roman 14 i #ff0000] rouge"
                          " | [Courier New 8 us #0000ff]bleu[Arial 36 bius #008000]tout");
    QTest::newRow("French text") << QStringLiteral("[Arial 12]Été à Noël — 5 € « œuvre » ÿ Œ");
    QTest::newRow("outside Windows-1252") << QStringLiteral("[Arial 12]Αλφα Ωμέγα 日本語 😀 ŝ ‱ \uF8FF");
    QTest::newRow("empty document") << QString();
    QTest::newRow("empty paragraphs")
        << QStringLiteral("[Arial 10]a | [Arial 20] | [Arial 30] | [Arial 8]b | [Arial 16]");
    QTest::newRow("nothing set: the document's font") << QStringLiteral("[]plain text | []");
    QTest::newRow("RTF syntax in the text")
        << QStringLiteral("[Arial 12]{braces} back\\slash; semi\ttab 1\u00a0000 \\par \\'e9 ?");
    QTest::newRow("fractional and extreme sizes") << QStringLiteral("[Arial 10.5]a[Arial 1]b[Arial 1638]c");
    QTest::newRow("font names to escape") << QStringLiteral("[Polícia Sérif 12]x[Odd;{Name}\\ 12]y[日本 Gothic 12]z");
    QTest::newRow("black is not automatic") << QStringLiteral("[Arial 12 #000000]a[Arial 12]b[Arial 12 #fffffe]c");
}

void TestRtfWriter::roundTrip()
{
    QFETCH(QString, description);
    QTextDocument *original = newDocument(this);
    build(original, description);
    const QByteArray rtf = richtext::writeRtf(*original);
    QVERIFY2(isSevenBit(rtf), rtf.constData());

    QTextDocument *readBack = newDocument(this);
    const richtext::RtfReadResult result = richtext::readRtf(rtf, readBack);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(testing::describe(*readBack), testing::describe(*original));
    QCOMPARE(readBack->blockCount(), original->blockCount());
}

void TestRtfWriter::encodesCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Latin-1 letter") << QStringLiteral("é") << QByteArray(R"(\'e9)");
    QTest::newRow("euro, in Windows-1252 only") << QStringLiteral("€") << QByteArray(R"(\'80)");
    QTest::newRow("Greek") << QStringLiteral("Ω") << QByteArray(R"(\u937?)");
    QTest::newRow("CJK above 32767") << QStringLiteral("日") << QByteArray(R"(\u26085?)");
    QTest::newRow("private use, negative") << QStringLiteral("\uF8FF") << QByteArray(R"(\u-1793?)");
    QTest::newRow("emoji, surrogate pair") << QStringLiteral("😀") << QByteArray(R"(\u-10179?\u-8704?)");
    QTest::newRow("unassigned in Windows-1252") << QStringLiteral("\u0081") << QByteArray(R"(\u129?)");
    QTest::newRow("braces and backslash") << QStringLiteral("{\\}") << QByteArray(R"(\{\\\})");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray(R"(a\tab b)");
}

void TestRtfWriter::encodesCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QTextDocument *document = newDocument(this);
    document->setPlainText(text);
    const QByteArray rtf = richtext::writeRtf(*document);
    QVERIFY2(rtf.contains(expected), rtf.constData());
    QVERIFY(rtf.contains(R"(\ansicpg1252)"));
}

// Documents as the reader builds them from odd input write back to RTF
// that reads as the same document; the cases are ones the fuzzer found.
void TestRtfWriter::rewritesWhatWasRead_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("control characters in a font name")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset)") + '\x01' + '\0' + QByteArray("204 Arial\tCYR;}}\\f0 a})");
    // Inputs that made the fuzzer fail, as found.
    const QDir found(QStringLiteral(KALVENOR_RTF_TEST_DATA));
    for (const QString &name : found.entryList({QStringLiteral("fuzz-*.rtf")}, QDir::Files)) {
        QFile file(found.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << file.readAll();
    }
    QVERIFY(!found.entryList({QStringLiteral("fuzz-*.rtf")}).isEmpty());
    QTest::newRow("text starting with a blank, unterminated")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswred10\\u23\xbd" "lue3\x98" "0}\\1 \xff\xff\xff\xff\xff\xff\xff\xa4"
                      "\x00" "p`\x00\x00" "hij\\r", 60);
}

void TestRtfWriter::rewritesWhatWasRead()
{
    QFETCH(QByteArray, rtf);
    QTextDocument *first = newDocument(this);
    richtext::readRtf(rtf, first);
    QTextDocument *second = newDocument(this);
    QVERIFY(richtext::readRtf(richtext::writeRtf(*first), second).ok);
    QCOMPARE(testing::describe(*second), testing::describe(*first));
}

void TestRtfWriter::emptyDocument()
{
    QTextDocument *empty = newDocument(this);
    const QByteArray rtf = richtext::writeRtf(*empty);
    QVERIFY(rtf.startsWith(R"({\rtf1\ansi)"));
    QVERIFY(rtf.trimmed().endsWith('}'));
    QCOMPARE(rtf.count('{'), rtf.count('}'));
    QVERIFY2(rtf.size() < 256, rtf.constData());

    QTextDocument *readBack = newDocument(this);
    readBack->setPlainText(QStringLiteral("previous"));
    const richtext::RtfReadResult result = richtext::readRtf(rtf, readBack);
    QVERIFY(result.ok);
    QVERIFY(readBack->isEmpty());
}

void TestRtfWriter::tablesListEachFontAndColourOnce()
{
    QTextDocument *document = newDocument(this);
    build(document, QStringLiteral("[Arial 12 #ff0000]a[Times 12 #0000ff]b | [Arial 20 #ff0000]c[Times 9 b #0000ff]d"));
    const QByteArray rtf = richtext::writeRtf(*document);
    QCOMPARE(rtf.count(" Arial;"), 1);
    QCOMPARE(rtf.count(" Times;"), 1);
    QCOMPARE(rtf.count(R"(\red255\green0\blue0;)"), 1);
    QCOMPARE(rtf.count(R"(\red0\green0\blue255;)"), 1);
    QVERIFY(rtf.contains(R"({\colortbl ;)")); // entry 0: the automatic colour
}

void TestRtfWriter::softLineBreakReadsAsParagraph()
{
    QTextDocument *document = newDocument(this);
    QTextCursor(document).insertText(QStringLiteral("a") + QChar(QChar::LineSeparator) + QStringLiteral("b"));
    const QByteArray rtf = richtext::writeRtf(*document);
    QVERIFY(rtf.contains(R"(a\line b)"));
    QTextDocument *readBack = newDocument(this);
    QVERIFY(richtext::readRtf(rtf, readBack).ok);
    QCOMPARE(readBack->blockCount(), 2);
    QCOMPARE(testing::paragraphsText(*readBack), QStringLiteral("a\nb"));
}

void TestRtfWriter::objectsAreNotWritten()
{
    QTextDocument *document = newDocument(this);
    QTextCursor cursor(document);
    cursor.insertText(QStringLiteral("a"));
    QTextImageFormat image;
    image.setName(QStringLiteral("picture.png"));
    cursor.insertImage(image);
    cursor.insertText(QStringLiteral("b"));
    QTextDocument *readBack = newDocument(this);
    QVERIFY(richtext::readRtf(richtext::writeRtf(*document), readBack).ok);
    QCOMPARE(readBack->toPlainText(), QStringLiteral("ab"));
}

void TestRtfWriter::fragmentTakesBaseFont()
{
    QTextDocument *document = newDocument(this);
    const QFont editorFont(QStringLiteral("Liberation Serif"), 20);
    document->setDefaultFont(editorFont);
    QTextCursor cursor(document);
    cursor.insertText(QStringLiteral("abc"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("de"), parseFormat(QStringLiteral("Arial 8 b")));
    cursor.setPosition(1);
    cursor.setPosition(5, QTextCursor::KeepAnchor);

    QTextDocument *readBack = newDocument(this);
    QVERIFY(richtext::readRtf(richtext::writeRtf(QTextDocumentFragment(cursor), editorFont), readBack).ok);
    QCOMPARE(testing::describe(*readBack), QStringLiteral("[Liberation Serif 20]bc | [Arial 8 b]d"));
}

void TestRtfWriter::savesFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("modele.rtf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    QTextDocument *document = newDocument(this);
    build(document, QStringLiteral("[Arial 12 b]Étiquette | [Arial 9]ligne 2"));
    QString error;
    QVERIFY2(richtext::saveRtfFile(*document, path, &error), qPrintable(error));

    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), richtext::writeRtf(*document));
    QTextDocument *loaded = newDocument(this);
    QVERIFY(richtext::loadRtfFile(path, loaded).ok);
    QCOMPARE(testing::describe(*loaded), testing::describe(*document));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("modele.rtf")});
}

void TestRtfWriter::saveToMissingFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("absent/modele.rtf"));
    QTextDocument *document = newDocument(this);
    QString error;
    QVERIFY(!richtext::saveRtfFile(*document, path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
