#include "sheetlayout.h"

#include "platform/units.h"
#include "storage/appstate.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr int a4WidthTwips = 11907;       // 210 mm
constexpr int singleColumnAreaHeight = 8420;
constexpr int severalColumnsAreaHeight = 7920;
constexpr int pagePictureHeight = 7320;
constexpr int rightEdgeGap = 105;

int rounded(double value) { return static_cast<int>(std::lround(value)); }

constexpr int gap = 60;
constexpr int editorFrameWidth = 9480;
constexpr int editorFrameHeight = 2400;
constexpr int pageFrameWidth = 4500;
constexpr int pageFrameHeight = 1440;
constexpr int narrowPageFrameHeight = 1680;
constexpr int functionsWidth = 1800;
constexpr int functionsHeight = 1740;   // the eight entries, no scroll bar
constexpr int printModeHeight = 600;
constexpr int checkBoxHeight = 300;
constexpr int buttonHeight = 360;
constexpr int noticeHeight = 600;

// Three buttons side by side across `row`.
void placeButtons(SheetLayout &layout, const QRect &row)
{
    const int width = (row.width() - 2 * gap) / 3;
    layout.helpButton = QRect(row.left(), row.top(), width, row.height());
    layout.contactButton = layout.helpButton.translated(width + gap, 0);
    layout.quitButton = layout.contactButton.translated(width + gap, 0);
}

// Print mode, cut frame, the three buttons and the notice, stacked from
// `top` in a column starting at `left`, `width` wide.
void stackPrintControls(SheetLayout &layout, int left, int top, int width)
{
    layout.printMode = QRect(left, top, width, printModeHeight);
    layout.cutFrame = QRect(left, layout.printMode.bottom() + 1 + gap / 2, width, checkBoxHeight);
    placeButtons(layout, QRect(left, layout.cutFrame.bottom() + 1 + gap, width, buttonHeight));
    layout.screenNotice = QRect(left, layout.helpButton.bottom() + 1 + gap, width, noticeHeight);
}

void placeFrames(SheetLayout &layout, int windowWidth)
{
    const QRect &editor = layout.editor;
    const int frameWidth = std::min(layout.editorAreaWidth - 240, editorFrameWidth);
    layout.editorFrame = QRect((layout.editorAreaWidth - frameWidth) / 2, editor.bottom() + 1 + gap, frameWidth,
                               editorFrameHeight);

    const QRect &page = layout.pagePicture;
    if (layout.singleColumn) {
        // One narrow column right of the editor area, under the page picture.
        const int left = layout.editorAreaWidth + 90;
        const int width = windowWidth - left - gap;
        layout.narrowPageFrame = true;
        layout.pageFrame = QRect(left, page.bottom() + 1 + gap, width, narrowPageFrameHeight);
        layout.functions = QRect(left, layout.pageFrame.bottom() + 1 + gap, width, functionsHeight);
        stackPrintControls(layout, left, layout.functions.bottom() + 1 + gap, width);
    } else {
        int left = page.center().x() - pageFrameWidth / 2;
        left = std::min(left, windowWidth - pageFrameWidth - gap);
        layout.pageFrame = QRect(left, page.bottom() + 1 + gap, pageFrameWidth, pageFrameHeight);
        const int columnLeft = layout.editorAreaWidth + 120;
        const int top = layout.pageFrame.bottom() + 1 + gap;
        layout.functions = QRect(columnLeft, top, functionsWidth, functionsHeight);
        const int printLeft = layout.functions.right() + 1 + gap;
        stackPrintControls(layout, printLeft, top, page.right() + 1 - printLeft);
    }
}

QString millimetres(int twips)
{
    return QLocale().toString(units::twipsToMm(twips), 'f', 1);
}

} // namespace

QRect SheetLayout::cell(int index) const
{
    if (cols <= 0 || index < 0)
        return {};
    return QRect((index % cols) * cellWidth, (index / cols) * cellHeight, cellWidth, cellHeight);
}

int SheetLayout::cellAt(QPoint p) const
{
    if (cellWidth <= 0 || cellHeight <= 0 || p.x() < 0 || p.y() < 0)
        return -1;
    const int col = p.x() / cellWidth;
    const int row = p.y() / cellHeight;
    if (col >= cols || row >= rows)
        return -1;
    return row * cols + col;
}

SheetLayout computeSheetLayout(const AppState &state, int windowWidth)
{
    SheetLayout layout;
    layout.rows = state.sheetRows();
    layout.cols = state.sheetCols();
    const int editorWidth = units::floorToPixel(state.labelWidth());
    const int editorHeight = units::floorToPixel(state.labelHeight());

    layout.singleColumn = state.sheetCols() == 1;
    if (layout.singleColumn) {
        layout.editorAreaWidth = a4WidthTwips;
        layout.editorAreaHeight = singleColumnAreaHeight;
        const int width = windowWidth - a4WidthTwips - 270;
        const int height = rounded(width / 210.0 * 297.0);
        layout.pagePicture = QRect(windowWidth - width - rightEdgeGap, 0, width, height);
        layout.templateFrameHeight = 1260;
        layout.templateFrameTop = 9900;
        layout.templateListHeight = 765;
    } else {
        const int height = pagePictureHeight;
        const int width = rounded(pagePictureHeight / 297.0 * 210.0);
        layout.pagePicture = QRect(windowWidth - width - rightEdgeGap, 210, width, height);
        layout.editorAreaWidth = layout.pagePicture.left() - 240;
        layout.editorAreaHeight = severalColumnsAreaHeight;
        layout.templateFrameHeight = 2235;
        layout.templateFrameTop = 8925;
        layout.templateListHeight = 1740;
    }
    // A label taller or wider than the area still starts inside the window.
    layout.editor = QRect(std::max(0, (layout.editorAreaWidth - editorWidth) / 2),
                          std::max(0, (layout.editorAreaHeight - editorHeight) / 2), editorWidth, editorHeight);

    placeFrames(layout, windowWidth);

    layout.caption = QStringLiteral("Type étiquette:") + state.sheetTypeName() + QStringLiteral(" (")
        + millimetres(state.labelWidth()) + QStringLiteral(" x ") + millimetres(state.labelHeight())
        + QStringLiteral(" mm)");

    if (layout.rows > 0 && layout.cols > 0) {
        layout.cellHeight = rounded(double(layout.pagePicture.height()) / layout.rows);
        layout.cellWidth = rounded(double(layout.pagePicture.width()) / layout.cols);
    }
    const QRect page = layout.pagePicture;
    for (int r = 0; r < layout.rows; ++r)
        layout.rowNumbers.append({r + 1, QPoint(page.left() - 240, page.top() + layout.cellHeight / 2 + r * layout.cellHeight)});
    if (layout.cols > 1) {
        for (int c = 0; c < layout.cols; ++c)
            layout.columnNumbers.append({c + 1, QPoint(page.left() + layout.cellWidth / 2 + c * layout.cellWidth, 0)});
    }

    if (layout.rows > 1) {
        // Sheets are A4 when the printer does not say its page's height.
        const int pageHeight = state.printer.pageHeight > 0 ? state.printer.pageHeight : 16838;
        layout.rowGap = rounded(double(pageHeight - state.marginTop() - state.marginBottom()
                                       - layout.rows * state.labelHeight())
                                / (layout.rows - 1));
    }
    return layout;
}
