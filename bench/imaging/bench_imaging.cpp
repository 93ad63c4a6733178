// Loading a large phone-sized photo and resampling it for a label, as the
// picture browser and the label editor do. Run by hand:
//   bench_imaging [runs]
// The parent writes a 4000 × 3000 JPEG into a temporary folder, then runs
// itself on that file in a child process, so that the peak memory reported
// is that of loading and resampling alone.

#include "platform/imaging/picture.h"
#include "platform/units.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

QImage photoLike(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(2024);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(random.bounded(41)) - 20;
            const int r = std::clamp(x * 255 / size.width() + n, 0, 255);
            const int g = std::clamp(y * 255 / size.height() + n, 0, 255);
            const int b = std::clamp(128 + int(60 * std::sin((x + y) / 150.0)) + n, 0, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    return image;
}

// The label editor's box: the usable label area at 180 pixels per inch.
QSize resamplingBox(double widthMm, double heightMm)
{
    auto pixels = [](double mm) {
        const int usable = units::mmToTwips(mm) - 30;
        return int(std::nearbyint(usable / double(units::twipsPerInch) * 180));
    };
    return QSize(pixels(widthMm), pixels(heightMm));
}

QSize fitted(QSize picture, QSize box)
{
    const double factor = std::min(double(box.width()) / picture.width(),
                                   double(box.height()) / picture.height());
    return QSize(int(std::nearbyint(picture.width() * factor)),
                 int(std::nearbyint(picture.height() * factor)));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int measure(const QString &file, int runs)
{
    const QSize box = resamplingBox(70, 37);
    std::vector<double> loadMs, resampleMs;
    QSize source, result;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const PictureLoad load = Picture::load(file);
        loadMs.push_back(timer.nsecsElapsed() / 1e6);
        if (!load.ok) {
            std::fprintf(stderr, "load failed: %s\n", qPrintable(load.reason));
            return 1;
        }
        source = load.picture.pixelSize();
        timer.restart();
        const Picture small = load.picture.resampled(fitted(source, box));
        resampleMs.push_back(timer.nsecsElapsed() / 1e6);
        result = small.pixelSize();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("picture %d x %d, box %d x %d, resampled to %d x %d, %d runs\n",
                source.width(), source.height(), box.width(), box.height(),
                result.width(), result.height(), runs);
    std::printf("load      median %8.1f ms\n", median(loadMs));
    std::printf("resample  median %8.1f ms\n", median(resampleMs));
    std::printf("peak memory      %8.1f MB (ru_maxrss)\n", usage.ru_maxrss / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("--measure"))
        return measure(args[2], std::max(1, args[3].toInt()));

    const int runs = args.size() >= 2 ? std::max(1, args[1].toInt()) : 7;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("photo.jpg"));
    {
        QImageWriter writer(file, "jpeg");
        writer.setQuality(90);
        if (!writer.write(photoLike(QSize(4000, 3000)))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("JPEG of %.1f MB written\n", QFileInfo(file).size() / 1e6);
    std::fflush(stdout);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(app.applicationFilePath(), {QStringLiteral("--measure"), file, QString::number(runs)});
    child.waitForFinished(-1);
    return child.exitCode();
}
