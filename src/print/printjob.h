#pragma once

#include "print/printoutcome.h"

class QString;

namespace printjob {

// Sends one A4 portrait page to the printer `printerName`, in full-page
// mode: `draw` gets a painter whose unit is the twip and whose origin is the
// paper's top-left corner, wherever the printer's own unprintable margins
// lie. A refusal by the printer or by the print system comes back with its
// reason; nothing is retried.
PrintOutcome printPage(const QString &printerName, const QString &documentName, const PageDrawing &draw);

} // namespace printjob
