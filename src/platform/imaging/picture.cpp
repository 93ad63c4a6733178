#include "platform/imaging/picture.h"

#include "platform/imaging/bmpwriter.h"
#include "platform/imaging/greyscale.h"
#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/pictureloader.h"
#include "platform/imaging/resampler.h"
#include "platform/imaging/wmfdocument.h"
#include "platform/imaging/wmfplayer.h"

#include <QPainter>

PictureLoad Picture::load(const QString &path)
{
    return imaging::loadPictureFile(path);
}

Picture Picture::fromImage(const QImage &image)
{
    Picture picture;
    picture.m_image = image;
    return picture;
}

Picture Picture::fromMetafile(std::shared_ptr<const imaging::WmfDocument> document)
{
    Picture picture;
    picture.m_metafile = std::move(document);
    return picture;
}

bool Picture::isNull() const
{
    return m_image.isNull() && !m_metafile;
}

QSize Picture::pixelSize() const
{
    if (m_metafile)
        return m_metafile->pixelSize();
    return m_image.size();
}

void Picture::clear()
{
    m_image = QImage();
    m_metafile.reset();
}

Picture Picture::resampled(QSize size) const
{
    if (isNull() || size.isEmpty() || !imaging::pixelCountAllowed(size.width(), size.height()))
        return Picture();
    if (m_metafile)
        return fromImage(toImage(size));   // drawn straight at the new size
    return fromImage(imaging::resampleImage(m_image, size));
}

bool Picture::isGreyscale() const
{
    return imaging::isGreyscaleImage(toImage());
}

bool Picture::saveBmp(const QString &path, int bitsPerPixel, QString *error) const
{
    return imaging::writeBmp(toImage(), path, bitsPerPixel, error);
}

bool Picture::saveLabelBmp(const QString &path, QString *error) const
{
    return saveBmp(path, isGreyscale() ? 8 : 24, error);
}

void Picture::draw(QPainter &painter, const QRectF &target) const
{
    if (isNull() || target.isEmpty())
        return;
    if (m_metafile) {
        imaging::playWmf(*m_metafile, painter, target);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
    painter.restore();
}

QImage Picture::toImage() const
{
    return m_metafile ? toImage(pixelSize()) : m_image;
}

QImage Picture::toImage(QSize size) const
{
    if (!m_metafile)
        return size == m_image.size() ? m_image : imaging::resampleImage(m_image, size);
    if (size.isEmpty() || !imaging::pixelCountAllowed(size.width(), size.height()))
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return QImage();
    image.fill(Qt::transparent);
    QPainter painter(&image);
    imaging::playWmf(*m_metafile, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}
