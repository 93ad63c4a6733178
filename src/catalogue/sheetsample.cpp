#include "sheetsample.h"

#include <algorithm>
#include <cmath>

namespace {

// Scaled lengths are whole twips, rounded to nearest with halves to even.
int scaled(double twips, double scale)
{
    const double value = std::nearbyint(twips * scale);
    return std::isfinite(value) ? static_cast<int>(std::clamp(value, -1e9, 1e9)) : 0;
}

} // namespace

SheetSample::SheetSample(const SheetType &t, const SamplePage &page, double scale)
    : m_rows(t.rows)
    , m_cols(t.cols)
    , m_page(page)
    , m_scale(scale)
{
    scaledTop = scaled(t.margehaut, scale);
    scaledLeft = scaled(t.margegauche, scale);
    scaledHeight = scaled(t.heightetiq, scale);
    scaledWidth = scaled(t.widthetiq, scale);
    // One column (or one row, which only a foreign database holds) leaves no
    // gap to share.
    if (t.cols > 1)
        columnGap = scaled(double(page.pageWidth - t.margegauche - t.margedroite - double(t.cols) * t.widthetiq)
                               / (t.cols - 1),
                           scale);
    if (t.rows > 1)
        rowGap = scaled(double(page.pageHeight - t.margehaut - t.margebas - double(t.rows) * t.heightetiq)
                            / (t.rows - 1),
                        scale);
}

int SheetSample::drawnRows() const
{
    return std::clamp(m_rows, 0, maxDrawn);
}

int SheetSample::drawnCols() const
{
    return std::clamp(m_cols, 0, maxDrawn);
}

QList<QRect> SheetSample::boxes() const
{
    QList<QRect> result;
    const bool edgeToEdge = scaledTop < 1 && scaledLeft < 1;
    const int stepX = edgeToEdge ? scaledWidth : scaledWidth + columnGap;
    const int stepY = edgeToEdge ? scaledHeight : scaledHeight + rowGap;
    result.reserve(drawnRows() * drawnCols());
    for (int i = 0; i < drawnRows(); ++i) {
        for (int j = 0; j < drawnCols(); ++j)
            result.append(QRect(j * stepX + scaledLeft + 15, i * stepY + scaledTop + 15, scaledWidth - 30,
                                scaledHeight - 30));
    }
    return result;
}

QRect SheetSample::printableArea() const
{
    return QRect(scaled(m_page.offsetX, m_scale), scaled(m_page.offsetY, m_scale),
                 scaled(m_page.printableWidth, m_scale), scaled(m_page.printableHeight, m_scale));
}

QList<SheetSample::Number> SheetSample::rowNumbers() const
{
    QList<Number> numbers;
    for (int i = 0; i < drawnRows(); ++i)
        numbers.append({i + 1, QPointF(5400, scaledTop + 345 + double(i) * scaledHeight + scaledHeight / 2.0)});
    return numbers;
}

QList<SheetSample::Number> SheetSample::columnNumbers() const
{
    QList<Number> numbers;
    for (int j = 0; j < drawnCols(); ++j)
        numbers.append({j + 1, QPointF(scaledLeft + pictureLeft + double(j) * scaledWidth + scaledWidth / 2.0, 255)});
    return numbers;
}
