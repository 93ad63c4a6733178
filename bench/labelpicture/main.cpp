// Times a 4000 × 3000 photo going onto a 70 × 37 mm label: reading the JPEG,
// then fitting it and resampling it to 180 pixels per inch (ouvimage, which
// runs redimimage). Prints the median of each and the peak memory of the
// process (the photo is made by a child process, so its memory is not
// counted).

#include "editor/picture/labelpicture.h"
#include "platform/units.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 15;
const QSize photoSize(4000, 3000);

// A photo-like picture: smooth light with fine texture, so the JPEG is of
// an ordinary size (a flat picture would decode unrealistically fast).
bool makePhoto(const QString &path)
{
    QImage image(photoSize, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 28) - 8;
            line[x] = qRgb(std::clamp(x * 255 / photoSize.width() + grain, 0, 255),
                           std::clamp(y * 255 / photoSize.height() + grain, 0, 255),
                           std::clamp(128 + grain * 4, 0, 255));
        }
    }
    return image.save(path, "jpeg", 90);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));

    const pid_t child = fork();
    if (child == 0)
        _exit(makePhoto(path) ? 0 : 1);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "could not make the photo\n");
        return 1;
    }

    // The label editor of a 70 × 37 mm label, in whole pixels as on screen.
    const QRect editor(600, 600, units::floorToPixel(units::mmToTwips(70)), units::floorToPixel(units::mmToTwips(37)));
    const long before = peakKilobytes();
    std::vector<double> loads, fits, totals;
    QSize result;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const PictureLoad load = Picture::load(path);
        const qint64 loaded = timer.nsecsElapsed();
        if (!load.ok) {
            std::fprintf(stderr, "the photo could not be read: %s\n", qPrintable(load.reason));
            return 1;
        }
        LabelPicture picture;
        picture.setEditor(editor);
        picture.ouvimage(load.picture);
        const qint64 fitted = timer.nsecsElapsed();
        result = picture.picture().pixelSize();
        loads.push_back(loaded / 1e6);
        fits.push_back((fitted - loaded) / 1e6);
        totals.push_back(fitted / 1e6);
    }

    std::printf("4000 x 3000 JPEG (%lld KB) onto a %d x %d twip label -> %d x %d pixels, %d runs\n",
                QFileInfo(path).size() / 1024, editor.width(), editor.height(), result.width(), result.height(),
                runs);
    std::printf("  read JPEG            median %8.1f ms\n", median(loads));
    std::printf("  ouvimage+redimimage  median %8.1f ms\n", median(fits));
    std::printf("  total                median %8.1f ms\n", median(totals));
    std::printf("  peak memory          %ld MB (%ld MB before the runs)\n", peakKilobytes() / 1024, before / 1024);
    return 0;
}
