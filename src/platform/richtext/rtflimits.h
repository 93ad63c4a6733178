#pragma once

#include <QtGlobal>

// Bounds on what the RTF reader takes from a file, so that a hostile or
// broken file costs bounded time and memory. Real label texts and the help
// text are far below every one of them.
namespace richtext::limits {

inline constexpr qsizetype kMaxInputBytes = 32 * 1024 * 1024;
inline constexpr int kMaxGroupDepth = 512;
inline constexpr int kMaxFonts = 1024;
inline constexpr int kMaxColours = 1024;
// Characters of a font name taken (bytes and Unicode escapes alike).
inline constexpr int kMaxFontNameLength = 256;
inline constexpr int kMaxUnicodeSkip = 16;
// Font sizes in half points: 1 pt to 1638 pt, the range word processors offer.
inline constexpr int kMinHalfPoints = 2;
inline constexpr int kMaxHalfPoints = 3276;
inline constexpr int kDefaultHalfPoints = 24;
// The document built: inserting into a QTextDocument costs about 6 us and
// 150 bytes per paragraph, less per formatting run.
inline constexpr qsizetype kMaxCharacters = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxRuns = 500'000;
inline constexpr qsizetype kMaxParagraphs = 100'000;

} // namespace richtext::limits
