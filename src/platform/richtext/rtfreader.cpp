#include "rtfreader.h"

#include "codepages.h"
#include "documentbuilder.h"
#include "rtfkeywords.h"
#include "rtflexer.h"
#include "rtflimits.h"
#include "textcharacters.h"

#include "platform/boundedread.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QTextDocument>

#include <array>
#include <climits>
#include <optional>
#include <utility>
#include <vector>

namespace richtext {
namespace {

struct CharState {
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = limits::kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int colour = 0;
    // East Asian text may have a font and size of its own: \af and \afs
    // after \dbch. After \rtlch they are for right-to-left scripts, which
    // are not read apart.
    enum class Script { Low, High, DoubleByte, RightToLeft } script = Script::Low;
    int asianFont = kNoFont;
    int asianHalfPoints = 0; // 0: as the other text
    bool operator==(const CharState &) const = default;

    static constexpr int kNoFont = INT_MIN;
};

enum class Destination { Text, FontTable, ColourTable, Skipped };

struct GroupState {
    CharState chars;
    int unicodeSkip = 1;
    Destination destination = Destination::Text;
};

struct FontEntry {
    QString name;
    int charset = -1;
    int codePage = 0; // \cpg, which overrides the charset
};

bool isBlank(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

class Reader {
public:
    Reader(QByteArrayView rtf, QTextDocument *into) : lexer_(rtf), builder_(into) {}
    RtfReadResult run();

private:
    bool skipFallback(RtfToken &token);
    void openGroup();
    void closeGroup();
    void text(QByteArrayView bytes);
    void hexByte(unsigned char byte);
    void symbol(char symbol);
    void controlWord(const RtfToken &token);
    void formatting(Keyword keyword, bool hasParam, int param);

    void appendBytes(QByteArrayView bytes);
    void appendUnit(char16_t unit);
    void appendCodePoint(int value);
    void decodePending();
    void flushText();
    void breakParagraph();

    void startFontEntry(int number);
    void appendFontName(QByteArrayView bytes);
    void finishFontEntry();
    void finishColour();

    const FontEntry *fontFor(int number) const;
    int codePageOf(const FontEntry *font) const;
    const CharState &currentChars() const;
    CharState asianChars(const CharState &chars) const;
    QTextCharFormat format(const CharState &chars);
    QTextCharFormat format() { return format(currentChars()); }
    void invalidateFormats() { formatCache_ = {}; }

    GroupState &group() { return groups_.back(); }

    RtfLexer lexer_;
    DocumentBuilder builder_;
    codepages::Decoder decoder_;
    std::vector<GroupState> groups_;
    CharState finalChars_;
    bool atGroupStart_ = false;
    int fallbackToSkip_ = 0;
    bool contentStarted_ = false;
    QByteArray heldBlanks_;

    int documentCodePage_ = codepages::kWindows1252;
    int defaultFont_ = 0;
    QHash<int, FontEntry> fonts_;
    bool fontEntryOpen_ = false;
    int fontNumber_ = 0;
    FontEntry font_;
    QByteArray fontNameBytes_;

    QList<std::optional<QRgb>> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourGiven_ = false;

    QByteArray pendingBytes_;
    int pendingCodePage_ = codepages::kWindows1252;
    QString pendingText_;

    struct FormatCache {
        bool valid = false;
        CharState chars;
        QTextCharFormat format;
    };
    std::array<FormatCache, 2> formatCache_;
    int nextCacheSlot_ = 0;
};

RtfReadResult Reader::run()
{
    QString error;
    for (;;) {
        if (builder_.isFull())
            break;
        RtfToken token = lexer_.next();
        if (token.kind == RtfToken::End) {
            if (!groups_.empty())
                error = QStringLiteral("le texte s'arrête avant sa fin");
            break;
        }
        // Blanks held before the first text are text after all unless a
        // group boundary follows: they lay out the header's groups.
        if (!heldBlanks_.isEmpty()) {
            if (token.kind == RtfToken::GroupOpen || token.kind == RtfToken::GroupClose)
                heldBlanks_.clear();
            else if (!(token.kind == RtfToken::Text && isBlank(token.text)))
                appendBytes(std::exchange(heldBlanks_, {}));
        }
        if (token.kind == RtfToken::GroupOpen) {
            if (groups_.size() >= limits::kMaxGroupDepth) {
                error = QStringLiteral("groupes imbriqués trop profondément");
                break;
            }
            openGroup();
            continue;
        }
        if (token.kind == RtfToken::GroupClose) {
            closeGroup();
            if (groups_.empty())
                break; // the document's outer group is closed: what follows is not RTF
            continue;
        }

        const bool groupStart = std::exchange(atGroupStart_, false);
        if (group().destination == Destination::Skipped)
            continue;
        if (fallbackToSkip_ > 0 && skipFallback(token))
            continue;
        switch (token.kind) {
        case RtfToken::Text: text(token.text); break;
        case RtfToken::HexByte: hexByte(token.byte); break;
        case RtfToken::ControlSymbol:
            if (groupStart && token.symbol == '*') {
                // {\*\word ...}: a destination to skip unless it is known,
                // and none of those the reader knows is starred.
                flushText();
                group().destination = Destination::Skipped;
            } else {
                symbol(token.symbol);
            }
            break;
        case RtfToken::ControlWord: controlWord(token); break;
        default: break;
        }
    }
    flushText();
    builder_.finish(format());
    // The text still pending when the data ends can fill the document too.
    const bool truncated = builder_.isFull();
    if (truncated && error.isEmpty())
        error = QStringLiteral("texte trop long");
    return {error.isEmpty(), error, truncated};
}

// Drops what follows \uN up to the count set by \ucN: bytes, \'hh escapes
// and control words count one each; a group boundary ends the fallback.
bool Reader::skipFallback(RtfToken &token)
{
    if (token.kind == RtfToken::Text) {
        const qsizetype skipped = qMin<qsizetype>(fallbackToSkip_, token.text.size());
        fallbackToSkip_ -= static_cast<int>(skipped);
        token.text = token.text.sliced(skipped);
        return token.text.isEmpty();
    }
    --fallbackToSkip_;
    return true;
}

void Reader::openGroup()
{
    flushText();
    groups_.push_back(groups_.empty() ? GroupState{} : groups_.back());
    atGroupStart_ = true;
    fallbackToSkip_ = 0;
}

void Reader::closeGroup()
{
    flushText();
    atGroupStart_ = false;
    fallbackToSkip_ = 0;
    const GroupState closed = groups_.back();
    groups_.pop_back();
    if (closed.destination == Destination::FontTable && fontEntryOpen_)
        finishFontEntry();
    if (closed.destination == Destination::ColourTable && colourGiven_)
        finishColour();
    if (groups_.empty())
        finalChars_ = closed.chars;
}

void Reader::text(QByteArrayView bytes)
{
    switch (group().destination) {
    case Destination::Text:
        if (!contentStarted_ && groups_.size() == 1 && isBlank(bytes))
            heldBlanks_.append(bytes);
        else
            appendBytes(bytes);
        break;
    case Destination::FontTable:
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == ';') {
                finishFontEntry();
            } else {
                qsizetype end = i;
                while (end < bytes.size() && bytes[end] != ';')
                    ++end;
                appendFontName(bytes.sliced(i, end - i));
                i = end - 1;
            }
        }
        break;
    case Destination::ColourTable:
        for (const char c : bytes) {
            if (c == ';')
                finishColour();
        }
        break;
    case Destination::Skipped:
        break;
    }
}

void Reader::hexByte(unsigned char byte)
{
    const char c = static_cast<char>(byte);
    if (group().destination == Destination::Text)
        appendBytes(QByteArrayView(&c, 1));
    else if (group().destination == Destination::FontTable)
        appendFontName(QByteArrayView(&c, 1));
}

void Reader::symbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        text(QByteArrayView(&symbol, 1));
        break;
    case '~':
    case '_':
        if (group().destination == Destination::Text)
            appendUnit(symbol == '~' ? 0x00A0 : 0x2011);
        break;
    case '-': // optional hyphen: shown only where a line breaks
        if (group().destination == Destination::Text)
            appendUnit(0x00AD);
        break;
    case '\n':
        if (group().destination == Destination::Text)
            breakParagraph();
        break;
    default:
        break; // \| \: and the like carry no text
    }
}

void Reader::controlWord(const RtfToken &token)
{
    const KeywordInfo info = lookupKeyword(token.text);
    const bool has = token.hasParam;
    const int param = token.param;
    GroupState &state = group();

    switch (info.keyword) {
    case Keyword::Unknown:
        return;
    case Keyword::Unicode:
        if (has)
            appendCodePoint(param);
        fallbackToSkip_ = state.unicodeSkip;
        return;
    case Keyword::UnicodeSkip:
        state.unicodeSkip = has ? qBound(0, param, limits::kMaxUnicodeSkip) : 1;
        return;
    case Keyword::Character:
    case Keyword::Tab:
        if (state.destination == Destination::Text)
            appendUnit(info.keyword == Keyword::Tab ? u'\t' : info.character);
        return;
    default:
        break;
    }

    flushText();
    switch (info.keyword) {
    case Keyword::SkippedDestination:
        state.destination = Destination::Skipped;
        return;
    case Keyword::FontTable:
        state.destination = Destination::FontTable;
        return;
    case Keyword::ColourTable:
        state.destination = Destination::ColourTable;
        return;
    case Keyword::Ansi: documentCodePage_ = codepages::kWindows1252; return;
    case Keyword::Mac: documentCodePage_ = decoder_.supports(10000) ? 10000 : documentCodePage_; return;
    case Keyword::Pc: documentCodePage_ = decoder_.supports(437) ? 437 : documentCodePage_; return;
    case Keyword::Pca: documentCodePage_ = decoder_.supports(850) ? 850 : documentCodePage_; return;
    case Keyword::AnsiCodePage:
        if (has && decoder_.supports(param))
            documentCodePage_ = param;
        return;
    case Keyword::DefaultFont:
        if (has) {
            defaultFont_ = param;
            invalidateFormats();
        }
        return;
    default:
        break;
    }

    switch (state.destination) {
    case Destination::FontTable:
        if (info.keyword == Keyword::Font)
            startFontEntry(has ? param : 0);
        else if (info.keyword == Keyword::FontCharset && has)
            font_.charset = param;
        else if (info.keyword == Keyword::FontCodePage && has && decoder_.supports(param))
            font_.codePage = param;
        return;
    case Destination::ColourTable:
        if (info.keyword == Keyword::Red || info.keyword == Keyword::Green || info.keyword == Keyword::Blue) {
            const int value = has ? qBound(0, param, 255) : 0;
            (info.keyword == Keyword::Red ? red_ : info.keyword == Keyword::Green ? green_ : blue_) = value;
            colourGiven_ = true;
        }
        return;
    case Destination::Text:
        if (info.keyword == Keyword::ParagraphBreak)
            breakParagraph();
        else
            formatting(info.keyword, has, param);
        return;
    case Destination::Skipped:
        return;
    }
}

void Reader::formatting(Keyword keyword, bool has, int param)
{
    CharState &chars = group().chars;
    const bool on = !has || param != 0;
    switch (keyword) {
    case Keyword::Plain: chars = CharState{}; break;
    case Keyword::Font: chars.font = has ? param : 0; break;
    case Keyword::FontSize:
        chars.halfPoints = has && param > 0 ? qBound(limits::kMinHalfPoints, param, limits::kMaxHalfPoints)
                                            : limits::kDefaultHalfPoints;
        break;
    case Keyword::Bold: chars.bold = on; break;
    case Keyword::Italic: chars.italic = on; break;
    case Keyword::Underline: chars.underline = on; break;
    case Keyword::UnderlineNone: chars.underline = false; break;
    case Keyword::Strike: chars.strike = on; break;
    case Keyword::Hidden: chars.hidden = on; break;
    case Keyword::Foreground: chars.colour = has ? param : 0; break;
    case Keyword::LowAnsi:
    case Keyword::LeftToRight: chars.script = CharState::Script::Low; break;
    case Keyword::HighAnsi: chars.script = CharState::Script::High; break;
    case Keyword::DoubleByte: chars.script = CharState::Script::DoubleByte; break;
    case Keyword::RightToLeft: chars.script = CharState::Script::RightToLeft; break;
    case Keyword::AssociatedFont:
        if (chars.script == CharState::Script::DoubleByte)
            chars.asianFont = has ? param : 0;
        break;
    case Keyword::AssociatedFontSize:
        if (chars.script == CharState::Script::DoubleByte && has && param > 0)
            chars.asianHalfPoints = qBound(limits::kMinHalfPoints, param, limits::kMaxHalfPoints);
        break;
    default: break;
    }
}

void Reader::appendBytes(QByteArrayView bytes)
{
    if (group().chars.hidden)
        return;
    contentStarted_ = true;
    const int codePage = codePageOf(fontFor(group().chars.font));
    if (!pendingBytes_.isEmpty() && codePage != pendingCodePage_)
        decodePending();
    pendingCodePage_ = codePage;
    pendingBytes_.append(bytes);
}

void Reader::appendUnit(char16_t unit)
{
    if (group().destination == Destination::FontTable) {
        if (fontEntryOpen_ && font_.name.size() + fontNameBytes_.size() < limits::kMaxFontNameLength) {
            font_.name += decoder_.decode(fontNameBytes_, codePageOf(&font_));
            fontNameBytes_.clear();
            font_.name.append(QChar(unit));
        }
        return;
    }
    if (group().destination != Destination::Text || group().chars.hidden)
        return;
    contentStarted_ = true;
    decodePending();
    pendingText_.append(QChar(unit));
}

// \uN is a signed 16-bit value; some writers give code points above the
// 16-bit range as they are, which is read as the character they name.
void Reader::appendCodePoint(int value)
{
    if (value < 0 && value >= -32768) {
        appendUnit(static_cast<char16_t>(value + 65536));
    } else if (value >= 0 && value <= 0xFFFF) {
        appendUnit(static_cast<char16_t>(value));
    } else if (value > 0xFFFF && value <= 0x10FFFF) {
        appendUnit(QChar::highSurrogate(static_cast<char32_t>(value)));
        appendUnit(QChar::lowSurrogate(static_cast<char32_t>(value)));
    } else {
        appendUnit(QChar::ReplacementCharacter);
    }
}

void Reader::decodePending()
{
    if (pendingBytes_.isEmpty())
        return;
    pendingText_ += decoder_.decode(pendingBytes_, pendingCodePage_);
    pendingBytes_.clear();
}

void Reader::flushText()
{
    decodePending();
    if (pendingText_.isEmpty())
        return;
    const CharState &chars = currentChars();
    const CharState asian = asianChars(chars);
    if (asian.font == chars.font && asian.halfPoints == chars.halfPoints) {
        builder_.appendText(pendingText_, format(chars));
    } else {
        // Runs of East Asian and other characters, each with its format.
        const QStringView text(pendingText_);
        qsizetype start = 0;
        bool runIsAsian = isEastAsian(text[0].unicode());
        for (qsizetype i = 1; i <= text.size(); ++i) {
            const bool asianHere = i < text.size()
                && (text[i].isLowSurrogate() || isNeutralSpace(text[i].unicode()) ? runIsAsian
                                                                                  : isEastAsian(text[i].unicode()));
            if (i == text.size() || asianHere != runIsAsian) {
                builder_.appendText(text.sliced(start, i - start), format(runIsAsian ? asian : chars));
                start = i;
                runIsAsian = asianHere;
            }
        }
    }
    pendingText_.clear();
}

// The state East Asian characters take: the font and size given for them,
// where given (and the font is in the table).
CharState Reader::asianChars(const CharState &chars) const
{
    CharState asian = chars;
    if (chars.asianFont != CharState::kNoFont && fonts_.contains(chars.asianFont))
        asian.font = chars.asianFont;
    if (chars.asianHalfPoints > 0)
        asian.halfPoints = chars.asianHalfPoints;
    return asian;
}

void Reader::breakParagraph()
{
    contentStarted_ = true;
    flushText();
    builder_.breakParagraph(format());
}

void Reader::startFontEntry(int number)
{
    if (fontEntryOpen_)
        finishFontEntry();
    fontEntryOpen_ = true;
    fontNumber_ = number;
    font_ = FontEntry{};
    fontNameBytes_.clear();
}

void Reader::appendFontName(QByteArrayView bytes)
{
    if (!fontEntryOpen_)
        return;
    const qsizetype room = limits::kMaxFontNameLength - fontNameBytes_.size() - font_.name.size();
    if (room > 0)
        fontNameBytes_.append(bytes.first(qMin(room, bytes.size())));
}

void Reader::finishFontEntry()
{
    if (!fontEntryOpen_)
        return;
    fontEntryOpen_ = false;
    font_.name += decoder_.decode(fontNameBytes_, codePageOf(&font_));
    font_.name.removeIf([](QChar c) { return c == u'\t' || isReservedCharacter(c.unicode()); });
    font_.name = font_.name.trimmed().left(limits::kMaxFontNameLength);
    fontNameBytes_.clear();
    if (fonts_.size() < limits::kMaxFonts || fonts_.contains(fontNumber_))
        fonts_.insert(fontNumber_, font_);
    invalidateFormats();
}

void Reader::finishColour()
{
    if (colours_.size() < limits::kMaxColours)
        colours_.append(colourGiven_ ? std::optional<QRgb>(qRgb(red_, green_, blue_)) : std::nullopt);
    red_ = green_ = blue_ = 0;
    colourGiven_ = false;
    invalidateFormats();
}

const FontEntry *Reader::fontFor(int number) const
{
    auto found = fonts_.constFind(number < 0 ? defaultFont_ : number);
    if (found == fonts_.constEnd())
        found = fonts_.constFind(defaultFont_);
    return found == fonts_.constEnd() ? nullptr : &found.value();
}

int Reader::codePageOf(const FontEntry *font) const
{
    if (font) {
        if (font->codePage > 0)
            return font->codePage;
        if (const int fromCharset = codepages::forCharset(font->charset))
            return fromCharset;
    }
    return documentCodePage_;
}

const CharState &Reader::currentChars() const
{
    return groups_.empty() ? finalChars_ : groups_.back().chars;
}

QTextCharFormat Reader::format(const CharState &chars)
{
    for (FormatCache &slot : formatCache_) {
        if (slot.valid && slot.chars == chars)
            return slot.format;
    }
    QTextCharFormat format;
    if (const FontEntry *font = fontFor(chars.font); font && !font->name.isEmpty()) {
        format.setFontFamilies({font->name});
    }
    format.setFontPointSize(chars.halfPoints / 2.0);
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontStrikeOut(chars.strike);
    if (chars.colour >= 0 && chars.colour < colours_.size() && colours_[chars.colour])
        format.setForeground(QColor(*colours_[chars.colour]));
    // Two slots: text often alternates between two states (East Asian and
    // other characters, or a group and the text around it).
    FormatCache &slot = formatCache_[nextCacheSlot_];
    nextCacheSlot_ = 1 - nextCacheSlot_;
    slot = {true, chars, format};
    return format;
}

// Where RTF data starts: after blanks and a byte order mark some programs
// put before it.
qsizetype rtfStart(const QByteArray &data)
{
    qsizetype pos = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t' || data[pos] == '\r' || data[pos] == '\n'))
        ++pos;
    return QByteArrayView(data).sliced(pos).startsWith("{\\rtf") ? pos : -1;
}

} // namespace

RtfReadResult readRtf(const QByteArray &rtf, QTextDocument *into)
{
    if (!into)
        return {false, QStringLiteral("aucun document où lire")};
    const qsizetype start = rtf.size() > limits::kMaxInputBytes ? -1 : rtfStart(rtf);
    if (start < 0) {
        into->clear();
        if (rtf.size() > limits::kMaxInputBytes)
            return {false, QStringLiteral("texte trop long")};
        return {false, rtf.isEmpty() ? QStringLiteral("aucune donnée") : QStringLiteral("ce n'est pas du texte RTF")};
    }
    return Reader(QByteArrayView(rtf).sliced(start), into).run();
}

RtfReadResult loadRtfFile(const QString &path, QTextDocument *into)
{
    if (!into)
        return {false, QStringLiteral("aucun document où lire")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        into->clear();
        return {false, QStringLiteral("le fichier %1 ne peut pas être ouvert").arg(QDir::toNativeSeparators(path))};
    }
    if (file.size() > limits::kMaxInputBytes) {
        into->clear();
        return {false, QStringLiteral("fichier trop volumineux")};
    }
    // Read one byte past the limit so that a file that grows, or a device
    // that reports no size, is still refused rather than read without end.
    return readRtf(readAtMost(file, limits::kMaxInputBytes + 1), into);
}

} // namespace richtext
