#include "sheetrenderer.h"

#include "print/labeltext.h"
#include "print/sheetgeometry.h"

#include "platform/imaging/picture.h"
#include "storage/colorvalue.h"

#include <QPainter>

void SheetRenderer::render(QPainter &painter, const SheetSnapshot &sheet, const RenderOptions &options,
                           const std::function<void()> &progress)
{
    const SheetGeometry geometry = sheetGeometry(sheet.type, options.pageWidth, options.pageHeight);
    const QPointF shift = options.origin + QPointF(options.deltaH, options.deltaV);
    const double textBottom = options.origin.y() + options.printableBottom;
    LabelTextPrinter text(m_measure);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const LabelSnapshot &label : sheet.labels) {
        const PageRow &row = label.row;
        if (row.numetiq >= options.labelLimit)
            continue;
        const QRectF box = QRectF(geometry.labelRect(row.posx, row.posy)).translated(shift);
        painter.fillRect(box, colorvalue::toColor(row.backcolor));
        if (label.text)
            text.print(painter, *label.text, box.topLeft() + QPointF(textInset, textInset), textBottom,
                       label.mixedFormat);
        if (options.cutFrame) {
            // A hairline just inside the outline, so the frame is the label's edge.
            QPen pen(Qt::black, 15);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(7.5, 7.5, -7.5, -7.5));
        }
        // Labels from 120 on never carry a picture, whatever a page file says.
        if (options.pictures && row.impage && label.picture && row.numetiq < pictureLimit) {
            const QRectF place(box.left() + row.impleft + textInset, box.top() + row.imptop + textInset,
                               row.impwidth, row.impheight);
            label.picture->draw(painter, place);
        }
        if (progress)
            progress();
    }
    painter.restore();
}
