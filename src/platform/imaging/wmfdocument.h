#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace imaging {

// A Windows metafile, checked and indexed but not played: the file's bytes
// and where each of its records lies in them.
//
// The frame is the rectangle, in the file's logical units, that the
// picture occupies: the placeable header's bounding box, or for a file
// without that header the first window origin and extent it sets.
class WmfDocument {
public:
    struct RecordSpan {
        qsizetype offset;
        qsizetype bytes;
    };

    // Refuses (with a short French reason) a file whose header is not a
    // metafile's or whose frame is empty. Records are read up to the end
    // record; a damaged record ends the list there, so a damaged file
    // still shows what came before the damage, as long as that is anything.
    static std::optional<WmfDocument> parse(const QByteArray &bytes, QString *reason);

    const QByteArray &bytes() const { return m_bytes; }
    const std::vector<RecordSpan> &records() const { return m_records; }
    QRectF frame() const { return m_frame; }          // normalised
    int unitsPerInch() const { return m_unitsPerInch; }
    bool isPlaceable() const { return m_placeable; }
    int declaredObjects() const { return m_declaredObjects; }
    QSize pixelSize() const;                          // see Picture

private:
    QByteArray m_bytes;
    std::vector<RecordSpan> m_records;
    QRectF m_frame;
    int m_unitsPerInch = 96;
    bool m_placeable = false;
    int m_declaredObjects = 0;
};

} // namespace imaging
