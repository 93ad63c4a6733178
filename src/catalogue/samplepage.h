#pragma once

struct AppState;

// The printer's page as the catalogue draws and undoes against it, in twips.
// Without a printer (page sizes unknown) it is a whole A4 sheet, all of it
// printable, so that nothing divides by zero.
struct SamplePage {
    int pageWidth = 0;
    int pageHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int offsetX = 0;
    int offsetY = 0;

    static SamplePage a4();
    static SamplePage from(const AppState &state);
};
