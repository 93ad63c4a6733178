#include "editor/labeleditor.h"
#include "editor/textfitter.h"
#include "editor/textmeasure.h"
#include "scripteddialogs.h"

#include <QFontMetricsF>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

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

QStringList linesOf(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

// A break's space may end the line on screen and not in print, or the other way round.
QString unspaced(QString line)
{
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}

// The lines an editor shows on screen.
QStringList screenLines(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            lines.append(unspaced(block.text().mid(line.textStart(), line.textLength())));
        }
    }
    return lines;
}

// Liberation Sans carries Arial's metrics: ascent 1854 and descent 434 units
// of a 2048-unit em.
constexpr double sansAscent = 1854.0 / 2048;
constexpr double sansCell = (1854.0 + 434.0) / 2048;

} // namespace

class TestTextFitter : public QObject {
    Q_OBJECT
    TextMeasure measure;

    // The lines of `text` fitted to an editor `width` wide. The text comes in
    // through the document's default font only, the way text typed in the editor arrives.
    QStringList fitLines(const QString &text, int width, const QFont &font = sans())
    {
        QTextDocument source, fitted;
        source.setDefaultFont(font);
        source.setPlainText(text);
        TextFitter(measure).fit(source, width, roomy, fitted);
        return linesOf(fitted);
    }

private slots:
    void measuresInTwips_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<double>("em");   // in twips
        for (double points : {8.0, 10.0, 10.5, 12.0, 36.0})
            QTest::addRow("%g pt", points) << sans(points) << points * 20;
        QFont pixels(QStringLiteral("Liberation Sans"));
        pixels.setPixelSize(16);   // 16 pixels at 96 dpi are 12 points
        QTest::newRow("16 px") << pixels << 240.0;
    }
    void measuresInTwips()
    {
        QFETCH(QFont, font);
        QFETCH(double, em);
        const FontMeasure &measured = measure.font(font);
        QVERIFY(qAbs(measured.cellHeight() - em * sansCell) <= 1);
        QVERIFY(qAbs(measured.baselineDepth() - em * sansAscent) <= 1);
        // An em dash is one em wide in Liberation Sans: widths are in twips too.
        QVERIFY(qAbs(measured.width(u"\u2014\u2014") - 2 * em) <= 1);
    }

    // The label's text edge falls `slack` twips past the end of the first `count` characters.
    void breaksLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("slack");
        QTest::addColumn<QString>("firstLine");
        const QString word = QStringLiteral("Anticonstitutionnellement");
        QTest::newRow("just short of six") << word << 6 << -8 << word.left(5);
        QTest::newRow("twenty characters") << word << 20 << 8 << word.left(20);
        // "ff" is kerned in Liberation Sans: a run of f is as wide as the font
        // draws it, not as wide as its letters one by one (80 twips more).
        const QString fs(40, QLatin1Char('f'));
        QTest::newRow("twenty kerned f") << fs << 20 << 30 << fs.left(20);
        QTest::newRow("just short of twenty f") << fs << 20 << -30 << fs.left(19);
        // A line that runs out of width ends at its last break opportunity.
        QTest::newRow("after a space") << "Bonjour (madame)" << 11 << 8 << "Bonjour ";
        QTest::newRow("after the last space") << "ab cd efghij" << 9 << 8 << "ab cd ";
        QTest::newRow("space as second character") << "x abcdefgh" << 6 << 8 << "x abcd";
        for (QChar c : QStringView(u"-}])°?!"))
            QTest::addRow("after %s", qPrintable(QString(c)))
                << QStringLiteral("abc%1defgh").arg(c) << 6 << 8 << QStringLiteral("abc%1").arg(c);
        for (QChar c : QStringView(u"\\{[("))
            QTest::addRow("before %s", qPrintable(QString(c))) << QStringLiteral("abc%1defgh").arg(c) << 6 << 8 << "abc";
        QTest::newRow("parenthesis as second character") << "x(abcdefgh" << 6 << 8 << "x(abcd";
        QTest::newRow("non-breaking space") << "ab\u00a0cdefgh" << 6 << 8 << "ab\u00a0cde";
    }
    void breaksLines()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, slack);
        QFETCH(QString, firstLine);
        // The line keeps room for what its last character lends the next.
        const QFontMetricsF metrics = sansMetrics();
        const QString last = text.at(count - 1);
        const int lent = qRound(2 * metrics.horizontalAdvance(last) - metrics.horizontalAdvance(last + last));
        QVERIFY(last != u"f" || lent > 0);
        const int width = qRound(metrics.horizontalAdvance(text.left(count))) + slack + lent + 60;   // 30 free each side
        const QStringList lines = fitLines(text, width);
        QCOMPARE(lines.first(), firstLine);
        QCOMPARE(lines.join(QString()), text);
    }

    // At 102.4 pt a Liberation Sans letter is as many twips wide as its font
    // units ("A" 1366, "n" 1139, no kerning between them), so the margin can
    // be met exactly: a line that reaches it ends there.
    void lineEndsWhenItReachesTheMargin()
    {
        QCOMPARE(qRound(sansMetrics(102.4).horizontalAdvance(QStringLiteral("An")) * 1000), 2505000);
        QCOMPARE(fitLines("Ann", 1366 + 1139 + 60, sans(102.4)).first(), QStringLiteral("A"));
        QCOMPARE(fitLines("Ann", 1366 + 1139 + 61, sans(102.4)).first(), QStringLiteral("An"));   // a twip to spare
    }

    // Narrower than the character, than the margins, or no width at all.
    void oversizedCharacterGetsItsOwnLine()
    {
        for (int editorWidth : {300, 15, 0})
            QCOMPARE(fitLines("W-(W", editorWidth, sans(72)), QStringList({"W", "-", "(", "W"}));
    }

    void cutsLinesBelowTheLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("linesHeld");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("cut");   // the first line left out, named by the warning
        QStringList ten;
        for (int i = 1; i <= 10; ++i)
            ten.append(QStringLiteral("Ligne %1").arg(i));
        QTest::newRow("10 lines, room for 7") << ten.join('\n') << 7 << ten.mid(0, 7) << "Ligne 8";
        QTest::newRow("an empty line counts") << "Un\n\nTrois" << 2 << QStringList({"Un", ""}) << "Trois";
        QTest::newRow("a final break adds no line") << "Un\nDeux\n" << 2 << QStringList({"Un", "Deux", ""}) << QString();
        QTest::newRow("line separator") << "Un\u2028Deux\u2028Trois" << 2 << QStringList({"Un", "Deux"}) << "Trois";
        QTest::newRow("not even one line") << "Un\nDeux" << 0 << QStringList({""}) << "Un";
        // No text measures nothing, not even the empty line it would open with.
        QTest::newRow("no text") << "" << 0 << QStringList({""}) << QString();
    }
    void cutsLinesBelowTheLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, linesHeld);
        QFETCH(QStringList, kept);
        QFETCH(QString, cut);
        QTextDocument source, fitted;
        source.setDefaultFont(sans());
        source.setPlainText(text);
        fitted.setPlainText(QStringLiteral("previous label"));
        const int lineHeight = qRound(sansMetrics().height());
        ScriptedDialogs dialogs;
        const FitResult result = TextFitter(measure).calculetiq(
            source, 6000, 30 + linesHeld * lineHeight + lineHeight / 2, fitted, dialogs);
        QCOMPARE(linesOf(fitted), kept);
        QCOMPARE(result.lineCount, linesHeld);
        QCOMPARE(result.tooHigh, !cut.isNull());
        QCOMPARE(dialogs.shown.size(), cut.isNull() ? 0 : 1);
        if (cut.isNull())
            return;
        const ScriptedDialogs::Shown &shown = dialogs.shown.first();
        QCOMPARE(shown.title, QStringLiteral("TEXTE TROP HAUT"));
        QCOMPARE(shown.text, QString::fromUtf8("Seules les %1 premières lignes seront imprimées.\nLa ligne  '%2'"
                                               " et les suivantes ne seront pas imprimées").arg(linesHeld).arg(cut));
        QCOMPARE(shown.icon, Dialogs::Icon::Exclamation);
    }

    // The 24 pt "e" sets the second line's height: it fits with no twip to spare.
    void tallestCharacterSetsLineHeight()
    {
        QTextDocument source, fitted;
        QTextCursor cursor(&source);
        cursor.insertText(QStringLiteral("Un\nD"), formatOf(sans()));
        cursor.insertText(QStringLiteral("e"), formatOf(sans(24)));
        cursor.insertText(QStringLiteral("ux"), formatOf(sans()));
        const int height = 30 + qRound(sansMetrics().height()) + qRound(sansMetrics(24).height());
        for (const auto &[spare, lineCount] : {std::pair(0, 2), std::pair(-1, 1)})
            QCOMPARE(TextFitter(measure).fit(source, 6000, height + spare, fitted).lineCount, lineCount);
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

    void keepsEveryFormat()
    {
        QTextDocument source, fitted;
        source.setDefaultFont(sans());
        QTextCharFormat bold = formatOf(sans(14));
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat styled = formatOf(sans(10));
        styled.setFontUnderline(true);
        styled.setForeground(QColor(200, 30, 40));
        QTextCursor cursor(&source);
        cursor.insertText(QStringLiteral("Étiquette pour "), QTextCharFormat());
        cursor.insertText(QStringLiteral("Madame Durand-Lefèvre "), bold);
        cursor.insertText(QStringLiteral("12 rue des Lilas, "), styled);
        cursor.insertText(QStringLiteral("Villeneuve-sur-Lot"), formatOf(QFont(QStringLiteral("Liberation Serif"), 16)));
        TextFitter(measure).fit(source, 2000, roomy, fitted);
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

    // The label editor breaks its lines on screen where the fitting breaks
    // them for print, for sizes that are whole screen pixels (9, 12 pt) and
    // sizes that are not.
    void editorShowsTheFittedLines_data()
    {
        QTest::addColumn<QFont>("font");
        const QList<std::pair<const char *, int>> fonts{{"Liberation Sans", 9},   {"Liberation Sans", 10},
                                                        {"Liberation Sans", 11},  {"Liberation Serif", 12},
                                                        {"Liberation Serif", 13}, {"DejaVu Sans", 7},
                                                        {"DejaVu Sans", 10}};
        for (const auto &[family, points] : fonts)
            QTest::addRow("%s %d", family, points) << QFont(family, points);
    }
    void editorShowsTheFittedLines()
    {
        QFETCH(QFont, font);
        // A 70 x 37 mm label, as on a 3 x 8 sheet, tall enough for every line.
        LabelEditor editor;
        editor.setGeometryTwips(QRect(0, 0, 3960, 12000));
        editor.document()->setDefaultFont(font);
        editor.setPlainText(QStringLiteral(
            "Confiture de fraises du jardin, récoltées en juin et cuites au chaudron de cuivre avec "
            "le sucre de canne; à consommer avant la fin de l'année prochaine.\n"
            "Madame Josiane Martin-Delacroix, 12 rue des Lilas (bâtiment B), 75011 Paris"));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTextDocument fitted;
        QVERIFY(!TextFitter(measure).fit(*editor.document(), 3960, 12000, fitted).tooHigh);
        QStringList printed = linesOf(fitted);
        for (QString &line : printed)
            line = unspaced(line);
        QVERIFY(printed.size() > 4);
        QCOMPARE(screenLines(*editor.document()), printed);
        // Shown again in the editor (a recalled label), the fitted text wraps
        // nowhere but at its own line ends.
        editor.document()->setHtml(QString());
        editor.document()->setDefaultFont(font);
        QTextCursor(editor.document()).insertFragment(QTextDocumentFragment(&fitted));
        QCOMPARE(screenLines(*editor.document()), printed);
    }
};

QTEST_MAIN(TestTextFitter)
#include "tst_textfitter.moc"
