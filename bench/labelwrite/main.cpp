// Times one left click that writes a label with two fonts and a picture into
// all 96 cells of a 6 x 16 sheet, and clearing that page. Prints median times
// and the peak memory. Run with QT_QPA_PLATFORM=offscreen.

#include "app/mainwindow.h"
#include "editor/editorpanel.h"
#include "editor/labeleditor.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetpanel.h"
#include "editor/sheetview.h"
#include "platform/choosers.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "storage/etiqtable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Machine final : Environment {
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    double screenWidthTwips() const override { return 1280 * 15; }
    double screenHeightTwips() const override { return 1024 * 15; }
    int printerCount() const override { return 1; }
};

struct Answers final : Dialogs {
    Answer message(const QString &title, const QString &, Icon, Buttons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(title));
        return Answer::Yes;
    }
    void beep() override {}
};

struct NoChoice final : Choosers {
    std::optional<FontChoice> chooseFont(const FontChoice &) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    QTemporaryDir folder;
    QFile::copy(QStringLiteral(KALVENOR_PROGRAM_DIR "/etiquet.mdb"), folder.filePath("etiquet.mdb"));
    QFile::setPermissions(folder.filePath("etiquet.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    photo.save(folder.filePath("photo.jpg"));

    Machine machine;
    Answers dialogs;
    NoChoice choosers;
    MainWindow window(machine, dialogs, choosers);
    if (!window.Form_Load(folder.path())) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    window.state().initbd(*etiqtable::find(window.workingDatabase(), QStringLiteral("6x16")));
    window.createtiq();
    window.show();
    window.picture->openPicture(folder.filePath("photo.jpg"));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);

    std::vector<double> writes;
    std::vector<double> clears;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        // Clearing the page empties the editor: the label is typed again.
        QTextCursor cursor(window.editor->document());
        cursor.insertText(QStringLiteral("Miel "), bold);
        cursor.insertText(QStringLiteral("de lavande"), QTextCharFormat());
        window.T_nombre->setText(QStringLiteral("96"));
        timer.start();
        window.sheetPanel->I_etiq_MouseUp(0, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::processEvents();
        writes.push_back(timer.nsecsElapsed() / 1e6);
        if (window.sheet().state(95) != WorkingSheet::State::Written) {
            std::fprintf(stderr, "the click did not write the page\n");
            return 1;
        }
        timer.start();
        window.sheetPanel->effacpage();
        QCoreApplication::processEvents();
        clears.push_back(timer.nsecsElapsed() / 1e6);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("write 96 labels with a picture, one click: median %.1f ms (%d runs)\n", median(writes), runs);
    std::printf("clear the page of 96 labels:              median %.1f ms\n", median(clears));
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
