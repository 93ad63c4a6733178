#include "pagepreview.h"

#include "print/sheetgeometry.h"
#include "print/sheetrenderer.h"

#include <QPainter>

namespace pagepreview {

QRect labelBox(const SheetType &type, const QRect &label)
{
    if (type.margehaut < 1 && type.margegauche < 1)
        return label.adjusted(15, 15, -15, -15);
    return label;
}

QImage draw(const SheetSnapshot &sheet, const PreviewPaper &paper, double pixelsPerTwip, TextMeasure &measure)
{
    QImage image(qRound(paper.pageWidth * pixelsPerTwip), qRound(paper.pageHeight * pixelsPerTwip),
                 QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(paperColor);
    QPainter painter(&image);
    painter.scale(pixelsPerTwip, pixelsPerTwip);

    const SheetGeometry geometry = sheetGeometry(sheet.type, paper.pageWidth, paper.pageHeight);
    for (int row = 0; row < sheet.type.rows; ++row)
        for (int col = 0; col < sheet.type.cols; ++col)
            painter.fillRect(labelBox(sheet.type, geometry.labelRect(col, row)), Qt::white);

    RenderOptions options;
    options.pageWidth = paper.pageWidth;
    options.pageHeight = paper.pageHeight;
    options.printableBottom = paper.printable.bottom() + 1;
    SheetRenderer(measure).render(painter, sheet, options);

    // The strips outside the printable area, over everything: what lies
    // there will not be on the paper.
    const QRect page(0, 0, paper.pageWidth, paper.pageHeight);
    const QRect inside = paper.printable.intersected(page);
    painter.fillRect(QRect(0, 0, inside.left(), page.height()), stripColor);                         // P_margegauche
    painter.fillRect(QRect(inside.right() + 1, 0, page.right() - inside.right(), page.height()), stripColor);   // P_margedroite
    painter.fillRect(QRect(inside.left(), 0, inside.width(), inside.top()), stripColor);             // P_margehaut
    painter.fillRect(QRect(inside.left(), inside.bottom() + 1, inside.width(), page.bottom() - inside.bottom()),
                     stripColor);                                                                     // P_margebas
    return image;
}

} // namespace pagepreview
