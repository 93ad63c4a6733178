#include "platform/imaging/wmfplayer.h"

#include "platform/imaging/dib.h"
#include "platform/imaging/imaginglimits.h"
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

// Raster operations of the bitmap and pattern records.
constexpr quint32 srcCopy = 0x00CC0020;
constexpr quint32 srcPaint = 0x00EE0086;
constexpr quint32 srcAnd = 0x008800C6;
constexpr quint32 srcInvert = 0x00660046;
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

    void play();

private:
    void dispatch(const WmfRecord &r);
    QTransform logicalToDevice() const;
    void useLogicalCoordinates();
    void useShapeTools(bool fill);
    QPen devicePen() const;
    QBrush deviceBrush() const;
    double minimumLineWidth() const;

    QRectF rectFromLTRB(const WmfRecord &r, int bottomWord) const;
    QPolygonF points(const WmfRecord &r, int firstWord, int count) const;
    void drawArcLike(const WmfRecord &r, quint16 function);
    void drawText(const WmfRecord &r, bool extended);
    void drawBitmap(const WmfRecord &r, quint16 function);
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
};

void Player::play()
{
    m_painter.save();
    m_device = m_painter.combinedTransform();
    m_painter.setViewTransformEnabled(false);
    m_painter.setWorldTransform(m_device);
    m_painter.setClipRect(m_target, Qt::IntersectClip);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                             | QPainter::SmoothPixmapTransform);
    useLogicalCoordinates();

    const QByteArray &bytes = m_doc.bytes();
    for (const auto &span : m_doc.records())
        dispatch(WmfRecord(bytes.constData() + span.offset, span.bytes));

    while (!m_saved.empty()) {
        m_saved.pop_back();
        m_painter.restore();
    }
    m_painter.restore();
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

QPen Player::devicePen() const
{
    const WmfPen &spec = m_dc.pen;
    if (spec.style == WmfPen::Null)
        return Qt::NoPen;
    QPen pen(spec.colour);
    pen.setCapStyle(spec.endCap == 1 ? Qt::SquareCap : spec.endCap == 2 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(spec.join == 1 ? Qt::BevelJoin : spec.join == 2 ? Qt::MiterJoin : Qt::RoundJoin);

    const QTransform map = logicalToDevice();
    const double scale = std::sqrt(std::abs(map.determinant()));
    const double deviceWidth = spec.width * scale;
    if (deviceWidth < minimumLineWidth()) {
        // Thin lines are drawn one screen pixel wide, and only they are
        // dashed: wider pens of a dashed style draw solid.
        pen.setCosmetic(true);
        pen.setWidthF(minimumLineWidth());
        static const Qt::PenStyle dashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                              Qt::DashDotLine, Qt::DashDotDotLine};
        if (spec.style >= 0 && spec.style <= WmfPen::DashDotDot)
            pen.setStyle(dashes[spec.style]);
    } else {
        pen.setWidthF(spec.width);
    }
    return pen;
}

QBrush Player::deviceBrush() const
{
    const WmfBrush &spec = m_dc.brush;
    switch (spec.style) {
    case WmfBrush::Null:
        return Qt::NoBrush;
    case WmfBrush::Hatched: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(spec.colour, spec.hatch >= 0 && spec.hatch < 6 ? hatches[spec.hatch] : Qt::SolidPattern);
    }
    case WmfBrush::Solid:
        break;
    }
    return QBrush(spec.colour);
}

void Player::useShapeTools(bool fill)
{
    useLogicalCoordinates();
    m_painter.setPen(devicePen());
    m_painter.setBrush(fill ? deviceBrush() : QBrush(Qt::NoBrush));
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
    switch (r.function()) {
    case wmf::SetWindowOrg:
        if (r.has(2)) {
            m_dc.windowOrigin = QPointF(r.s16(1), r.s16(0));
            useLogicalCoordinates();
        }
        break;
    case wmf::SetWindowExt:
        if (r.has(2) && r.s16(0) != 0 && r.s16(1) != 0) {
            m_dc.windowExtent = QSizeF(r.s16(1), r.s16(0));
            useLogicalCoordinates();
        }
        break;
    case wmf::OffsetWindowOrg:
        if (r.has(2)) {
            m_dc.windowOrigin += QPointF(r.s16(1), r.s16(0));
            useLogicalCoordinates();
        }
        break;
    case wmf::ScaleWindowExt:
        // x numerator, x denominator, y numerator, y denominator, stored backwards.
        if (r.has(4) && r.s16(0) != 0 && r.s16(1) != 0 && r.s16(2) != 0 && r.s16(3) != 0) {
            m_dc.windowExtent = QSizeF(m_dc.windowExtent.width() * r.s16(3) / r.s16(2),
                                       m_dc.windowExtent.height() * r.s16(1) / r.s16(0));
            useLogicalCoordinates();
        }
        break;
    case wmf::SetViewportOrg:
        if (r.has(2))
            m_dc.viewportOrigin = QPointF(r.s16(1), r.s16(0));
        break;
    case wmf::SetViewportExt:
        if (r.has(2))
            m_dc.viewportExtent = QSizeF(r.s16(1), r.s16(0));
        break;
    case wmf::OffsetViewportOrg:
    case wmf::ScaleViewportExt:
        break;   // the viewport does not take part in the mapping
    case wmf::SetMapMode:
        if (r.has(1) && r.u16(0) >= WmfDeviceContext::Text && r.u16(0) <= WmfDeviceContext::Anisotropic) {
            m_dc.mapMode = r.u16(0);
            useLogicalCoordinates();
        }
        break;
    case wmf::SetBkMode:
        if (r.has(1))
            m_dc.opaqueBackground = r.u16(0) == 2;
        break;
    case wmf::SetBkColor:
        if (r.has(2))
            m_dc.backgroundColour = r.colour(0);
        break;
    case wmf::SetTextColor:
        if (r.has(2))
            m_dc.textColour = r.colour(0);
        break;
    case wmf::SetTextAlign:
        if (r.has(1))
            m_dc.textAlign = r.u16(0);
        break;
    case wmf::SetPolyFillMode:
        if (r.has(1))
            m_dc.fillRule = r.u16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
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
        m_objects.add(patternBrushFromRecord(r));
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
    case wmf::MoveTo:
        if (r.has(2))
            m_dc.position = QPointF(r.s16(1), r.s16(0));
        break;
    case wmf::LineTo:
        if (r.has(2)) {
            const QPointF to(r.s16(1), r.s16(0));
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
            useShapeTools(true);
            m_painter.drawPath(path);
        }
        break;
    case wmf::Rectangle:
        if (r.has(4)) {
            useShapeTools(true);
            m_painter.drawRect(rectFromLTRB(r, 0));
        }
        break;
    case wmf::RoundRect:
        if (r.has(6)) {
            useShapeTools(true);
            m_painter.drawRoundedRect(rectFromLTRB(r, 2), std::abs(r.s16(1)) / 2.0,
                                      std::abs(r.s16(0)) / 2.0, Qt::AbsoluteSize);
        }
        break;
    case wmf::Ellipse:
        if (r.has(4)) {
            useShapeTools(true);
            m_painter.drawEllipse(rectFromLTRB(r, 0));
        }
        break;
    case wmf::Arc:
    case wmf::Pie:
    case wmf::Chord:
        if (r.has(8))
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
        drawText(r, false);
        break;
    case wmf::ExtTextOut:
        drawText(r, true);
        break;
    case wmf::StretchDib:
    case wmf::DibStretchBlt:
    case wmf::DibBitBlt:
        drawBitmap(r, r.function());
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
    useLogicalCoordinates();
    if (rop == patCopy)
        m_painter.fillRect(rect, deviceBrush());
    else if (rop == blackness)
        m_painter.fillRect(rect, Qt::black);
    else if (rop == whiteness)
        m_painter.fillRect(rect, Qt::white);
}

void Player::drawText(const WmfRecord &r, bool extended)
{
    WmfTextRun run;
    if (!extended) {
        // Length, the string padded to whole words, y, x.
        if (!r.has(1))
            return;
        const int length = r.s16(0);
        const qsizetype stringWords = (qMax(0, length) + 1) / 2;
        if (length <= 0 || !r.has(1 + stringWords + 2))
            return;
        run.text = decodeAnsi(r.bytes(1, length));
        run.origin = QPointF(r.s16(1 + stringWords + 1), r.s16(1 + stringWords));
    } else {
        // y, x, length, options, an optional rectangle, the string, then
        // optional advances.
        if (!r.has(4))
            return;
        const int length = r.s16(2);
        const quint16 options = r.u16(3);
        constexpr quint16 opaque = 0x0002;
        constexpr quint16 clipped = 0x0004;
        int word = 4;
        if (options & (opaque | clipped)) {
            if (!r.has(word + 4))
                return;
            // Stored left, top, right, bottom.
            const QRectF rect(QPointF(r.s16(word), r.s16(word + 1)), QPointF(r.s16(word + 2), r.s16(word + 3)));
            if (options & opaque)
                run.opaqueRect = rect;
            if (options & clipped)
                run.clipRect = rect;
            word += 4;
        }
        const qsizetype stringWords = (qMax(0, length) + 1) / 2;
        if (length < 0 || !r.has(word + stringWords))
            return;
        run.text = decodeAnsi(r.bytes(word, length));
        run.origin = QPointF(r.s16(1), r.s16(0));
        word += int(stringWords);
        if (length > 0 && r.has(word + length)) {
            for (int i = 0; i < length; ++i)
                run.advances.push_back(r.s16(word + i));
        }
    }
    if (m_dc.textAlign & 1)
        run.origin = m_dc.position;   // text follows the current position
    const double advance = drawTextRun(m_painter, logicalToDevice(), m_dc, run);
    if (m_dc.textAlign & 1)
        m_dc.position.rx() += advance;
}

void Player::drawBitmap(const WmfRecord &r, quint16 function)
{
    // Source and destination rectangles precede the bitmap; their layout
    // differs by record.
    quint32 rop = r.u32(0);
    int word = 2;
    if (function == wmf::StretchDib)
        ++word;   // colour usage
    QRectF source;
    QRectF dest;
    if (function == wmf::DibBitBlt) {
        // y source, x source, height, width, y, x.
        if (!r.has(word + 6))
            return;
        const double h = r.s16(word + 2), w = r.s16(word + 3);
        source = QRectF(r.s16(word + 1), r.s16(word), w, h);
        dest = QRectF(r.s16(word + 5), r.s16(word + 4), w, h);
        word += 6;
    } else {
        // Source height, width, y, x; destination height, width, y, x.
        if (!r.has(word + 8))
            return;
        source = QRectF(r.s16(word + 3), r.s16(word + 2), r.s16(word + 1), r.s16(word));
        dest = QRectF(r.s16(word + 7), r.s16(word + 6), r.s16(word + 5), r.s16(word + 4));
        word += 8;
    }
    QImage image = decodeDib(r.bytes(word, r.parameterWords() * 2));
    if (image.isNull())
        return;

    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (rop != srcCopy) {
        const bool rasterOps = m_painter.paintEngine() && m_painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
        if (rop == srcAnd && rasterOps)
            mode = QPainter::RasterOp_SourceAndDestination;
        else if (rop == srcPaint && rasterOps)
            mode = QPainter::RasterOp_SourceOrDestination;
        else if (rop == srcInvert && rasterOps)
            mode = QPainter::RasterOp_SourceXorDestination;
        else if (rop == srcAnd || rop == srcPaint || rop == srcInvert)
            return;   // a mask step this device cannot combine: leave it out
    }

    // The source rectangle counts rows from the bottom of an upright bitmap.
    const int height = image.height();
    source = QRectF(source.x(), height - source.y() - source.height(), source.width(), source.height());
    if (source.width() <= 0 || source.height() <= 0)
        source = image.rect();
    source = source.intersected(QRectF(image.rect()));
    if (source.isEmpty())
        return;
    const bool mirrorX = dest.width() < 0;
    const bool mirrorY = dest.height() < 0;
    if (mirrorX || mirrorY) {
        image = image.copy(source.toAlignedRect()).mirrored(mirrorX, mirrorY);
        source = image.rect();
        dest = dest.normalized();
    }
    useLogicalCoordinates();
    m_painter.save();
    m_painter.setCompositionMode(mode);
    m_painter.drawImage(dest, image, source);
    m_painter.restore();
}

} // namespace

void playWmf(const WmfDocument &document, QPainter &painter, const QRectF &target)
{
    if (!painter.isActive() || target.isEmpty())
        return;
    Player(document, painter, target).play();
}

} // namespace imaging
