#include "catalogue/entryfilter.h"

#include <QTest>

class TestEntryFilter : public QObject {
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
};

void TestEntryFilter::typing_data()
{
    QTest::addColumn<bool>("dimension");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys"); // "\b" Backspace, "\x1b" an arrow, typing nothing
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    QTest::newRow("count digits") << false << "" << "12" << "12" << 0;
    QTest::newRow("count minus") << false << "" << "-4" << "4" << 1;
    QTest::newRow("dim point in empty field") << true << "" << "." << "0.00" << 0;
    QTest::newRow("dim second symbol typed") << true << "" << "5.." << "5.00" << 1;
    QTest::newRow("dim backspace") << true << "1.5" << "\b" << "1.5" << 1;
    QTest::newRow("dim digits after refusals") << true << "1" << "a,b2" << "1,002" << 2;
    // Focus on a text with a symbol: a second one is refused, an arrow after it is silent.
    QTest::newRow("dim arrow after refused symbol") << true << "1.5" << ",\x1b" << "1.5" << 1;
}

// Types each key at the end of the text, as a text box does with its caret there.
void TestEntryFilter::typing()
{
    QFETCH(bool, dimension);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    EntryFilter filter;
    QString text = start;
    int beeps = 0;
    if (dimension)
        filter.focusGained(text);
    for (const QChar c : keys) {
        filter.keyDown(false, text);
        if (c != u'\x1b')
            dimension ? filter.dimensionKeyPress(c, text) : filter.countKeyPress(c);
        const QString typed = c == u'\b' ? text.chopped(1) : c == u'\x1b' ? text : text + c;
        const EntryFilter::KeyUp up = dimension ? filter.dimensionKeyUp(typed) : filter.countKeyUp(typed);
        text = up.text;
        beeps += up.beeps;
    }
    QTEST(text, "text");
    QTEST(beeps, "beeps");
}

QTEST_GUILESS_MAIN(TestEntryFilter)
#include "tst_entryfilter.moc"
