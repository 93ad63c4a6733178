#pragma once

#include <QSize>
#include <QString>

// The texts of the picture captions. Millimetres are shown with one decimal
// in the user's own decimal symbol.
namespace picturecaptions {

QString format(QSize twips);       // E_format: "Format:34,9 x 19,6 mm"
QString left(int offsetTwips);     // E_left:   "Gauche:0,3 mm"
QString top(int offsetTwips);      // E_top:    "Haut :0,3 mm"
QString pixels(QSize pixels);      // E_pixel:  "Pixels image:247 x 139"
QString quality(int pixelsPerInch);// E_qualite: "Qualité:180 pixels/pouce"

} // namespace picturecaptions

// The five captions as they stand.
struct PictureCaptions {
    QString format;
    QString left;
    QString top;
    QString pixel;
    QString quality;
};
