#pragma once

#include "storage/sheettype.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The label makers' sheet descriptions (XML files of <Template brand part
// size equiv> holding <Label-rectangle width height> with <Layout nx ny x0
// y0 dx dy>) turned into sheet types this program can print: A4, one
// rectangular label shape on one grid, at least two rows, and every rule of
// the catalogue kept once converted.
namespace makersheets {

struct Skipped {
    QString name;     // brand and part, or the file when it cannot be read
    QString reason;   // in French, for the user
    bool operator==(const Skipped &) const = default;
};

struct Result {
    QList<SheetType> sheets;   // named "Brand part", in the files' order
    QList<Skipped> skipped;
};

// Reads the files in order; a name already taken keeps the first sheet.
// `equiv` is looked up among every template of the files.
Result read(const QStringList &files);

// A length of the files in points: a number with pt, mm, cm, in or pc, or a
// bare number (points). nullopt when it is not a length.
std::optional<double> points(const QString &text);

} // namespace makersheets
