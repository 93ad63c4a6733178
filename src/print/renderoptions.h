#pragma once

#include <climits>
#include <QPointF>

// How a sheet is drawn: where the paper lies on the painter, the printer's
// corrections, and what to leave out. Lengths in twips.
struct RenderOptions {
    QPointF origin;          // the paper's top-left corner on the painter
    double deltaH = 0;       // printer corrections, added to every mark
    double deltaV = 0;
    bool cutFrame = false;   // the label outlines, for cutting plain paper
    int pageWidth = 11906;   // A4
    int pageHeight = 16838;
    // Text lines whose bottom would pass this (from the paper's top) are not
    // drawn: the printer could not put them on the paper.
    int printableBottom = 16838;
    int labelLimit = INT_MAX;   // labels numbered from here on are left out
    bool pictures = true;
};
