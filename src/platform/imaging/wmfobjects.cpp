#include "platform/imaging/wmfobjects.h"

#include "platform/imaging/dib.h"
#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/resampler.h"
#include "platform/imaging/wmfrecord.h"

namespace imaging {

WmfPen penFromRecord(const WmfRecord &record)
{
    // Style, width as a point (x used), then a COLORREF.
    WmfPen pen;
    const quint16 style = record.u16(0);
    pen.style = style & 0x0F;
    pen.endCap = (style >> 8) & 0x0F;
    pen.join = (style >> 12) & 0x0F;
    pen.width = qAbs(int(record.s16(1)));
    pen.colour = record.colour(3);
    return pen;
}

QPen toQPen(const WmfPen &described, double deviceScale, double thinnest)
{
    if (described.style == WmfPen::Null)
        return Qt::NoPen;
    QPen pen(described.colour);
    pen.setCapStyle(described.endCap == 1 ? Qt::SquareCap : described.endCap == 2 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(described.join == 1 ? Qt::BevelJoin : described.join == 2 ? Qt::MiterJoin : Qt::RoundJoin);
    if (described.width * deviceScale >= thinnest) {
        pen.setWidthF(described.width);
        return pen;
    }
    pen.setCosmetic(true);
    pen.setWidthF(thinnest);
    static const Qt::PenStyle dashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine};
    if (described.style >= 0 && described.style <= WmfPen::DashDotDot)
        pen.setStyle(dashes[described.style]);
    return pen;
}

WmfBrush brushFromRecord(const WmfRecord &record)
{
    // Style, COLORREF, hatch.
    WmfBrush brush;
    switch (record.u16(0)) {
    case 1:
        brush.style = WmfBrush::Null;
        break;
    case 2:
        brush.style = WmfBrush::Hatched;
        break;
    default:
        brush.style = WmfBrush::Solid;   // patterns we cannot place are drawn solid
        break;
    }
    brush.colour = record.colour(1);
    brush.hatch = record.u16(3);
    return brush;
}

QBrush toQBrush(const WmfBrush &described)
{
    switch (described.style) {
    case WmfBrush::Null:
        return Qt::NoBrush;
    case WmfBrush::Hatched: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(described.colour, described.hatch >= 0 && described.hatch < 6 ? hatches[described.hatch] : Qt::SolidPattern);
    }
    case WmfBrush::Solid:
        break;
    }
    return QBrush(described.colour);
}

WmfFont fontFromRecord(const WmfRecord &record)
{
    WmfFont font;
    font.height = record.s16(0);
    font.width = qAbs(int(record.s16(1)));
    font.escapement = record.s16(2);
    font.weight = record.s16(4);
    const QByteArrayView flags = record.bytes(5, 3);
    font.italic = flags.size() > 0 && flags[0] != 0;
    font.underline = flags.size() > 1 && flags[1] != 0;
    font.strikeOut = flags.size() > 2 && flags[2] != 0;
    font.face = decodeAnsi(record.bytes(9, 32)).trimmed();
    return font;
}

WmfObject patternBrushFromRecord(const WmfRecord &record, qint64 &pixelBudget)
{
    // Style, colour usage, then the bitmap.
    const QByteArrayView dib = record.bytes(2, record.parameterWords() * 2);
    const qint64 pixels = dibPixelCount(dib);
    if (pixels <= 0 || pixels > pixelBudget)
        return WmfUnusedObject{};
    pixelBudget -= pixels;
    const QImage pattern = decodeDib(dib);
    if (pattern.isNull())
        return WmfUnusedObject{};
    const QImage mean = resampleImage(pattern, QSize(1, 1));
    if (mean.isNull())
        return WmfUnusedObject{};
    WmfBrush brush;
    brush.colour = QColor::fromRgb(mean.pixel(0, 0));
    return brush;
}

WmfObjectTable::WmfObjectTable(int declaredSize)
{
    m_slots.reserve(size_t(qBound(0, declaredSize, maxWmfObjects)));
}

void WmfObjectTable::add(WmfObject object)
{
    if (!m_free.empty()) {
        m_slots[size_t(*m_free.begin())] = std::move(object);
        m_free.erase(m_free.begin());
        return;
    }
    if (m_slots.size() < size_t(maxWmfObjects))
        m_slots.emplace_back(std::move(object));
}

const WmfObject *WmfObjectTable::at(int index) const
{
    if (index < 0 || size_t(index) >= m_slots.size() || !m_slots[size_t(index)])
        return nullptr;
    return &*m_slots[size_t(index)];
}

void WmfObjectTable::remove(int index)
{
    if (index >= 0 && size_t(index) < m_slots.size() && m_slots[size_t(index)]) {
        m_slots[size_t(index)].reset();
        m_free.insert(index);
    }
}

} // namespace imaging
