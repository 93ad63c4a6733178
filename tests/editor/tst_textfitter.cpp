#include "editor/baseline.h"
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

// The lines an editor shows on screen.
QStringList screenLines(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            lines.append(block.text().mid(layout->lineAt(i).textStart(), layout->lineAt(i).textLength()));
    }
    return lines;
}

// A break's space may end the line on screen and not in print, or the
// other way round.
QStringList rightTrimmed(QStringList lines)
{
    for (QString &line : lines) {
        while (line.endsWith(u' '))
            line.chop(1);
    }
    return lines;
}

QString tooHigh(int kept, const QString &cut)
{
    return QString::fromUtf8("Seules les %1 premières lignes seront imprimées.\n"
                             "La ligne  '%2' et les suivantes ne seront pas imprimées")
        .arg(kept).arg(cut);
}

// Liberation Sans carries Arial's metrics: ascent 1854 and descent 434 units
// of a 2048-unit em.
constexpr double sansAscent = 1854.0 / 2048;
constexpr double sansCell = (1854.0 + 434.0) / 2048;

} // namespace

class TestTextFitter : public QObject {
    Q_OBJECT
    TextMeasure measure;

private slots:
    void measuresInTwips_data()
    {
        QTest::addColumn<double>("points");
        for (double points : {8.0, 10.0, 10.5, 12.0, 36.0})
            QTest::addRow("%g pt", points) << points;
    }
    void measuresInTwips()
    {
        QFETCH(double, points);
        const FontMeasure &font = measure.font(sans(points));
        const double em = points * 20;
        QVERIFY(qAbs(font.cellHeight() - em * sansCell) <= 1);
        QVERIFY(qAbs(font.baselineDepth() - em * sansAscent) <= 1);
        // An em dash is one em wide in Liberation Sans: widths are in twips too.
        QVERIFY(qAbs(font.width(u"\u2014\u2014") - 2 * em) <= 1);
    }

    void pixelSizedFontCountsScreenPixels()
    {
        QFont pixels(QStringLiteral("Liberation Sans"));
        pixels.setPixelSize(16);   // 16 pixels at 96 dpi are 12 points
        QCOMPARE(TextMeasure::sizeInTwips(pixels), 240.0);
        QCOMPARE(measure.font(pixels).cellHeight(), measure.font(sans(12)).cellHeight());
        QCOMPARE(measure.font(pixels).charWidth(U'W'), measure.font(sans(12)).charWidth(U'W'));
    }

    void defmilieuKeepsTallestCell()
    {
        BaselineGauge gauge(measure);
        const int small = gauge.defmilieu(sans(12));
        const int large = gauge.defmilieu(sans(24));
        QVERIFY(qAbs(large - 2 * small) <= 1);
        QVERIFY(large < measure.font(sans(24)).cellHeight());

        gauge.defmilieu(sans(8));
        QCOMPARE(gauge.fontCellMax(), measure.font(sans(24)).cellHeight());

        gauge.resetFontCellMax();
        gauge.defmilieu(sans(8));
        QCOMPARE(gauge.fontCellMax(), measure.font(sans(8)).cellHeight());
    }

    void breaksWhereWidthRunsOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("measured");
        QTest::addColumn<int>("slack");
        QTest::addColumn<int>("fitting");
        const QString word = QStringLiteral("Anticonstitutionnellement");
        QTest::newRow("one character") << word << 1 << 8 << 1;
        QTest::newRow("six characters") << word << 6 << 8 << 6;
        QTest::newRow("just short of six") << word << 6 << -8 << 5;
        QTest::newRow("twelve characters") << word << 12 << 8 << 12;
        QTest::newRow("just short of twelve") << word << 12 << -8 << 11;
        QTest::newRow("twenty characters") << word << 20 << 8 << 20;
        // "ff" is kerned in Liberation Sans: a run of f is as wide as the font
        // draws it, not as wide as its letters one by one (80 twips more).
        const QString fs(40, QLatin1Char('f'));
        QTest::newRow("twenty kerned f") << fs << 20 << 30 << 20;
        QTest::newRow("just short of twenty f") << fs << 20 << -30 << 19;
    }
    void breaksWhereWidthRunsOut()
    {
        QFETCH(QString, text);
        QFETCH(int, measured);
        QFETCH(int, slack);
        QFETCH(int, fitting);
        QTextDocument source, fitted;
        setPlain(source, text);
        // The line keeps room for what its last character lends the next.
        const QFontMetricsF metrics = sansMetrics();
        const QString last = text.at(measured - 1);
        const int lent = qRound(2 * metrics.horizontalAdvance(last) - metrics.horizontalAdvance(last + last));
        if (last == u"f")
            QVERIFY(lent > 0);

        TextFitter(measure).fit(source, widthAfter(text, measured, slack + lent), roomy, fitted);

        const QStringList lines = linesOf(fitted);
        QCOMPARE(lines.first(), text.left(fitting));
        QCOMPARE(lines.join(QString()), text);
    }

    // At 102.4 pt a Liberation Sans letter is as many twips wide as its font
    // units ("A" 1366, "n" 1139, no kerning between them), so the margin can
    // be met exactly: a line that reaches it ends there.
    void lineEndsWhenItReachesTheMargin_data()
    {
        QTest::addColumn<int>("editorWidth");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("the margin reached") << 1366 + 1139 + 60 << "A";
        QTest::newRow("a twip to spare") << 1366 + 1139 + 61 << "An";
    }
    void lineEndsWhenItReachesTheMargin()
    {
        QFETCH(int, editorWidth);
        QFETCH(QString, firstLine);
        QCOMPARE(qRound(sansMetrics(102.4).horizontalAdvance(QStringLiteral("An")) * 1000), 2505000);
        QTextDocument source, fitted;
        source.setDefaultFont(sans(102.4));
        source.setPlainText(QStringLiteral("Ann"));
        TextFitter(measure).fit(source, editorWidth, roomy, fitted);
        QCOMPARE(linesOf(fitted).first(), firstLine);
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
        for (QChar c : QStringView(u"-}])°?!")) {
            QTest::addRow("after %s", qPrintable(QString(c)))
                << QStringLiteral("abc%1defgh").arg(c) << 6 << QStringLiteral("abc%1").arg(c);
        }
        for (QChar c : QStringView(u"\\{[("))
            QTest::addRow("before %s", qPrintable(QString(c))) << QStringLiteral("abc%1defgh").arg(c) << 6 << "abc";
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
        // No text measures nothing, not even the empty line it would open with.
        QTest::newRow("no text") << "" << 0 << QStringList({""}) << QString();
    }
    void cutsLinesBelowTheLabel()
    {
        QFETCH(QString, text);
        QFETCH(int, linesHeld);
        QFETCH(QStringList, kept);
        QFETCH(QString, message);
        QTextDocument source, fitted;
        setPlain(source, text);
        fitted.setPlainText(QStringLiteral("previous label"));
        const int lineHeight = qRound(sansMetrics().height());
        ScriptedDialogs dialogs;

        const FitResult result = TextFitter(measure).calculetiq(
            source, 6000, 30 + linesHeld * lineHeight + lineHeight / 2, fitted, dialogs);

        QCOMPARE(linesOf(fitted), kept);
        QCOMPARE(result.lineCount, linesHeld);
        QVERIFY(!result.mixedFormat);
        QCOMPARE(result.tooHigh, !message.isEmpty());
        QCOMPARE(dialogs.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const ScriptedDialogs::Shown &shown = dialogs.shown.first();
            QCOMPARE((QStringList{shown.title, shown.text}), (QStringList{"TEXTE TROP HAUT", message}));
            QCOMPARE(shown.icon, Dialogs::Icon::Exclamation);
            QCOMPARE(shown.buttons, Dialogs::Buttons::Ok);
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

    // The label editor breaks its lines on screen where the fitting breaks
    // them for print, for sizes that are whole screen pixels (9, 12 pt) and
    // sizes that are not.
    void editorShowsTheFittedLines_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        const QList<QPair<QString, int>> fonts = {{"Liberation Sans", 9},  {"Liberation Sans", 10},
                                                  {"Liberation Sans", 11}, {"Liberation Serif", 12},
                                                  {"Liberation Serif", 13}, {"DejaVu Sans", 7},
                                                  {"DejaVu Sans", 10}};
        for (const auto &[family, points] : fonts)
            QTest::addRow("%s %d", qPrintable(family), points) << family << points;
    }
    void editorShowsTheFittedLines()
    {
        QFETCH(QString, family);
        QFETCH(int, points);
        // A 70 x 37 mm label, as on a 3 x 8 sheet, tall enough for every line.
        LabelEditor editor;
        editor.setGeometryTwips(QRect(0, 0, 3960, 12000));
        const QFont font(family, points);
        editor.document()->setDefaultFont(font);
        editor.setPlainText(QStringLiteral(
            "Confiture de fraises du jardin, récoltées en juin et cuites au chaudron de cuivre avec "
            "le sucre de canne; à consommer avant la fin de l'année prochaine.\n"
            "Madame Josiane Martin-Delacroix, 12 rue des Lilas (bâtiment B), 75011 Paris"));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        QTextDocument fitted;
        QVERIFY(!TextFitter(measure).fit(*editor.document(), 3960, 12000, fitted).tooHigh);
        const QStringList printed = rightTrimmed(linesOf(fitted));
        QVERIFY(printed.size() > 4);
        QCOMPARE(rightTrimmed(screenLines(*editor.document())), printed);

        // Shown again in the editor (a recalled label), the fitted text wraps
        // nowhere but at its own line ends.
        editor.document()->setHtml(QString());
        editor.document()->setDefaultFont(font);
        QTextCursor(editor.document()).insertFragment(QTextDocumentFragment(&fitted));
        QCOMPARE(rightTrimmed(screenLines(*editor.document())), printed);
    }
};

QTEST_MAIN(TestTextFitter)
#include "tst_textfitter.moc"
