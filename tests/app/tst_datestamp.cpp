#include "editor/labelformatting.h"

#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TestDateStamp : public QObject {
    Q_OBJECT
private slots:
    void dateText_data();
    void dateText();
    void insertedDateUsesTheLocale();
};

// Day, month, year always, joined by the locale's own separator.
void TestDateStamp::dateText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << QStringLiteral("04/03/2026");
    QTest::newRow("German, dot") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("04.03.2026");
    QTest::newRow("Dutch, hyphen") << QLocale(QLocale::Dutch, QLocale::Netherlands) << QStringLiteral("04-03-2026");
    QTest::newRow("Swedish, year first") << QLocale(QLocale::Swedish, QLocale::Sweden) << QStringLiteral("04-03-2026");
    QTest::newRow("Hungarian, padded dot") << QLocale(QLocale::Hungarian, QLocale::Hungary)
                                           << QStringLiteral("04.03.2026");
    QTest::newRow("US, month first") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("04/03/2026");
    QTest::newRow("C, month name and blanks") << QLocale::c() << QStringLiteral("04/03/2026");
}

void TestDateStamp::dateText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(LabelFormatting::dateText(QDate(2026, 3, 4), locale), expected);
}

void TestDateStamp::insertedDateUsesTheLocale()
{
    QTextDocument scratch;
    LabelFormatting formatting(scratch);
    QTextDocument label;
    QTextCursor cursor(&label);
    cursor.insertText(QStringLiteral("Le "));
    formatting.insertDate(cursor, QDate(2026, 12, 31), QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(label.toPlainText(), QStringLiteral("Le 31.12.2026"));
}

QTEST_MAIN(TestDateStamp)
#include "tst_datestamp.moc"
