#include "storage/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath("etiq.ini");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void writeReplacesTheWholeFile();
    void roundTrip_data();
    void roundTrip();
    void reads_data();
    void reads();
    void missingFile();
    void foundByFuzzingReadsBackAsRead_data();
    void foundByFuzzingReadsBackAsRead();
};

// Files that once read differently after being written back.
void TestSettingsFile::foundByFuzzingReadsBackAsRead_data()
{
    QTest::addColumn<QString>("path");
    const QDir found(QStringLiteral(KALVENOR_SETTINGS_TEST_DATA), QStringLiteral("*.ini"));
    QVERIFY(!found.isEmpty());
    for (const QString &name : found.entryList())
        QTest::newRow(qPrintable(name)) << found.filePath(name);
}

void TestSettingsFile::foundByFuzzingReadsBackAsRead()
{
    QFETCH(QString, path);
    const Settings read = settingsfile::read(path).settings;
    QTemporaryDir dir;
    QVERIFY(settingsfile::write(dir.filePath("etiq.ini"), read));
    const Settings back = settingsfile::read(dir.filePath("etiq.ini")).settings;
    QCOMPARE(back.sheetTypeName, read.sheetTypeName);
    QCOMPARE(back.deltaH, read.deltaH);
    QCOMPARE(back.deltaV, read.deltaV);
}

// Seven lines ended by CR LF, replacing the file in one piece. Quitting on a
// store that held no type must not lose the type saved before.
void TestSettingsFile::writeReplacesTheWholeFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QByteArray(10000, 'x'));
    QVERIFY(settingsfile::write(path, {QStringLiteral("3x8"), 57, -29}));
    QCOMPARE(contents(path), QByteArray("3x8\r\n\r\n[DeltaH]\r\n57\r\n\r\n[DeltaV]\r\n-29\r\n"));
    QVERIFY(settingsfile::write(path, {QString(), 1.5, 0}));
    QCOMPARE(contents(path), QByteArray("3x8\r\n\r\n[DeltaH]\r\n1.5\r\n\r\n[DeltaV]\r\n0\r\n"));
}

void TestSettingsFile::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("deltaH");
    QTest::addColumn<double>("deltaV");
    QTest::newRow("fraction") << "2x3" << 12.5 << -0.25;
    QTest::newRow("apostrophe and accents") << "L'étiquette d'été" << 1.0 << 2.0;
}

void TestSettingsFile::roundTrip()
{
    QFETCH(QString, name);
    QFETCH(double, deltaH);
    QFETCH(double, deltaV);
    // Written under a comma-decimal locale, read back identically.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTemporaryDir dir;
    const QString path = dir.filePath("etiq.ini");
    QVERIFY(settingsfile::write(path, {name, deltaH, deltaV}));
    QLocale::setDefault(saved);
    const SettingsRead read = settingsfile::read(path);
    QVERIFY(read.found);
    QCOMPARE(read.lineCount, 7);
    QCOMPARE(read.settings.sheetTypeName, name);
    QCOMPARE(read.settings.deltaH, deltaH);
    QCOMPARE(read.settings.deltaV, deltaV);
}

void TestSettingsFile::reads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("deltaH");
    QTest::addColumn<double>("deltaV");
    QTest::newRow("four lines") << QByteArray("3x8\r\n\r\n[DeltaH]\r\n57\r\n") << "3x8" << 57.0 << 0.0;
    QTest::newRow("one line, no end") << QByteArray("2x3") << "2x3" << 0.0 << 0.0;
    QTest::newRow("empty file") << QByteArray() << "" << 0.0 << 0.0;
    QTest::newRow("lf only") << QByteArray("6x16\n\n[DeltaH]\n-3\n\n[DeltaV]\n4\n") << "6x16" << -3.0 << 4.0;
    QTest::newRow("cr only") << QByteArray("6x16\r\r[DeltaH]\r-3\r\r[DeltaV]\r4\r") << "6x16" << -3.0 << 4.0;
    QTest::newRow("extra lines ignored") << QByteArray("a\r\n\r\n\r\n1\r\n\r\n\r\n2\r\n9\r\n9\r\n") << "a" << 1.0 << 2.0;
    QTest::newRow("comma decimal reads its whole part") << QByteArray("a\r\n\r\n\r\n12,5\r\n\r\n\r\n-2,5\r\n") << "a" << 12.0 << -2.0;
    QTest::newRow("words are no number") << QByteArray("a\r\n\r\n\r\nabc\r\n\r\n\r\n\r\n") << "a" << 0.0 << 0.0;
    QTest::newRow("absurd correction") << QByteArray("a\r\n\r\n\r\n1e300\r\n\r\n\r\n-99999\r\n") << "a" << 0.0 << 0.0;
    QTest::newRow("windows-1252 name") << QByteArray("Et\xe9\r\n") << "Eté" << 0.0 << 0.0;
    QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe\x01\r\n\x80\x81", 8) << QString::fromLatin1("\x00\xff\xfe\x01", 4) << 0.0 << 0.0;
}

void TestSettingsFile::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(double, deltaH);
    QFETCH(double, deltaV);
    QTemporaryDir dir;
    const SettingsRead read = settingsfile::read(writeFile(dir, content));
    QVERIFY(read.found);
    QCOMPARE(read.settings.sheetTypeName, name);
    QCOMPARE(read.settings.deltaH, deltaH);
    QCOMPARE(read.settings.deltaV, deltaV);
}

void TestSettingsFile::missingFile()
{
    QTemporaryDir dir;
    const SettingsRead read = settingsfile::read(dir.filePath("etiq.ini"));
    QVERIFY(!read.found);
    QCOMPARE(read.settings.deltaH, 0.0);
    QVERIFY(read.settings.sheetTypeName.isEmpty());
    // A folder in the file's place is no file either.
    QVERIFY(QDir(dir.path()).mkdir("etiq.ini"));
    QVERIFY(!settingsfile::read(dir.filePath("etiq.ini")).found);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
