#include "scripteddialogs.h"
#include "testfiles.h"

#include "editor/labeleditor.h"
#include "editor/picture/namegridview.h"
#include "editor/picture/picturebrowser.h"
#include "editor/picture/picturepanel.h"
#include "editor/picture/pictureview.h"
#include "platform/imaging/picturemessage.h"
#include "storage/appstate.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The label editor at 3030 × 1530 twips: usable 3000 × 1500, a resampling
// box of 375 × 188 pixels; in pixels it sits at (20, 30), 202 × 102.
const QRect editorTwips(300, 450, 3030, 1530);

// The main window's part that matters here.
struct Window {
    AppState state;
    ScriptedDialogs dialogs;
    QWidget window;
    LabelEditor *editor = nullptr;
    PicturePanel *panel = nullptr;

    Window()
    {
        window.resize(1000, 760);
        editor = new LabelEditor(&window);
        editor->setGeometryTwips(editorTwips);
        auto *host = new QWidget(&window);
        host->setGeometry(20, 600, 640, 90);
        panel = new PicturePanel(&window, editor, host, state, dialogs);
        window.show();
    }
    PictureBrowser &browser() { return *panel->F_ouvrir; }
    NameGridView &grid() { return *panel->F_ouvrir->L_fichouvrir; }

    // Ticks "Image" if needed, presses "AJOUT" and picks a picture type.
    void openBrowser(const QString &folder, const QString &type = QStringLiteral("JPG"))
    {
        browser().setBrowseFolder(folder);
        if (!panel->C_image->isChecked())
            QTest::mouseClick(panel->C_image, Qt::LeftButton);
        QTest::mouseClick(panel->B_ouvimag, Qt::LeftButton);
        QComboBox &types = *browser().L_formouvrir;
        for (int i = 0; i < types.count(); ++i)
            if (types.itemText(i).endsWith(type))
                types.setCurrentIndex(i);
    }
};

// The pointer moving over a widget with no button held.
void hover(QWidget *widget, QPoint at)
{
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The middle of a name's cell in the grid, in pixels (54 × 13 a cell).
QPoint cell(int index)
{
    return QPoint(index / 9 * 54 + 27, index % 9 * 13 + 6);
}

QString writeJpeg(const QTemporaryDir &dir, const QString &name, QSize size)
{
    const QString path = dir.filePath(name);
    return testfiles::writePicture(path, size) ? path : QString();
}

} // namespace

class TestPicturePanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void choosesThroughBrowser();
    void nameGridScrollBar_data();
    void nameGridScrollBar();
    void hoverPastLastName();
    void previewShapes_data();
    void previewShapes();
    void hostileFilesRefused_data();
    void hostileFilesRefused();
    void formatBarMovesRanges();
    void dragsWithMouse();
    void untickingHidesWithoutDeleting();
    void deletes();
    void recallsStoredPicture();
    void followsEditorPlacement();
    void cancelRemembersFolder();
    void unreadableDriveReverts();
    void formatList();

private:
    QString m_workingFolder;
};

void TestPicturePanel::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    m_workingFolder = QDir::currentPath();
}

void TestPicturePanel::choosesThroughBrowser()
{
    QTemporaryDir dir;
    QVERIFY(!writeJpeg(dir, "autre.jpg", QSize(20, 20)).isEmpty());
    QVERIFY(!writeJpeg(dir, "Vacances.Ete.2023.jpg", QSize(800, 400)).isEmpty());
    Window w;
    QSignalSpy focus(w.panel, &PicturePanel::textFocusWanted);
    w.openBrowser(dir.path());
    QVERIFY(w.browser().isVisible());
    QCOMPARE(w.grid().names(), (QStringList{"autre", "vacances"}));

    hover(&w.grid(), cell(1));
    QVERIFY(w.browser().L_ouvrir->isVisible());
    QVERIFY(w.browser().E_info->text().startsWith("Photo \n800 x 400 pixels\n"));
    QTest::mouseClick(&w.grid(), Qt::LeftButton, {}, cell(1));

    // Loaded under its whole name, fitted and resampled.
    QVERIFY(w.dialogs.shown.isEmpty());
    QVERIFY(!w.browser().isVisible());
    QVERIFY(w.panel->hasPicture());
    QCOMPARE(QSize(w.panel->xpixel(), w.panel->ypixel()), QSize(375, 188));
    QCOMPARE(w.panel->picture().pixelSize(), QSize(375, 188));
    QCOMPARE(w.panel->placement(), (PicturePlacement{15, 15, 3000, 1500}));
    QVERIFY(w.panel->F_etiquet->isVisible());
    QCOMPARE(w.panel->F_etiquet->geometry(), QRect(21, 31, 200, 100));
    QCOMPARE(w.panel->E_pixel->text(), QStringLiteral("Pixels image:375 x 188"));
    QCOMPARE(w.panel->E_qualite->text(), QStringLiteral("Qualité:180 pixels/pouce"));
    QCOMPARE(w.panel->E_qualite->palette().color(QPalette::Window), QColor(192, 255, 192));
    QCOMPARE(focus.count(), 1);
    // The browser remembers the folder; the program's own stays current.
    QCOMPARE(w.browser().browseFolder(), dir.path());
    QCOMPARE(QDir::currentPath(), m_workingFolder);
}

void TestPicturePanel::nameGridScrollBar_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("shownAtLastColumn");

    QTest::newRow("27") << 27 << false << 0 << 27;
    QTest::newRow("28") << 28 << true << 1 << 19;
    QTest::newRow("36") << 36 << true << 1 << 27;
}

void TestPicturePanel::nameGridScrollBar()
{
    QFETCH(int, count);
    QFETCH(bool, enabled);
    QFETCH(int, maximum);
    QFETCH(int, shownAtLastColumn);
    QTemporaryDir dir;
    QVERIFY(testfiles::writeNumbered(dir.path(), count));
    Window w;
    w.openBrowser(dir.path());
    QScrollBar &bar = *w.browser().A_fichouvrir;
    QCOMPARE(bar.isEnabled(), enabled);
    QCOMPARE(bar.maximum(), maximum);
    QCOMPARE(w.grid().names().size(), 27);
    QCOMPARE(w.grid().names().first(), QStringLiteral("pic00"));

    bar.setValue(maximum);
    QCOMPARE(w.grid().names().size(), shownAtLastColumn);
    QCOMPARE(w.grid().names().first(), QStringLiteral("pic%1").arg(maximum * 9, 2, 10, QLatin1Char('0')));
    QCOMPARE(w.grid().names().last(), QStringLiteral("pic%1").arg(count - 1, 2, 10, QLatin1Char('0')));
}

void TestPicturePanel::hoverPastLastName()
{
    QTemporaryDir dir;
    QVERIFY(testfiles::writeNumbered(dir.path(), 13));
    Window w;
    w.openBrowser(dir.path());
    hover(&w.grid(), cell(12));
    QCOMPARE(w.grid().selected(), 12);
    QVERIFY(w.browser().L_ouvrir->isVisible());

    // Below the last name of the second column.
    hover(&w.grid(), cell(14));
    QCOMPARE(w.grid().selected(), -1);
    QVERIFY(!w.browser().L_ouvrir->isVisible());
    QVERIFY(w.browser().hoveredPath().isEmpty());

    QTest::mouseClick(&w.grid(), Qt::LeftButton, {}, cell(14));
    QCOMPARE(w.dialogs.beeps, 1);
    QCOMPARE(w.dialogs.shown.size(), 1);
    QCOMPARE(w.dialogs.shown[0].title, QStringLiteral("NOM DE FICHIER ABSENT"));
    QCOMPARE(w.dialogs.shown[0].text, QStringLiteral("Indiquer un nom de fichier"));
    QCOMPARE(w.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QVERIFY(w.browser().isVisible());
    QVERIFY(!w.panel->hasPicture());
}

void TestPicturePanel::previewShapes_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("shown");   // pixels on screen
    QTest::newRow("portrait") << QSize(300, 600) << QSize(49, 98);
    QTest::newRow("square") << QSize(500, 500) << QSize(98, 98);
    QTest::newRow("landscape") << QSize(640, 480) << QSize(98, 73);
}

void TestPicturePanel::previewShapes()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, shown);
    QTemporaryDir dir;
    QVERIFY(!writeJpeg(dir, "photo.jpg", pixels).isEmpty());
    Window w;
    w.openBrowser(dir.path());
    hover(&w.grid(), cell(0));
    const QRect preview = w.browser().L_ouvrir->geometry();
    QCOMPARE(preview.size(), shown);
    // Centred in the box 4230..5700 × 195..1800 twips.
    const QPointF boxCentre(4965 / 15.0, 997.5 / 15.0);
    QVERIFY(qAbs(preview.x() + preview.width() / 2.0 - boxCentre.x()) <= 1.0);
    QVERIFY(qAbs(preview.y() + preview.height() / 2.0 - boxCentre.y()) <= 1.0);
    QCOMPARE(w.browser().E_info->text(),
             QStringLiteral("Photo \n%1 x %2 pixels\n").arg(pixels.width()).arg(pixels.height())
                 + QFileInfo(dir.filePath("photo.jpg")).lastModified().toString("dd/MM/yyyy"));
}

void TestPicturePanel::hostileFilesRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("type");

    QTest::newRow("a letter named jpg") << "lettre.jpg" << testfiles::letter() << "JPG";
    QTest::newRow("a JPEG cut in half") << "moitie.jpg" << testfiles::truncatedJpeg() << "JPG";
    QTest::newRow("a BMP claiming 100000 square") << "enorme.bmp" << testfiles::bmpClaiming(100000, 100000) << "BMP";
    QTest::newRow("an empty PNG") << "vide.png" << QByteArray("") << "PNG";
    QTest::newRow("a BMP claiming a negative width") << "envers.bmp" << testfiles::bmpClaiming(-50, 20) << "BMP";
}

void TestPicturePanel::hostileFilesRefused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, type);
    QTemporaryDir good;
    QTemporaryDir bad;
    const QString goodPath = writeJpeg(good, "bon.jpg", QSize(400, 400));
    const QString badPath = bad.filePath(name);
    QVERIFY(testfiles::writeBytes(badPath, bytes));

    Window w;
    QVERIFY(w.panel->openPicture(goodPath));
    const PicturePlacement placement = w.panel->placement();
    const QSize pixels = w.panel->picture().pixelSize();

    w.openBrowser(bad.path(), type);
    QCOMPARE(w.grid().names().size(), 1);
    hover(&w.grid(), cell(0));
    QVERIFY(!w.browser().L_ouvrir->isVisible());
    QVERIFY(w.browser().E_info->text().startsWith("Photo \nimage illisible"));
    QTest::mouseClick(&w.grid(), Qt::LeftButton, {}, cell(0));

    QCOMPARE(w.dialogs.shown.size(), 1);
    QCOMPARE(w.dialogs.shown[0].title, QStringLiteral("IMAGE ILLISIBLE"));
    QCOMPARE(w.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QVERIFY(w.dialogs.shown[0].text.startsWith(unreadablePictureMessage(badPath)));
    // The label keeps its picture; the browser stays open for another try.
    QVERIFY(w.panel->hasPicture());
    QCOMPARE(w.panel->placement(), placement);
    QCOMPARE(w.panel->picture().pixelSize(), pixels);
    QCOMPARE(w.panel->L_etiquet->picture().pixelSize(), pixels);
    QVERIFY(w.panel->F_etiquet->isVisible());
    QVERIFY(w.browser().isVisible());

    // Opened directly, the same answer.
    w.dialogs.clear();
    QVERIFY(!w.panel->openPicture(badPath));
    QCOMPARE(w.dialogs.shown.size(), 1);
    QCOMPARE(w.dialogs.shown[0].title, QStringLiteral("IMAGE ILLISIBLE"));
    QCOMPARE(w.panel->placement(), placement);
}

void TestPicturePanel::formatBarMovesRanges()
{
    QTemporaryDir dir;
    Window w;
    QVERIFY(w.panel->openPicture(writeJpeg(dir, "carre.jpg", QSize(400, 400))));
    PicturePanel &p = *w.panel;
    QCOMPARE(p.A_format->maximum(), 1500);   // height mode: the label is wider than the square
    QCOMPARE(p.A_left->maximum(), 1815);
    QCOMPARE(p.A_top->maximum(), 465);

    p.A_format->setValue(750);
    QCOMPARE(p.A_left->maximum(), 2565);
    QCOMPARE(p.A_top->maximum(), 1215);
    QCOMPARE(p.E_format->text(), QStringLiteral("Format:13,2 x 13,2 mm"));
    p.A_left->setValue(2565);
    p.A_top->setValue(1215);
    QCOMPARE(p.F_etiquet->geometry(), QRect(171, 81, 50, 50));
    QCOMPARE(p.E_left->text(), QStringLiteral("Gauche:39,9 mm"));
    QCOMPARE(p.E_top->text(), QStringLiteral("Haut :13,5 mm"));

    // Enlarged again: the bars pull the picture back inside the label.
    p.A_format->setValue(1500);
    QCOMPARE(p.A_left->value(), 1815);
    QCOMPARE(p.A_top->value(), 465);
    QCOMPARE(p.F_etiquet->geometry(), QRect(121, 31, 100, 100));
    QCOMPARE(p.E_left->text(), QStringLiteral("Gauche:26,7 mm"));
}

void TestPicturePanel::dragsWithMouse()
{
    QTemporaryDir dir;
    Window w;
    PicturePanel &p = *w.panel;
    QVERIFY(p.openPicture(writeJpeg(dir, "carre.jpg", QSize(400, 400))));
    p.A_format->setValue(750);   // 50 × 50 pixels at (21, 31)
    QWidget *picture = p.L_etiquet;

    hover(picture, QPoint(25, 25));
    QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(25, 25));
    QCOMPARE(picture->cursor().shape(), Qt::SizeAllCursor);
    QCOMPARE(w.window.cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(picture, QPoint(45, 35));
    QCOMPARE(p.F_etiquet->pos(), QPoint(41, 41));
    QCOMPARE(p.A_left->value(), 615);
    // Into the left margin: that axis stays, the other follows.
    QTest::mouseMove(picture, QPoint(-5, 27));
    QCOMPARE(p.F_etiquet->pos(), QPoint(41, 43));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(-5, 27));
    QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(w.window.cursor().shape(), Qt::ArrowCursor);

    // The right edge: grows the picture, within A_format's range only.
    hover(picture, QPoint(48, 25));
    QCOMPARE(picture->cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(48, 25));
    QTest::mouseMove(picture, QPoint(58, 25));
    QCOMPARE(p.F_etiquet->geometry(), QRect(41, 43, 60, 60));
    QCOMPARE(p.A_format->value(), 900);
    QTest::mouseMove(picture, QPoint(200, 25));   // 1500 + more than A_format allows
    QCOMPARE(p.A_format->value(), 900);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(200, 25));
    QCOMPARE(p.placement(), (PicturePlacement{315, 195, 900, 900}));
}

void TestPicturePanel::untickingHidesWithoutDeleting()
{
    QTemporaryDir dir;
    Window w;
    PicturePanel &p = *w.panel;
    QVERIFY(p.openPicture(writeJpeg(dir, "photo.jpg", QSize(300, 200))));
    QVERIFY(p.C_image->isChecked());
    QVERIFY(p.F_etiquet->isVisible() && p.A_format->isVisible() && p.E_qualite->isVisible());

    QTest::mouseClick(p.C_image, Qt::LeftButton);
    QVERIFY(!p.C_image->isChecked());
    QVERIFY(!p.F_etiquet->isVisible());
    for (QWidget *control : std::initializer_list<QWidget *>{p.B_ouvimag, p.B_supimag, p.A_format, p.A_left,
                                                              p.A_top, p.E_format, p.E_left, p.E_top, p.E_pixel,
                                                              p.E_qualite})
        QVERIFY2(!control->isVisible(), qPrintable(control->objectName()));
    QVERIFY(p.hasPicture());

    QTest::mouseClick(p.C_image, Qt::LeftButton);
    QVERIFY(p.F_etiquet->isVisible());
    QVERIFY(p.A_format->isVisible() && p.B_ouvimag->isVisible());
    QCOMPARE(p.F_ouvrir->pos(), QPoint(0, 0));
}

void TestPicturePanel::deletes()
{
    QTemporaryDir dir;
    Window w;
    PicturePanel &p = *w.panel;
    QVERIFY(p.openPicture(writeJpeg(dir, "photo.jpg", QSize(300, 200))));
    QTest::mouseClick(p.B_supimag, Qt::LeftButton);
    QVERIFY(!p.hasPicture());
    QVERIFY(p.picture().isNull());
    QVERIFY(!p.F_etiquet->isVisible());
    QVERIFY(!p.C_image->isChecked());
    QVERIFY(!p.A_format->isVisible() && !p.B_supimag->isVisible());
    QVERIFY(!p.sauvimage(dir.filePath("rien.bmp")));
}

void TestPicturePanel::recallsStoredPicture()
{
    Window w;
    PicturePanel &p = *w.panel;
    QImage stored(QSize(200, 100), QImage::Format_RGB32);
    stored.fill(Qt::darkGreen);
    // Stored for a bigger label: shrunk to fit this one, kept inside.
    p.restorePicture(Picture::fromImage(stored), PicturePlacement{5000, 5000, 4000, 2000});
    QVERIFY(p.C_image->isChecked());
    QVERIFY(p.F_etiquet->isVisible());
    QCOMPARE(p.placement(), (PicturePlacement{15, 15, 3000, 1500}));
    QCOMPARE(p.A_format->maximum(), 3000);
    QCOMPARE(p.A_format->value(), 3000);
    QCOMPARE(p.E_pixel->text(), QStringLiteral("Pixels image:200 x 100"));
    QCOMPARE(p.E_qualite->text(), QStringLiteral("Qualité:96 pixels/pouce"));
    QCOMPARE(p.E_qualite->palette().color(QPalette::Window), QColor(192, 0, 0));
    QCOMPARE(p.E_qualite->palette().color(QPalette::WindowText), QColor(Qt::white));

    p.clearPicture();
    QVERIFY(!p.hasPicture());
    QVERIFY(!p.F_etiquet->isVisible());
    QVERIFY(!p.C_image->isChecked());
    QVERIFY(p.E_format->text().isEmpty() && p.E_left->text().isEmpty() && p.E_top->text().isEmpty()
            && p.E_qualite->text().isEmpty());
    QCOMPARE(p.E_pixel->text(), QStringLiteral("Pixels image:200 x 100"));
}

void TestPicturePanel::followsEditorPlacement()
{
    QTemporaryDir dir;
    Window w;
    QVERIFY(w.panel->openPicture(writeJpeg(dir, "carre.jpg", QSize(400, 400))));
    // createtiq for a smaller label, elsewhere in the window.
    w.editor->setGeometryTwips(QRect(600, 450, 1530, 630));
    w.panel->editorPlaced();
    QCOMPARE(w.panel->placement(), (PicturePlacement{15, 15, 600, 600}));
    QCOMPARE(w.panel->F_etiquet->geometry(), QRect(41, 31, 40, 40));
    QCOMPARE(w.panel->A_format->maximum(), 600);
}

void TestPicturePanel::cancelRemembersFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("Zoo"));
    QVERIFY(testfiles::writeNumbered(dir.filePath("Zoo"), 2));
    Window w;
    w.openBrowser(dir.path());
    QCOMPARE(w.grid().names().size(), 0);

    QListWidget &folders = *w.browser().R_repouvrir;
    QListWidgetItem *zoo = nullptr;
    for (int i = 0; i < folders.count(); ++i)
        if (folders.item(i)->data(Qt::UserRole).toString() == dir.filePath("Zoo"))
            zoo = folders.item(i);
    QVERIFY(zoo);
    QTest::mouseClick(folders.viewport(), Qt::LeftButton, {}, folders.visualItemRect(zoo).center());
    QCOMPARE(w.browser().folder(), dir.filePath("Zoo"));
    QCOMPARE(w.grid().names(), (QStringList{"pic00", "pic01"}));

    QTest::mouseClick(w.browser().B_annulouvfich, Qt::LeftButton);
    QVERIFY(!w.browser().isVisible());
    QCOMPARE(w.browser().browseFolder(), dir.filePath("Zoo"));
    QCOMPARE(QDir::currentPath(), m_workingFolder);
    QVERIFY(!w.panel->hasPicture());

    QTest::mouseClick(w.panel->B_ouvimag, Qt::LeftButton);
    QCOMPARE(w.browser().folder(), dir.filePath("Zoo"));
}

void TestPicturePanel::unreadableDriveReverts()
{
    QTemporaryDir dir;
    Window w;
    w.openBrowser(dir.path());
    QComboBox &drives = *w.browser().R_lectouvrir;
    const QString before = drives.currentText();
    QCOMPARE(w.browser().browseDrive(), before);
    drives.addItem(dir.filePath("nowhere"));
    drives.setCurrentIndex(drives.count() - 1);
    QCOMPARE(drives.currentText(), before);
    QCOMPARE(w.browser().folder(), dir.path());
}

void TestPicturePanel::formatList()
{
    QTemporaryDir dir;
    Window w;
    w.openBrowser(dir.path());
    const QComboBox &types = *w.browser().L_formouvrir;
    QStringList entries;
    for (int i = 0; i < types.count(); ++i)
        entries.append(types.itemText(i));
    QCOMPARE(entries, (QStringList{"Format JPEG JPG", "Format Bitmap BMP", "Format Windows Metafile WMF",
                                   "Format Icone ICO", "Format Portable Network Graphics PNG"}));
}

QTEST_MAIN(TestPicturePanel)
#include "tst_picturepanel.moc"
