#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace pdfraster {

// The first page of a PDF as a greyscale image at `dpi`, drawn by poppler's
// pdftoppm (null when it cannot be drawn).
QImage firstPage(const QString &pdfPath, int dpi);

// The bounds of the pixels darker than mid-grey.
QRect inkBounds(const QImage &image);

// Waits up to `seconds` for a PDF whose name holds `token` to appear in
// `folder` and be readable whole (a print queue writes it asynchronously);
// returns its path, or an empty string.
QString waitForPdf(const QString &folder, const QString &token, int seconds);

} // namespace pdfraster
