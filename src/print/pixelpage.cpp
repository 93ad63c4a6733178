#include "pixelpage.h"

#include "print/sheetrenderer.h"

#include <QPainter>

#include <cmath>

namespace pixelpage {

int usableLabelCount(int screenHeight, int marginTop, int rowGap, int labelHeight, int cols)
{
    const int pitch = rowGap + labelHeight;
    if (pitch <= 0)
        return 0;
    const auto rows = static_cast<int>(std::floor(double(screenHeight - marginTop + rowGap) / pitch));
    return std::max(rows, 0) * cols;
}

QImage draw(const SheetSnapshot &sheet, const RenderOptions &options, int dotsPerInch, TextMeasure &measure)
{
    if (dotsPerInch < minimumDpi || dotsPerInch > maximumDpi)
        return {};
    const double dotsPerTwip = dotsPerInch / 1440.0;
    QImage image(qRound(options.pageWidth * dotsPerTwip), qRound(options.pageHeight * dotsPerTwip),
                 QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(dotsPerTwip, dotsPerTwip);
    SheetRenderer(measure).render(painter, sheet, options);
    return image;
}

} // namespace pixelpage
