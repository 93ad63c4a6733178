#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QString>

#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace imaging {

class WmfRecord;

// The drawing objects a metafile creates, as the file describes them; the
// player turns them into Qt pens, brushes and fonts when it draws, because
// their size depends on the mapping in force then.
struct WmfPen {
    enum Style { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };
    int style = Solid;     // low bits of the file's style
    int endCap = 0;        // 0 round, 1 square, 2 flat
    int join = 0;          // 0 round, 1 bevel, 2 mitre
    int width = 0;         // logical units; 0 is the thinnest line the device draws
    QColor colour = Qt::black;
};

struct WmfBrush {
    enum Style { Solid, Null, Hatched };
    Style style = Solid;
    int hatch = 0;         // 0 horizontal … 5 diagonal cross
    QColor colour = Qt::white;
};

struct WmfFont {
    int height = 0;        // logical units: < 0 character height, > 0 cell height, 0 default
    int width = 0;         // average character width, 0 for the natural width
    int escapement = 0;    // tenths of a degree, anticlockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

// An object the player cannot use (palette, region, bitmap brush): it still
// takes its place in the table so later indexes stay right.
struct WmfUnusedObject {};

using WmfObject = std::variant<WmfUnusedObject, WmfPen, WmfBrush, WmfFont>;

WmfPen penFromRecord(const WmfRecord &record);
// The Qt pen for drawing in logical coordinates, where one logical unit
// spans `deviceScale` device pixels. Lines never get thinner than
// `thinnest` device pixels, and only such thin lines are dashed: wider
// pens of a dashed style draw solid.
QPen toQPen(const WmfPen &pen, double deviceScale, double thinnest);
WmfBrush brushFromRecord(const WmfRecord &record);
QBrush toQBrush(const WmfBrush &brush);
WmfFont fontFromRecord(const WmfRecord &record);
// A brush made from a bitmap pattern is drawn solid in the pattern's mean
// colour: the pattern's scale is device-bound and rarely survives printing.
// Its pixels count against `pixelBudget`, shared with the bitmap records.
WmfObject patternBrushFromRecord(const WmfRecord &record, qint64 &pixelBudget);

// The file's object table: a new object takes the lowest free index.
class WmfObjectTable {
public:
    explicit WmfObjectTable(int declaredSize);

    void add(WmfObject object);            // dropped once the table is full
    const WmfObject *at(int index) const;  // null for a free or unknown index
    void remove(int index);

private:
    std::vector<std::optional<WmfObject>> m_slots;
    std::set<int> m_free;   // free indexes below m_slots.size()
};

} // namespace imaging
