#include "pdfraster.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace pdfraster {

QImage firstPage(const QString &pdfPath, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                                                QStringLiteral("-singlefile"), pdfPath, base});
    if (!pdftoppm.waitForFinished(60'000) || pdftoppm.exitStatus() != QProcess::NormalExit || pdftoppm.exitCode() != 0)
        return {};
    QImageReader reader(base + QStringLiteral(".pgm"));
    reader.setAllocationLimit(512);   // an A4 page at 600 dpi is larger than the default allows
    return reader.read().convertToFormat(QImage::Format_Grayscale8);
}

QRect inkBounds(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString waitForPdf(const QString &folder, const QString &token, int seconds)
{
    const QDeadlineTimer deadline(seconds * 1000);
    while (!deadline.hasExpired()) {
        for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (file.fileName().contains(token) && !firstPage(file.filePath(), 10).isNull())
                return file.filePath();
        }
        QThread::msleep(200);
    }
    return {};
}

} // namespace pdfraster
