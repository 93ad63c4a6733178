#include "rtfkeywords.h"

#include <string_view>
#include <unordered_map>

namespace richtext {
namespace {

using Table = std::unordered_map<std::string_view, KeywordInfo>;

Table buildTable()
{
    Table table = {
        {"ansi", {Keyword::Ansi}},
        {"mac", {Keyword::Mac}},
        {"pc", {Keyword::Pc}},
        {"pca", {Keyword::Pca}},
        {"ansicpg", {Keyword::AnsiCodePage}},
        {"deff", {Keyword::DefaultFont}},
        {"u", {Keyword::Unicode}},
        {"uc", {Keyword::UnicodeSkip}},
        {"fonttbl", {Keyword::FontTable}},
        {"colortbl", {Keyword::ColourTable}},
        {"fcharset", {Keyword::FontCharset}},
        {"cpg", {Keyword::FontCodePage}},
        {"red", {Keyword::Red}},
        {"green", {Keyword::Green}},
        {"blue", {Keyword::Blue}},
        {"plain", {Keyword::Plain}},
        {"f", {Keyword::Font}},
        {"fs", {Keyword::FontSize}},
        {"b", {Keyword::Bold}},
        {"i", {Keyword::Italic}},
        {"ulnone", {Keyword::UnderlineNone}},
        {"strike", {Keyword::Strike}},
        {"striked", {Keyword::Strike}},
        {"v", {Keyword::Hidden}},
        {"cf", {Keyword::Foreground}},
        {"loch", {Keyword::LowAnsi}},
        {"hich", {Keyword::HighAnsi}},
        {"dbch", {Keyword::DoubleByte}},
        {"rtlch", {Keyword::RightToLeft}},
        {"ltrch", {Keyword::LeftToRight}},
        {"af", {Keyword::AssociatedFont}},
        {"afs", {Keyword::AssociatedFontSize}},
        // The program knows only one kind of line end, the paragraph break,
        // so soft line breaks, page and section breaks and table rows all
        // end a paragraph.
        {"par", {Keyword::ParagraphBreak}},
        {"line", {Keyword::ParagraphBreak}},
        {"page", {Keyword::ParagraphBreak}},
        {"sect", {Keyword::ParagraphBreak}},
        {"row", {Keyword::ParagraphBreak}},
        {"nestrow", {Keyword::ParagraphBreak}},
        {"tab", {Keyword::Tab}},
        {"cell", {Keyword::Tab}},
        {"nestcell", {Keyword::Tab}},
        {"emdash", {Keyword::Character, 0x2014}},
        {"endash", {Keyword::Character, 0x2013}},
        {"emspace", {Keyword::Character, 0x2003}},
        {"enspace", {Keyword::Character, 0x2002}},
        {"qmspace", {Keyword::Character, 0x2005}},
        {"bullet", {Keyword::Character, 0x2022}},
        {"lquote", {Keyword::Character, 0x2018}},
        {"rquote", {Keyword::Character, 0x2019}},
        {"ldblquote", {Keyword::Character, 0x201C}},
        {"rdblquote", {Keyword::Character, 0x201D}},
        {"zwj", {Keyword::Character, 0x200D}},
        {"zwnj", {Keyword::Character, 0x200C}},
        {"ltrmark", {Keyword::Character, 0x200E}},
        {"rtlmark", {Keyword::Character, 0x200F}},
    };
    // Every kind of underline reads as underlined.
    for (std::string_view word : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                  "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                  "ulthldash", "ululdbwave", "ulw", "ulwave"})
        table.emplace(word, KeywordInfo{Keyword::Underline});
    // Destinations whose content is not part of the text: document
    // information, headers and notes, pictures and objects, field codes
    // (the field's result is read), style and list definitions.
    for (std::string_view word :
         {"aftncn", "aftnsep", "aftnsepc", "annotation", "atnauthor", "atndate", "atnicn", "atnid",
          "atnparent", "atnref", "atntime", "atrfend", "atrfstart", "author", "bkmkend", "bkmkstart",
          "buptim", "category", "colorschememapping", "comment", "company", "creatim", "datafield",
          "datastore", "defchp", "defpap", "do", "doccomm", "docvar", "falt", "fchars", "ffdeftext",
          "ffentrymcr", "ffexitmcr", "ffformat", "ffhelptext", "ffl", "ffname", "ffstattext",
          "fldinst", "filetbl", "footer", "footerf", "footerl", "footerr", "footnote", "ftncn",
          "ftnsep", "ftnsepc", "generator", "header", "headerf", "headerl", "headerr", "hlinkbase",
          "info", "keywords", "latentstyles", "lchars", "listoverridetable", "listpicture",
          "listtable", "manager", "mmathPr", "nonshppict", "object", "objdata", "operator", "panose",
          "pgdsctbl", "pict", "pn", "pnseclvl", "pntxta", "pntxtb", "printim", "private",
          "protusertbl", "revtbl", "revtim", "rsidtbl", "rxe", "shp", "shpinst", "shppict",
          "shptxt", "sp", "stylesheet", "subject", "tc", "template", "themedata", "title", "txe",
          "ud", "userprops", "wgrffmtfilter", "xe", "xmlnstbl"})
        table.emplace(word, KeywordInfo{Keyword::SkippedDestination});
    return table;
}

} // namespace

KeywordInfo lookupKeyword(QByteArrayView word)
{
    static const Table table = buildTable();
    const auto found = table.find(std::string_view(word.data(), static_cast<std::size_t>(word.size())));
    return found == table.end() ? KeywordInfo{} : found->second;
}

} // namespace richtext
