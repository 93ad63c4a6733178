#include "testfiles.h"

#include "editor/picture/browserpreview.h"
#include "editor/picture/filegrid.h"
#include "editor/picture/picturefolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList numbered(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("Pic%1.Jpg").arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

} // namespace

class TestPictureFiles : public QObject {
    Q_OBJECT
private slots:
    void scrollBar_data();
    void scrollBar();
    void indexUnderPointer_data();
    void indexUnderPointer();
    void keepsWholeNames();
    void listsPicturesOfAType();
    void drives();
    void previewRect_data();
    void previewRect();
};

void TestPictureFiles::scrollBar_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("maximum");
    QTest::newRow("none") << 0 << false << 0;
    QTest::newRow("27") << 27 << false << 0;
    QTest::newRow("28") << 28 << true << 1;   // floor(28 / 9) − 2
    QTest::newRow("36") << 36 << true << 1;   // floor(36 / 9) − 3
    QTest::newRow("37") << 37 << true << 2;
}

void TestPictureFiles::scrollBar()
{
    QFETCH(int, count);
    QFETCH(bool, enabled);
    QFETCH(int, maximum);
    FileGrid grid;
    grid.setFiles(numbered(count));
    QCOMPARE(grid.scrollEnabled(), enabled);
    QCOMPARE(grid.scrollMaximum(), maximum);
    QCOMPARE(grid.visibleCount(), qMin(count, 27));
    // Scrolled as far as it goes, by whole columns, the last name shows.
    grid.setFirstColumn(99);
    QCOMPARE(grid.firstColumn(), maximum);
    if (count > 0) {
        QCOMPARE(grid.fileName(0), numbered(count).at(maximum * 9));
        QCOMPARE(grid.fileName(grid.visibleCount() - 1), numbered(count).last());
    }
}

void TestPictureFiles::indexUnderPointer_data()
{
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<int>("index");
    // 13 names: a full first column, 4 in the second; cells 810 × 195.
    QTest::newRow("first name") << QPoint(0, 0) << 0;
    QTest::newRow("last name") << QPoint(810, 195 * 3) << 12;
    QTest::newRow("below the last name") << QPoint(1000, 195 * 4) << -1;
    QTest::newRow("below the grid") << QPoint(0, 1755) << -1;
}

void TestPictureFiles::indexUnderPointer()
{
    QFETCH(QPoint, twips);
    QFETCH(int, index);
    FileGrid grid;
    grid.setFiles(numbered(13));
    QCOMPARE(grid.indexAt(twips), index);
}

void TestPictureFiles::keepsWholeNames()
{
    FileGrid grid;
    grid.setFiles({"Vacances.Ete.2023.jpg", "LOGO", "Été.bmp"});
    QCOMPARE(grid.shownNames(), (QStringList{"vacances", "logo", "été"}));
    QCOMPARE(grid.fileName(0), QStringLiteral("Vacances.Ete.2023.jpg"));
}

void TestPictureFiles::listsPicturesOfAType()
{
    QTemporaryDir dir;
    for (const char *name : {"zèbre.jpg", "B.JPG", "abc.jpg", "c.jpeg", "école.jpg", "Eté.jpg", "d.png", "e.bmp",
                             ".cachée.jpg", "notes.txt"})
        QVERIFY(testfiles::writeBytes(dir.filePath(QString::fromUtf8(name)), "x"));
    QVERIFY(QDir(dir.path()).mkdir("dossier.jpg"));
    // Any case, ".jpeg" with JPG, accents sorted beside their letter.
    QCOMPARE(picturefolder::pictureFiles(dir.path(), "JPG"),
             (QStringList{"abc.jpg", "B.JPG", "c.jpeg", "école.jpg", "Eté.jpg", "zèbre.jpg"}));
    QCOMPARE(picturefolder::pictureFiles(dir.path(), "PNG"), QStringList{"d.png"});
}

void TestPictureFiles::drives()
{
    const QStringList mounts{"/", "/proc", "/home", "/media/anne/CLE", "/run/media/anne/DISQUE", "/mnt/nas",
                             "/boot/efi", "/media/anne/CLE/"};
    const QStringList drives = picturefolder::driveRoots("/home/anne", mounts);
    QCOMPARE(drives, (QStringList{"/", "/home/anne", "/media/anne/CLE", "/mnt/nas", "/run/media/anne/DISQUE"}));
    QCOMPARE(picturefolder::driveOf("/home/anne/Images", drives), QStringLiteral("/home/anne"));
    QCOMPARE(picturefolder::driveOf("/home/annexe", drives), QStringLiteral("/"));
    QCOMPARE(picturefolder::driveOf("/media/anne/CLE/photos", drives), QStringLiteral("/media/anne/CLE"));
}

void TestPictureFiles::previewRect_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QRect>("rect");
    // 1470 on the long side, centred in the 1470 × 1605 box at (4230, 195).
    QTest::newRow("portrait") << QSize(300, 600) << QRect(4597, 262, 735, 1470);
    QTest::newRow("square") << QSize(500, 500) << QRect(4230, 262, 1470, 1470);
    QTest::newRow("a thread") << QSize(5000, 1) << QRect(4230, 997, 1470, 1);
}

void TestPictureFiles::previewRect()
{
    QFETCH(QSize, pixels);
    QFETCH(QRect, rect);
    QCOMPARE(browserpreview::rect(pixels), rect);
}

QTEST_APPLESS_MAIN(TestPictureFiles)
#include "tst_picturefiles.moc"
