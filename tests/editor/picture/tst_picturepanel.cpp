#include "scripteddialogs.h"

#include "editor/picture/namegridview.h"
#include "editor/picture/picturebrowser.h"
#include "editor/picture/picturepanel.h"
#include "editor/picture/pictureview.h"
#include "platform/imaging/picturemessage.h"
#include "platform/units.h"
#include "storage/appstate.h"
#include "testfiles.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// The pointer moving over a widget with no button held.
void hover(QWidget *widget, QPoint at)
{
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The middle of a name's cell in the grid (54 × 13 pixels a cell).
QPoint cell(int index) { return QPoint(index / 9 * 54 + 27, index % 9 * 13 + 6); }

QByteArray encoded(QSize size, const char *format = "jpeg")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

// The path of the file written, or nothing when it could not be written.
QString written(const QString &path, const QByteArray &bytes)
{
    return writeFile(path, bytes) ? path : QString();
}

// The label editor at 3030 × 1530 twips, (20, 30) 202 × 102 in pixels:
// usable 3000 × 1500 twips, a resampling box of 375 × 188 pixels.
struct Window {
    QTemporaryDir files;
    AppState state;
    ScriptedDialogs dialogs;
    QWidget window;
    QWidget *editor = new QWidget(&window);   // stands for the label editor: only its place matters
    PicturePanel *panel = nullptr;

    Window()
    {
        window.resize(1000, 760);
        editor->setGeometry(units::twipsToPixels(QRect(300, 450, 3030, 1530)));
        auto *host = new QWidget(&window);
        host->setGeometry(20, 600, 640, 90);
        panel = new PicturePanel(&window, editor, host, state, dialogs);
        window.show();
    }
    QString jpeg(const QString &name, QSize size) { return written(files.filePath(name), encoded(size)); }
    PictureBrowser &browser() { return *panel->F_ouvrir; }
    NameGridView &grid() { return *panel->F_ouvrir->L_fichouvrir; }

    // "Image" ticked, "AJOUT" pressed, a picture type chosen.
    void openBrowser(const QString &folder, const QString &type = QStringLiteral("JPG"))
    {
        browser().setBrowseFolder(folder);
        if (!panel->C_image->isChecked())
            QTest::mouseClick(panel->C_image, Qt::LeftButton);
        QTest::mouseClick(panel->B_ouvimag, Qt::LeftButton);
        QComboBox &types = *browser().L_formouvrir;
        types.setCurrentIndex(types.findText(type, Qt::MatchEndsWith));
    }
};

} // namespace

class TestPicturePanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    // Scrolled past the last name, into a folder past a drive that cannot be
    // read, cancelled, opened again where it was left, and a picture chosen.
    void browsesAndChooses()
    {
        const QString workingFolder = QDir::currentPath();
        Window w;
        const QDir dir(w.files.path());
        for (int i = 0; i < 28; ++i)
            QVERIFY(!w.jpeg(QStringLiteral("pic%1.jpg").arg(i, 2, 10, QLatin1Char('0')), QSize(8, 6)).isEmpty());
        QVERIFY(dir.mkpath("Zoo"));
        QVERIFY(!w.jpeg("Zoo/autre.jpg", QSize(20, 20)).isEmpty());
        QVERIFY(!w.jpeg("Zoo/Vacances.Ete.2023.jpg", QSize(800, 400)).isEmpty());
        QSignalSpy focus(w.panel, &PicturePanel::textFocusWanted);
        w.openBrowser(dir.path());
        QScrollBar &bar = *w.browser().A_fichouvrir;
        QVERIFY(bar.isEnabled());
        bar.setValue(1);
        QCOMPARE(w.grid().names().first(), QStringLiteral("pic09"));
        hover(&w.grid(), cell(18));   // the last name, alone in the third column
        QCOMPARE(w.grid().selected(), 18);
        QVERIFY(w.browser().L_ouvrir->isVisible());
        hover(&w.grid(), cell(19));   // below it
        QCOMPARE(w.grid().selected(), -1);
        QVERIFY(!w.browser().L_ouvrir->isVisible());
        QTest::mouseClick(&w.grid(), Qt::LeftButton, {}, cell(19));
        QCOMPARE(w.dialogs.beeps, 1);
        QCOMPARE(w.dialogs.shown.size(), 1);
        QCOMPARE((QStringList{w.dialogs.shown[0].title, w.dialogs.shown[0].text}),
                 (QStringList{"NOM DE FICHIER ABSENT", "Indiquer un nom de fichier"}));
        QCOMPARE(w.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
        QVERIFY(w.browser().isVisible());

        // A drive that cannot be read: the list goes back to the last one.
        QComboBox &drives = *w.browser().R_lectouvrir;
        const QString drive = drives.currentText();
        drives.addItem(dir.filePath("nowhere"));
        drives.setCurrentIndex(drives.count() - 1);
        QCOMPARE(drives.currentText(), drive);
        QCOMPARE(w.browser().folder(), dir.path());
        QListWidget &folders = *w.browser().R_repouvrir;
        QListWidgetItem *item = folders.findItems("Zoo", Qt::MatchEndsWith).value(0);
        QVERIFY(item);
        QTest::mouseClick(folders.viewport(), Qt::LeftButton, {}, folders.visualItemRect(item).center());
        QCOMPARE(w.grid().names(), (QStringList{"autre", "vacances"}));
        QTest::mouseClick(w.browser().B_annulouvfich, Qt::LeftButton);
        QVERIFY(!w.browser().isVisible());
        QTest::mouseClick(w.panel->B_ouvimag, Qt::LeftButton);
        QCOMPARE(w.browser().folder(), dir.filePath("Zoo"));

        hover(&w.grid(), cell(1));
        QVERIFY(w.browser().E_info->text().startsWith("Photo \n800 x 400 pixels\n"));
        QCOMPARE(w.browser().L_ouvrir->geometry(), QRect(282, 42, 98, 49));   // 1470 × 735 twips, centred
        QTest::mouseClick(&w.grid(), Qt::LeftButton, {}, cell(1));
        // Loaded under its whole name, fitted and resampled.
        QCOMPARE(w.dialogs.shown.size(), 1);
        QVERIFY(!w.browser().isVisible());
        QCOMPARE(w.panel->picture().pixelSize(), QSize(375, 188));
        QCOMPARE(w.panel->placement(), (PicturePlacement{15, 15, 3000, 1500}));
        QCOMPARE(w.panel->E_qualite->palette().color(QPalette::Window), QColor(192, 255, 192));
        QCOMPARE(focus.count(), 1);
        // The browser keeps the folder; the process's working folder never moved.
        QCOMPARE(w.browser().browseFolder(), dir.filePath("Zoo"));
        QCOMPARE(QDir::currentPath(), workingFolder);
    }

    // A BMP claiming 100000 × 100000 pixels, hovered and clicked in the
    // browser (of another type than the first), then opened directly.
    void hostileFileRefused()
    {
        Window w;
        QByteArray bmp = encoded(QSize(4, 4), "bmp").left(54);   // the header alone
        qToLittleEndian(qint32(100000), bmp.data() + 18);
        qToLittleEndian(qint32(100000), bmp.data() + 22);
        const QString badPath = written(w.files.filePath("enorme.bmp"), bmp);
        QVERIFY(!badPath.isEmpty());
        QVERIFY(w.panel->openPicture(w.jpeg("bon.jpg", QSize(400, 400))));
        const PicturePlacement placement = w.panel->placement();
        const QSize pixels = w.panel->picture().pixelSize();
        w.openBrowser(w.files.path(), "BMP");
        hover(&w.grid(), cell(0));
        QVERIFY(w.browser().E_info->text().startsWith("Photo \nimage illisible"));
        QTest::mouseClick(&w.grid(), Qt::LeftButton, {}, cell(0));
        QVERIFY(!w.panel->openPicture(badPath));
        QCOMPARE(w.dialogs.shown.size(), 2);
        for (const ScriptedDialogs::Shown &shown : w.dialogs.shown) {
            QCOMPARE(shown.title, QStringLiteral("IMAGE ILLISIBLE"));
            QCOMPARE(shown.icon, Dialogs::Icon::Exclamation);
            QVERIFY(shown.text.startsWith(unreadablePictureMessage(badPath)));
        }
        // The label keeps its picture; the browser stays open for another try.
        QCOMPARE(w.panel->placement(), placement);
        QCOMPARE(w.panel->L_etiquet->picture().pixelSize(), pixels);
        QVERIFY(w.panel->F_etiquet->isVisible());
        QVERIFY(w.browser().isVisible());
    }

    // Dragged with the mouse, then placed with the bars, then carried along
    // when the editor changes.
    void dragsBarsAndFollowsEditor()
    {
        Window w;
        PicturePanel &p = *w.panel;
        QVERIFY(p.openPicture(w.jpeg("carre.jpg", QSize(400, 400))));
        p.A_format->setValue(750);   // 50 × 50 pixels at (21, 31)
        QCOMPARE(p.E_format->text(), QStringLiteral("Format:13,2 x 13,2 mm"));
        QWidget *picture = p.L_etiquet;
        hover(picture, QPoint(25, 25));
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(25, 25));
        QCOMPARE(picture->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(w.window.cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseMove(picture, QPoint(45, 35));
        QCOMPARE(p.F_etiquet->pos(), QPoint(41, 41));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(45, 35));
        QCOMPARE(w.window.cursor().shape(), Qt::ArrowCursor);

        hover(picture, QPoint(48, 25));   // the right edge
        QCOMPARE(picture->cursor().shape(), Qt::SizeHorCursor);
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(48, 25));
        QTest::mouseMove(picture, QPoint(58, 25));
        QCOMPARE(p.F_etiquet->geometry(), QRect(41, 41, 60, 60));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(58, 25));
        QCOMPARE(p.A_format->value(), 900);
        QCOMPARE(picture->cursor().shape(), Qt::ArrowCursor);

        p.A_format->setValue(750);
        p.A_left->setValue(p.A_left->maximum());
        p.A_top->setValue(p.A_top->maximum());
        QCOMPARE(p.F_etiquet->geometry(), QRect(171, 81, 50, 50));   // 15 twips from the far corner
        p.A_format->setValue(1500);   // the bars pull the picture back inside
        QCOMPARE(QPoint(p.A_left->value(), p.A_top->value()), QPoint(1815, 465));
        QCOMPARE(p.F_etiquet->geometry(), QRect(121, 31, 100, 100));
        QCOMPARE(p.E_left->text(), QStringLiteral("Gauche:26,7 mm"));
        w.editor->setGeometry(units::twipsToPixels(QRect(600, 450, 1530, 630)));   // createtiq for a smaller label
        p.editorPlaced();   // shrunk to the new height, pushed back from the right margin
        QCOMPARE(p.placement(), (PicturePlacement{915, 15, 600, 600}));
        QCOMPARE(p.F_etiquet->geometry(), QRect(101, 31, 40, 40));
    }

    void recallsHidesAndDeletes()
    {
        Window w;
        PicturePanel &p = *w.panel;
        QImage stored(QSize(200, 100), QImage::Format_RGB32);
        stored.fill(Qt::darkGreen);
        // Stored for a bigger label: shrunk to this one, kept inside.
        p.restorePicture(Picture::fromImage(stored), PicturePlacement{5000, 5000, 4000, 2000});
        QVERIFY(p.C_image->isChecked());
        QVERIFY(p.F_etiquet->isVisible());
        QCOMPARE(p.placement(), (PicturePlacement{15, 15, 3000, 1500}));
        QCOMPARE(p.A_format->value(), 3000);
        QCOMPARE(p.E_pixel->text(), QStringLiteral("Pixels image:200 x 100"));
        QCOMPARE(p.E_qualite->text(), QStringLiteral("Qualité:96 pixels/pouce"));
        QCOMPARE(p.E_qualite->palette().color(QPalette::WindowText), QColor(Qt::white));
        p.clearPicture();
        QVERIFY(!p.hasPicture() && !p.F_etiquet->isVisible() && !p.C_image->isChecked());
        QVERIFY(p.E_format->text().isEmpty() && p.E_left->text().isEmpty() && p.E_qualite->text().isEmpty());
        QCOMPARE(p.E_pixel->text(), QStringLiteral("Pixels image:200 x 100"));

        QVERIFY(p.openPicture(w.jpeg("photo.jpg", QSize(300, 200))));
        const std::initializer_list<QWidget *> controls{p.B_ouvimag, p.B_supimag, p.A_format, p.A_left, p.A_top,
                                                        p.E_format,  p.E_left,    p.E_top,    p.E_pixel, p.E_qualite};
        QTest::mouseClick(p.C_image, Qt::LeftButton);   // hidden, not deleted
        QVERIFY(!p.F_etiquet->isVisible());
        for (QWidget *control : controls)
            QVERIFY2(!control->isVisible(), qPrintable(control->objectName()));
        QVERIFY(p.hasPicture());
        QTest::mouseClick(p.C_image, Qt::LeftButton);
        QVERIFY(p.F_etiquet->isVisible());
        for (QWidget *control : controls)
            QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
        QTest::mouseClick(p.B_supimag, Qt::LeftButton);
        QVERIFY(p.picture().isNull() && !p.F_etiquet->isVisible() && !p.C_image->isChecked());
    }
};

QTEST_MAIN(TestPicturePanel)
#include "tst_picturepanel.moc"
