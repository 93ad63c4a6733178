#include "documentdescription.h"
#include "platform/richtext/rtfclipboard.h"
#include "platform/richtext/rtflimits.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"
#include "testfiles.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

using namespace Qt::StringLiterals;
using richtext::readRtf;
namespace limits = richtext::limits;

// A pasted fragment as testing::describe shows it.
static QString describeFragment(const QTextDocumentFragment &fragment)
{
    std::unique_ptr<QTextDocument> document(testing::newDocument(nullptr));
    QTextCursor(document.get()).insertFragment(fragment);
    return testing::describe(*document);
}

// Damaged: read as far as it goes, with an error to show; Cut: stopped at the
// reader's bounds, which the caller can say.
enum Outcome { Whole, Damaged, Cut };

class TestRichText : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void roundTrip_data();
    void roundTrip();
    void files();
    void systemClipboard();
    void readingPrefersRtf_data();
    void readingPrefersRtf();
};

// Rows expecting "[...]" compare testing::describe, the others the text.
void TestRichText::reads_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("outcome");
    auto row = [](const char *tag, const QByteArray &rtf, const QString &expected, Outcome outcome = Whole) {
        QTest::newRow(tag) << rtf << expected << int(outcome);
    };
    // As a Windows rich-text control saves a label: font and colour tables, a
    // generator group, \viewkind, \uc1, text with \'hh escapes.
    row("rich-text control", R"({\rtf1\ansi\ansicpg1252\deff0\nouicompat\deflang1036{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}}
{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;}
{\*\generator Riched20 10.0.19041}\viewkind4\uc1 
\pard\sa200\sl276\slmult1\f0\fs20 Bonjour \b gras\b0  et \cf1 rouge\cf0\par
\i\f1\fs28 Deuxi\'e8me ligne\i0\par
\cf2\ul soulign\'e9\ulnone  \strike barr\'e9\strike0\cf0\par
}
)", u"[Arial 10]Bonjour [Arial 10 b]gras[Arial 10] et [Arial 10 #ff0000]rouge"
        " | [Times New Roman 14 i]Deuxième ligne | [Times New Roman 14 u #0000ff]souligné[Times New Roman 14 #0000ff] "
        "[Times New Roman 14 s #0000ff]barré"_s);
    // As an office suite saves it: style sheet, revision table, document information, associated
    // fonts (\loch \hich \dbch \af), paragraph properties, Unicode with fallback bytes.
    row("office suite", R"({\rtf1\ansi\deff4\adeflang1025
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
)", u"[Liberation Serif 12 #0000ff]Texte bleu [Liberation Serif 16 b]Été"
        " | [Liberation Sans 12 i]Sans italique [Noto Sans CJK SC 12]日本"_s);
    row("groups restore state", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}\f0 a{\b b{\i\f1\fs40 c}d}e})",
        u"[Arial 12]a[Arial 12 b]b[Courier New 20 bi]c[Arial 12 b]d[Arial 12]e"_s);
    row("\\plain resets", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl;\red0\green128\blue0;})"
        R"(\f1\fs16\b\i\ul\strike\cf1 x\plain y})", u"[Courier New 8 bius #008000]x[Arial 12]y"_s);
    row("styles off by zero", R"({\rtf1{\fonttbl{\f0 Arial;}}\b\i\ul\strike a\b0\i0\ul0\strike0 b\uldb c\ulnone d})",
        u"[Arial 12 bius]a[Arial 12]b[Arial 12 u]c[Arial 12]d"_s);
    row("font sizes are clamped", R"({\rtf1{\fonttbl{\f0 Arial;}}\fs999999 a\fs1 b\fs0 c\fs-4 d\fs21 e})",
        u"[Arial 1638]a[Arial 1]b[Arial 12]cd[Arial 10.5]e"_s);
    row("undefined font: the default font", R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}\f7 a\f0 b})",
        u"[Courier New 12]a[Arial 12]b"_s);
    row("no font table: the document's font", R"({\rtf1 \b a})", u"[Liberation Sans 12 b]a"_s);
    row("flat font table, no last ';'", R"({\rtf1{\fonttbl\f0\fswiss Arial;\f1\froman Times New Roman}\f1 a})",
        u"[Times New Roman 12]a"_s);
    row("control characters in a font name", "{\\rtf1{\\fonttbl{\\f0\\fcharset\x01\0" "204 Arial\tCYR;}}\\f0 a}"_ba,
        u"[204 ArialCYR 12]a"_s);
    row("colour table: auto entry, out of range index; no background",
        R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red10\green20\blue30;}\cf1 a\cf9 b\cf0 c\highlight1 d\cb1 e})",
        u"[Arial 12 #0a141e]a[Arial 12]bcde"_s);
    row("East Asian font and size after \\dbch", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Noto Sans CJK JP;}})"
        R"(\f0\fs21\dbch\af1\afs30 Ab\u26085?\u26412?\loch  Cd{\dbch \u35486? \u-10179?\u-8704? e}})",
        u"[Arial 10.5]Ab[Noto Sans CJK JP 15]日本[Arial 10.5] Cd[Noto Sans CJK JP 15]語 😀 [Arial 10.5]e"_s);
    row("right-to-left \\af, \\afs are not read", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Noto Sans CJK JP;}{\f2 Arabic;}})"
        R"(\rtlch\af2\afs40 \ltrch\f0\fs20\loch\af0\hich\af0\dbch\af1\af9 Bonjour \u26085?})", u"[Arial 10]Bonjour 日"_s);
    row("empty paragraphs keep their size", R"({\rtf1{\fonttbl{\f0 Arial;}}\fs20\par a\par\fs40\par\fs10 b\par\par})",
        u"[Arial 10] | [Arial 10]a | [Arial 20] | [Arial 5]b | [Arial 5]"_s);
    row("literals and special characters",
        R"({\rtf1 a\{b\}c\\d\tab e\~f\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet\_g\-h})",
        u"a{b}c\\d\te\u00a0f—–‘’“”•\u2011g\u00adh"_s);
    row("Windows-1252 escapes, also for an unknown code page",
        R"({\rtf1\ansi\ansicpg99999 \'c9t\'e9 \'e0 No\'ebl \'97 5 \'80\'85\'9c})", u"Été à Noël — 5 €…œ"_s);
    row("code page from \\fcharset", R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 C;})"
        R"({\f2\fcharset161 G;}{\f3\fcharset128 J;}{\f4\fcharset238 E;}}\f1\'cf\'f0\'e8\'e2\'e5\'f2 \f2\'c1\'e8\'e2)"
        R"( \f3\'93\'fa\'96\'7b \f4\'b9\'ea \f0\'e9})", u"Привет Αθβ 日本 ąę é"_s);
    row("document code page, no charset", R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\f0\'c4\'e0})", u"Да"_s);
    row("unicode with fallback skipping", R"({\rtf1\uc1\u233?t\u-3?\uc2\u26085\'93\'fa x\uc0\u233 t{\uc3\u233 abc})"
        R"(d\u233 e\uc4{\u233}abc})", u"ét\ufffd日 xétédéeéabc"_s);
    row("surrogate pair and code point above the BMP", R"({\rtf1\uc1\u-10179?\u-8704? \u128512? \u-10179?x})",
        u"\U0001F600 \U0001F600 \ufffdx"_s);
    row("skipped destinations", R"({\rtf1{\*\unknown secret}{\info{\title t}}{\header h}{\footnote n}a{\*\bkmkstart b})"
        R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}}{\pict\wmetafile8 0102}b})", u"alienb"_s);
    row("unknown words, non-starred groups", R"({\rtf1\frobnicate42 a{\lang1036 b}\loch\hich\dbch c})", u"abc"_s);
    row("hidden text is not read", R"({\rtf1 a{\v hidden}b\v c\v0 d})", u"abd"_s);
    row("every break is a paragraph, line ends in the file are not",
        "{\\rtf1 a\\line b\\par c\\page d\\sect e\\row f\\\ng\r\nh\ni\rj}", u"a\nb\nc\nd\ne\nf\nghij"_s);
    row("header blanks", "{\\rtf1 {\\fonttbl{\\f0 A;}}  \r\n {\\colortbl;}\t{\\*\\generator g;}\\pard a}", u"a"_s);
    row("leading blanks of the text", R"({\rtf1{\fonttbl{\f0 Arial;}}\pard\plain  \'e9 {\b  }x})", u" é  x"_s);
    row("binary data is skipped", "{\\rtf1 a\\bin4 {\\}\x01" "b}", u"ab"_s);
    row("control characters are dropped", "{\\rtf1 a\x01\x7f\\'00\\'0d\\u10?\\u8232?b}", u"a\nb"_s);
    row("byte order mark and leading blanks", "\xEF\xBB\xBF \r\n{\\rtf1 a}", u"a"_s);
    row("data after the document is ignored", R"({\rtf1 a}}} b{)", u"a"_s);
    row("huge \\fs, parameter overflow", R"({\rtf1 a\fs99999999999999999999 b\u99999999999?c})", u"ab\ufffdc"_s);
    QByteArray manyFonts = R"({\rtf1{\fonttbl)";
    for (int i = 0; i < 5000; ++i)
        manyFonts += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    row("5000 fonts", manyFonts + R"(}{\f0 a}{\f4999 b}})", u"ab"_s);
    row("huge font name, cut", "{\\rtf1{\\fonttbl{\\f0 " + QByteArray(1 << 20, 'A') + ";}}\\f0 a}",
        u'[' + QString(limits::kMaxFontNameLength, u'A') + u" 12]a"_s);
    row("empty", QByteArray(), QString(), Damaged);
    row("rtf without its group", "\\rtf1 hello", QString(), Damaged);
    row("truncated", R"({\rtf1{\fonttbl{\f0 Arial;}}\f0 Bonjour \b tout)", u"Bonjour tout"_s, Damaged);
    row("truncated escape", R"({\rtf1 a\'e)", u"ae"_s, Damaged);
    row("truncated control word", "{\\rtf1 a\\", u"a"_s, Damaged);
    row("binary length past the end", R"({\rtf1 a\bin2147483647 xyz})", u"a"_s, Damaged);
    row("100000 deep", "{\\rtf1 x" + QByteArray(100000, '{') + 'y' + QByteArray(100000, '}') + '}', u"x"_s, Damaged);
    row("too many paragraphs", "{\\rtf1 " + "Ligne \\b gras\\b0\\par\r\n"_ba.repeated(limits::kMaxParagraphs + 1) + '}',
        QStringList(limits::kMaxParagraphs, u"Ligne gras"_s).join(u'\n'), Cut);
    row("too much text", "{\\rtf1 " + QByteArray(limits::kMaxCharacters + 1, 'x') + "}",
        QString(limits::kMaxCharacters, u'x'), Cut);
}

// What is read replaces the document whole, typing and its undo history
// included.
void TestRichText::reads()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(int, outcome);
    QTextDocument *document = testing::newDocument(this);
    QTextCursor(document).insertText(u"typed before"_s);
    const richtext::RtfReadResult result = readRtf(rtf, document);
    QCOMPARE(result.ok, outcome == Whole);
    QVERIFY2(result.error.isEmpty() == result.ok, qPrintable(result.error));
    QCOMPARE(result.truncated, outcome == Cut);
    QCOMPARE(expected.startsWith(u'[') ? testing::describe(*document) : testing::paragraphsText(*document), expected);
    QVERIFY(!document->isUndoAvailable() && document->isUndoRedoEnabled());
}

// A document built from its description, or one the reader made of a file
// that made the fuzzer fail, writes to plain ASCII RTF that reads back as
// the same document (or as readBack shows it). Each piece is written exactly
// once; the header says Windows-1252 and names the program before the text.
void TestRichText::roundTrip_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<QString>("readBack");
    auto built = [](const char *tag, const QString &description, const QByteArrayList &pieces = {},
                    const QString &back = {}) { QTest::newRow(tag) << description << QByteArray() << pieces << back; };
    built("fonts, sizes, styles, colours listed once", u"[Arial 10]Bonjour [Arial 10 b]gras[Times 14 i #ff0000] rouge"
          " | [Courier New 8 us #0000ff]bleu[Arial 36 bius #ff0000]tout[Times 9 b #0000ff]!"_s,
          {" Arial;", " Times;", R"(\red255\green0\blue0;)", R"(\red0\green0\blue255;)"});
    built("French text, the euro in Windows-1252", u"[Arial 12]Été à Noël — 5 € « œuvre » ÿ Œ"_s, {R"(\'80)"});
    built("outside Windows-1252: \\u signed, surrogate pairs", u"[Arial 12]Αλφα Ωμέγα 日本語 😀 ŝ ‱ \uF8FF \u0081"_s,
          {R"(\u-1793?)", R"(\u-10179?\u-8704?)", R"(\u129?)"});
    built("empty document", QString());
    built("empty paragraphs", u"[Arial 10]a | [Arial 20] | [Arial 30] | [Arial 8]b | [Arial 16]"_s);
    built("nothing set: the document's font", u"[]plain text | []"_s);
    built("RTF syntax, tab and optional hyphen in the text", u"[Arial 12]{braces} back\\slash; semi\ttab 1\u00a0000"
          " \\par \\'e9 ? eti\u00adquette"_s, {R"(semi\tab tab)", R"(eti\-quette)"});
    built("fractional and extreme sizes", u"[Arial 10.5]a[Arial 1]b[Arial 1638]c"_s);
    built("font names to escape", u"[Polícia Sérif 12]x[Odd;{Name}\\ 12]y[日本 Gothic 12]z"_s);
    built("black is not automatic", u"[Arial 12 #000000]a[Arial 12]b[Arial 12 #fffffe]c"_s);
    built("a soft line break reads back as a paragraph", u"[]a\u2028b"_s, {R"(a\line b)"},
          u"[Liberation Sans 11]a | [Liberation Sans 11]b"_s);
    built("an object is not text", u"[]a\uFFFCb"_s, {" ab"}, u"[Liberation Sans 11]ab"_s);
    const QDir found(u"" KALVENOR_RTF_TEST_DATA ""_s, u"fuzz-*.rtf"_s);
    QVERIFY(found.count() > 0);
    for (const QString &name : found.entryList()) {
        QTest::newRow(qPrintable(name)) << QString() << contents(found.filePath(name)) << QByteArrayList() << QString();
    }
}

void TestRichText::roundTrip()
{
    QFETCH(QString, description);
    QFETCH(QByteArray, rtf);
    QFETCH(QByteArrayList, pieces);
    QFETCH(QString, readBack);
    QTextDocument *original = testing::newDocument(this);
    if (rtf.isNull())
        testing::build(original, description);
    else
        readRtf(rtf, original);
    const QByteArray written = richtext::writeRtf(*original);
    QVERIFY2(std::all_of(written.begin(), written.end(), [](char c) { return uchar(c) < 0x80; }), written.constData());
    for (const QByteArray &piece : pieces)
        QVERIFY2(written.count(piece) == 1, written.constData());
    const qsizetype generator = written.indexOf(R"({\*\generator KALVENOR )" PROJECT_VERSION ";}");
    QVERIFY2(generator > 0 && generator < written.indexOf("\\pard") && written.contains("\\ansicpg1252"), written);
    QTextDocument *again = testing::newDocument(this);
    const richtext::RtfReadResult result = readRtf(written, again);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(testing::describe(*again), readBack.isEmpty() ? testing::describe(*original) : readBack);
}

// A save replaces the file whole, which reads back; one that cannot be made
// says why. A missing file, or one larger than the reader takes, is refused
// and leaves the document empty.
void TestRichText::files()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"modele.rtf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100000, 'x')) == 100000);
    file.close();
    QTextDocument *document = testing::newDocument(this);
    testing::build(document, u"[Arial 12 b]Étiquette | [Arial 9]ligne 2"_s);
    QString error;
    QVERIFY2(richtext::saveRtfFile(*document, file.fileName(), &error), qPrintable(error));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.readAll(), richtext::writeRtf(*document));
    QTextDocument *loaded = testing::newDocument(this);
    QVERIFY(richtext::loadRtfFile(file.fileName(), loaded).ok);
    QCOMPARE(testing::describe(*loaded), testing::describe(*document));
    const QString unreachable = dir.filePath(u"absent/modele.rtf"_s);
    QVERIFY(!richtext::saveRtfFile(*document, unreachable, &error) && !error.isEmpty());
    auto refused = [&](const QString &path) {
        loaded->setPlainText(u"old"_s);
        const richtext::RtfReadResult result = richtext::loadRtfFile(path, loaded);
        return !result.ok && !result.error.isEmpty() && !result.truncated && loaded->isEmpty();
    };
    QVERIFY(refused(unreachable));
    QVERIFY(file.resize(limits::kMaxInputBytes + 1)); // sparse, so it costs no disk
    QVERIFY(refused(file.fileName()));
}

// Two paragraphs of mixed formatting, copied and pasted back; the clipboard
// carries them in every form, and text that sets nothing takes the editor's
// font, not the program's.
void TestRichText::systemClipboard()
{
    QTextDocument *document = testing::newDocument(this);
    document->setDefaultFont(QFont(u"Liberation Serif"_s, 20));
    testing::build(document, u"[Arial 14 b #ff0000]Été []à Noël | [Times New Roman 9 i]日本 😀"_s);
    richtext::copyToClipboard(QTextDocumentFragment(document), document->defaultFont());
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->data(u"text/rtf"_s).startsWith(R"({\rtf1)") && data->hasHtml());
    QCOMPARE(data->data(u"text/richtext"_s), data->data(u"text/rtf"_s));
    QCOMPARE(data->text(), u"Été à Noël\n日本 😀"_s);
    QVERIFY(richtext::clipboardHasText());
    QCOMPARE(describeFragment(richtext::fragmentFromClipboard()),
             u"[Arial 14 b #ff0000]Été [Liberation Serif 20]à Noël | [Times New Roman 9 i]日本 😀"_s);
    QVERIFY(!richtext::mimeDataHasText(nullptr) && richtext::fragmentFromMimeData(nullptr).isEmpty());
}

void TestRichText::readingPrefersRtf_data()
{
    QTest::addColumn<QVariantMap>("forms"); // MIME type: data
    QTest::addColumn<QString>("expected");
    const QByteArray rtf = R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\fs20\b rtf\par})";
    const QByteArray html = "<p><i>html</i></p>";
    const QByteArray text = "text";
    const QString plain = u"[Liberation Sans 11]"_s;
    QTest::newRow("rtf first") << QVariantMap{{"text/rtf", rtf}, {"text/html", html}, {"text/plain", text}}
                               << u"[Arial 10 b]rtf"_s;
    QTest::newRow("then html") << QVariantMap{{"text/html", html}, {"text/plain", text}} << u"[Liberation Sans 11 i]html"_s;
    QTest::newRow("then text, any line end") << QVariantMap{{"text/plain", "a\r\nb\rc\nd"_ba}}
                                             << plain + "a | " + plain + "b | " + plain + "c | " + plain + 'd';
    QTest::newRow("broken rtf") << QVariantMap{{"text/rtf", "not rtf"_ba}, {"text/plain", text}} << plain + "text";
    QTest::newRow("nothing") << QVariantMap() << plain;
}

void TestRichText::readingPrefersRtf()
{
    QFETCH(QVariantMap, forms);
    QFETCH(QString, expected);
    QMimeData data;
    for (auto it = forms.cbegin(); it != forms.cend(); ++it)
        data.setData(it.key(), it.value().toByteArray());
    QCOMPARE(richtext::mimeDataHasText(&data), !forms.isEmpty());
    QCOMPARE(describeFragment(richtext::fragmentFromMimeData(&data)), expected);
}

QTEST_MAIN(TestRichText)
#include "tst_richtext.moc"
