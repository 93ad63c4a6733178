#include "catalogue/entryfilter.h"

#include <QTest>

namespace {

struct Typed {
    QString text;
    int beeps = 0;
};

// Types `keys` into a focused field holding `start`, each at the end of the
// text as a text box does with its caret there; "\b" is Backspace, "\r" Enter.
Typed type(bool dimension, const QString &start, const QString &keys)
{
    EntryFilter filter;
    Typed field{start};
    if (dimension)
        filter.focusGained(field.text);
    for (const QChar c : keys) {
        filter.keyDown(false, field.text);
        if (dimension)
            filter.dimensionKeyPress(c, field.text);
        else
            filter.countKeyPress(c);
        QString after = field.text;
        if (c == u'\b')
            after.chop(1);
        else if (c != u'\r')
            after.append(c);
        const EntryFilter::KeyUp up = dimension ? filter.dimensionKeyUp(after) : filter.countKeyUp(after);
        field.text = up.text;
        field.beeps += up.beeps;
    }
    return field;
}

} // namespace

class TestEntryFilter : public QObject {
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void deleteIsNeverUndone();
    void keyTypingNothingAfterRefusedSymbolIsSilent();
};

void TestEntryFilter::typing_data()
{
    QTest::addColumn<bool>("dimension");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    QTest::newRow("count digits") << false << "" << "12" << "12" << 0;
    QTest::newRow("count letter") << false << "1" << "a" << "1" << 1;
    QTest::newRow("count backspace") << false << "12" << "\b" << "12" << 1;
    QTest::newRow("count enter") << false << "3" << "\r" << "3" << 1;
    QTest::newRow("count comma") << false << "3" << "," << "3" << 1;
    QTest::newRow("count minus") << false << "" << "-4" << "4" << 1;

    QTest::newRow("dim point in empty field") << true << "" << "." << "0.00" << 0;
    QTest::newRow("dim comma in empty field") << true << "" << "," << "0,00" << 0;
    QTest::newRow("dim trailing comma") << true << "" << "5," << "5,00" << 0;
    QTest::newRow("dim second symbol typed") << true << "" << "5.." << "5.00" << 1;
    QTest::newRow("dim point after comma on focus") << true << "12,00" << "." << "12,00" << 1;
    QTest::newRow("dim comma after point on focus") << true << "12.00" << "," << "12.00" << 1;
    QTest::newRow("dim backspace") << true << "1.5" << "\b" << "1.5" << 1;
    QTest::newRow("dim enter") << true << "1.5" << "\r" << "1.5" << 1;
    QTest::newRow("dim digits after refusals") << true << "1" << "a,b2" << "1,002" << 2;
}

void TestEntryFilter::typing()
{
    QFETCH(bool, dimension);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    const Typed typed = type(dimension, start, keys);
    QTEST(typed.text, "text");
    QTEST(typed.beeps, "beeps");
}

void TestEntryFilter::deleteIsNeverUndone()
{
    EntryFilter filter;
    filter.keyDown(true, QStringLiteral("12"));
    QCOMPARE(filter.countKeyUp(QStringLiteral("2")).beeps, 0);

    filter.focusGained(QStringLiteral("1.5"));
    filter.keyDown(true, QStringLiteral("1.5"));
    const EntryFilter::KeyUp dim = filter.dimensionKeyUp(QStringLiteral("1."));
    // Completed like any text ending with a symbol, but not undone.
    QCOMPARE(dim.text, QStringLiteral("1.00"));
    QCOMPARE(dim.beeps, 0);

    // The next key is filtered again.
    filter.keyDown(false, QStringLiteral("1.00"));
    filter.dimensionKeyPress(u'z', QStringLiteral("1.00"));
    QCOMPARE(filter.dimensionKeyUp(QStringLiteral("1.00z")).text, QStringLiteral("1.00"));
}

void TestEntryFilter::keyTypingNothingAfterRefusedSymbolIsSilent()
{
    EntryFilter filter;
    filter.focusGained(QStringLiteral("1.5"));
    filter.keyDown(false, QStringLiteral("1.5"));
    filter.dimensionKeyPress(u',', QStringLiteral("1.5"));
    QCOMPARE(filter.dimensionKeyUp(QStringLiteral("1.5,")).beeps, 1);
    // An arrow key goes down and up without typing anything.
    filter.keyDown(false, QStringLiteral("1.5"));
    QCOMPARE(filter.dimensionKeyUp(QStringLiteral("1.5")).beeps, 0);
}

QTEST_GUILESS_MAIN(TestEntryFilter)
#include "tst_entryfilter.moc"
