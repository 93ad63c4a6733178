#pragma once

#include "storage/sheettype.h"

#include <QChar>
#include <QString>

#include <optional>

// The rules a label-sheet type must keep on an A4 portrait page, checked
// before anything is written to ETIQ.
namespace sheetchecks {

inline constexpr double pageWidthMm = 210.0;
inline constexpr double pageHeightMm = 297.0;
inline constexpr double maxLabelWidthMm = 210.0;
inline constexpr double maxLabelHeightMm = 148.5;
// Narrower or lower, a label could not hold a line of text, and the sheet
// would need more cells than anyone can use.
inline constexpr double minLabelSideMm = 5.0;
// Labels and margins may overrun the page by this much per column (row).
inline constexpr double tolerancePerLabelMm = 0.05;
// The columns of ETIQ are 16-bit.
inline constexpr int maxStored = 32767;

// A type as typed in the catalogue: lengths in millimetres.
struct Entry {
    double width = 0;          // W
    double height = 0;         // H
    double marginLeft = 0;     // ML
    double marginRight = 0;    // MR
    double marginTop = 0;      // MT
    double marginBottom = 0;   // MB
    double cols = 0;           // C
    double rows = 0;           // R
};

// A message box refusing the entry (always the exclamation icon).
struct Refusal {
    QString title;
    QString text;
    bool operator==(const Refusal &) const = default;
};

double totalWidth(const Entry &entry);    // C × W + ML + MR
double totalHeight(const Entry &entry);   // R × H + MT + MB

// The first rule the entry breaks, in the order the user is told; totals are
// written with `decimal` as their decimal symbol.
std::optional<Refusal> check(const Entry &entry, QChar decimal);

// Values only a paste can bring (a sign, a huge number) that the six rules
// let through: negative, or too large for the 16-bit columns of ETIQ.
std::optional<Refusal> outOfRange(const Entry &entry);

// A type read from storage, which a stranger may have written: the rule it
// breaks, if any (all rules, ranges included).
std::optional<Refusal> checkStored(const SheetType &type, QChar decimal);

// The stored row: lengths truncated to twips. Call it on an entry that passed
// check() and outOfRange().
SheetType toSheetType(const Entry &entry, const QString &nom);

// The four types shipped with the program cannot be deleted (names compared
// exactly, case included).
bool isBuiltIn(const QString &nom);

// Why a new type's name cannot be used, leaving aside names already taken:
// empty, or holding a line break or other control character (the name is a
// line of the settings file).
std::optional<Refusal> badNewName(const QString &nom);
Refusal nameTaken();

} // namespace sheetchecks
