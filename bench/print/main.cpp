// Writes the saved pages that the print benchmark times:
//   bench_print_pages OUTDIR
// makes OUTDIR/photo6x16 (96 labels: background colour, two fonts, the same
// photo on each, stored as the label keeps it: resampled at 180 pixels per
// inch), OUTDIR/photo3x8 (the same on 24 labels) and OUTDIR/text6x16 (96
// labels without the photo). Then time, for example:
//   farm-bench -n 5 -- build/bin/kalvenor --print-pdf /tmp/p.pdf OUTDIR/photo6x16

#include "platform/imaging/bmpwriter.h"
#include "platform/richtext/rtfwriter.h"
#include "storage/database.h"
#include "storage/etiqtable.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

namespace {

// A 1200 x 900 picture with the detail of a photograph (gradients and noise),
// so it does not compress to nothing.
QImage photo()
{
    QImage image(1200, 900, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = int(random.bounded(40));
            line[x] = qRgb((x * 200 / 1200 + noise) % 256, (y * 200 / 900 + noise) % 256, (x + y + noise) % 256);
        }
    }
    return image;
}

QByteArray labelText(int n)
{
    QTextDocument text;
    QTextCursor cursor(&text);
    QTextCharFormat title;
    title.setFont(QFont(QStringLiteral("Liberation Serif"), 10, QFont::Bold));
    QTextCharFormat body;
    body.setFont(QFont(QStringLiteral("Liberation Sans"), 7));
    cursor.insertText(QStringLiteral("Confiture n°%1").arg(n), title);
    cursor.insertBlock(QTextBlockFormat(), body);
    cursor.insertText(QStringLiteral("Abricots du jardin"), body);
    return richtext::writeRtf(text);
}

bool writePage(const QString &folder, const QString &shipped, const QString &typeName, bool withPhoto)
{
    Database catalogue;
    if (!catalogue.open(shipped, true))
        return false;
    const auto type = etiqtable::find(catalogue, typeName);
    if (!type)
        return false;
    QDir().mkpath(folder);
    const QString mdb = folder + QStringLiteral("/etiquet.mdb");
    QFile::remove(mdb);
    if (!QFile::copy(shipped, mdb))
        return false;
    QFile::setPermissions(mdb, QFile::ReadOwner | QFile::WriteOwner);
    Database page;
    if (!page.open(mdb) || !page.execute(QStringLiteral("DELETE FROM PAGE")))
        return false;
    QFile name(folder + QStringLiteral("/typetiq.txt"));
    if (!name.open(QIODevice::WriteOnly))
        return false;
    name.write(typeName.toLatin1() + "\r\n");

    // The picture fills the label's lower half, at 180 pixels per inch.
    const int width = type->widthetiq - 120, height = type->heightetiq / 2 - 60;
    const QImage stored = photo().scaled(width * 180 / 1440, height * 180 / 1440, Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
    if (!page.transaction())
        return false;
    for (int n = 0; n < type->labelCount(); ++n) {
        if (!page.execute(QStringLiteral("INSERT INTO PAGE VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                          {n, n % type->cols, n / type->cols, 0xE0F0FF, withPhoto, type->heightetiq / 2, 30, height,
                           width, stored.width(), stored.height()}))
            return false;
        QFile rtf(QStringLiteral("%1/%2.rtf").arg(folder).arg(n));
        if (!rtf.open(QIODevice::WriteOnly))
            return false;
        rtf.write(labelText(n));
        if (withPhoto && !imaging::writeBmp(stored, QStringLiteral("%1/%2.bmp").arg(folder).arg(n), 24, nullptr))
            return false;
    }
    return page.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_print_pages OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/etiquet.mdb");
    const bool ok = writePage(out + QStringLiteral("/photo6x16"), shipped, QStringLiteral("6x16"), true)
        && writePage(out + QStringLiteral("/photo3x8"), shipped, QStringLiteral("3x8"), true)
        && writePage(out + QStringLiteral("/text6x16"), shipped, QStringLiteral("6x16"), false);
    if (!ok) {
        std::fprintf(stderr, "could not write the pages under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
