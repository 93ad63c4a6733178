#include "sheetsnapshot.h"

#include "editor/workingsheet.h"
#include "library/pagefolder.h"

std::optional<SheetSnapshot> snapshotOf(WorkingSheet &sheet, const SheetType &type)
{
    const auto rows = sheet.rows();
    if (!rows)
        return std::nullopt;
    SheetSnapshot snapshot;
    snapshot.type = type;
    for (const PageRow &row : *rows) {
        LabelSnapshot label;
        label.row = row;
        label.text = sheet.text(row.numetiq);
        label.mixedFormat = sheet.mixedFormat(row.numetiq);
        label.picture = row.impage ? sheet.picture(row.numetiq) : nullptr;
        snapshot.labels.push_back(label);
    }
    return snapshot;
}

SheetSnapshot snapshotOf(const LoadedPage &page)
{
    SheetSnapshot snapshot;
    snapshot.type = page.type;
    for (const LoadedPage::Label &label : page.labels)
        snapshot.labels.push_back({label.row, label.text.get(), label.mixedFormat,
                                   label.picture ? &*label.picture : nullptr});
    return snapshot;
}
