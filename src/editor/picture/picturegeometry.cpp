#include "picturegeometry.h"

#include "halfeven.h"

#include <algorithm>
#include <limits>

namespace {

// A scroll-bar step: at least 1, or the bar would not move.
int step(double amount)
{
    return std::max(1, halfeven::round(amount));
}

// editor edge + stored offset, kept within int when a stored row is absurd.
int offsetFrom(int edge, int offset)
{
    const qint64 sum = qint64(edge) + offset;
    return int(std::clamp<qint64>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// True when a picture of these proportions meets the sides of the usable
// area before its top and bottom: width / usableWidth ≥ height / usableHeight,
// compared exactly so a picture of the area's own ratio counts as wide.
bool limitedByWidth(qint64 width, qint64 height, qint64 usableWidth, qint64 usableHeight)
{
    return width * usableHeight >= height * usableWidth;
}

} // namespace

QSize PictureGeometry::sizeFor(int formatValue) const
{
    if (m_mode == FitMode::Width)
        return QSize(formatValue, std::max(1, halfeven::round(formatValue / m_aspect)));
    return QSize(std::max(1, halfeven::round(formatValue * m_aspect)), formatValue);
}

void PictureGeometry::fit(QSize pixels)
{
    if (pixels.isEmpty() || usableWidth() <= 0 || usableHeight() <= 0) {
        clear();
        return;
    }
    m_aspect = double(pixels.width()) / pixels.height();
    if (limitedByWidth(pixels.width(), pixels.height(), usableWidth(), usableHeight()))
        setMode(FitMode::Width, usableWidth());
    else
        setMode(FitMode::Height, usableHeight());
    m_format.setValue(m_format.maximum);
    m_frame = QRect(QPoint(), sizeFor(m_format.value));
    setSteps();
    updateRanges();
    m_left.setValue(m_left.minimum);
    m_top.setValue(m_top.minimum);
    m_frame.moveTo(m_left.value, m_top.value);
}

void PictureGeometry::restore(const PicturePlacement &stored, QSize pixels)
{
    if (stored.impwidth <= 0 || stored.impheight <= 0) {
        fit(pixels);
        return;
    }
    if (usableWidth() <= 0 || usableHeight() <= 0) {
        clear();
        return;
    }
    m_aspect = double(stored.impwidth) / stored.impheight;
    const bool byWidth = limitedByWidth(stored.impwidth, stored.impheight, usableWidth(), usableHeight());
    const bool fits = stored.impwidth <= usableWidth() && stored.impheight <= usableHeight();
    if (byWidth)
        setMode(FitMode::Width, usableWidth());
    else
        setMode(FitMode::Height, usableHeight());
    if (fits) {
        m_format.setValue(byWidth ? stored.impwidth : stored.impheight);
        m_frame = QRect(0, 0, stored.impwidth, stored.impheight);
    } else {
        // Scaled down to the usable area on the axis that overflows most.
        m_format.setValue(m_format.maximum);
        m_frame = QRect(QPoint(), sizeFor(m_format.value));
    }
    setSteps();
    updateRanges();
    changeleft(offsetFrom(m_editor.left(), stored.impleft));
    changetop(offsetFrom(m_editor.top(), stored.imptop));
}

void PictureGeometry::followEditor(const QRect &editorTwips)
{
    if (isEmpty()) {
        m_editor = editorTwips;
        return;
    }
    const PicturePlacement kept = placement();
    m_editor = editorTwips;
    restore(kept, QSize());
}

void PictureGeometry::changeformat(int value)
{
    if (isEmpty())
        return;
    m_format.setValue(value);
    m_frame.setSize(sizeFor(m_format.value));
    updateRanges();
}

void PictureGeometry::changeleft(int value)
{
    if (isEmpty())
        return;
    m_left.setValue(value);
    m_frame.moveLeft(m_left.value);
}

void PictureGeometry::changetop(int value)
{
    if (isEmpty())
        return;
    m_top.setValue(value);
    m_frame.moveTop(m_top.value);
}

void PictureGeometry::clear()
{
    m_frame = QRect();
    m_format = ScrollRange();
    m_left = ScrollRange();
    m_top = ScrollRange();
    m_mode = FitMode::Width;
    m_aspect = 1.0;
}

PicturePlacement PictureGeometry::placement() const
{
    if (isEmpty())
        return {};
    return {m_frame.left() - m_editor.left(), m_frame.top() - m_editor.top(), m_frame.width(), m_frame.height()};
}

void PictureGeometry::setMode(FitMode mode, int size)
{
    m_mode = mode;
    m_format.setRange(std::min(smallestSize, size), size);
}

void PictureGeometry::setSteps()
{
    const int spareWidth = m_editor.width() - m_frame.width();
    const int spareHeight = m_editor.height() - m_frame.height();
    // The bar across the fit's axis has nowhere to go; the other one moves
    // the picture through its spare room in 100 small or 10 large steps.
    if (m_mode == FitMode::Width) {
        m_left.smallChange = m_left.largeChange = 1;
        m_top.smallChange = step(spareHeight / 100.0);
        m_top.largeChange = step(spareHeight / 10.0);
    } else {
        m_top.smallChange = m_top.largeChange = 1;
        m_left.smallChange = step(spareWidth / 100.0);
        m_left.largeChange = step(spareWidth / 10.0);
    }
    m_format.smallChange = step(m_format.maximum / 100.0);
    m_format.largeChange = step(m_format.maximum / 10.0);
}

void PictureGeometry::updateRanges()
{
    m_top.setRange(m_editor.top() + margin, m_editor.top() + m_editor.height() - m_frame.height() - margin);
    m_left.setRange(m_editor.left() + margin, m_editor.left() + m_editor.width() - m_frame.width() - margin);
    m_frame.moveTo(m_left.value, m_top.value);
}
