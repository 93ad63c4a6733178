#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

struct AppState;

// Where everything of the current sheet goes on the main window, in twips:
// the label editor at the label's true size, the page picture with one cell
// per label, and the row and column numbers beside it.
struct SheetLayout {
    bool singleColumn = false;
    QRect editor;            // T_etiquet
    int editorAreaWidth = 0;
    int editorAreaHeight = 0;
    QRect pagePicture;       // I_page, in window coordinates
    int cellWidth = 0;
    int cellHeight = 0;
    int templateFrameTop = 0;      // F_modele
    int templateFrameHeight = 0;
    int templateListHeight = 0;    // L_modele
    int rowGap = 0;                // between two label rows on paper
    QString caption;

    // The window's other controls, placed so that none covers another
    // whatever the label's size: the editor and its frame fill the left
    // area, everything else stands in the column under the page picture.
    QRect editorFrame;       // F_etiq
    QRect pageFrame;         // F_page
    bool narrowPageFrame = false;   // its controls stacked for a narrow column
    QRect functions;         // L_fonction
    QRect printMode;         // F_mode
    QRect cutFrame;          // C_decoupe
    QRect helpButton;        // B_aide
    QRect contactButton;     // B_contact
    QRect quitButton;        // B_finapp
    QRect screenNotice;      // E_screen

    struct Number {
        int value;        // as shown, from 1
        QPoint anchor;    // row numbers: left edge, vertical centre;
                          // column numbers: horizontal centre, top edge
    };
    QList<Number> rowNumbers;
    QList<Number> columnNumbers;

    int labelCount() const { return rows * cols; }
    int rows = 0;
    int cols = 0;

    // A cell inside the page picture.
    QRect cell(int index) const;
    // The cell under a point of the page picture, or -1.
    int cellAt(QPoint pagePoint) const;

    // Labels from this index on cannot carry a picture.
    static constexpr int pictureLimit = 120;
};

// createtiq's geometry for the current sheet type of `state`, in a window of
// `windowWidth` twips, with the printer's page height for the row gap.
SheetLayout computeSheetLayout(const AppState &state, int windowWidth);
