#pragma once

#include <QString>

class QPrinter;
class QPrinterInfo;

// What the program needs to know of the printer, read once into a plain value
// so that layout code never talks to QPrinter. Lengths in twips, A4 portrait.
struct PrinterFacts {
    QString deviceName;
    int pageWidth = 0;
    int pageHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int marginLeft = 0;   // the device's own unprintable margins
    int marginTop = 0;

    // The offsets the layout works with assume a centred printable area.
    int offsetX() const;
    int offsetY() const { return offsetX(); }
    int offsetBottom() const;
};

// Puts a printer in the state every print job of the program expects:
// A4, portrait, origin at the paper's corner.
void setA4Portrait(QPrinter &printer);

PrinterFacts readPrinterFacts(const QPrinterInfo &printer);

// Facts of the system's default printer; empty facts when there is none.
PrinterFacts readDefaultPrinterFacts();
