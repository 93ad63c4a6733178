#pragma once

#include "platform/imaging/picture.h"
#include "storage/pagetable.h"

#include <QTextDocument>

#include <memory>
#include <optional>

// One written label as a saved page brings it back: its PAGE row, its text
// already fitted to the label, and its picture already resampled.
struct StoredLabel {
    PageRow row;
    std::unique_ptr<QTextDocument> text;
    bool mixedFormat = false;
    std::optional<Picture> picture;
};
