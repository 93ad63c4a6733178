#pragma once

#include "print/printoutcome.h"

class QString;

namespace pdfpage {

// Writes one A4 portrait page to the PDF file `path`, drawn by `draw` on a
// painter in twips from the paper's top-left corner. The file appears whole
// or not at all; an existing file is replaced only by a complete one.
PrintOutcome write(const QString &path, const QString &title, const PageDrawing &draw);

} // namespace pdfpage
