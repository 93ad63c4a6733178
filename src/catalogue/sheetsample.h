#pragma once

#include "samplepage.h"

#include "storage/sheettype.h"

#include <QList>
#include <QPointF>
#include <QRect>

// The catalogue's scaled picture of a sheet type: the label boxes and the
// printable area inside the picture `I_page`, and the row and column numbers
// printed on the window beside it. Everything in twips.
class SheetSample {
public:
    // The picture's place on the window and its height; its width keeps the
    // A4 proportion.
    static constexpr int pictureLeft = 5700;
    static constexpr int pictureTop = 450;
    static constexpr int pictureHeight = 7320;
    static double pictureWidth() { return pictureHeight / 297.0 * 210.0; }
    // Twips of the printed page per twip of the picture.
    static double scaleFor(const SamplePage &page) { return double(pictureHeight) / page.pageHeight; }
    // A picture 488 pixels high cannot show more rows or columns than this;
    // larger counts (only a foreign database holds them) are drawn in part.
    static constexpr int maxDrawn = 500;

    struct Number {
        int value;    // shown as is, counting from 1
        QPointF at;   // top-left of the text, on the window
    };

    SheetSample() = default;
    SheetSample(const SheetType &type, const SamplePage &page, double scale);

    // Scaled margins, label size and the gaps the page leaves between labels.
    int scaledTop = 0;
    int scaledLeft = 0;
    int scaledHeight = 0;
    int scaledWidth = 0;
    int columnGap = 0;
    int rowGap = 0;

    // One outline per label in reading order, inset by 15 twips; with both
    // scaled margins under 1 the labels touch, gaps ignored.
    QList<QRect> boxes() const;
    QRect printableArea() const;
    // `reperage`: the numbers ignore the gaps, so on a sheet with gaps they
    // drift from the boxes further down and across.
    QList<Number> rowNumbers() const;
    QList<Number> columnNumbers() const;

private:
    int drawnRows() const;
    int drawnCols() const;

    int m_rows = 0;
    int m_cols = 0;
    SamplePage m_page;
    double m_scale = 0;
};
