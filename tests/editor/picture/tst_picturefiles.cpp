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
    void scrollsByWholeColumns();
    void indexUnderPointer_data();
    void indexUnderPointer();
    void cutName_data();
    void cutName();
    void listsPicturesOfAType_data();
    void listsPicturesOfAType();
    void drives();
    void driveOfFolder_data();
    void driveOfFolder();
    void folderEntries();
    void previewRect_data();
    void previewRect();
    void previewInfo();
};

void TestPictureFiles::scrollBar_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("visible");

    QTest::newRow("none") << 0 << false << 0 << 0;
    QTest::newRow("one column") << 9 << false << 0 << 9;
    QTest::newRow("27") << 27 << false << 0 << 27;
    QTest::newRow("28") << 28 << true << 1 << 27;
    QTest::newRow("36") << 36 << true << 1 << 27;
    QTest::newRow("37") << 37 << true << 2 << 27;
    QTest::newRow("45") << 45 << true << 2 << 27;
}

void TestPictureFiles::scrollBar()
{
    QFETCH(int, count);
    QFETCH(bool, enabled);
    QFETCH(int, maximum);
    QFETCH(int, visible);
    FileGrid grid;
    grid.setFiles(numbered(count));
    QCOMPARE(grid.scrollEnabled(), enabled);
    QCOMPARE(grid.scrollMaximum(), maximum);
    QCOMPARE(grid.visibleCount(), visible);
    // At the last column the last name is shown.
    grid.setFirstColumn(maximum);
    if (count > 0)
        QCOMPARE(grid.fileName(grid.visibleCount() - 1), numbered(count).last());
}

void TestPictureFiles::scrollsByWholeColumns()
{
    FileGrid grid;
    grid.setFiles(numbered(40));
    grid.setFirstColumn(1);
    QCOMPARE(grid.fileName(0), QStringLiteral("Pic09.Jpg"));
    QCOMPARE(grid.visibleCount(), 27);
    grid.setFirstColumn(99);   // beyond the maximum: the last columns
    QCOMPARE(grid.firstColumn(), 2);
    QCOMPARE(grid.visibleCount(), 22);
    // Fewer files: the grid goes back to the first column.
    grid.setFiles(numbered(12));
    QCOMPARE(grid.firstColumn(), 0);
    QCOMPARE(grid.fileName(0), QStringLiteral("Pic00.Jpg"));
}

void TestPictureFiles::indexUnderPointer_data()
{
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<int>("index");

    // 13 names: a full first column and 4 in the second.
    QTest::newRow("first name") << QPoint(0, 0) << 0;
    QTest::newRow("ninth name") << QPoint(809, 195 * 8 + 194) << 8;
    QTest::newRow("second column") << QPoint(810, 0) << 9;
    QTest::newRow("last name") << QPoint(1000, 195 * 3 + 10) << 12;
    QTest::newRow("below the last name") << QPoint(1000, 195 * 4) << -1;
    QTest::newRow("empty third column") << QPoint(1700, 0) << -1;
    QTest::newRow("right of the grid") << QPoint(2430, 0) << -1;
    QTest::newRow("below the grid") << QPoint(0, 1755) << -1;
    QTest::newRow("above the grid") << QPoint(0, -15) << -1;
}

void TestPictureFiles::indexUnderPointer()
{
    QFETCH(QPoint, twips);
    QFETCH(int, index);
    FileGrid grid;
    grid.setFiles(numbered(13));
    QCOMPARE(grid.indexAt(twips), index);
}

void TestPictureFiles::cutName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Chat.JPG" << "chat";
    QTest::newRow("several dots") << "Vacances.Ete.2023.jpg" << "vacances";
    QTest::newRow("no extension") << "LOGO" << "logo";
    QTest::newRow("accents") << "Été.bmp" << "été";
}

void TestPictureFiles::cutName()
{
    QFETCH(QString, file);
    QFETCH(QString, shown);
    QCOMPARE(FileGrid::cutName(file), shown);
    FileGrid grid;
    grid.setFiles({file});
    QCOMPARE(grid.shownName(0), shown);
    QCOMPARE(grid.fileName(0), file);   // the whole name, for loading
}

void TestPictureFiles::listsPicturesOfAType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("JPG") << "JPG" << QStringList{"abc.jpg", "B.JPG", "c.jpeg", "école.jpg", "Eté.jpg", "zèbre.jpg"};
    QTest::newRow("PNG") << "PNG" << QStringList{"d.png"};
    QTest::newRow("ICO") << "ICO" << QStringList{};
}

void TestPictureFiles::listsPicturesOfAType()
{
    QFETCH(QString, type);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    for (const char *name : {"zèbre.jpg", "B.JPG", "abc.jpg", "c.jpeg", "école.jpg", "Eté.jpg", "d.png", "e.bmp",
                             ".cachée.jpg", "notes.txt"})
        QVERIFY(testfiles::writeBytes(dir.filePath(QString::fromUtf8(name)), "x"));
    QVERIFY(QDir(dir.path()).mkdir("dossier.jpg"));
    QCOMPARE(picturefolder::pictureFiles(dir.path(), type), files);
}

void TestPictureFiles::drives()
{
    const QStringList mounts{"/", "/proc", "/home", "/media/anne/CLE USB", "/run/media/anne/DISQUE", "/mnt/nas",
                             "/boot/efi", "/media/anne/CLE USB/"};
    QCOMPARE(picturefolder::driveRoots("/home/anne", mounts),
             (QStringList{"/", "/home/anne", "/media/anne/CLE USB", "/mnt/nas", "/run/media/anne/DISQUE"}));
    QCOMPARE(picturefolder::driveRoots("/", {}), QStringList{"/"});
}

void TestPictureFiles::driveOfFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("drive");
    QTest::newRow("in home") << "/home/anne/Images" << "/home/anne";
    QTest::newRow("home itself") << "/home/anne" << "/home/anne";
    QTest::newRow("a neighbour of home") << "/home/annexe" << "/";
    QTest::newRow("on a key") << "/media/anne/CLE/photos" << "/media/anne/CLE";
    QTest::newRow("system") << "/usr/share" << "/";
}

void TestPictureFiles::driveOfFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, drive);
    QCOMPARE(picturefolder::driveOf(folder, {"/", "/home/anne", "/media/anne/CLE"}), drive);
}

void TestPictureFiles::folderEntries()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("Photos/Zoo"));
    QVERIFY(QDir(dir.path()).mkpath("Photos/anniversaire"));
    QVERIFY(testfiles::writeBytes(dir.filePath("Photos/image.jpg"), "x"));
    const QString photos = QDir(dir.path()).canonicalPath() + "/Photos";

    const QList<picturefolder::FolderEntry> entries = picturefolder::folderEntries(photos);
    const int depth = int(photos.count('/'));
    QCOMPARE(entries.first().path, QStringLiteral("/"));
    const auto current = std::find_if(entries.begin(), entries.end(), [](const auto &e) { return e.current; });
    QVERIFY(current != entries.end());
    QCOMPARE(current->path, photos);
    QCOMPARE(current->depth, depth);
    // Sub-folders come after the folder, sorted, one level deeper; no files.
    QCOMPARE(entries.size(), depth + 3);
    QCOMPARE(entries[depth + 1].label, QStringLiteral("anniversaire"));
    QCOMPARE(entries[depth + 2].label, QStringLiteral("Zoo"));
    QCOMPARE(entries[depth + 2].path, photos + "/Zoo");
    QCOMPARE(entries[depth + 2].depth, depth + 1);
}

void TestPictureFiles::previewRect_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QRect>("rect");
    // 1470 on the long side, centred in the 1470 × 1605 box at (4230, 195).
    QTest::newRow("portrait") << QSize(300, 600) << QRect(4597, 262, 735, 1470);
    QTest::newRow("square") << QSize(500, 500) << QRect(4230, 262, 1470, 1470);
    QTest::newRow("landscape") << QSize(600, 300) << QRect(4230, 630, 1470, 735);
    QTest::newRow("thin line") << QSize(5000, 1) << QRect(4230, 997, 1470, 1);
}

void TestPictureFiles::previewRect()
{
    QFETCH(QSize, pixels);
    QFETCH(QRect, rect);
    QCOMPARE(browserpreview::rect(pixels), rect);
}

void TestPictureFiles::previewInfo()
{
    const QDateTime date(QDate(2023, 7, 14), QTime(18, 30));
    QCOMPARE(browserpreview::info(QSize(640, 480), date), QStringLiteral("Photo \n640 x 480 pixels\n14/07/2023"));
}

QTEST_APPLESS_MAIN(TestPictureFiles)
#include "tst_picturefiles.moc"
