#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>
#include <unordered_map>

// Windows code pages as RTF files name them (\ansicpg, \fcharset, \cpg).
namespace richtext::codepages {

inline constexpr int kWindows1252 = 1252;

// The code page a font's \fcharset implies; 0 when the charset names none
// (DEFAULT_CHARSET), so that the document's code page applies.
int forCharset(int charset);

// Decodes Windows-1252 the way Windows does: the five unassigned bytes map
// to the C1 control of the same value.
QString decodeWindows1252(QByteArrayView bytes);

// The Windows-1252 byte of a UTF-16 unit at or above 0x80, if it has one.
std::optional<unsigned char> encodeWindows1252(char16_t unit);

// Decodes bytes of any code page the system's converters know, keeping one
// converter per code page; unknown code pages fall back to Windows-1252.
class Decoder {
public:
    QString decode(QByteArrayView bytes, int codePage);
    // Whether decode() has a converter of its own for the code page.
    bool supports(int codePage);

private:
    QStringDecoder *converterFor(int codePage);
    std::unordered_map<int, std::optional<QStringDecoder>> converters_;
};

} // namespace richtext::codepages
