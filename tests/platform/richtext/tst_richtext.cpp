#include "documentdescription.h"
#include "platform/richtext/rtfclipboard.h"
#include "platform/richtext/rtflimits.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

using richtext::readRtf;

namespace {

// As a Windows rich-text control saves a label: font and colour tables, a
// generator group, \viewkind, \uc1, text with \'hh escapes.
const QByteArray kRichEditSample =
    R"({\rtf1\ansi\ansicpg1252\deff0\nouicompat\deflang1036{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}}
{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;}
{\*\generator Riched20 10.0.19041}\viewkind4\uc1 
\pard\sa200\sl276\slmult1\f0\fs20 Bonjour \b gras\b0  et \cf1 rouge\cf0\par
\i\f1\fs28 Deuxi\'e8me ligne\i0\par
\cf2\ul soulign\'e9\ulnone  \strike barr\'e9\strike0\cf0\par
}
)";

// As an office suite saves it: style sheet, revision table, document
// information, associated fonts (\loch \hich \dbch \af), paragraph
// properties, Unicode with fallback bytes.
const QByteArray kOfficeSample =
    R"({\rtf1\ansi\deff4\adeflang1025
{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f1\froman\fprq2\fcharset2 Symbol;}{\f2\fswiss\fprq2\fcharset0 Arial;}{\f3\froman\fprq2\fcharset0 Liberation Serif{\*\falt Times New Roman};}{\f4\fswiss\fprq2\fcharset0 Liberation Sans{\*\falt Arial};}{\f5\fnil\fprq2\fcharset0 Noto Sans CJK SC;}}
{\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red128\green128\blue128;}
{\stylesheet{\s0\snext0\widctlpar\hyphpar0\cf0\kerning1\dbch\af5\langfe2052\dbch\af6\afs24\alang1081\loch\f3\hich\af3\fs24\lang1036 Normal;}
{\s15\sbasedon0\snext16\sb240\sa120\keepn\dbch\af5\dbch\af6\afs28\loch\f4\fs28 Heading;}}
{\*\rsidtbl \rsid1185263\rsid5380631}{\*\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}{\info{\title Titre}{\author Anne}{\creatim\yr2024\mo3\dy4\hr10\min12}{\revtim\yr2024\mo3\dy4\hr10\min13}{\printim\yr0\mo0\dy0\hr0\min0}}{\*\userprops{\propname x}\proptype30{\staticval y}}\deftab709
\hyphauto1\viewscale100
{\*\pgdsctbl
{\pgdsc0\pgdscuse451\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\margtsxn1134\margbsxn1134\pgdscnxt0 Default Page Style;}}
\formshade\paperh16838\paperw11906\margl1134\margr1134\margt1134\margb1134\sectd\sbknone\pgndec\sftnnar\saftnnrlc\sectunlocked1\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\margtsxn1134\margbsxn1134\ftnbj\ftnstart1\ftnrstcont\ftnnar\aenddoc\aftnrstcont\aftnstart1\aftnnrlc
{\*\ftnsep\chftnsep}\pgndec\pard\plain \s0\ql\widctlpar\hyphpar0\ltrpar\sa140\cf0\kerning1\dbch\af5\langfe2052\dbch\af6\afs24\alang1081\loch\f3\hich\af3\fs24\lang1036{\rtlch \ltrch\loch\cf2
Texte bleu }{\rtlch \ltrch\loch\b\fs32
\u201\'c9t\u233\'e9}
\par \pard\plain \s0\ql\widctlpar\hyphpar0\ltrpar\sa140\cf0\kerning1\dbch\af5\langfe2052\dbch\af6\afs24\alang1081\loch\f3\hich\af3\fs24\lang1036\sb0\sa140{\rtlch \ltrch\loch\f4\i
Sans italique }{\dbch\af5\loch\f5\uc2 \u26085\'93\'fa\u26412\'96\'7b}
\par }
)";

// A pasted fragment as testing::describe shows it.
QString describeFragment(const QTextDocumentFragment &fragment)
{
    std::unique_ptr<QTextDocument> document(testing::newDocument(nullptr));
    QTextCursor(document.get()).insertFragment(fragment);
    return testing::describe(*document);
}

} // namespace

class TestRichText : public QObject {
    Q_OBJECT

private slots:
    // The reader
    void reads_data();
    void reads();
    void largeInput_data();
    void largeInput();
    void loadsFile_data();
    void loadsFile();
    // The writer
    void roundTrip_data();
    void roundTrip();
    void writes_data();
    void writes();
    void objectsAreNotWritten();
    void fragmentTakesBaseFont();
    void savesFile();
    // The clipboard
    void systemClipboard();
    void readingPrefersRtf_data();
    void readingPrefersRtf();
};

// Rows expecting "[...]" compare testing::describe, the others the text.
// Damaged input is read as far as it goes, with an error to show.
void TestRichText::reads_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("ok");

    QTest::newRow("rich-text control") << kRichEditSample
        << QStringLiteral("[Arial 10]Bonjour [Arial 10 b]gras[Arial 10] et [Arial 10 #ff0000]rouge"
                          " | [Times New Roman 14 i]Deuxième ligne"
                          " | [Times New Roman 14 u #0000ff]souligné[Times New Roman 14 #0000ff] "
                          "[Times New Roman 14 s #0000ff]barré") << true;
    QTest::newRow("office suite") << kOfficeSample
        << QStringLiteral("[Liberation Serif 12 #0000ff]Texte bleu [Liberation Serif 16 b]Été"
                          " | [Liberation Sans 12 i]Sans italique [Noto Sans CJK SC 12]日本") << true;
    QTest::newRow("groups restore state")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}\f0 a{\b b{\i\f1\fs40 c}d}e})")
        << QStringLiteral("[Arial 12]a[Arial 12 b]b[Courier New 20 bi]c[Arial 12 b]d[Arial 12]e") << true;
    QTest::newRow("plain resets character formatting")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl;\red0\green128\blue0;}\f1\fs16\b\i\ul\strike\cf1 x\plain y})")
        << QStringLiteral("[Courier New 8 bius #008000]x[Arial 12]y") << true;
    QTest::newRow("style words switched off by zero")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}\b\i\ul\strike a\b0\i0\ul0\strike0 b\uldb c\ulnone d})")
        << QStringLiteral("[Arial 12 bius]a[Arial 12]b[Arial 12 u]c[Arial 12]d") << true;
    QTest::newRow("font sizes are clamped")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}\fs999999 a\fs1 b\fs0 c\fs-4 d\fs21 e})")
        << QStringLiteral("[Arial 1638]a[Arial 1]b[Arial 12]cd[Arial 10.5]e") << true;
    QTest::newRow("undefined font takes the default font")
        << QByteArray(R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}\f7 a\f0 b})")
        << QStringLiteral("[Courier New 12]a[Arial 12]b") << true;
    QTest::newRow("no font table: the document's font")
        << QByteArray(R"({\rtf1 \b a})") << QStringLiteral("[Liberation Sans 12 b]a") << true;
    QTest::newRow("flat font table and entry without semicolon")
        << QByteArray(R"({\rtf1{\fonttbl\f0\fswiss Arial;\f1\froman Times New Roman}\f1 a})")
        << QStringLiteral("[Times New Roman 12]a") << true;
    QTest::newRow("control characters in a font name")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset)") + '\x01' + '\0' + QByteArray("204 Arial\tCYR;}}\\f0 a})")
        << QStringLiteral("[204 ArialCYR 12]a") << true;
    QTest::newRow("colour table: auto entry, out of range index; no background")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red10\green20\blue30;}\cf1 a\cf9 b\cf0 c\highlight1 d\cb1 e})")
        << QStringLiteral("[Arial 12 #0a141e]a[Arial 12]bcde") << true;
    QTest::newRow("East Asian font and size after \\dbch")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Noto Sans CJK JP;}}\f0\fs21\dbch\af1\afs30 Ab\u26085?\u26412?\loch  Cd{\dbch \u35486? \u-10179?\u-8704? e}})")
        << QStringLiteral("[Arial 10.5]Ab[Noto Sans CJK JP 15]日本[Arial 10.5] Cd[Noto Sans CJK JP 15]語 😀 [Arial 10.5]e") << true;
    QTest::newRow("associated properties of right-to-left text are not read")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Noto Sans CJK JP;}{\f2 Arabic;}}\rtlch\af2\afs40 \ltrch\f0\fs20\loch\af0\hich\af0\dbch\af1\af9 Bonjour \u26085?})")
        << QStringLiteral("[Arial 10]Bonjour 日") << true;
    QTest::newRow("empty paragraphs keep the size of their mark")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}\fs20 a\par\fs40\par\fs10 b\par})")
        << QStringLiteral("[Arial 10]a | [Arial 20] | [Arial 5]b") << true;
    QTest::newRow("literals and special characters")
        << QByteArray(R"({\rtf1 a\{b\}c\\d\tab e\~f\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet\_g\-h})")
        << QStringLiteral("a{b}c\\d\te\u00a0f—–‘’“”•\u2011g\u00adh") << true;
    QTest::newRow("Windows-1252 escapes, also for an unknown code page")
        << QByteArray(R"({\rtf1\ansi\ansicpg99999 \'c9t\'e9 \'e0 No\'ebl \'97 5 \'80\'85\'9c})")
        << QStringLiteral("Été à Noël — 5 €…œ") << true;
    QTest::newRow("code page from the font's charset")
        << QByteArray(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Arial CYR;}{\f2\fcharset161 Arial Greek;}{\f3\fcharset128 MS Gothic;}{\f4\fcharset238 Arial CE;}})"
                      R"(\f1\'cf\'f0\'e8\'e2\'e5\'f2 \f2\'c1\'e8\'e2 \f3\'93\'fa\'96\'7b \f4\'b9\'ea \f0\'e9})")
        << QStringLiteral("Привет Αθβ 日本 ąę é") << true;
    QTest::newRow("document code page for fonts without a charset")
        << QByteArray(R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\f0\'c4\'e0})") << QStringLiteral("Да") << true;
    QTest::newRow("unicode with fallback skipping")
        << QByteArray(R"({\rtf1\uc1\u233?t\u-3?\uc2\u26085\'93\'fa x\uc0\u233 t{\uc3\u233 abc}d\u233 e\uc4{\u233}abc})")
        << QStringLiteral("ét\ufffd日 xétédéeéabc") << true;
    QTest::newRow("surrogate pair and code point above the BMP")
        << QByteArray(R"({\rtf1\uc1\u-10179?\u-8704? \u128512? \u-10179?x})")
        << QStringLiteral("\U0001F600 \U0001F600 \ufffdx") << true;
    QTest::newRow("skipped destinations")
        << QByteArray(R"({\rtf1{\*\unknown secret}{\info{\title t}}{\header h}{\footnote n}a{\*\bkmkstart b}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}}{\pict\wmetafile8 0102}b})")
        << QStringLiteral("alienb") << true;
    QTest::newRow("unknown words and non-starred groups are read")
        << QByteArray(R"({\rtf1\frobnicate42 a{\lang1036 b}\loch\hich\dbch c})") << QStringLiteral("abc") << true;
    QTest::newRow("hidden text is not read")
        << QByteArray(R"({\rtf1 a{\v hidden}b\v c\v0 d})") << QStringLiteral("abd") << true;
    QTest::newRow("every break is a paragraph, line ends in the file are not")
        << QByteArray("{\\rtf1 a\\line b\\par c\\page d\\sect e\\row f\\\ng\r\nh\ni\rj}")
        << QStringLiteral("a\nb\nc\nd\ne\nf\nghij") << true;
    QTest::newRow("empty paragraphs")
        << QByteArray(R"({\rtf1 \par a\par\par b\par\par})") << QStringLiteral("\na\n\nb\n") << true;
    QTest::newRow("blanks between header groups")
        << QByteArray("{\\rtf1 {\\fonttbl{\\f0 Arial;}}  \r\n {\\colortbl;}\t{\\*\\generator g;}\\pard a}") << QStringLiteral("a") << true;
    QTest::newRow("leading blanks of the text")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}\pard\plain  \'e9 {\b  }x})") << QStringLiteral(" é  x") << true;
    QTest::newRow("binary data is skipped")
        << QByteArray("{\\rtf1 a\\bin4 {\\}\x01" "b}") << QStringLiteral("ab") << true;
    QTest::newRow("control characters are dropped")
        << QByteArray("{\\rtf1 a\x01\x7f\\'00\\'0d\\u10?\\u8232?b}") << QStringLiteral("a\nb") << true;
    QTest::newRow("byte order mark and leading blanks")
        << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 a}") << QStringLiteral("a") << true;
    QTest::newRow("data after the document is ignored")
        << QByteArray(R"({\rtf1 a}}} b{)") << QStringLiteral("a") << true;

    QTest::newRow("empty") << QByteArray() << QString() << false;
    QTest::newRow("rtf without its group") << QByteArray("\\rtf1 hello") << QString() << false;
    QTest::newRow("truncated") << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}\f0 Bonjour \b tout)")
                               << QStringLiteral("Bonjour tout") << false;
    QTest::newRow("truncated in the font table") << QByteArray(R"({\rtf1{\fonttbl{\f0 Ari)") << QString() << false;
    QTest::newRow("truncated escape") << QByteArray(R"({\rtf1 a\'e)") << QStringLiteral("ae") << false;
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a") << false;
    QTest::newRow("unbalanced braces") << QByteArray(R"({\rtf1 a{\b b{c})") << QStringLiteral("abc") << false;
    QTest::newRow("binary length past the end") << QByteArray(R"({\rtf1 a\bin2147483647 xyz})")
                                                << QStringLiteral("a") << false;
    QTest::newRow("huge \\fs, parameter overflow") << QByteArray(R"({\rtf1 a\fs99999999999999999999 b\u99999999999?c})")
                                                   << QStringLiteral("ab\ufffdc") << true;
    const QByteArray deep = "{\\rtf1 x" + QByteArray(100000, '{') + "y" + QByteArray(100000, '}') + "}";
    QTest::newRow("100000 nested groups") << deep << QStringLiteral("x") << false;
    QByteArray manyFonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 5000; ++i)
        manyFonts += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    QTest::newRow("5000 fonts") << manyFonts + "}{\\f0 a}{\\f4999 b}}" << QStringLiteral("ab") << true;
    QTest::newRow("huge font name") << QByteArray("{\\rtf1{\\fonttbl{\\f0 " + QByteArray(1 << 20, 'A') + ";}}\\f0 a}")
                                    << QStringLiteral("a") << true;
}

// What is read replaces the document whole, typing and its undo history
// included; no font name is longer than the reader keeps.
void TestRichText::reads()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(bool, ok);
    QTextDocument *document = testing::newDocument(this);
    document->setPlainText(QStringLiteral("previous content"));
    QTextCursor(document).insertText(QStringLiteral("typed "));
    const richtext::RtfReadResult result = readRtf(rtf, document);
    QCOMPARE(result.ok, ok);
    QVERIFY2(result.error.isEmpty() == ok, qPrintable(result.error));
    QCOMPARE(expected.startsWith(u'[') ? testing::describe(*document) : testing::paragraphsText(*document), expected);
    QVERIFY(!document->isUndoAvailable());
    QVERIFY(document->isUndoRedoEnabled());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY(it.fragment().charFormat().fontFamilies().toStringList().value(0).size()
                    <= richtext::limits::kMaxFontNameLength);
    }
}

void TestRichText::largeInput_data()
{
    QTest::addColumn<QByteArray>("repeated");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<QString>("firstParagraph");
    QTest::newRow("plain text") << QByteArray(10 << 20, 'x') << true << 1 << QString(10 << 20, u'x');
    QTest::newRow("paragraphs") << QByteArray("Ligne \\b gras\\b0\\par\r\n") << false
                                << int(richtext::limits::kMaxParagraphs) << QStringLiteral("Ligne gras");
    const qsizetype tooLong = richtext::limits::kMaxCharacters + 1;
    QTest::newRow("text cut at the end") << QByteArray(tooLong, 'x') << false << 1
                                         << QString(richtext::limits::kMaxCharacters, u'x');
}

void TestRichText::largeInput()
{
    QFETCH(QByteArray, repeated);
    QFETCH(bool, ok);
    QFETCH(int, paragraphs);
    QFETCH(QString, firstParagraph);
    QByteArray rtf = "{\\rtf1 ";
    while (rtf.size() < 10 << 20)
        rtf += repeated;
    QTextDocument *document = testing::newDocument(this);
    const richtext::RtfReadResult result = readRtf(rtf + '}', document);
    QCOMPARE(result.ok, ok);
    QCOMPARE(result.error.isEmpty(), ok);
    QCOMPARE(result.truncated, !ok); // the caller can say the text was cut
    QCOMPARE(document->blockCount(), paragraphs);
    QCOMPARE(document->begin().text(), firstParagraph);
}

void TestRichText::loadsFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("expected"); // empty: refused
    QTest::newRow("label") << kRichEditSample << qint64(kRichEditSample.size())
                           << QStringLiteral("Bonjour gras et rouge\nDeuxième ligne\nsouligné barré");
    QTest::newRow("missing") << QByteArray() << qint64(0) << QString();
    // Sparse, so it costs no disk; read whole, it would give "a".
    QTest::newRow("larger than the reader takes") << QByteArray(R"({\rtf1 a})")
                                                  << qint64(richtext::limits::kMaxInputBytes + 1) << QString();
}

void TestRichText::loadsFile()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("label.rtf")));
    if (!content.isEmpty()) {
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.resize(size));
        file.close();
    }
    QTextDocument *document = testing::newDocument(this);
    document->setPlainText(QStringLiteral("old"));
    const richtext::RtfReadResult result = richtext::loadRtfFile(file.fileName(), document);
    QCOMPARE(result.ok, !expected.isEmpty());
    QCOMPARE(result.error.isEmpty(), result.ok);
    QVERIFY(!result.truncated); // nothing of it is shown
    QCOMPARE(testing::paragraphsText(*document), expected);
}

// A document built from its description, or one the reader made of a file
// that made the fuzzer fail, writes to plain ASCII RTF that reads back as
// the same document.
void TestRichText::roundTrip_data()
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

void TestRichText::roundTrip()
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
void TestRichText::writes_data()
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

void TestRichText::writes()
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

void TestRichText::objectsAreNotWritten()
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

void TestRichText::fragmentTakesBaseFont()
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
void TestRichText::savesFile()
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

// A document of two paragraphs of mixed formatting, all of it copied, then
// pasted back; the clipboard carries it in every form.
void TestRichText::systemClipboard()
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
    QVERIFY(richtext::fragmentFromMimeData(nullptr).isEmpty());
}

void TestRichText::readingPrefersRtf_data()
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

void TestRichText::readingPrefersRtf()
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

QTEST_MAIN(TestRichText)
#include "tst_richtext.moc"
