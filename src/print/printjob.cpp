#include "printjob.h"

#include "platform/printerfacts.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace printjob {

namespace {

PrintOutcome refused(const QString &reason)
{
    return {false, reason};
}

// The print system's own words for the last request of this thread, when it
// failed: Qt hands the finished page to CUPS but does not report a refusal.
QString cupsRefusal()
{
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    const QString reason = QString::fromLocal8Bit(cupsLastErrorString());
    return reason.isEmpty() ? QStringLiteral("Le système d'impression a refusé la page.") : reason;
}

} // namespace

PrintOutcome printPage(const QString &printerName, const QString &documentName, const PageDrawing &draw)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return refused(QStringLiteral("L'imprimante \u00AB %1 \u00BB est introuvable.").arg(printerName));
    QPrinter printer(info, QPrinter::HighResolution);
    setA4Portrait(printer);
    printer.setDocName(documentName);

    QPainter painter;
    if (!painter.begin(&printer))
        return refused(QStringLiteral("L'imprimante \u00AB %1 \u00BB ne peut pas ouvrir de travail.").arg(printerName));
    const double dotsPerTwip = printer.resolution() / 1440.0;
    painter.scale(dotsPerTwip, dotsPerTwip);
    draw(painter);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        return refused(QStringLiteral("L'imprimante \u00AB %1 \u00BB n'a pas accepté la page.").arg(printerName));
    if (const QString reason = cupsRefusal(); !reason.isEmpty())
        return refused(reason);
    return {true, {}};
}

} // namespace printjob
