#pragma once

#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

// Fills a QTextDocument with runs of formatted text and paragraph breaks,
// in one edit block (inserting outside one costs time quadratic in the
// number of runs). The document is emptied first.
//
// A paragraph break closes the current paragraph; the block after it is
// only made when something follows, so that the break closing the last
// paragraph (which RTF writers put before the final brace) makes no empty
// block. Each block's own character format is that of its first character,
// or for an empty paragraph that of the break that ends it, so an empty
// line keeps its font size.
//
// The document is bounded: past a number of characters, formatting runs or
// paragraphs, the builder stops taking input and reports itself full.
namespace richtext {

class DocumentBuilder {
public:
    explicit DocumentBuilder(QTextDocument *document);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    // Control characters are dropped; U+2028 and U+2029 break the
    // paragraph; an unpaired surrogate becomes U+FFFD.
    void appendText(QStringView text, const QTextCharFormat &format);
    void breakParagraph(const QTextCharFormat &markFormat);
    // Writes what is pending and closes the edit block; endFormat becomes
    // the format of a last paragraph left empty and unclosed.
    void finish(const QTextCharFormat &endFormat);

    bool isFull() const { return full_; }

private:
    void appendChar(char16_t unit, const QTextCharFormat &format);
    void flushRun();
    void openPendingBlock();

    QTextDocument *document_;
    QTextCursor cursor_;
    bool undoWasEnabled_;
    bool finished_ = false;
    QString run_;
    QTextCharFormat runFormat_;
    bool breakPending_ = false;
    bool blockHasText_ = false;
    qsizetype chars_ = 0;
    qsizetype runs_ = 0;
    qsizetype blocks_ = 1;
    bool full_ = false;
};

} // namespace richtext
