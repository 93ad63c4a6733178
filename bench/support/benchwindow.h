#pragma once

// What the benchmarks that drive the main window share: a machine with a
// 1280 x 1024 screen and a printer, dialogs that answer Yes, no chooser, and
// the figures they print.

#include "app/mainwindow.h"
#include "platform/choosers.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "storage/etiqtable.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

struct Machine final : Environment {
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    double screenWidthTwips() const override { return 1280 * 15; }
    double screenHeightTwips() const override { return 1024 * 15; }
    int printerCount() const override { return 1; }
};

struct Answers final : Dialogs {
    Answer message(const QString &title, const QString &text, Icon, Buttons) override
    {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
        return Answer::Yes;
    }
    void beep() override {}
};

struct NoChoice final : Choosers {
    std::optional<FontChoice> chooseFont(const FontChoice &) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
};

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// A photograph-like picture of 1600 x 1200 pixels saved as a JPEG.
inline QString writePhoto(const QString &folder)
{
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    const QString path = folder + QStringLiteral("/photo.jpg");
    photo.save(path);
    return path;
}

// The main window started in `folder` (a copy of the shipped database is put
// there) on the sheet type `type`, shown.
struct StartedWindow {
    Machine machine;
    Answers dialogs;
    NoChoice choosers;
    MainWindow window{machine, dialogs, choosers};

    bool start(const QString &folder, const QString &type)
    {
        // Kept when already there: a later start of the same folder.
        QFile::copy(QStringLiteral(KALVENOR_PROGRAM_DIR "/etiquet.mdb"), folder + QStringLiteral("/etiquet.mdb"));
        QFile::setPermissions(folder + QStringLiteral("/etiquet.mdb"), QFile::ReadOwner | QFile::WriteOwner);
        if (!window.Form_Load(folder))
            return false;
        window.state().initbd(*etiqtable::find(window.workingDatabase(), type));
        window.createtiq();
        window.show();
        return true;
    }
};

} // namespace bench
