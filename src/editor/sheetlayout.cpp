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
    layout.rows = state.sheetRows;
    layout.cols = state.sheetCols;
    const int editorWidth = units::floorToPixel(state.labelWidth);
    const int editorHeight = units::floorToPixel(state.labelHeight);

    layout.singleColumn = state.sheetCols == 1;
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

    layout.caption = QStringLiteral("Type étiquette:") + state.sheetTypeName + QStringLiteral(" (")
        + millimetres(state.labelWidth) + QStringLiteral(" x ") + millimetres(state.labelHeight)
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
        layout.rowGap = rounded(double(state.printer.pageHeight - state.marginTop - state.marginBottom
                                       - layout.rows * state.labelHeight)
                                / (layout.rows - 1));
    }
    return layout;
}
