#include "platform/imaging/pictureloader.h"

#include "platform/imaging/filestructure.h"
#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/picture.h"
#include "platform/imaging/pictureformat.h"
#include "platform/imaging/rasterdecoder.h"
#include "platform/imaging/wmfdocument.h"
#include "platform/imaging/wmfplayer.h"
#include "platform/boundedread.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QFileInfo>

namespace imaging {

namespace {

PictureLoad refused(const QString &reason)
{
    PictureLoad result;
    result.reason = reason;
    return result;
}

PictureLoad accepted(const Picture &picture)
{
    PictureLoad result;
    result.picture = picture;
    result.ok = true;
    return result;
}

PictureLoad decoded(const QByteArray &bytes, const QByteArray &format)
{
    RasterDecode decode = decodeRaster(bytes, format);
    if (decode.image.isNull())
        return refused(decode.reason);
    return accepted(Picture::fromImage(decode.image));
}

// Played once at the size a label can use: a drawing too costly to show is
// refused here, instead of holding the program up at every repaint.
bool playsWithinBudget(const WmfDocument &document)
{
    const QSizeF frame = document.frame().size();
    const QSize trial = frame.scaled(QSizeF(wmfTrialSide, wmfTrialSide), Qt::KeepAspectRatio).toSize()
                            .expandedTo(QSize(1, 1));
    QImage image(trial, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return false;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    return playWmf(document, painter, QRectF(QPointF(0, 0), QSizeF(trial)));
}

} // namespace

PictureLoad loadPictureBytes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return refused(QStringLiteral("Le fichier est vide."));
    QString problem;
    switch (detectFormat(bytes)) {
    case PictureFormat::Jpeg:
        problem = jpegProblem(bytes);
        return problem.isEmpty() ? decoded(bytes, "jpeg") : refused(problem);
    case PictureFormat::Png:
        problem = pngProblem(bytes);
        return problem.isEmpty() ? decoded(bytes, "png") : refused(problem);
    case PictureFormat::Bmp:
        problem = bmpProblem(bytes);
        return problem.isEmpty() ? decoded(bytes, "bmp") : refused(problem);
    case PictureFormat::Ico:
        return decoded(bytes, "ico");
    case PictureFormat::Wmf: {
        auto document = WmfDocument::parse(bytes, &problem);
        if (!document)
            return refused(problem);
        if (!playsWithinBudget(*document))
            return refused(QStringLiteral("Le dessin du fichier WMF est trop complexe pour être affiché."));
        return accepted(Picture::fromMetafile(std::make_shared<const WmfDocument>(std::move(*document))));
    }
    case PictureFormat::Unknown:
        break;
    }
    return refused(QStringLiteral("Ce n'est pas une image de format connu (BMP, JPEG, PNG, ICO ou WMF)."));
}

PictureLoad loadPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return refused(QStringLiteral("Le fichier est introuvable."));
    if (info.isDir())
        return refused(QStringLiteral("C'est un dossier, pas un fichier."));
    if (!info.isFile())
        return refused(QStringLiteral("Ce n'est pas un fichier ordinaire."));
    if (info.size() > maxFileBytes)
        return refused(QStringLiteral("Le fichier est trop volumineux."));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("Le fichier ne peut pas être ouvert."));
    // Read no more than the limit even if the file grew since it was measured.
    const QByteArray bytes = readAtMost(file, maxFileBytes + 1);
    if (bytes.size() > maxFileBytes)
        return refused(QStringLiteral("Le fichier est trop volumineux."));
    return loadPictureBytes(bytes);
}

} // namespace imaging
