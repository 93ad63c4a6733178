#include "picturecaptions.h"

#include "platform/units.h"

#include <QLocale>

namespace picturecaptions {

namespace {

QString millimetres(int twips)
{
    return QLocale().toString(units::twipsToMm(twips), 'f', 1);
}

} // namespace

QString format(QSize twips)
{
    return QStringLiteral("Format:") + millimetres(twips.width()) + QStringLiteral(" x ")
           + millimetres(twips.height()) + QStringLiteral(" mm");
}

QString left(int offsetTwips)
{
    return QStringLiteral("Gauche:") + millimetres(offsetTwips) + QStringLiteral(" mm");
}

QString top(int offsetTwips)
{
    return QStringLiteral("Haut :") + millimetres(offsetTwips) + QStringLiteral(" mm");
}

QString pixels(QSize pixels)
{
    return QStringLiteral("Pixels image:%1 x %2").arg(pixels.width()).arg(pixels.height());
}

QString quality(int pixelsPerInch)
{
    return QStringLiteral("Qualité:%1 pixels/pouce").arg(pixelsPerInch);
}

} // namespace picturecaptions
