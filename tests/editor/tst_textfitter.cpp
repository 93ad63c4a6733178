#include "editor/textfitter.h"
#include "editor/textmeasure.h"
#include "scripteddialogs.h"

#include <QFontMetricsF>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QFont sans(double points = 12)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    return font;
}

QTextCharFormat formatOf(const QFont &font)
{
    QTextCharFormat format;
    format.setFont(font);
    return format;
}

// Measured here with Qt directly, not through the code under test.
QFontMetricsF sansMetrics()
{
    QFont font = sans();
    font.setPixelSize(240);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font);
}

// An editor width whose margin falls halfway through the character after
// the first `fitting` characters of `text`.
int widthFitting(const QString &text, int fitting)
{
    const QFontMetricsF metrics = sansMetrics();
    const double inside = (metrics.horizontalAdvance(text.left(fitting))
                           + metrics.horizontalAdvance(text.left(fitting + 1))) / 2;
    return qRound(inside) + 60;
}

// A document in 12 pt Liberation Sans through its default font only, the way
// text typed in the editor arrives.
void setPlain(QTextDocument &document, const QString &text)
{
    document.setDefaultFont(sans());
    document.setPlainText(text);
}

QStringList linesOf(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

constexpr int roomy = 100000;

} // namespace

class TestTextFitter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void breaksWordWhereWidthRunsOut_data();
    void breaksWordWhereWidthRunsOut();
    void breakOpportunities_data();
    void breakOpportunities();
    void oversizedCharacterGetsItsOwnLine_data();
    void oversizedCharacterGetsItsOwnLine();
    void cutsLinesBelowTheLabel_data();
    void cutsLinesBelowTheLabel();
    void mixedFormat_data();
    void mixedFormat();
    void keepsEveryFormatAndTheSource();
    void lineSeparatorBecomesParagraph();
    void emptyTextMeasuresNothing();

private:
    TextMeasure measure;
};

void TestTextFitter::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void TestTextFitter::breaksWordWhereWidthRunsOut_data()
{
    QTest::addColumn<int>("fitting");
    QTest::newRow("one character") << 1;
    QTest::newRow("six characters") << 6;
    QTest::newRow("twelve characters") << 12;
    QTest::newRow("twenty characters") << 20;
}

void TestTextFitter::breaksWordWhereWidthRunsOut()
{
    QFETCH(int, fitting);
    const QString word = QStringLiteral("Anticonstitutionnellement");
    QTextDocument source, fitted;
    setPlain(source, word);

    TextFitter(measure).fit(source, widthFitting(word, fitting), roomy, fitted);

    const QStringList lines = linesOf(fitted);
    QCOMPARE(lines.first(), word.left(fitting));
    QVERIFY(lines.size() > 1);
    QCOMPARE(lines.join(QString()), word);
}

void TestTextFitter::breakOpportunities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fitting");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("after a space") << "Bonjour (madame)" << 11 << "Bonjour ";
    QTest::newRow("after the last space") << "ab cd efghij" << 9 << "ab cd ";
    QTest::newRow("space as second character") << "x abcdefgh" << 6 << "x abcd";
    QTest::newRow("after a hyphen") << "porte-monnaie" << 8 << "porte-";
    QTest::newRow("after a closing bracket") << "(ab)cdefgh" << 6 << "(ab)";
    QTest::newRow("after a degree sign") << "25°Celsius" << 5 << "25°";
    QTest::newRow("after an exclamation mark") << "Oui!Nonsense" << 6 << "Oui!";
    QTest::newRow("after a question mark") << "Qui?Personne" << 6 << "Qui?";
    QTest::newRow("before a parenthesis") << "abc(defgh" << 6 << "abc";
    QTest::newRow("before a square bracket") << "abc[defgh" << 6 << "abc";
    QTest::newRow("before a brace") << "abc{defgh" << 6 << "abc";
    QTest::newRow("before a backslash") << "abc\\defgh" << 6 << "abc";
    QTest::newRow("parenthesis as second character") << "x(abcdefgh" << 6 << "x(abcd";
    QTest::newRow("non-breaking space") << QString::fromUtf8("ab\u00a0cdefgh") << 6 << QString::fromUtf8("ab\u00a0cde");
}

void TestTextFitter::breakOpportunities()
{
    QFETCH(QString, text);
    QFETCH(int, fitting);
    QFETCH(QString, firstLine);
    QTextDocument source, fitted;
    setPlain(source, text);

    TextFitter(measure).fit(source, widthFitting(text, fitting), roomy, fitted);

    const QStringList lines = linesOf(fitted);
    QCOMPARE(lines.first(), firstLine);
    QCOMPARE(lines.join(QString()), text);
}

void TestTextFitter::oversizedCharacterGetsItsOwnLine_data()
{
    QTest::addColumn<int>("editorWidth");
    QTest::newRow("narrower than the character") << 300;
    QTest::newRow("narrower than the margins") << 15;
    QTest::newRow("no width at all") << 0;
}

void TestTextFitter::oversizedCharacterGetsItsOwnLine()
{
    QFETCH(int, editorWidth);
    QTextDocument source, fitted;
    source.setDefaultFont(sans(72));
    source.setPlainText(QStringLiteral("W-(W"));

    const FitResult result = TextFitter(measure).fit(source, editorWidth, roomy, fitted);

    QCOMPARE(linesOf(fitted), QStringList({"W", "-", "(", "W"}));
    QCOMPARE(result.lineCount, 4);
}

void TestTextFitter::cutsLinesBelowTheLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("linesHeld");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QString>("message");

    QStringList ten;
    for (int i = 1; i <= 10; ++i)
        ten.append(QStringLiteral("Ligne %1").arg(i));
    QTest::newRow("10 lines, room for 7")
        << ten.join('\n') << 7 << ten.mid(0, 7)
        << QString::fromUtf8("Seules les 7 premières lignes seront imprimées.\n"
                             "La ligne  'Ligne 8' et les suivantes ne seront pas imprimées");
    QTest::newRow("10 lines, room for 10") << ten.join('\n') << 10 << ten << QString();
    QTest::newRow("an empty line counts")
        << "Un\n\nTrois" << 2 << QStringList({"Un", ""})
        << QString::fromUtf8("Seules les 2 premières lignes seront imprimées.\n"
                             "La ligne  'Trois' et les suivantes ne seront pas imprimées");
    QTest::newRow("a final break adds no line")
        << "Un\nDeux\n" << 2 << QStringList({"Un", "Deux", ""}) << QString();
    QTest::newRow("not even one line")
        << "Un\nDeux" << 0 << QStringList({""})
        << QString::fromUtf8("Seules les 0 premières lignes seront imprimées.\n"
                             "La ligne  'Un' et les suivantes ne seront pas imprimées");
}

void TestTextFitter::cutsLinesBelowTheLabel()
{
    QFETCH(QString, text);
    QFETCH(int, linesHeld);
    QFETCH(QStringList, kept);
    QFETCH(QString, message);
    QTextDocument source, fitted;
    setPlain(source, text);
    const int lineHeight = qRound(sansMetrics().height());
    const int editorHeight = 30 + linesHeld * lineHeight + lineHeight / 2;
    ScriptedDialogs dialogs;

    const FitResult result =
        TextFitter(measure).calculetiq(source, 6000, editorHeight, fitted, dialogs);

    QCOMPARE(linesOf(fitted), kept);
    QCOMPARE(result.lineCount, linesHeld);
    QCOMPARE(result.tooHigh, !message.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(dialogs.shown.isEmpty());
        return;
    }
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown.first().title, QStringLiteral("TEXTE TROP HAUT"));
    QCOMPARE(dialogs.shown.first().text, message);
    QCOMPARE(dialogs.shown.first().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(dialogs.shown.first().buttons, Dialogs::Buttons::Ok);
}

void TestTextFitter::mixedFormat_data()
{
    QTest::addColumn<QFont>("other");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("mixed");

    QFont bold = sans();
    bold.setBold(true);
    QFont italic = sans();
    italic.setItalic(true);
    QFont underlined = sans();
    underlined.setUnderline(true);
    QFont serif = sans();
    serif.setFamily(QStringLiteral("Liberation Serif"));

    QTest::newRow("one font") << sans() << " " << false;
    QTest::newRow("bold word") << bold << " " << true;
    QTest::newRow("larger whole size") << sans(14) << " " << true;
    QTest::newRow("same whole size") << sans(12.5) << " " << false;
    QTest::newRow("italic word") << italic << " " << false;
    QTest::newRow("underlined word") << underlined << " " << false;
    QTest::newRow("other family") << serif << " " << true;
    QTest::newRow("bold word on a line of its own") << bold << "\n" << false;
}

void TestTextFitter::mixedFormat()
{
    QFETCH(QFont, other);
    QFETCH(QString, separator);
    QFETCH(bool, mixed);
    QTextDocument source, fitted;
    QTextCursor cursor(&source);
    cursor.insertText(QStringLiteral("Bonjour") + separator, formatOf(sans()));
    cursor.insertText(QStringLiteral("madame"), formatOf(other));

    QCOMPARE(TextFitter(measure).fit(source, 6000, roomy, fitted).mixedFormat, mixed);
}

void TestTextFitter::keepsEveryFormatAndTheSource()
{
    QTextDocument source, fitted;
    source.setDefaultFont(sans());
    QTextCursor cursor(&source);
    QTextCharFormat bold = formatOf(sans(14));
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat styled = formatOf(sans(10));
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    styled.setFontStrikeOut(true);
    styled.setForeground(QColor(200, 30, 40));
    QTextCharFormat serif = formatOf(QFont(QStringLiteral("Liberation Serif"), 16));
    cursor.insertText(QStringLiteral("Étiquette pour "), QTextCharFormat());
    cursor.insertText(QStringLiteral("Madame Durand-Lefèvre "), bold);
    cursor.insertText(QStringLiteral("12 rue des Lilas, "), styled);
    cursor.insertText(QStringLiteral("Villeneuve-sur-Lot"), serif);
    const QString html = source.toHtml();

    TextFitter(measure).fit(source, 2000, roomy, fitted);

    QCOMPARE(source.toHtml(), html);
    QVERIFY(fitted.blockCount() >= 3);
    QCOMPARE(fitted.defaultFont(), source.defaultFont());
    QString fittedText;
    for (QTextBlock block = fitted.begin(); block.isValid(); block = block.next())
        fittedText += block.text();
    QCOMPARE(fittedText, source.toPlainText());

    // Character by character, skipping the breaks the fitting added.
    QTextCursor original(&source);
    int position = 0;
    for (QTextBlock block = fitted.begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.length() - 1; ++i) {
            QTextCursor copy(&fitted);
            copy.setPosition(block.position() + i + 1);
            original.setPosition(++position);
            QCOMPARE(copy.charFormat().font(), original.charFormat().font());
            QCOMPARE(copy.charFormat().foreground(), original.charFormat().foreground());
        }
    }
}

void TestTextFitter::lineSeparatorBecomesParagraph()
{
    QTextDocument source, fitted;
    setPlain(source, QStringLiteral("Un") + QChar(QChar::LineSeparator) + QStringLiteral("Deux"));

    const FitResult result = TextFitter(measure).fit(source, 6000, roomy, fitted);

    QCOMPARE(linesOf(fitted), QStringList({"Un", "Deux"}));
    QCOMPARE(result.lineCount, 2);
}

void TestTextFitter::emptyTextMeasuresNothing()
{
    QTextDocument source, fitted;
    fitted.setPlainText(QStringLiteral("previous label"));
    ScriptedDialogs dialogs;

    const FitResult result = TextFitter(measure).calculetiq(source, 0, 0, fitted, dialogs);

    QVERIFY(fitted.isEmpty());
    QCOMPARE(result.lineCount, 0);
    QVERIFY(!result.mixedFormat);
    QVERIFY(!result.tooHigh);
    QVERIFY(dialogs.shown.isEmpty());
}

QTEST_MAIN(TestTextFitter)
#include "tst_textfitter.moc"
