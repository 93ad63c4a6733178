#include "editor/textfitter.h"
#include "editor/textmeasure.h"
#include "scripteddialogs.h"

#include <QFontMetricsF>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int roomy = 100000;

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
QFontMetricsF sansMetrics(double points = 12)
{
    QFont font = sans();
    font.setPixelSize(qRound(points * 20));
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font);
}

// An editor width (30 twips kept free on either side of the text) whose text
// edge falls `slack` twips past the end of the first `count` characters.
int widthAfter(const QString &text, int count, int slack)
{
    return qRound(sansMetrics().horizontalAdvance(text.left(count))) + slack + 60;
}

// 12 pt Liberation Sans through the document's default font only, the way
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

QString tooHigh(int kept, const QString &cut)
{
    return QString::fromUtf8("Seules les %1 premières lignes seront imprimées.\n"
                             "La ligne  '%2' et les suivantes ne seront pas imprimées")
        .arg(kept).arg(cut);
}

} // namespace

class TestTextFitter : public QObject {
    Q_OBJECT
    TextMeasure measure;

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    }

    void breaksWordWhereWidthRunsOut_data()
    {
        QTest::addColumn<int>("measured");
        QTest::addColumn<int>("slack");
        QTest::addColumn<int>("fitting");
        QTest::newRow("one character") << 1 << 8 << 1;
        QTest::newRow("six characters") << 6 << 8 << 6;
        QTest::newRow("just short of six") << 6 << -8 << 5;
        QTest::newRow("twelve characters") << 12 << 8 << 12;
        QTest::newRow("just short of twelve") << 12 << -8 << 11;
        QTest::newRow("twenty characters") << 20 << 8 << 20;
    }
    void breaksWordWhereWidthRunsOut()
    {
        QFETCH(int, measured);
        QFETCH(int, slack);
        QFETCH(int, fitting);
        const QString word = QStringLiteral("Anticonstitutionnellement");
        QTextDocument source, fitted;
        setPlain(source, word);

        TextFitter(measure).fit(source, widthAfter(word, measured, slack), roomy, fitted);

        const QStringList lines = linesOf(fitted);
        QCOMPARE(lines.first(), word.left(fitting));
        QCOMPARE(lines.join(QString()), word);
    }

    // "ff" is kerned in Liberation Sans: a run of f is as wide as the font
    // draws it, not as wide as its letters one by one.
    void kernedPairsFitByTheirDrawnWidth_data()
    {
        QTest::addColumn<int>("measured");
        QTest::addColumn<int>("slack");
        QTest::addColumn<int>("fitting");
        QTest::newRow("twenty f") << 20 << 30 << 20;   // 20 f one by one are 80 twips wider
        QTest::newRow("just short of twenty") << 20 << -30 << 19;
    }
    void kernedPairsFitByTheirDrawnWidth()
    {
        QFETCH(int, measured);
        QFETCH(int, slack);
        QFETCH(int, fitting);
        const QString run(40, QLatin1Char('f'));
        QTextDocument source, fitted;
        setPlain(source, run);
        // The line keeps room for what the last f lends the next.
        const QFontMetricsF metrics = sansMetrics();
        const int lent = qRound(2 * metrics.horizontalAdvance(u'f') - metrics.horizontalAdvance(QStringLiteral("ff")));
        QVERIFY(lent > 0);
        TextFitter(measure).fit(source, widthAfter(run, measured, slack + lent), roomy, fitted);
        QCOMPARE(linesOf(fitted).first().size(), fitting);
    }

    void breakOpportunities_data()
    {
        // The label ends halfway through the character after the first `fitting`.
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
        QTest::newRow("non-breaking space") << "ab\u00a0cdefgh" << 6 << "ab\u00a0cde";
    }
    void breakOpportunities()
    {
        QFETCH(QString, text);
        QFETCH(int, fitting);
        QFETCH(QString, firstLine);
        QTextDocument source, fitted;
        setPlain(source, text);
        const int halfNext = qRound(sansMetrics().horizontalAdvance(text.at(fitting)) / 2);

        TextFitter(measure).fit(source, widthAfter(text, fitting, halfNext), roomy, fitted);

        const QStringList lines = linesOf(fitted);
        QCOMPARE(lines.first(), firstLine);
        QCOMPARE(lines.join(QString()), text);
    }

    void oversizedCharacterGetsItsOwnLine_data()
    {
        QTest::addColumn<int>("editorWidth");
        QTest::newRow("narrower than the character") << 300;
        QTest::newRow("narrower than the margins") << 15;
        QTest::newRow("no width at all") << 0;
    }
    void oversizedCharacterGetsItsOwnLine()
    {
        QFETCH(int, editorWidth);
        QTextDocument source, fitted;
        source.setDefaultFont(sans(72));
        source.setPlainText(QStringLiteral("W-(W"));

        const FitResult result = TextFitter(measure).fit(source, editorWidth, roomy, fitted);

        QCOMPARE(linesOf(fitted), QStringList({"W", "-", "(", "W"}));
        QCOMPARE(result.lineCount, 4);
    }

    void cutsLinesBelowTheLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("linesHeld");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("message");
        QStringList ten;
        for (int i = 1; i <= 10; ++i)
            ten.append(QStringLiteral("Ligne %1").arg(i));
        QTest::newRow("10 lines, room for 7")
            << ten.join('\n') << 7 << ten.mid(0, 7) << tooHigh(7, "Ligne 8");
        QTest::newRow("10 lines, room for 10") << ten.join('\n') << 10 << ten << QString();
        QTest::newRow("an empty line counts")
            << "Un\n\nTrois" << 2 << QStringList({"Un", ""}) << tooHigh(2, "Trois");
        QTest::newRow("a final break adds no line")
            << "Un\nDeux\n" << 2 << QStringList({"Un", "Deux", ""}) << QString();
        QTest::newRow("a line separator ends a line")
            << "Un\u2028Deux\u2028Trois" << 2 << QStringList({"Un", "Deux"}) << tooHigh(2, "Trois");
        QTest::newRow("not even one line")
            << "Un\nDeux" << 0 << QStringList({""}) << tooHigh(0, "Un");
    }
    void cutsLinesBelowTheLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, linesHeld);
        QFETCH(QStringList, kept);
        QFETCH(QString, message);
        QTextDocument source, fitted;
        setPlain(source, text);
        const int lineHeight = qRound(sansMetrics().height());
        ScriptedDialogs dialogs;

        const FitResult result = TextFitter(measure).calculetiq(
            source, 6000, 30 + linesHeld * lineHeight + lineHeight / 2, fitted, dialogs);

        QCOMPARE(linesOf(fitted), kept);
        QCOMPARE(result.lineCount, linesHeld);
        QCOMPARE(result.tooHigh, !message.isEmpty());
        QCOMPARE(dialogs.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(dialogs.shown.first().title, QStringLiteral("TEXTE TROP HAUT"));
            QCOMPARE(dialogs.shown.first().text, message);
            QCOMPARE(dialogs.shown.first().icon, Dialogs::Icon::Exclamation);
            QCOMPARE(dialogs.shown.first().buttons, Dialogs::Buttons::Ok);
        }
    }

    void tallestCharacterSetsLineHeight_data()
    {
        QTest::addColumn<int>("spare");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("room for the tall line") << 0 << 2;
        QTest::newRow("one twip short") << -1 << 1;
    }
    void tallestCharacterSetsLineHeight()
    {
        QFETCH(int, spare);
        QFETCH(int, lineCount);
        QTextDocument source, fitted;
        QTextCursor cursor(&source);
        cursor.insertText(QStringLiteral("Un\nD"), formatOf(sans()));
        cursor.insertText(QStringLiteral("e"), formatOf(sans(24)));
        cursor.insertText(QStringLiteral("ux"), formatOf(sans()));
        const int editorHeight =
            30 + qRound(sansMetrics().height()) + qRound(sansMetrics(24).height()) + spare;

        QCOMPARE(TextFitter(measure).fit(source, 6000, editorHeight, fitted).lineCount, lineCount);
        QCOMPARE(fitted.blockCount(), lineCount);
    }

    void mixedFormat_data()
    {
        QTest::addColumn<QFont>("other");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("mixed");
        QFont bold = sans(), italic = sans(), underlined = sans(), serif = sans();
        bold.setBold(true);
        italic.setItalic(true);
        underlined.setUnderline(true);
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
    void mixedFormat()
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

    void keepsEveryFormatAndTheSource()
    {
        QTextDocument source, fitted;
        source.setDefaultFont(sans());
        QTextCharFormat bold = formatOf(sans(14));
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat styled = formatOf(sans(10));
        styled.setFontItalic(true);
        styled.setFontUnderline(true);
        styled.setFontStrikeOut(true);
        styled.setForeground(QColor(200, 30, 40));
        QTextCursor cursor(&source);
        cursor.insertText(QStringLiteral("Étiquette pour "), QTextCharFormat());
        cursor.insertText(QStringLiteral("Madame Durand-Lefèvre "), bold);
        cursor.insertText(QStringLiteral("12 rue des Lilas, "), styled);
        cursor.insertText(QStringLiteral("Villeneuve-sur-Lot"),
                          formatOf(QFont(QStringLiteral("Liberation Serif"), 16)));
        const QString html = source.toHtml();

        TextFitter(measure).fit(source, 2000, roomy, fitted);

        QCOMPARE(source.toHtml(), html);
        QVERIFY(fitted.blockCount() >= 3);
        QCOMPARE(fitted.defaultFont(), source.defaultFont());
        QCOMPARE(linesOf(fitted).join(QString()), source.toPlainText());
        // Character by character, stepping over the breaks the fitting added.
        QTextCursor original(&source), copy(&fitted);
        for (int position = 1; position <= source.characterCount() - 1; ++position) {
            original.setPosition(position);
            copy.movePosition(QTextCursor::NextCharacter);
            if (copy.atBlockStart())
                copy.movePosition(QTextCursor::NextCharacter);
            QCOMPARE(copy.charFormat().font(), original.charFormat().font());
            QCOMPARE(copy.charFormat().foreground(), original.charFormat().foreground());
        }
    }

    void emptyTextMeasuresNothing()
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
};

QTEST_MAIN(TestTextFitter)
#include "tst_textfitter.moc"
