#include "rtfwriter.h"

#include "codepages.h"
#include "rtflimits.h"
#include "textcharacters.h"

#include <QBrush>
#include <QList>
#include <QSaveFile>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <optional>

namespace richtext {
namespace {

// The character properties RTF carries for the program, fully resolved.
struct CharProps {
    QString family;
    int halfPoints = limits::kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<QRgb> colour; // none: the automatic text colour
};

CharProps propsOf(const QTextCharFormat &format, const QFont &base)
{
    CharProps props;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        props.family = families.first();
    else if (const QString family = format.stringProperty(QTextFormat::FontFamily); !family.isEmpty())
        props.family = family;
    else
        props.family = base.family();

    double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : base.pointSizeF();
    if (points <= 0)
        points = limits::kDefaultHalfPoints / 2.0;
    props.halfPoints = qBound(limits::kMinHalfPoints, qRound(points * 2), limits::kMaxHalfPoints);

    const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : base.weight();
    props.bold = weight >= QFont::DemiBold;
    props.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : base.italic();
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        props.underline = format.underlineStyle() != QTextCharFormat::NoUnderline;
    else if (format.hasProperty(QTextFormat::FontUnderline))
        props.underline = format.boolProperty(QTextFormat::FontUnderline);
    else
        props.underline = base.underline();
    props.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : base.strikeOut();

    const QBrush foreground = format.foreground();
    if (foreground.style() != Qt::NoBrush)
        props.colour = foreground.color().rgb();
    return props;
}

void appendHexEscape(QByteArray &out, unsigned char byte)
{
    static const char hex[] = "0123456789abcdef";
    out += "\\'";
    out += hex[byte >> 4];
    out += hex[byte & 0xF];
}

// What the reader assumes after \plain, and so what the body starts from.
struct WrittenState {
    int font = 0;
    int halfPoints = limits::kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int colour = 0;
};

class Writer {
public:
    explicit Writer(const QFont &base) : base_(base) { fontIndex(base.family()); }
    QByteArray write(const QTextDocument &document);

private:
    int fontIndex(const QString &family);
    int colourIndex(QRgb colour);
    void word(const char *name);
    void word(const char *name, int param);
    void switchTo(const CharProps &props);
    void text(QStringView text);
    static void escape(QByteArray &out, QStringView text, bool fontName, bool *delimit);

    QFont base_;
    QStringList fonts_;
    QList<QRgb> colours_;
    QByteArray body_;
    WrittenState state_;
    bool delimit_ = false; // a control word was just written: a space must end it before text
};

int Writer::fontIndex(const QString &family)
{
    const QString name = family.isEmpty() ? QStringLiteral("Arial") : family;
    const qsizetype index = fonts_.indexOf(name);
    if (index >= 0)
        return static_cast<int>(index);
    fonts_.append(name);
    return static_cast<int>(fonts_.size() - 1);
}

int Writer::colourIndex(QRgb colour)
{
    // Entry 0 of the table is the automatic colour.
    const qsizetype index = colours_.indexOf(colour);
    if (index >= 0)
        return static_cast<int>(index + 1);
    colours_.append(colour);
    return static_cast<int>(colours_.size());
}

void Writer::word(const char *name)
{
    body_ += '\\';
    body_ += name;
    delimit_ = true;
}

void Writer::word(const char *name, int param)
{
    word(name);
    body_ += QByteArray::number(param);
}

void Writer::switchTo(const CharProps &props)
{
    const int font = fontIndex(props.family);
    if (font != state_.font)
        word("f", state_.font = font);
    if (props.halfPoints != state_.halfPoints)
        word("fs", state_.halfPoints = props.halfPoints);
    if (props.bold != state_.bold)
        (state_.bold = props.bold) ? word("b") : word("b", 0);
    if (props.italic != state_.italic)
        (state_.italic = props.italic) ? word("i") : word("i", 0);
    if (props.underline != state_.underline)
        (state_.underline = props.underline) ? word("ul") : word("ulnone");
    if (props.strike != state_.strike)
        (state_.strike = props.strike) ? word("strike") : word("strike", 0);
    const int colour = props.colour ? colourIndex(*props.colour) : 0;
    if (colour != state_.colour)
        word("cf", state_.colour = colour);
}

void Writer::text(QStringView text)
{
    escape(body_, text, false, &delimit_);
}

void Writer::escape(QByteArray &out, QStringView text, bool fontName, bool *delimit)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
            *delimit = false;
        } else if (c == '\t' && !fontName) {
            out += "\\tab";
            *delimit = true;
        } else if (c == QChar::LineSeparator && !fontName) {
            out += "\\line";
            *delimit = true;
        } else if (c == 0x00AD && !fontName) {
            out += "\\-"; // the optional hyphen, as word processors write it
            *delimit = false;
        } else if (c == '\t' || isReservedCharacter(c)) {
            // Not text; nor can a font name hold a tab.
        } else if (c == ';' && fontName) {
            appendHexEscape(out, ';'); // a plain ';' would end the font table entry
            *delimit = false;
        } else if (c < 0x80) {
            if (*delimit)
                out += ' ';
            out += static_cast<char>(c);
            *delimit = false;
        } else if (const auto byte = codepages::encodeWindows1252(c)) {
            appendHexEscape(out, *byte);
            *delimit = false;
        } else {
            // \uN takes a signed 16-bit value; '?' is the fallback that
            // readers without Unicode show instead (\uc1).
            out += "\\u";
            out += QByteArray::number(c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c));
            out += '?';
            *delimit = false;
        }
    }
}

QByteArray Writer::write(const QTextDocument &document)
{
    word("pard");
    word("plain");
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.length() == 0)
                continue;
            switchTo(propsOf(fragment.charFormat(), base_));
            text(fragment.text());
            empty = false;
        }
        if (empty) // the paragraph mark keeps the empty line's font and size
            switchTo(propsOf(block.charFormat(), base_));
        word("par");
        body_ += "\r\n";
        delimit_ = false;
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        bool delimit = false;
        escape(out, fonts_[i], true, &delimit);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QRgb colour : colours_) {
        out += "\\red" + QByteArray::number(qRed(colour)) + "\\green" + QByteArray::number(qGreen(colour))
            + "\\blue" + QByteArray::number(qBlue(colour)) + ';';
    }
    out += "}\r\n";
    // Some word processors keep runs of spaces as written only in a document
    // that names the program that wrote it.
    out += "{\\*\\generator KALVENOR " PROJECT_VERSION ";}\r\n";
    out += body_;
    out += "}\r\n";
    return out;
}

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    return Writer(document.defaultFont()).write(document);
}

QByteArray writeRtf(const QTextDocumentFragment &fragment, const QFont &baseFont)
{
    QTextDocument document;
    document.setDefaultFont(baseFont);
    QTextCursor(&document).insertFragment(fragment);
    return writeRtf(document);
}

bool saveRtfFile(const QTextDocument &document, const QString &path, QString *error)
{
    QSaveFile file(path);
    const QByteArray rtf = writeRtf(document);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace richtext
