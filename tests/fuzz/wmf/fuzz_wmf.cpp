// Reads any bytes as a metafile and plays what is accepted onto a label-sized
// bitmap and at a size far from its own.
#include "fuzzapp.h"
#include "platform/imaging/picture.h"
#include "platform/imaging/pictureloader.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzing::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const PictureLoad load =
        imaging::loadPictureBytes(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!load.ok)
        return 0;
    if (load.picture.isNull())
        fuzzing::fail("an accepted metafile is null");
    QImage label(64, 40, QImage::Format_ARGB32_Premultiplied);
    label.fill(Qt::white);
    QPainter painter(&label);
    load.picture.draw(painter, QRectF(3.5, 2, 57, 36));
    load.picture.draw(painter, QRectF(0, 0, 1, 400));
    painter.end();
    return 0;
}
