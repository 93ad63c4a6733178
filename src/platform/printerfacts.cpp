#include "printerfacts.h"

#include "units.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

int PrinterFacts::offsetX() const
{
    return static_cast<int>(std::lround((pageWidth - printableWidth) / 2.0));
}

int PrinterFacts::offsetBottom() const
{
    return pageHeight - printableHeight - offsetY();
}

void setA4Portrait(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
}

PrinterFacts readPrinterFacts(const QPrinterInfo &info)
{
    PrinterFacts facts;
    if (info.isNull())
        return facts;
    QPrinter printer(info, QPrinter::HighResolution);
    setA4Portrait(printer);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QRectF full = layout.fullRect();
    const QMarginsF margins = layout.minimumMargins();
    auto twips = [](double points) { return static_cast<int>(std::lround(units::pointsToTwips(points))); };

    facts.deviceName = printer.printerName();
    facts.pageWidth = twips(full.width());
    facts.pageHeight = twips(full.height());
    facts.marginLeft = twips(margins.left());
    facts.marginTop = twips(margins.top());
    facts.printableWidth = facts.pageWidth - facts.marginLeft - twips(margins.right());
    facts.printableHeight = facts.pageHeight - facts.marginTop - twips(margins.bottom());
    return facts;
}

PrinterFacts readDefaultPrinterFacts()
{
    return readPrinterFacts(QPrinterInfo::defaultPrinter());
}
