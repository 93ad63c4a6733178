// Times one left click that writes a label with two fonts and a picture into
// all 96 cells of a 6 x 16 sheet, and clearing that page. Prints median times
// and the peak memory. Run with QT_QPA_PLATFORM=offscreen.

#include "../support/benchwindow.h"

#include "editor/editorpanel.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetpanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTextCursor>

using namespace bench;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    QTemporaryDir folder;
    StartedWindow started;
    if (!started.start(folder.path(), QStringLiteral("6x16"))) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    MainWindow &window = started.window;
    window.picture->openPicture(writePhoto(folder.path()));
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
    std::printf("write 96 labels with a picture, one click: median %.1f ms (%d runs)\n", median(writes), runs);
    std::printf("clear the page of 96 labels:              median %.1f ms\n", median(clears));
    std::printf("peak memory: %.1f MB\n", peakMegabytes());
    return 0;
}
