#include "labelpicture.h"

void LabelPicture::setEditor(const QRect &editorTwips)
{
    const bool had = hasPicture();
    m_geometry.followEditor(editorTwips);
    if (!had)
        return;
    if (m_geometry.isEmpty()) {   // a label with no room left for it
        supimage();
        return;
    }
    showPlace();
    showSize();
}

bool LabelPicture::ouvimage(const Picture &picture)
{
    if (picture.isNull())
        return false;
    PictureGeometry fitted = m_geometry;
    fitted.fit(picture.pixelSize());
    if (fitted.isEmpty())
        return false;   // no room in the label
    m_picture = picture;
    m_geometry = fitted;
    m_xpixel = picture.width();
    m_ypixel = picture.height();
    showPlace();
    showSize();
    redimimage();
    return true;
}

void LabelPicture::redimimage()
{
    if (!hasPicture())
        return;
    const QSize pixels = m_picture.pixelSize();
    const resampling::Plan plan = resampling::plan(pixels, resampling::box(editor().size()));
    m_factor = plan.factor;
    if (plan.reduced) {
        m_captions.quality = picturecaptions::quality(resampling::pixelsPerInch);
    } else {
        m_quality = resampling::quality(pixels.width(), m_geometry.frame().width());
        m_captions.quality = picturecaptions::quality(m_quality);
    }
    // A metafile has no pixels of its own: the label keeps the bitmap it is
    // drawn into, and the quality shown is that bitmap's.
    const bool metafile = m_picture.isMetafile();
    if (plan.size != pixels || metafile) {
        const Picture resampled = m_picture.resampled(plan.size);
        if (!resampled.isNull())   // else keep the pixels we have
            m_picture = resampled;
    }
    m_xpixel = m_picture.width();
    m_ypixel = m_picture.height();
    m_captions.pixel = picturecaptions::pixels(m_picture.pixelSize());
    qualpix();
    if (metafile)
        m_captions.quality = picturecaptions::quality(m_quality);
}

void LabelPicture::qualpix()
{
    m_quality = resampling::quality(m_xpixel, m_geometry.frame().width());
}

void LabelPicture::changeformat(int value)
{
    if (!hasPicture())
        return;
    m_geometry.changeformat(value);
    showSize();
    showPlace();   // the bars may have pulled the picture back inside
}

void LabelPicture::changeleft(int value)
{
    if (!hasPicture())
        return;
    m_geometry.changeleft(value);
    m_captions.left = picturecaptions::left(m_geometry.frame().left() - editor().left());
}

void LabelPicture::changetop(int value)
{
    if (!hasPicture())
        return;
    m_geometry.changetop(value);
    m_captions.top = picturecaptions::top(m_geometry.frame().top() - editor().top());
}

void LabelPicture::restore(const Picture &stored, const PicturePlacement &placement)
{
    supimage();
    if (stored.isNull())
        return;
    m_geometry.restore(placement, stored.pixelSize());
    if (m_geometry.isEmpty())
        return;
    m_picture = stored;
    m_xpixel = stored.width();
    m_ypixel = stored.height();
    m_factor = 1.0;
    m_captions.pixel = picturecaptions::pixels(stored.pixelSize());
    showSize();
    showPlace();
}

void LabelPicture::supimage()
{
    m_picture.clear();
    m_geometry.clear();
    m_xpixel = m_ypixel = 0;
    m_factor = 1.0;
    m_quality = 0;
}

void LabelPicture::clearCaptions()
{
    m_captions.format.clear();
    m_captions.left.clear();
    m_captions.top.clear();
    m_captions.quality.clear();
}

bool LabelPicture::sauvimage(const QString &path, QString *error) const
{
    if (!hasPicture()) {
        if (error)
            *error = QStringLiteral("Pas d'image à enregistrer.");
        return false;
    }
    return m_picture.saveLabelBmp(path, error);
}

void LabelPicture::showPlace()
{
    m_captions.left = picturecaptions::left(m_geometry.frame().left() - editor().left());
    m_captions.top = picturecaptions::top(m_geometry.frame().top() - editor().top());
}

// The size caption, then the quality it gives.
void LabelPicture::showSize()
{
    m_captions.format = picturecaptions::format(m_geometry.frame().size());
    qualpix();
    m_captions.quality = picturecaptions::quality(m_quality);
}
