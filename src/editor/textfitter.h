#pragma once

#include <QString>

class Dialogs;
class QTextDocument;
class TextMeasure;

struct FitResult {
    int lineCount = 0;          // lines kept in the fitted text
    bool mixedFormat = false;   // textMixedFormat: a line mixes font names, whole sizes or weights
    bool tooHigh = false;       // lines were cut at the bottom of the label
    QString firstCutLine;       // the first line that did not fit, when tooHigh
};

// Fits a label's rich text into the label as it will print: every line break
// becomes explicit (one paragraph per line), lines that run below the label
// are cut. The editor's own document is never changed; the fitted copy goes
// to a separate document, with every character keeping its format.
class TextFitter {
public:
    // Text stays this far inside the editor's right and bottom edges, and a
    // line is full this far before the right margin (editor width - 30).
    static constexpr int edgeMargin = 30;
    // The widest a fitted line can be, for an editor `editorWidth` wide.
    static constexpr int lineWidthLimit(int editorWidth) { return editorWidth - 2 * edgeMargin; }

    explicit TextFitter(TextMeasure &measure) : m_measure(measure) {}

    // Sizes are the label editor's, in twips (whole pixels). Warns through
    // `dialogs` when lines had to be cut.
    FitResult calculetiq(const QTextDocument &editorText, int editorWidth, int editorHeight,
                         QTextDocument &fitted, Dialogs &dialogs);

    // The fitting alone, without the warning.
    FitResult fit(const QTextDocument &editorText, int editorWidth, int editorHeight,
                  QTextDocument &fitted);

    // "TEXTE TROP HAUT", shown only when the result says lines were cut.
    static void warnTooHigh(const FitResult &result, Dialogs &dialogs);

private:
    TextMeasure &m_measure;
};
