#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;
struct PictureLoad;

namespace imaging { class WmfDocument; }

// A label picture: a bitmap, or a metafile kept as its drawing records so it
// prints sharply at any size. Copies are cheap and independent: both members
// are shared until written, and a metafile is never written after loading.
//
// A metafile's pixel size is its frame at 96 pixels per inch:
//   width  = round(|right − left| × 96 / unitsPerInch)
//   height = round(|bottom − top| × 96 / unitsPerInch)
// (each at least 1), brought down proportionally to at most
// imaging::maxVectorSide on the longer side. Operations that need pixels
// (resampled, isGreyscale, saveBmp, toImage) rasterise it first.
class Picture {
public:
    Picture() = default;

    // Reads BMP, JPEG, PNG, ICO and WMF files, told apart by their content.
    // A file that cannot be read gives ok = false and a short French reason.
    static PictureLoad load(const QString &path);
    static Picture fromImage(const QImage &image);
    static Picture fromMetafile(std::shared_ptr<const imaging::WmfDocument> document);

    bool isNull() const;
    bool isMetafile() const { return m_metafile != nullptr; }
    QSize pixelSize() const;
    int width() const { return pixelSize().width(); }
    int height() const { return pixelSize().height(); }
    void clear();

    // A bitmap of exactly `size` pixels, smoothed by area averaging when
    // shrinking; a null picture when `size` is empty or beyond the limits.
    Picture resampled(QSize size) const;

    // True when every pixel, laid over white, is a pure grey, so writing the
    // picture at 8 bits per pixel loses nothing.
    bool isGreyscale() const;

    // Writes a Windows bitmap of 8 (256 greys) or 24 bits per pixel, in one
    // piece: the file is replaced only when fully written.
    bool saveBmp(const QString &path, int bitsPerPixel, QString *error = nullptr) const;
    // The bitmap of a label, template or saved page: 8 bits per pixel when
    // the picture is grey, 24 otherwise.
    bool saveLabelBmp(const QString &path, QString *error = nullptr) const;

    // Draws the picture scaled into `target`, in the painter's coordinates.
    void draw(QPainter &painter, const QRectF &target) const;

    // The pixels: a metafile is rasterised at its pixel size over a
    // transparent background.
    QImage toImage() const;
    QImage toImage(QSize size) const;

private:
    QImage m_image;
    std::shared_ptr<const imaging::WmfDocument> m_metafile;
};

struct PictureLoad {
    Picture picture;
    bool ok = false;
    QString reason;   // why the file was refused, for the "IMAGE ILLISIBLE" box
};
