// Reads any bytes as a picture file and as a metafile's bitmap. Besides
// crashes and memory errors it checks that what is accepted stays within the
// pixel limits and can be resampled for a label.
#include "fuzzapp.h"
#include "platform/imaging/dib.h"
#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/picture.h"
#include "platform/imaging/pictureloader.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzing::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    const PictureLoad load = imaging::loadPictureBytes(bytes);
    if (load.ok == load.picture.isNull() || load.ok == !load.reason.isEmpty())
        fuzzing::fail("a picture must be either read or refused with a reason");
    if (load.ok) {
        const QSize size = load.picture.pixelSize();
        if (!imaging::pixelCountAllowed(size.width(), size.height()))
            fuzzing::fail("an accepted picture is beyond the pixel limits");
        if (load.picture.resampled(QSize(37, 23)).pixelSize() != QSize(37, 23))
            fuzzing::fail("an accepted picture cannot be resampled");
        load.picture.isGreyscale();
    }

    const QImage dib = imaging::decodeDib(bytes);
    if (!dib.isNull() && !imaging::pixelCountAllowed(dib.width(), dib.height()))
        fuzzing::fail("a decoded bitmap is beyond the pixel limits");
    return 0;
}
