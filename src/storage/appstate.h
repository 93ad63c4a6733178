#pragma once

#include "sheettype.h"

#include "platform/printerfacts.h"

#include <QString>

// The shared state of the program: owned by the main window and passed by
// reference to whatever needs it. Lengths in twips.
struct AppState {
    // Current label-sheet type: the one place its numbers are kept.
    SheetType type;
    const QString &sheetTypeName() const { return type.nom; }
    int sheetRows() const { return type.rows; }
    int sheetCols() const { return type.cols; }
    int labelCount() const { return type.labelCount(); }
    int labelWidth() const { return type.widthetiq; }
    int labelHeight() const { return type.heightetiq; }
    int marginTop() const { return type.margehaut; }
    int marginLeft() const { return type.margegauche; }
    int marginBottom() const { return type.margebas; }
    int marginRight() const { return type.margedroite; }
    int usableLabelCount = 0;   // labels from index 0 that may be written

    // Folders.
    QString programDir;
    QString personalDir;

    // Screen and printer.
    int screenWidthPx = 0;
    int screenHeightPx = 0;
    int windowExtraHeight = 0;
    PrinterFacts printer;   // its offsets are the printer offsets

    // Printer corrections, kept in etiq.ini.
    double DeltaH = 0.0;
    double DeltaV = 0.0;
    bool calibrationOpen = false;

    int currentLabel = 0;

    // Makes `type` the current sheet type.
    void initbd(const SheetType &current) { type = current; }
    void setPrinter(const PrinterFacts &facts) { printer = facts; }
};
