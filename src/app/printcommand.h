#pragma once

#include <QString>

// `--print-pdf OUT PAGE` and `--print-png OUT PAGE`: a saved page printed
// into a PDF file, or into the page image that the "Pixels" mode prints,
// without a window, a display or a printer.
struct PrintRequest {
    enum class Format { Pdf, Png };
    Format format = Format::Pdf;
    QString output;       // the file to write
    QString page;         // a saved page's name, or the path of a page folder
    QString programDir;   // the shipped database and the personal folder
    bool corrections = false;   // the printer corrections of etiq.ini
    bool cutFrame = false;
    int dpi = 300;              // of the page image
};

// Empty when the file was written; otherwise why not, in one line.
QString printPageToFile(const PrintRequest &request);
