#include "platform/imaging/wmfdocument.h"

#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/wmfrecord.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace imaging {

namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr int placeableBytes = 22;
constexpr int headerBytes = 18;
constexpr int defaultUnitsPerInch = 1440;
constexpr int screenPixelsPerInch = 96;

const QString damaged = QStringLiteral("Le fichier WMF est incomplet ou endommagé.");

qint16 s16At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<qint16>(bytes.constData() + at);
}

// Without a placeable header, the frame is the window the file sets up;
// its device units are taken as screen pixels.
std::optional<QRectF> windowOfRecords(const QByteArray &bytes,
                                      const std::vector<WmfDocument::RecordSpan> &records)
{
    std::optional<QPointF> origin;
    std::optional<QSizeF> extent;
    for (const auto &span : records) {
        const WmfRecord record(bytes.constData() + span.offset, span.bytes);
        if (!record.has(2))
            continue;
        if (record.function() == wmf::SetWindowOrg && !origin)
            origin = QPointF(record.s16(1), record.s16(0));
        else if (record.function() == wmf::SetWindowExt && !extent)
            extent = QSizeF(record.s16(1), record.s16(0));
        if (origin && extent)
            break;
    }
    if (!extent)
        return std::nullopt;
    return QRectF(origin.value_or(QPointF()), *extent);
}

} // namespace

std::optional<WmfDocument> WmfDocument::parse(const QByteArray &bytes, QString *reason)
{
    auto refuse = [reason](const QString &why) -> std::optional<WmfDocument> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };

    WmfDocument doc;
    doc.m_bytes = bytes;
    qsizetype pos = 0;
    QRectF placeableFrame;
    if (bytes.size() >= 4 && qFromLittleEndian<quint32>(bytes.constData()) == placeableKey) {
        if (bytes.size() < placeableBytes + headerBytes)
            return refuse(damaged);
        const qreal left = s16At(bytes, 6);
        const qreal top = s16At(bytes, 8);
        const qreal right = s16At(bytes, 10);
        const qreal bottom = s16At(bytes, 12);
        placeableFrame = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
        const int inch = qFromLittleEndian<quint16>(bytes.constData() + 14);
        doc.m_unitsPerInch = inch > 0 ? inch : defaultUnitsPerInch;
        doc.m_placeable = true;
        pos = placeableBytes;
    }
    if (bytes.size() < pos + headerBytes)
        return refuse(damaged);
    const quint16 type = qFromLittleEndian<quint16>(bytes.constData() + pos);
    const quint16 headerWords = qFromLittleEndian<quint16>(bytes.constData() + pos + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return refuse(QStringLiteral("L'en-tête du fichier WMF est invalide."));
    doc.m_declaredObjects = qFromLittleEndian<quint16>(bytes.constData() + pos + 10);
    pos += headerBytes;

    bool ended = false;
    while (pos + 6 <= bytes.size() && doc.m_records.size() < size_t(maxWmfRecords)) {
        const quint32 words = qFromLittleEndian<quint32>(bytes.constData() + pos);
        const quint16 function = qFromLittleEndian<quint16>(bytes.constData() + pos + 4);
        if (function == wmf::Eof) {
            ended = true;
            break;
        }
        if (words < 3 || qint64(words) * 2 > bytes.size() - pos)
            break;   // damaged: keep what came before
        doc.m_records.push_back({pos, qsizetype(words) * 2});
        pos += qsizetype(words) * 2;
    }
    if (!ended && doc.m_records.empty())
        return refuse(damaged);

    if (doc.m_placeable) {
        doc.m_frame = placeableFrame;
    } else {
        const auto window = windowOfRecords(bytes, doc.m_records);
        if (!window)
            return refuse(QStringLiteral("Le fichier WMF n'indique pas ses dimensions."));
        doc.m_frame = window->normalized();
        doc.m_unitsPerInch = screenPixelsPerInch;
    }
    if (doc.m_frame.width() < 1 || doc.m_frame.height() < 1)
        return refuse(QStringLiteral("Le fichier WMF n'indique pas ses dimensions."));
    return doc;
}

QSize WmfDocument::pixelSize() const
{
    double w = std::max(1.0, std::round(m_frame.width() * screenPixelsPerInch / m_unitsPerInch));
    double h = std::max(1.0, std::round(m_frame.height() * screenPixelsPerInch / m_unitsPerInch));
    const double longer = std::max(w, h);
    if (longer > maxVectorSide) {
        w = std::max(1.0, std::round(w * maxVectorSide / longer));
        h = std::max(1.0, std::round(h * maxVectorSide / longer));
    }
    return QSize(int(w), int(h));
}

} // namespace imaging
