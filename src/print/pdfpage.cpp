#include "pdfpage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace pdfpage {

PrintOutcome write(const QString &path, const QString &title, const PageDrawing &draw)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("KALVENOR"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(1440);   // one dot per twip: the page's own unit
        QPainter painter;
        if (!painter.begin(&writer))
            return {false, QStringLiteral("Le fichier PDF ne peut pas être écrit.")};
        draw(painter);
        painter.end();
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace pdfpage
