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

} // namespace richtext
