#pragma once

#include "picturecaptions.h"
#include "picturegeometry.h"
#include "resampling.h"

#include "platform/imaging/picture.h"

#include <QRect>
#include <QString>

// The picture of the label under edit: the bitmap held by `L_etiquet`, its
// frame and scroll bars, its resampled size, quality and captions. The
// procedures are those of the picture controls; the widgets only show the
// result.
class LabelPicture {
public:
    // The label editor in window twips; a picture already there keeps its
    // place in the label, shrinking if it no longer fits.
    void setEditor(const QRect &editorTwips);
    const QRect &editor() const { return m_geometry.editor(); }

    // Fits a freshly chosen picture into the label and resamples it. A null
    // picture changes nothing and gives false.
    bool ouvimage(const Picture &picture);
    // Brings the held picture to at most 180 pixels per inch over the label.
    void redimimage();
    void qualpix();

    void changeformat(int value);
    void changeleft(int value);
    void changetop(int value);

    // A stored picture (already resampled) with its placement, as a label,
    // template or page brings it back. A null picture leaves no picture.
    void restore(const Picture &stored, const PicturePlacement &placement);

    // Releases the picture.
    void supimage();
    // Empties the size, position and quality captions (not the pixel size).
    void clearCaptions();

    // Writes a Windows bitmap: 8 bits per pixel when the picture is grey,
    // 24 otherwise. False without a picture or when the file cannot be written.
    bool sauvimage(const QString &path, QString *error = nullptr) const;

    bool hasPicture() const { return !m_picture.isNull() && !m_geometry.isEmpty(); }
    const Picture &picture() const { return m_picture; }
    int xpixel() const { return m_xpixel; }
    int ypixel() const { return m_ypixel; }
    double factor() const { return m_factor; }
    int quality() const { return m_quality; }
    resampling::QualityColours qualityColours() const { return resampling::colours(m_quality); }

    const PictureGeometry &geometry() const { return m_geometry; }
    PicturePlacement placement() const { return m_geometry.placement(); }
    const PictureCaptions &captions() const { return m_captions; }

private:
    void showPlace();
    void showSize();

    Picture m_picture;
    PictureGeometry m_geometry;
    PictureCaptions m_captions;
    int m_xpixel = 0;
    int m_ypixel = 0;
    double m_factor = 1.0;
    int m_quality = 0;
};
