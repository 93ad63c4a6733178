// Times saving and reopening a full 6 x 16 page through the frame F_modele:
// 96 labels, each with a photo and two fonts.
//   bench_pages [RUNS] [KEEPDIR]
// Prints the median of each and the peak memory after each phase. With
// KEEPDIR the program folder stays there, so that printing the saved page
// can be timed, e.g.
//   farm-bench -- build/bin/kalvenor --print-pdf /tmp/p.pdf "KEEPDIR/etiqperso/pagetiq/page 0"
// Run with QT_QPA_PLATFORM=offscreen.

#include "../support/benchwindow.h"

#include "app/functionlist.h"
#include "editor/editorpanel.h"
#include "editor/picture/picturepanel.h"
#include "editor/sheetpanel.h"
#include "library/libraryframe.h"
#include "storage/pagetable.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextCursor>

using namespace bench;

namespace {

// The page frame's OK with `name` and `option`; the milliseconds it took.
double confirm(MainWindow &window, const QString &name, QRadioButton *option)
{
    window.L_fonction_Click(FunctionList::pages);
    window.F_modele->L_modele->setText(name);
    option->setChecked(true);
    QElapsedTimer timer;
    timer.start();
    window.B_okmodele_Click();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    QDir().mkpath(folder);

    StartedWindow started;
    if (!started.start(folder, QStringLiteral("6x16"))) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    MainWindow &window = started.window;
    window.picture->openPicture(writePhoto(folder));
    QTextCursor cursor(window.editor->document());
    QTextCharFormat title;
    title.setFont(QFont(QStringLiteral("Liberation Serif"), 12, QFont::Bold));
    QTextCharFormat body;
    body.setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    cursor.insertText(QStringLiteral("Miel de lavande"), title);
    cursor.insertBlock(QTextBlockFormat(), body);
    cursor.insertText(QStringLiteral("Récolte 2026"), body);
    window.T_nombre->setText(QStringLiteral("96"));
    window.sheetPanel->I_etiq_MouseUp(0, Qt::LeftButton, Qt::NoModifier);
    if (pagetable::count(window.workingDatabase()) != 96) {
        std::fprintf(stderr, "the page was not written\n");
        return 1;
    }

    std::vector<double> saves;
    for (int run = 0; run < runs; ++run)
        saves.push_back(confirm(window, QStringLiteral("page %1").arg(run), window.F_modele->O_ajout));
    const double afterSaves = peakMegabytes();
    std::vector<double> opens;
    for (int run = 0; run < runs; ++run) {
        opens.push_back(confirm(window, QStringLiteral("page %1").arg(run), window.F_modele->O_ouvrir));
        if (pagetable::count(window.workingDatabase()) != 96 || !window.sheet().picture(95)) {
            std::fprintf(stderr, "the page did not come back whole\n");
            return 1;
        }
    }
    std::printf("save a 6 x 16 page (photo, two fonts): median %.1f ms (%d runs), peak memory %.1f MB\n",
                median(saves), runs, afterSaves);
    std::printf("open that page:                        median %.1f ms, peak memory %.1f MB\n", median(opens),
                peakMegabytes());
    std::printf("page folder: %s\n", qPrintable(QDir(folder).filePath(QStringLiteral("etiqperso/pagetiq/page 0"))));
    return 0;
}
