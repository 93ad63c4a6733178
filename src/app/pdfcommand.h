#pragma once

#include <QString>

// `--print-pdf OUT PAGE`: a saved page printed into a PDF file, without a
// window, a display or a printer.
struct PdfRequest {
    QString output;       // the PDF file to write
    QString page;         // a saved page's name, or the path of a page folder
    QString programDir;   // the shipped database and the personal folder
    bool corrections = false;   // the printer corrections of etiq.ini
    bool cutFrame = false;
};

// Empty when the PDF was written; otherwise why not, in one line.
QString printPageToPdf(const PdfRequest &request);
