#include "rtflexer.h"

#include <climits>

namespace richtext {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

RtfToken token(RtfToken::Kind kind)
{
    RtfToken made;
    made.kind = kind;
    return made;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfLexer::next()
{
    const qsizetype size = data_.size();
    while (pos_ < size) {
        const char c = data_[pos_];
        switch (c) {
        case '{': ++pos_; return token(RtfToken::GroupOpen);
        case '}': ++pos_; return token(RtfToken::GroupClose);
        case '\\': ++pos_; return controlAfterBackslash();
        case '\r':
        case '\n': ++pos_; continue;
        default: break;
        }
        const qsizetype start = pos_;
        while (pos_ < size) {
            const char d = data_[pos_];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                break;
            ++pos_;
        }
        RtfToken run = token(RtfToken::Text);
        run.text = data_.sliced(start, pos_ - start);
        return run;
    }
    return token(RtfToken::End);
}

RtfToken RtfLexer::controlAfterBackslash()
{
    const qsizetype size = data_.size();
    if (pos_ >= size)
        return token(RtfToken::End);
    const char c = data_[pos_];

    if (!isLetter(c)) {
        ++pos_;
        if (c == '\'') {
            const int high = pos_ < size ? hexValue(data_[pos_]) : -1;
            const int low = pos_ + 1 < size ? hexValue(data_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {
                RtfToken broken = token(RtfToken::ControlSymbol);
                broken.symbol = '\'';
                return broken;
            }
            pos_ += 2;
            RtfToken hex = token(RtfToken::HexByte);
            hex.byte = static_cast<unsigned char>(high * 16 + low);
            return hex;
        }
        RtfToken symbol = token(RtfToken::ControlSymbol);
        symbol.symbol = (c == '\r' || c == '\n') ? '\n' : c;
        return symbol;
    }

    RtfToken word = token(RtfToken::ControlWord);
    const qsizetype start = pos_;
    while (pos_ < size && isLetter(data_[pos_]))
        ++pos_;
    word.text = data_.sliced(start, pos_ - start);

    const bool negative = pos_ + 1 < size && data_[pos_] == '-' && isDigit(data_[pos_ + 1]);
    if (negative)
        ++pos_;
    if (pos_ < size && isDigit(data_[pos_])) {
        long long value = 0;
        while (pos_ < size && isDigit(data_[pos_])) {
            if (value <= INT_MAX)
                value = value * 10 + (data_[pos_] - '0');
            ++pos_;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        word.hasParam = true;
        word.param = static_cast<int>(negative ? -value : value);
    }
    if (pos_ < size && data_[pos_] == ' ')
        ++pos_;

    if (word.text == "bin") {
        // The payload length is the parameter; a length past the end of the
        // data simply ends the data.
        const qsizetype length = word.hasParam && word.param > 0 ? word.param : 0;
        pos_ += qMin(length, size - pos_);
        return token(RtfToken::Binary);
    }
    return word;
}

} // namespace richtext
