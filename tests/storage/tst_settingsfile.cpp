#include "storage/settingsfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString iniFile(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath("etiq.ini");
    return writeFile(path, content) ? path : QString();
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void writesWholeFiles();
    void reads();
    void foundByFuzzingReadsBackAsRead();
};

// Seven lines ended by CR LF, with "." for the decimals under a comma-decimal locale too.
void TestSettingsFile::writesWholeFiles()
{
    const auto row = [](const QString &name, double deltaH, double deltaV, const QByteArray &written) {
        QTemporaryDir dir;
        const QString path = iniFile(dir, "old\r\n" + QByteArray(10000, 'x'));
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        const bool ok = settingsfile::write(path, {name, deltaH, deltaV});
        QLocale::setDefault(saved);
        QVERIFY(ok);
        QCOMPARE(contents(path), written);
        const SettingsRead read = settingsfile::read(path);
        QCOMPARE(read.lineCount, 7);
        QCOMPARE(read.settings.sheetTypeName, name.isEmpty() ? QStringLiteral("old") : name);
        QCOMPARE(read.settings.deltaH, deltaH);
        QCOMPARE(read.settings.deltaV, deltaV);
    };
    row("3x8", 57, -29, "3x8\r\n\r\n[DeltaH]\r\n57\r\n\r\n[DeltaV]\r\n-29\r\n");
    row("2x3", 12.5, -0.25, "2x3\r\n\r\n[DeltaH]\r\n12.5\r\n\r\n[DeltaV]\r\n-0.25\r\n");
    row("L'étiquette d'été", 1, 2, "L'étiquette d'été\r\n\r\n[DeltaH]\r\n1\r\n\r\n[DeltaV]\r\n2\r\n");
    // Quitting on a store that held no type must not lose the type saved before.
    row("", 1.5, 0, "old\r\n\r\n[DeltaH]\r\n1.5\r\n\r\n[DeltaV]\r\n0\r\n");
    // No file, or a folder in its place, is not found.
    QTemporaryDir dir;
    QVERIFY(!settingsfile::read(dir.filePath("etiq.ini")).found);
    QVERIFY(QDir(dir.path()).mkdir("etiq.ini"));
    QVERIFY(!settingsfile::read(dir.filePath("etiq.ini")).found);
}

void TestSettingsFile::reads()
{
    const auto row = [](const QByteArray &content, const QString &name, double deltaH, double deltaV) {
        QTemporaryDir dir;
        const SettingsRead read = settingsfile::read(iniFile(dir, content));
        QVERIFY(read.found);
        QCOMPARE(read.settings.sheetTypeName, name);
        QCOMPARE(read.settings.deltaH, deltaH);
        QCOMPARE(read.settings.deltaV, deltaV);
    };
    row("3x8\r\n\r\n[DeltaH]\r\n57\r\n", "3x8", 57, 0);   // four lines
    row("2x3", "2x3", 0, 0);                              // one line, no end
    row("", "", 0, 0);                                    // an empty file
    row("6x16\n\n[DeltaH]\n-3\n\n[DeltaV]\n4\n", "6x16", -3, 4);   // LF only
    row("6x16\r\r[DeltaH]\r-3\r\r[DeltaV]\r4\r", "6x16", -3, 4);   // CR only
    row("a\r\n\r\n\r\n1\r\n\r\n\r\n2\r\n9\r\n9\r\n", "a", 1, 2);   // extra lines ignored
    row("a\r\n\r\n\r\n12,5\r\n\r\n\r\n-2,5\r\n", "a", 12, -2);     // a comma decimal reads its whole part
    row("a\r\n\r\n\r\nabc\r\n\r\n\r\n\r\n", "a", 0, 0);             // words are no number
    row("a\r\n\r\n\r\n1e300\r\n\r\n\r\n-99999\r\n", "a", 0, 0);     // absurd corrections
    row("Et\xe9\r\n", "Eté", 0, 0);                                 // a windows-1252 name
    // Binary garbage.
    row(QByteArray("\x00\xff\xfe\x01\r\n\x80\x81", 8), QString::fromLatin1("\x00\xff\xfe\x01", 4), 0, 0);
}

// Files that once read differently after being written back.
void TestSettingsFile::foundByFuzzingReadsBackAsRead()
{
    const QDir found(QStringLiteral(KALVENOR_SETTINGS_TEST_DATA), QStringLiteral("*.ini"));
    QVERIFY(!found.isEmpty());
    QTemporaryDir dir;
    for (const QString &name : found.entryList()) {
        const Settings read = settingsfile::read(found.filePath(name)).settings;
        QVERIFY2(settingsfile::write(dir.filePath(name), read), qPrintable(name));
        QCOMPARE(settingsfile::format(settingsfile::read(dir.filePath(name)).settings), settingsfile::format(read));
    }
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
