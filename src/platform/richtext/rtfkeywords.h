#pragma once

#include <QByteArrayView>

// The control words the reader acts on. Every other word is read and
// dropped, which is what RTF asks of a reader that does not know a word.
namespace richtext {

enum class Keyword {
    Unknown,
    // Document character set and defaults.
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont,
    // Unicode characters and the count of fallback characters after them.
    Unicode, UnicodeSkip,
    // Destinations.
    FontTable, ColourTable, SkippedDestination,
    // Font and colour table entries.
    FontCharset, FontCodePage, Red, Green, Blue,
    // Character formatting.
    Plain, Font, FontSize, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Foreground,
    // The script the following associated properties (\af, \afs) are for.
    LowAnsi, HighAnsi, DoubleByte, RightToLeft, LeftToRight, AssociatedFont, AssociatedFontSize,
    // Text.
    ParagraphBreak, Tab, Character,
};

struct KeywordInfo {
    Keyword keyword = Keyword::Unknown;
    char16_t character = 0; // Keyword::Character: the character it stands for
};

KeywordInfo lookupKeyword(QByteArrayView word);

} // namespace richtext
