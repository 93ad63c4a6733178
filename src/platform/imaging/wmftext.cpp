#include "platform/imaging/wmftext.h"

#include "platform/imaging/wmfdevicecontext.h"
#include "platform/imaging/wmfrecord.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace imaging {

namespace {

enum TextAlign { UpdateCp = 1, Right = 2, Centre = 6, Bottom = 8, Baseline = 24 };

constexpr double maxFontPixels = 10000;

QFont deviceFont(const WmfFont &described, double xScale, double yScale, const QPaintDevice *device)
{
    QFont font(described.face.isEmpty() ? QStringLiteral("Liberation Sans") : described.face);
    font.setItalic(described.italic);
    font.setUnderline(described.underline);
    font.setStrikeOut(described.strikeOut);
    font.setWeight(QFont::Weight(std::clamp(described.weight > 0 ? described.weight : 400, 1, 1000)));

    double em;
    if (described.height < 0) {
        em = -described.height * yScale;
    } else if (described.height > 0) {
        // A cell height includes the internal leading: scale it down.
        font.setPixelSize(100);
        const QFontMetricsF metrics(font, device);
        const double cell = metrics.ascent() + metrics.descent();
        em = described.height * yScale * (cell > 0 ? 100 / cell : 1);
    } else {
        em = 16.0 * (device ? device->logicalDpiY() : 96) / 96;   // the system's 12 points
    }
    font.setPixelSize(int(std::clamp(std::round(em), 1.0, maxFontPixels)));

    // Width asked for, or a mapping that stretches x more than y.
    double stretch = yScale > 0 ? xScale / yScale : 1;
    if (described.width > 0) {
        const double natural = QFontMetricsF(font, device).averageCharWidth();
        if (natural > 0)
            stretch = described.width * xScale / natural;
    }
    if (std::abs(stretch - 1) > 0.01)
        font.setStretch(int(std::clamp(std::round(stretch * 100), 1.0, 4000.0)));
    return font;
}

} // namespace

std::optional<WmfTextRun> readTextRecord(const WmfRecord &r)
{
    WmfTextRun run;
    if (r.function() == wmf::TextOut) {
        // Length, the string padded to whole words, y, x.
        if (!r.has(1))
            return std::nullopt;
        const int length = r.s16(0);
        const qsizetype stringWords = (qMax(0, length) + 1) / 2;
        if (length <= 0 || !r.has(1 + stringWords + 2))
            return std::nullopt;
        run.text = decodeAnsi(r.bytes(1, length));
        run.origin = QPointF(r.s16(1 + stringWords + 1), r.s16(1 + stringWords));
    } else {
        // y, x, length, options, an optional rectangle, the string, then
        // optional advances.
        if (!r.has(4))
            return std::nullopt;
        const int length = r.s16(2);
        const quint16 options = r.u16(3);
        constexpr quint16 opaque = 0x0002;
        constexpr quint16 clipped = 0x0004;
        int word = 4;
        if (options & (opaque | clipped)) {
            if (!r.has(word + 4))
                return std::nullopt;
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
            return std::nullopt;
        run.text = decodeAnsi(r.bytes(word, length));
        run.origin = QPointF(r.s16(1), r.s16(0));
        word += int(stringWords);
        if (length > 0 && r.has(word + length)) {
            for (int i = 0; i < length; ++i)
                run.advances.push_back(r.s16(word + i));
        }
    }
    return run;
}

double drawTextRun(QPainter &painter, const QTransform &logicalToDevice,
                   const WmfDeviceContext &dc, const WmfTextRun &run)
{
    const double xScale = std::hypot(logicalToDevice.m11(), logicalToDevice.m12());
    const double yScale = std::hypot(logicalToDevice.m21(), logicalToDevice.m22());
    if (xScale <= 0 || yScale <= 0)
        return 0;

    painter.save();
    painter.setWorldTransform(logicalToDevice);
    if (run.opaqueRect)
        painter.fillRect(run.opaqueRect->normalized(), dc.backgroundColour);
    if (run.clipRect)
        painter.setClipRect(run.clipRect->normalized(), Qt::IntersectClip);

    const QFont font = deviceFont(dc.font, xScale, yScale, painter.device());
    const QFontMetricsF metrics(font, painter.device());

    // Positions along the baseline, in device pixels.
    std::vector<double> offsets;
    double width = 0;
    if (!run.advances.empty()) {
        for (int i = 0; i < run.text.size(); ++i) {
            offsets.push_back(width);
            width += (size_t(i) < run.advances.size() ? run.advances[size_t(i)] : 0) * xScale;
        }
    } else {
        width = metrics.horizontalAdvance(run.text);
    }

    double x = 0;
    if ((dc.textAlign & Centre) == Centre)
        x = -width / 2;
    else if (dc.textAlign & Right)
        x = -width;
    double baseline = metrics.ascent();
    if ((dc.textAlign & Baseline) == Baseline)
        baseline = 0;
    else if (dc.textAlign & Bottom)
        baseline = -metrics.descent();

    // Upright text, turned only by its own escapement.
    const QPointF anchor = logicalToDevice.map(run.origin);
    QTransform local;
    local.translate(anchor.x(), anchor.y());
    local.rotate(-dc.font.escapement / 10.0);
    painter.setWorldTransform(local);
    painter.setFont(font);
    if (dc.opaqueBackground && !run.opaqueRect)
        painter.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.height()),
                         dc.backgroundColour);
    painter.setPen(dc.textColour);
    // Qt's glyph cache reads a null bitmap when FreeType cannot render a wide
    // glyph turned by a fraction of a degree: turned text is drawn as outlines.
    const bool turned = dc.font.escapement % 3600 != 0;
    auto draw = [&](QPointF at, const QString &text) {
        if (!turned) {
            painter.drawText(at, text);
            return;
        }
        QPainterPath outline;
        outline.addText(at, font, text);
        painter.fillPath(outline, dc.textColour);
    };
    if (offsets.empty()) {
        draw(QPointF(x, baseline), run.text);
    } else {
        for (int i = 0; i < run.text.size(); ++i)
            draw(QPointF(x + offsets[size_t(i)], baseline), QString(run.text[i]));
    }
    painter.restore();

    const double direction = logicalToDevice.m11() < 0 ? -1 : 1;
    return direction * width / xScale;
}

} // namespace imaging
