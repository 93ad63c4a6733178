#pragma once

#include "editor/storedlabel.h"
#include "storage/sheettype.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class Database;

// A saved label page read back from its folder: the sheet type and, in
// reading order, each label's row, fitted text and resampled picture.
struct LoadedPage {
    using Label = StoredLabel;
    SheetType type;
    std::vector<Label> labels;
};

struct PageFolderLoad {
    std::optional<LoadedPage> page;
    QString reason;        // one line, when the page could not be read
    QStringList skipped;   // one line per label left out, and why
    int columnsAdded = 0;  // picture columns the page's database lacked
};

struct PageFolderOptions {
    // Bring the folder up to date as the sheet opens it: the picture columns
    // added to its database, the pictures resampled for the label written
    // back. Without it the folder is only read.
    bool update = false;
    std::function<void(int done, int total)> progress;
};

// Reads the page folder `folder` (etiquet.mdb holding PAGE, typetiq.txt,
// n.rtf and n.bmp for each label). The sheet type is looked up by name in
// `catalogue`. A folder without a usable type or database, or where no label
// can be read, gives a reason and no page; a label whose files are missing
// or damaged is left out and named in `skipped`.
PageFolderLoad loadPageFolder(const QString &folder, Database &catalogue, const PageFolderOptions &options = {});

// The name in typetiq.txt: UTF-8 when it is valid UTF-8, else Latin-1 (the
// older pages' encoding).
QString decodeTypeName(const QByteArray &line);
