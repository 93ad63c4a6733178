#pragma once

#include <QByteArrayView>

// Splits RTF data into tokens. Tokens refer to the data, which must outlive
// them. Line ends outside control words carry no meaning in RTF and are
// dropped; the payload of \binN is skipped here so that binary bytes are
// never read as RTF.
namespace richtext {

struct RtfToken {
    enum Kind { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text, Binary };
    Kind kind = End;
    QByteArrayView text;   // ControlWord: its letters; Text: the run of bytes
    bool hasParam = false; // ControlWord
    int param = 0;         // ControlWord, saturated to the int range
    char symbol = 0;       // ControlSymbol; '\n' stands for a backslash before a line end
    unsigned char byte = 0; // HexByte
};

class RtfLexer {
public:
    explicit RtfLexer(QByteArrayView data) : data_(data) {}
    RtfToken next();

private:
    RtfToken controlAfterBackslash();
    QByteArrayView data_;
    qsizetype pos_ = 0;
};

} // namespace richtext
