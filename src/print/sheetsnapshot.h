#pragma once

#include "storage/pagetable.h"
#include "storage/sheettype.h"

#include <optional>
#include <vector>

class Picture;
class QTextDocument;
class WorkingSheet;
struct LoadedPage;

// One written label as the renderer draws it. The pointers are borrowed from
// whoever owns the labels and must outlive the drawing.
struct LabelSnapshot {
    PageRow row;
    const QTextDocument *text = nullptr;   // the fitted text, one paragraph per line; null: none
    bool mixedFormat = false;
    const Picture *picture = nullptr;      // null when the label has none
};

// What a sheet renderer draws: the sheet type and the written labels, in the
// order of the PAGE table.
struct SheetSnapshot {
    SheetType type;
    std::vector<LabelSnapshot> labels;
};

// The labels written on the sheet being edited; nullopt when its PAGE rows
// cannot be read.
std::optional<SheetSnapshot> snapshotOf(WorkingSheet &sheet, const SheetType &type);

// The labels of a saved page read from its folder.
SheetSnapshot snapshotOf(const LoadedPage &page);
