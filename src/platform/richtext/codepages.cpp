#include "codepages.h"

#include <array>

namespace richtext::codepages {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

const char *converterName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "windows-932";
    case 936: return "windows-936";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

} // namespace

int forCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;    // ANSI
    case 77: return 10000;  // Mac Roman
    case 128: return 932;   // Shift JIS
    case 129: return 949;   // Hangul
    case 134: return 936;   // GB2312
    case 136: return 950;   // Big5
    case 161: return 1253;  // Greek
    case 162: return 1254;  // Turkish
    case 163: return 1258;  // Vietnamese
    case 177: return 1255;  // Hebrew
    case 178: return 1256;  // Arabic
    case 186: return 1257;  // Baltic
    case 204: return 1251;  // Cyrillic
    case 222: return 874;   // Thai
    case 238: return 1250;  // Eastern European
    case 254: return 437;   // PC 437
    case 255: return 850;   // OEM
    default: return 0;      // DEFAULT_CHARSET, SYMBOL_CHARSET and the rest
    }
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t mapped = byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : 0;
        *out++ = mapped ? mapped : byte;
    }
    return text;
}

std::optional<unsigned char> encodeWindows1252(char16_t unit)
{
    if (unit >= 0xA0 && unit <= 0xFF)
        return static_cast<unsigned char>(unit);
    for (std::size_t i = 0; i < kHigh1252.size(); ++i) {
        if (kHigh1252[i] == unit && unit != 0)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

QStringDecoder *Decoder::converterFor(int codePage)
{
    auto found = converters_.find(codePage);
    if (found == converters_.end()) {
        std::optional<QStringDecoder> converter;
        if (const char *name = converterName(codePage)) {
            QStringDecoder candidate(name, QStringConverter::Flag::Stateless);
            if (candidate.isValid())
                converter.emplace(std::move(candidate));
        }
        found = converters_.emplace(codePage, std::move(converter)).first;
    }
    return found->second ? &*found->second : nullptr;
}

bool Decoder::supports(int codePage)
{
    return codePage == kWindows1252 || converterFor(codePage) != nullptr;
}

QString Decoder::decode(QByteArrayView bytes, int codePage)
{
    if (codePage != kWindows1252) {
        if (QStringDecoder *converter = converterFor(codePage))
            return converter->decode(bytes);
    }
    return decodeWindows1252(bytes);
}

} // namespace richtext::codepages
