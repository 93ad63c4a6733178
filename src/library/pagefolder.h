#pragma once

#include "platform/imaging/picture.h"
#include "storage/pagetable.h"
#include "storage/sheettype.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class Database;
#include <QTextDocument>

// A saved label page read back from its folder: the sheet type, the PAGE
// rows in table order and, per row, the fitted text and the picture. It owns
// everything it holds.
struct LoadedPage {
    struct Label {
        PageRow row;
        std::unique_ptr<QTextDocument> text;   // fitted: one paragraph per printed line
        bool mixedFormat = false;
        std::optional<Picture> picture;
    };
    SheetType type;
    std::vector<Label> labels;
};

struct PageFolderLoad {
    std::optional<LoadedPage> page;
    QString reason;   // one line, when the page could not be read
};

// Reads the page folder `folder` (etiquet.mdb holding PAGE, typetiq.txt,
// n.rtf and n.bmp for each label). The sheet type is looked up by name in
// `catalogue`. The folder is only read. A page that is missing, damaged,
// empty or of an unknown type gives a reason instead.
PageFolderLoad loadPageFolder(const QString &folder, Database &catalogue);
