#include "documentbuilder.h"

#include "rtflimits.h"
#include "textcharacters.h"

#include <QTextDocument>

namespace richtext {

DocumentBuilder::DocumentBuilder(QTextDocument *document)
    : document_(document), undoWasEnabled_(document->isUndoRedoEnabled())
{
    document_->setUndoRedoEnabled(false);
    document_->clear();
    cursor_ = QTextCursor(document_);
    cursor_.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder()
{
    if (!finished_)
        cursor_.endEditBlock();
    document_->setUndoRedoEnabled(undoWasEnabled_);
}

void DocumentBuilder::appendText(QStringView text, const QTextCharFormat &format)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size && !full_; ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit)) {
            if (i + 1 < size && QChar::isLowSurrogate(text[i + 1].unicode())) {
                appendChar(unit, format);
                appendChar(text[++i].unicode(), format);
            } else {
                appendChar(QChar::ReplacementCharacter, format);
            }
        } else if (QChar::isLowSurrogate(unit)) {
            appendChar(QChar::ReplacementCharacter, format);
        } else if (unit == QChar::LineSeparator || unit == QChar::ParagraphSeparator) {
            breakParagraph(format);
        } else if (!isReservedCharacter(unit)) {
            appendChar(unit, format);
        }
    }
}

void DocumentBuilder::appendChar(char16_t unit, const QTextCharFormat &format)
{
    if (breakPending_)
        openPendingBlock();
    if (full_)
        return;
    if (format != runFormat_ || run_.isEmpty()) {
        flushRun();
        runFormat_ = format;
        if (++runs_ > limits::kMaxRuns) {
            full_ = true;
            return;
        }
    }
    if (!blockHasText_) {
        cursor_.setBlockCharFormat(format);
        blockHasText_ = true;
    }
    if (++chars_ > limits::kMaxCharacters) {
        full_ = true;
        return;
    }
    run_.append(QChar(unit));
}

void DocumentBuilder::breakParagraph(const QTextCharFormat &markFormat)
{
    if (full_)
        return;
    if (breakPending_)
        openPendingBlock();
    flushRun();
    if (!blockHasText_)
        cursor_.setBlockCharFormat(markFormat);
    breakPending_ = true;
}

void DocumentBuilder::openPendingBlock()
{
    flushRun();
    breakPending_ = false;
    if (++blocks_ > limits::kMaxParagraphs) {
        full_ = true;
        return;
    }
    cursor_.insertBlock();
    blockHasText_ = false;
}

void DocumentBuilder::flushRun()
{
    if (run_.isEmpty())
        return;
    cursor_.insertText(run_, runFormat_);
    run_.clear();
}

void DocumentBuilder::finish(const QTextCharFormat &endFormat)
{
    if (finished_)
        return;
    flushRun();
    if (!breakPending_ && !blockHasText_)
        cursor_.setBlockCharFormat(endFormat);
    cursor_.endEditBlock();
    finished_ = true;
}

} // namespace richtext
