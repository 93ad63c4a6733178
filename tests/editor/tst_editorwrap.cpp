#include "editor/labeleditor.h"
#include "editor/textfitter.h"
#include "editor/textmeasure.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextLayout>

namespace {

// The lines the editor shows on screen.
QStringList screenLines(QTextDocument *document)
{
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

QStringList fittedLines(const QTextDocument &fitted)
{
    QStringList lines;
    for (QTextBlock block = fitted.begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QString trimmedRight(QString s)
{
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

} // namespace

class TestEditorWrap : public QObject {
    Q_OBJECT
private slots:
    void screenLinesAreFittedLines_data();
    void screenLinesAreFittedLines();
};

void TestEditorWrap::screenLinesAreFittedLines_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    // Sizes that are whole screen pixels (9, 12 pt) and sizes that are not.
    const QList<QPair<QString, int>> fonts = {{"Liberation Sans", 9},  {"Liberation Sans", 10},
                                              {"Liberation Sans", 11}, {"Liberation Serif", 12},
                                              {"Liberation Serif", 13}, {"DejaVu Sans", 7},
                                              {"DejaVu Sans", 10}};
    for (const auto &[family, points] : fonts)
        QTest::addRow("%s %d", qPrintable(family), points) << family << points;
}

void TestEditorWrap::screenLinesAreFittedLines()
{
    QFETCH(QString, family);
    QFETCH(int, points);
    const QString prose = QStringLiteral(
        "Confiture de fraises du jardin, récoltées en juin et cuites au chaudron de cuivre avec "
        "le sucre de canne; à consommer avant la fin de l'année prochaine.\n"
        "Madame Josiane Martin-Delacroix, 12 rue des Lilas (bâtiment B), 75011 Paris");
    // A 70 x 37 mm label, as on a 3 x 8 sheet, tall enough for every line.
    LabelEditor editor;
    editor.setGeometryTwips(QRect(0, 0, 3960, 12000));
    QFont font(family);
    font.setPointSize(points);
    editor.document()->setDefaultFont(font);
    editor.setPlainText(prose);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    TextMeasure measure;
    TextFitter fitter(measure);
    QTextDocument fitted;
    const FitResult result = fitter.fit(*editor.document(), 3960, 12000, fitted);
    QVERIFY(!result.tooHigh);
    QStringList printed = fittedLines(fitted);
    for (QString &line : printed)
        line = trimmedRight(line);
    QVERIFY(printed.size() > 4);

    // The editor shows the lines that will print.
    QStringList onScreen = screenLines(editor.document());
    for (QString &line : onScreen)
        line = trimmedRight(line);
    QCOMPARE(onScreen, printed);

    // Shown again in the editor (a recalled label), the fitted text wraps
    // nowhere but at its own line ends.
    editor.document()->setHtml(QString());
    editor.document()->setDefaultFont(font);
    QTextCursor(editor.document()).insertFragment(QTextDocumentFragment(&fitted));
    onScreen = screenLines(editor.document());
    for (QString &line : onScreen)
        line = trimmedRight(line);
    QCOMPARE(onScreen, printed);
}

QTEST_MAIN(TestEditorWrap)
#include "tst_editorwrap.moc"
