// Times, with the shipped catalogue (the program's own types and the makers'
// sheets, about 750), the start of the main window, the filtering of the
// type list on each of 10 keystrokes, and opening the catalogue window.
//   bench_catalogue [RUNS] [--own-only]
// With --own-only the makers' sheets are taken out first: the start-up of a
// catalogue of the program's own types, to compare with.
// Run with QT_QPA_PLATFORM=offscreen.

#include "../support/benchwindow.h"

#include "app/functionlist.h"
#include "catalogue/cataloguewindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>

#include <cstring>

using namespace bench;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 && std::isdigit(uchar(argv[1][0])) ? std::max(1, atoi(argv[1])) : 9;
    const bool ownOnly = argc > 1 && std::strcmp(argv[argc - 1], "--own-only") == 0;

    QTemporaryDir folder;
    QFile::copy(QStringLiteral(KALVENOR_PROGRAM_DIR "/etiquet.mdb"), folder.filePath("etiquet.mdb"));
    QFile::setPermissions(folder.filePath("etiquet.mdb"), QFile::ReadOwner | QFile::WriteOwner);
    if (ownOnly) {
        Database db;
        if (!db.open(folder.filePath("etiquet.mdb"))
            || !db.execute("DELETE FROM ETIQ WHERE nom IN (SELECT nom FROM MAKERSHEETS)") || !db.execute("VACUUM"))
            return 1;
    }
    {
        // The first start makes the personal catalogue; the runs time the
        // starts of every day after it.
        StartedWindow first;
        if (!first.start(folder.path(), QStringLiteral("3x8")))
            return 1;
    }
    std::vector<double> starts, keys, catalogue;
    int types = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        StartedWindow started;
        if (!started.start(folder.path(), QStringLiteral("3x8")))
            return 1;
        QCoreApplication::processEvents();
        starts.push_back(timer.nsecsElapsed() / 1e6);
        MainWindow &window = started.window;

        window.L_fonction_Click(FunctionList::selection);
        types = window.L_etiq->count();
        for (const char key : QByteArray("herma 4614")) {
            timer.start();
            window.T_chercheetiq->insert(QString(QLatin1Char(key)));   // as a keystroke types it
            QCoreApplication::processEvents();
            keys.push_back(timer.nsecsElapsed() / 1e6);
        }
        timer.start();
        window.L_fonction_Click(FunctionList::catalogue);
        QCoreApplication::processEvents();
        catalogue.push_back(timer.nsecsElapsed() / 1e6);
        if (auto *open = window.findChild<CatalogueWindow *>())
            open->close();
        QCoreApplication::processEvents();
    }
    std::printf("%d types in the catalogue\n", types);
    std::printf("start the main window:        median %.1f ms (%d runs)\n", median(starts), runs);
    std::printf("filter the list on a keystroke: median %.2f ms (%zu keystrokes)\n", median(keys), keys.size());
    std::printf("open the catalogue window:    median %.1f ms\n", median(catalogue));
    std::printf("peak memory: %.1f MB\n", peakMegabytes());
    return 0;
}
