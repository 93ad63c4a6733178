#pragma once

#include <QChar>

// Characters that are never part of a label's text, whether read or
// written: control characters other than the tab, and the characters
// QTextDocument keeps for itself (objects such as images, frame bounds,
// the paragraph separator).
namespace richtext {

inline bool isReservedCharacter(char16_t unit)
{
    return (unit < 0x20 && unit != u'\t') || unit == 0x7F || unit == 0xFDD0 || unit == 0xFDD1
        || unit == QChar::ObjectReplacementCharacter || unit == QChar::ParagraphSeparator;
}

// Characters of the East Asian scripts (CJK ideographs, kana, Hangul,
// full-width forms) and emoji, all wide characters, which RTF may give a
// font and size of their own. The high surrogate of a pair stands for the
// pair: ideographs beyond the BMP are in planes 2 and 3, emoji in plane 1
// from U+1F000.
inline bool isEastAsian(char16_t unit)
{
    return (unit >= 0x1100 && unit <= 0x11FF) || (unit >= 0x2E80 && unit <= 0xA4CF)
        || (unit >= 0xAC00 && unit <= 0xD7AF) || (unit >= 0xD83C && unit <= 0xD83E)
        || (unit >= 0xD840 && unit <= 0xD8BF) || (unit >= 0xF900 && unit <= 0xFAFF)
        || (unit >= 0xFE30 && unit <= 0xFE4F) || (unit >= 0xFF00 && unit <= 0xFFEF);
}

// Spaces belong to the script of the text they stand in.
inline bool isNeutralSpace(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == 0x00A0;
}

} // namespace richtext
