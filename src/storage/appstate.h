#pragma once

#include "sheettype.h"

#include "platform/printerfacts.h"

#include <QString>

// The shared state of the program: owned by the main window and passed by
// reference to whatever needs it. Lengths in twips.
struct AppState {
    // Current label-sheet type.
    QString sheetTypeName;
    int sheetRows = 0;
    int sheetCols = 0;
    int labelCount = 0;
    int labelWidth = 0;
    int labelHeight = 0;
    int marginTop = 0;
    int marginLeft = 0;
    int marginBottom = 0;
    int marginRight = 0;
    int usableLabelCount = 0;   // labels from index 0 that may be written

    // Folders.
    QString programDir;
    QString personalDir;

    // Screen and printer.
    int screenWidthPx = 0;
    int screenHeightPx = 0;
    int windowExtraHeight = 0;
    PrinterFacts printer;
    int printerOffsetX = 0;
    int printerOffsetY = 0;
    int printerOffsetBottom = 0;

    // Printer corrections, kept in etiq.ini.
    double DeltaH = 0.0;
    double DeltaV = 0.0;
    bool calibrationOpen = false;

    int currentLabel = 0;

    SheetType sheetType() const
    {
        return {sheetTypeName, sheetCols, sheetRows, labelWidth, labelHeight,
                marginTop, marginBottom, marginLeft, marginRight};
    }

    // Makes `type` the current sheet type.
    void initbd(const SheetType &type)
    {
        sheetTypeName = type.nom;
        sheetRows = type.rows;
        sheetCols = type.cols;
        labelHeight = type.heightetiq;
        labelWidth = type.widthetiq;
        marginTop = type.margehaut;
        marginLeft = type.margegauche;
        marginBottom = type.margebas;
        marginRight = type.margedroite;
        labelCount = sheetCols * sheetRows;
    }

    void setPrinter(const PrinterFacts &facts)
    {
        printer = facts;
        printerOffsetX = facts.offsetX();
        printerOffsetY = facts.offsetY();
        printerOffsetBottom = facts.offsetBottom();
    }
};
