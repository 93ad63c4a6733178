#pragma once

#include "print/renderoptions.h"
#include "print/sheetsnapshot.h"

#include <functional>

class QPainter;
class TextMeasure;

// Draws the written labels of a sheet on any painter whose unit is the twip:
// the printer, the PDF file and the tests all go through it. Each label gets
// its background, its text from 30 twips inside its corner, its cut frame
// when asked (over the text) and its picture.
class SheetRenderer {
public:
    explicit SheetRenderer(TextMeasure &measure) : m_measure(measure) {}

    // `progress` (may be empty) is called after each label drawn.
    void render(QPainter &painter, const SheetSnapshot &sheet, const RenderOptions &options,
                const std::function<void()> &progress = {});

    // Text starts this far inside the label's top-left corner.
    static constexpr int textInset = 30;
    static constexpr int pictureLimit = 120;

private:
    TextMeasure &m_measure;
};
