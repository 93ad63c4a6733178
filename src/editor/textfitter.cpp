#include "editor/textfitter.h"

#include "editor/textmeasure.h"
#include "platform/dialogs.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

constexpr int edgeMargin = TextFitter::edgeMargin;

// Characters sharing one format; positions within their paragraph.
struct Run {
    int start;
    int end;
    QTextCharFormat format;
    QFont font;
};

// Text between two hard breaks: the end of a block, or a line separator
// (Shift+Enter) inside one, which the fitted text turns into a block end.
struct Paragraph {
    QString text;
    QList<Run> runs;
    QTextBlockFormat blockFormat;
    QTextCharFormat openingFormat;  // what the paragraph opens with, even when empty
    QFont openingFont;

    const Run &runAt(int position) const
    {
        return *std::find_if(runs.cbegin(), runs.cend(),
                             [position](const Run &run) { return position < run.end; });
    }

    void append(const QString &piece, const QTextCharFormat &format, const QFont &font)
    {
        if (piece.isEmpty())
            return;
        const int start = int(text.size());
        text += piece;
        runs.append({start, int(text.size()), format, font});
    }
};

struct Line {
    qsizetype paragraph;
    int start;
    int end;
};

QList<Paragraph> paragraphsOf(const QTextDocument &document)
{
    const QFont documentFont = document.defaultFont();
    QList<Paragraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph current;
        current.blockFormat = block.blockFormat();
        current.openingFormat = block.charFormat();
        current.openingFont = TextMeasure::characterFont(current.openingFormat, documentFont);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString text = fragment.text();
            const QTextCharFormat format = fragment.charFormat();
            const QFont font = TextMeasure::characterFont(format, documentFont);
            qsizetype from = 0;
            for (qsizetype separator; (separator = text.indexOf(QChar::LineSeparator, from)) >= 0;
                 from = separator + 1) {
                current.append(text.mid(from, separator - from), format, font);
                paragraphs.append(current);
                current = Paragraph{{}, {}, current.blockFormat, format, font};
            }
            current.append(text.mid(from), format, font);
        }
        paragraphs.append(current);
    }
    return paragraphs;
}

// A surrogate pair is one character: a break never falls inside it.
int nextCharacter(const QString &text, int position)
{
    const bool pair = text.at(position).isHighSurrogate() && position + 1 < text.size()
                      && text.at(position + 1).isLowSurrogate();
    return position + (pair ? 2 : 1);
}

char32_t codePoint(const QString &text, int position, int next)
{
    if (next - position == 2)
        return QChar::surrogateToUcs4(text.at(position), text.at(position + 1));
    return text.at(position).unicode();
}

bool breaksAfter(QChar c) { return QStringView(u"-}])°?!").contains(c); }
bool breaksBefore(QChar c) { return QStringView(u"\\{[(").contains(c); }

// Walks a paragraph character by character, adding each character's width
// with its own font, and ends a line at the last break opportunity (or at the
// character itself when there is none) once the line reaches the margin.
QList<Line> breakLines(const Paragraph &paragraph, qsizetype index, TextMeasure &measure,
                       int rightMargin)
{
    const QString &text = paragraph.text;
    const int length = int(text.size());
    QList<Line> lines;
    int lineStart = 0;
    int breakPos = 0;
    int lineWidth = 0;
    int position = 0;
    while (position < length) {
        const int next = nextCharacter(text, position);
        const bool first = position == lineStart;
        const bool second = position == nextCharacter(text, lineStart);
        const QChar c = text.at(position);
        if (c == u' ')
            breakPos = second ? lineStart : next;
        else if (breaksAfter(c))
            breakPos = next;
        else if (breaksBefore(c))
            breakPos = second ? lineStart : position;
        else if (first)
            breakPos = lineStart;

        FontMeasure &font = measure.font(paragraph.runAt(position).font);
        const char32_t character = codePoint(text, position, next);
        const int overlap = font.pairOverlap(character);
        lineWidth = qRound(font.charWidth(character) + lineWidth - overlap);

        if (rightMargin <= lineWidth + edgeMargin + overlap) {
            int cut = breakPos == lineStart ? position : breakPos;
            // A character wider than the label still gets a line of its own,
            // otherwise the walk would never move on.
            if (cut == lineStart)
                cut = next;
            // A break at the paragraph's end would only add an empty line.
            if (cut < length) {
                lines.append({index, lineStart, cut});
                lineStart = breakPos = position = cut;
                lineWidth = 0;
                continue;
            }
        }
        position = next;
    }
    lines.append({index, lineStart, length});
    return lines;
}

// What decides whether a line mixes formats: italic, underline, colour or a
// fraction of a point do not count.
struct FormatKey {
    QString family;
    int wholeSize;
    bool bold;
    bool operator==(const FormatKey &) const = default;
};

FormatKey keyOf(const QFont &font)
{
    return {font.family(), int(TextMeasure::sizeInTwips(font) / 20), font.bold()};
}

struct LineMeasure {
    int height;
    bool mixed;
};

// The line's height is that of the tallest character from its start to the
// end of its paragraph: when a line begins, the paragraph's later breaks are
// not decided yet, so the rest of the paragraph counts as the line.
LineMeasure measureLine(const Paragraph &paragraph, int start, TextMeasure &measure)
{
    if (start >= paragraph.text.size())
        return {measure.font(paragraph.openingFont).cellHeight(), false};
    const FormatKey reference = keyOf(paragraph.runAt(start).font);
    LineMeasure line{0, false};
    for (const Run &run : paragraph.runs) {
        if (run.end <= start)
            continue;
        line.height = std::max(line.height, measure.font(run.font).cellHeight());
        line.mixed = line.mixed || !(keyOf(run.font) == reference);
    }
    return line;
}

void writeLines(QTextDocument &fitted, const QFont &documentFont,
                const QList<Paragraph> &paragraphs, const QList<Line> &lines)
{
    fitted.clear();
    fitted.setDefaultFont(documentFont);
    QTextCursor cursor(&fitted);
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line &line = lines.at(i);
        const Paragraph &paragraph = paragraphs.at(line.paragraph);
        // A continued line opens with the format of its first character.
        const QTextCharFormat opening =
            line.start == 0 ? paragraph.openingFormat : paragraph.runAt(line.start).format;
        if (i == 0) {
            cursor.setBlockFormat(paragraph.blockFormat);
            cursor.setBlockCharFormat(opening);
        } else {
            cursor.insertBlock(paragraph.blockFormat, opening);
        }
        for (const Run &run : paragraph.runs) {
            const int from = std::max(run.start, line.start);
            const int to = std::min(run.end, line.end);
            if (from < to)
                cursor.insertText(paragraph.text.mid(from, to - from), run.format);
        }
    }
    cursor.endEditBlock();
}

} // namespace

FitResult TextFitter::fit(const QTextDocument &editorText, int editorWidth, int editorHeight,
                          QTextDocument &fitted)
{
    FitResult result;
    const QList<Paragraph> paragraphs =
        editorText.isEmpty() ? QList<Paragraph>{} : paragraphsOf(editorText);
    const int rightMargin = editorWidth - edgeMargin;
    QList<Line> kept;
    int totalHeight = 0;
    for (qsizetype i = 0; i < paragraphs.size() && !result.tooHigh; ++i) {
        const Paragraph &paragraph = paragraphs.at(i);
        // A text that ends with a break has no line after it.
        if (i > 0 && i == paragraphs.size() - 1 && paragraph.text.isEmpty()) {
            kept.append({i, 0, 0});
            break;
        }
        for (const Line &line : breakLines(paragraph, i, m_measure, rightMargin)) {
            const LineMeasure measured = measureLine(paragraph, line.start, m_measure);
            result.mixedFormat = result.mixedFormat || measured.mixed;
            totalHeight += measured.height;
            if (editorHeight < totalHeight + edgeMargin) {
                result.tooHigh = true;
                result.firstCutLine = paragraph.text.mid(line.start, line.end - line.start);
                break;
            }
            kept.append(line);
            ++result.lineCount;
        }
    }
    writeLines(fitted, editorText.defaultFont(), paragraphs, kept);
    return result;
}

FitResult TextFitter::calculetiq(const QTextDocument &editorText, int editorWidth,
                                 int editorHeight, QTextDocument &fitted, Dialogs &dialogs)
{
    const FitResult result = fit(editorText, editorWidth, editorHeight, fitted);
    warnTooHigh(result, dialogs);
    return result;
}

void TextFitter::warnTooHigh(const FitResult &result, Dialogs &dialogs)
{
    if (!result.tooHigh)
        return;
    dialogs.inform(QStringLiteral("TEXTE TROP HAUT"),
                   QStringLiteral("Seules les ") + QString::number(result.lineCount)
                       + QStringLiteral(" premières lignes seront imprimées.\nLa ligne  '")
                       + result.firstCutLine
                       + QStringLiteral("' et les suivantes ne seront pas imprimées"),
                   Dialogs::Icon::Exclamation);
}
