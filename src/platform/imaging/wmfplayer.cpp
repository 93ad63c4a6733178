#include "platform/imaging/wmfplayer.h"

#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/wmfbitmap.h"
#include "platform/imaging/wmfdevicecontext.h"
#include "platform/imaging/wmfdocument.h"
#include "platform/imaging/wmfobjects.h"
#include "platform/imaging/wmfrecord.h"
#include "platform/imaging/wmftext.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>
#include <vector>

namespace imaging {

namespace {

// Raster operations of the pattern record.
constexpr quint32 patCopy = 0x00F00021;
constexpr quint32 blackness = 0x00000042;
constexpr quint32 whiteness = 0x00FF0062;

class Player {
public:
    Player(const WmfDocument &document, QPainter &painter, const QRectF &target)
        : m_doc(document),
          m_painter(painter),
          m_target(target),
          m_dc(document.frame()),
          m_objects(document.declaredObjects())
    {
    }

    bool play();

private:
    void dispatch(const WmfRecord &r);
    QTransform logicalToDevice() const;
    void useLogicalCoordinates();
    void useShapeTools(bool fill);
    double minimumLineWidth() const;
    bool spendArea(const QRectF &logical, qsizetype points = 0);
    bool spendLine(const QPolygonF &logical);

    QRectF rectFromLTRB(const WmfRecord &r, int bottomWord) const;
    QPolygonF points(const WmfRecord &r, int firstWord, int count) const;
    void drawArcLike(const WmfRecord &r, quint16 function);
    void drawText(const WmfRecord &r);
    void drawBitmap(const WmfRecord &r);
    void patBlt(const WmfRecord &r);
    void selectObject(int index);
    void saveDc();
    void restoreDc(int which);

    const WmfDocument &m_doc;
    QPainter &m_painter;
    QRectF m_target;
    QTransform m_device;   // the painter's own mapping when play began
    WmfDeviceContext m_dc;
    WmfObjectTable m_objects;
    std::vector<WmfDeviceContext> m_saved;

    // A hostile file could ask for a million page-sized shapes: playing
    // stops once the painted area (fills by their bounds, lines by length
    // times width) reaches this many device pixels.
    double m_paintBudget = 0;
    qint64 m_bitmapPixelBudget = maxWmfBitmapPixels;
    int m_textRunsLeft = maxWmfTextRuns;
};

bool Player::play()
{
    m_painter.save();
    m_device = m_painter.combinedTransform();
    m_painter.setViewTransformEnabled(false);
    m_painter.setWorldTransform(m_device);
    m_painter.setClipRect(m_target, Qt::IntersectClip);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                             | QPainter::SmoothPixmapTransform);
    useLogicalCoordinates();
    const QRectF device = m_device.mapRect(m_target);
    m_paintBudget = std::max(wmfMinimumPaintBudget, wmfPaintBudgetPerArea * device.width() * device.height());

    const QByteArray &bytes = m_doc.bytes();
    for (const auto &span : m_doc.records()) {
        if (m_paintBudget <= 0)
            break;
        dispatch(WmfRecord(bytes.constData() + span.offset, span.bytes));
    }

    while (!m_saved.empty()) {
        m_saved.pop_back();
        m_painter.restore();
    }
    m_painter.restore();
    return m_paintBudget > 0;
}

QTransform Player::logicalToDevice() const
{
    const QRectF frame = m_doc.frame();
    const QTransform frameToTarget =
        QTransform::fromTranslate(-frame.left(), -frame.top())
        * QTransform::fromScale(m_target.width() / frame.width(), m_target.height() / frame.height())
        * QTransform::fromTranslate(m_target.left(), m_target.top());
    return m_dc.logicalToFrame(frame, m_doc.unitsPerInch()) * frameToTarget * m_device;
}

void Player::useLogicalCoordinates()
{
    m_painter.setWorldTransform(logicalToDevice());
}

double Player::minimumLineWidth() const
{
    // One screen pixel, on whatever device.
    const QPaintDevice *device = m_painter.device();
    return std::max(1.0, (device ? device->logicalDpiX() : 96) / 96.0);
}

bool Player::spendArea(const QRectF &logical, qsizetype points)
{
    const QRectF device = logicalToDevice().mapRect(logical).intersected(m_device.mapRect(m_target));
    // Filling a polygon costs far more per edge and scanline it crosses
    // than per pixel: a self-intersecting star of 32767 corners takes
    // seconds however small its area.
    const double crossings = double(points) * std::max(1.0, device.height());
    m_paintBudget -= std::max(1.0, device.width() * device.height()) + wmfCrossingCost * crossings;
    return m_paintBudget > 0;
}

bool Player::spendLine(const QPolygonF &logical)
{
    const QPolygonF device = logicalToDevice().map(logical);
    double length = 0;
    for (qsizetype i = 1; i < device.size(); ++i)
        length += QLineF(device[i - 1], device[i]).length();
    const double width = std::max(minimumLineWidth(),
                                  m_dc.pen.width * std::sqrt(std::abs(logicalToDevice().determinant())));
    m_paintBudget -= std::max(1.0, std::min(length, 1e12) * width) + double(logical.size());
    return m_paintBudget > 0;
}

void Player::useShapeTools(bool fill)
{
    useLogicalCoordinates();
    const double deviceScale = std::sqrt(std::abs(logicalToDevice().determinant()));
    m_painter.setPen(toQPen(m_dc.pen, deviceScale, minimumLineWidth()));
    m_painter.setBrush(fill ? toQBrush(m_dc.brush) : QBrush(Qt::NoBrush));
    m_painter.setBackground(m_dc.backgroundColour);
    m_painter.setBackgroundMode(m_dc.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
}

QRectF Player::rectFromLTRB(const WmfRecord &r, int bottomWord) const
{
    // Stored bottom, right, top, left.
    const double bottom = r.s16(bottomWord);
    const double right = r.s16(bottomWord + 1);
    const double top = r.s16(bottomWord + 2);
    const double left = r.s16(bottomWord + 3);
    return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
}

QPolygonF Player::points(const WmfRecord &r, int firstWord, int count) const
{
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << QPointF(r.s16(firstWord + 2 * i), r.s16(firstWord + 2 * i + 1));
    return polygon;
}

void Player::dispatch(const WmfRecord &r)
{
    if (m_dc.apply(r)) {
        useLogicalCoordinates();
        return;
    }
    switch (r.function()) {
    case wmf::CreatePenIndirect:
        m_objects.add(r.has(5) ? WmfObject(penFromRecord(r)) : WmfObject(WmfUnusedObject{}));
        break;
    case wmf::CreateBrushIndirect:
        m_objects.add(r.has(4) ? WmfObject(brushFromRecord(r)) : WmfObject(WmfUnusedObject{}));
        break;
    case wmf::CreateFontIndirect:
        m_objects.add(r.has(9) ? WmfObject(fontFromRecord(r)) : WmfObject(WmfUnusedObject{}));
        break;
    case wmf::DibCreatePatternBrush:
        m_objects.add(patternBrushFromRecord(r, m_bitmapPixelBudget));
        break;
    case wmf::CreatePatternBrush:
    case wmf::CreatePalette:
    case wmf::CreateRegion:
        m_objects.add(WmfUnusedObject{});
        break;
    case wmf::SelectObject:
        if (r.has(1))
            selectObject(r.u16(0));
        break;
    case wmf::DeleteObject:
        if (r.has(1))
            m_objects.remove(r.u16(0));
        break;
    case wmf::SaveDc:
        saveDc();
        break;
    case wmf::RestoreDc:
        if (r.has(1))
            restoreDc(r.s16(0));
        break;
    case wmf::IntersectClipRect:
        if (r.has(4)) {
            useLogicalCoordinates();
            m_painter.setClipRect(rectFromLTRB(r, 0), Qt::IntersectClip);
        }
        break;
    case wmf::LineTo:
        if (r.has(2)) {
            const QPointF to(r.s16(1), r.s16(0));
            if (!spendLine({m_dc.position, to}))
                break;
            useShapeTools(false);
            m_painter.drawLine(m_dc.position, to);
            m_dc.position = to;
        }
        break;
    case wmf::Polyline:
    case wmf::Polygon:
        if (r.has(1)) {
            const int count = r.s16(0);
            if (count < 1 || !r.has(1 + 2 * qsizetype(count)))
                break;
            const QPolygonF polygon = points(r, 1, count);
            if (!(r.function() == wmf::Polygon ? spendArea(polygon.boundingRect(), polygon.size()) : spendLine(polygon)))
                break;
            useShapeTools(r.function() == wmf::Polygon);
            if (r.function() == wmf::Polygon)
                m_painter.drawPolygon(polygon, m_dc.fillRule);
            else
                m_painter.drawPolyline(polygon);
        }
        break;
    case wmf::PolyPolygon:
        if (r.has(1)) {
            const int polygons = r.s16(0);
            if (polygons < 1 || !r.has(1 + qsizetype(polygons)))
                break;
            qsizetype total = 0;
            for (int i = 0; i < polygons; ++i)
                total += qMax<qint16>(0, r.s16(1 + i));
            if (!r.has(1 + polygons + 2 * total))
                break;
            QPainterPath path;
            path.setFillRule(m_dc.fillRule);
            int word = 1 + polygons;
            for (int i = 0; i < polygons; ++i) {
                const int count = qMax<qint16>(0, r.s16(1 + i));
                QPolygonF polygon = points(r, word, count);
                if (!polygon.isEmpty())
                    polygon << polygon.first();   // each polygon closes itself
                path.addPolygon(polygon);
                word += 2 * count;
            }
            if (!spendArea(path.boundingRect(), total))
                break;
            useShapeTools(true);
            m_painter.drawPath(path);
        }
        break;
    case wmf::Rectangle:
        if (r.has(4) && spendArea(rectFromLTRB(r, 0))) {
            useShapeTools(true);
            m_painter.drawRect(rectFromLTRB(r, 0));
        }
        break;
    case wmf::RoundRect:
        if (r.has(6) && spendArea(rectFromLTRB(r, 2))) {
            useShapeTools(true);
            m_painter.drawRoundedRect(rectFromLTRB(r, 2), std::abs(r.s16(1)) / 2.0,
                                      std::abs(r.s16(0)) / 2.0, Qt::AbsoluteSize);
        }
        break;
    case wmf::Ellipse:
        if (r.has(4) && spendArea(rectFromLTRB(r, 0))) {
            useShapeTools(true);
            m_painter.drawEllipse(rectFromLTRB(r, 0));
        }
        break;
    case wmf::Arc:
    case wmf::Pie:
    case wmf::Chord:
        if (r.has(8) && spendArea(rectFromLTRB(r, 4)))
            drawArcLike(r, r.function());
        break;
    case wmf::SetPixel:
        if (r.has(4)) {
            useLogicalCoordinates();
            m_painter.fillRect(QRectF(r.s16(3), r.s16(2), 1, 1), r.colour(0));
        }
        break;
    case wmf::PatBlt:
        if (r.has(6))
            patBlt(r);
        break;
    case wmf::TextOut:
    case wmf::ExtTextOut:
        drawText(r);
        break;
    case wmf::StretchDib:
    case wmf::DibStretchBlt:
    case wmf::DibBitBlt:
        drawBitmap(r);
        break;
    default:
        break;   // unknown or not needed: skipped by its size
    }
}

void Player::selectObject(int index)
{
    const WmfObject *object = m_objects.at(index);
    if (!object)
        return;
    if (const auto *pen = std::get_if<WmfPen>(object))
        m_dc.pen = *pen;
    else if (const auto *brush = std::get_if<WmfBrush>(object))
        m_dc.brush = *brush;
    else if (const auto *font = std::get_if<WmfFont>(object))
        m_dc.font = *font;
}

void Player::saveDc()
{
    if (m_saved.size() >= size_t(maxWmfSavedStates))
        return;
    m_saved.push_back(m_dc);
    m_painter.save();   // keeps the clip with the state
}

void Player::restoreDc(int which)
{
    // Negative: that many states back; positive: the n-th saved state.
    const qsizetype depth = qsizetype(m_saved.size());
    const qsizetype keep = which < 0 ? depth + which : which - 1;
    if (keep < 0 || keep >= depth)
        return;
    while (qsizetype(m_saved.size()) > keep + 1) {
        m_saved.pop_back();
        m_painter.restore();
    }
    m_dc = m_saved.back();
    m_saved.pop_back();
    m_painter.restore();
    useLogicalCoordinates();
}

void Player::drawArcLike(const WmfRecord &r, quint16 function)
{
    // End y, end x, start y, start x, then the bounding box.
    const QRectF box = rectFromLTRB(r, 4);
    if (box.isEmpty())
        return;
    const QPointF centre = box.center();
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    auto angleOf = [&](double x, double y) {
        // The angle on the ellipse of the radial line through (x, y), in
        // Qt's convention: degrees, anticlockwise, y growing downwards.
        return std::atan2(-(y - centre.y()) / ry, (x - centre.x()) / rx) * 180 / std::numbers::pi;
    };
    double start = angleOf(r.s16(3), r.s16(2));
    double end = angleOf(r.s16(1), r.s16(0));
    // The arc runs anticlockwise on the page; a mapping that mirrors the
    // page reverses which way that is in logical coordinates.
    if (logicalToDevice().determinant() < 0)
        std::swap(start, end);
    double sweep = end - start;
    while (sweep <= 0)
        sweep += 360;
    const int a = int(std::lround(start * 16));
    const int s = int(std::lround(sweep * 16));
    useShapeTools(function != wmf::Arc);
    if (function == wmf::Arc)
        m_painter.drawArc(box, a, s);
    else if (function == wmf::Pie)
        m_painter.drawPie(box, a, s);
    else
        m_painter.drawChord(box, a, s);
}

void Player::patBlt(const WmfRecord &r)
{
    // Raster operation (2 words), height, width, y, x.
    const quint32 rop = r.u32(0);
    const QRectF rect = QRectF(r.s16(5), r.s16(4), r.s16(3), r.s16(2)).normalized();
    if (!spendArea(rect))
        return;
    useLogicalCoordinates();
    if (rop == patCopy)
        m_painter.fillRect(rect, toQBrush(m_dc.brush));
    else if (rop == blackness)
        m_painter.fillRect(rect, Qt::black);
    else if (rop == whiteness)
        m_painter.fillRect(rect, Qt::white);
}

void Player::drawText(const WmfRecord &r)
{
    std::optional<WmfTextRun> read = readTextRecord(r);
    if (!read)
        return;
    WmfTextRun &run = *read;
    if (m_textRunsLeft-- <= 0 || (run.opaqueRect && !spendArea(*run.opaqueRect)))
        return;
    if (m_dc.textAlign & 1)
        run.origin = m_dc.position;   // text follows the current position
    const double advance = drawTextRun(m_painter, logicalToDevice(), m_dc, run);
    if (m_dc.textAlign & 1)
        m_dc.position.rx() += advance;
}

void Player::drawBitmap(const WmfRecord &r)
{
    const bool rasterOps = m_painter.paintEngine()
                           && m_painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    const auto bitmap = readBitmapRecord(r, rasterOps, m_bitmapPixelBudget);
    if (!bitmap || !spendArea(bitmap->dest))
        return;
    useLogicalCoordinates();
    m_painter.save();
    m_painter.setCompositionMode(bitmap->mode);
    m_painter.drawImage(bitmap->dest, bitmap->image, bitmap->source);
    m_painter.restore();
}

} // namespace

bool playWmf(const WmfDocument &document, QPainter &painter, const QRectF &target)
{
    if (!painter.isActive() || target.isEmpty())
        return true;
    return Player(document, painter, target).play();
}

} // namespace imaging
