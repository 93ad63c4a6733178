#include "platform/imaging/resampler.h"

#include <QColorSpace>

#include <algorithm>
#include <cmath>
#include <vector>

namespace imaging {

namespace {

// For each output index along one axis: the first source index it reads
// and the weights of the source indexes from there on (summing to 1).
struct AxisWeights {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<qsizetype> offset;   // into weights
    std::vector<float> weights;
};

AxisWeights axisWeights(int sourceLength, int targetLength)
{
    AxisWeights axis;
    axis.first.resize(targetLength);
    axis.count.resize(targetLength);
    axis.offset.resize(targetLength);
    const double scale = double(sourceLength) / targetLength;
    for (int i = 0; i < targetLength; ++i) {
        axis.offset[i] = qsizetype(axis.weights.size());
        if (targetLength < sourceLength) {
            const double start = i * scale;
            const double end = std::min(double(sourceLength), (i + 1) * scale);
            const int j0 = int(std::floor(start));
            const int j1 = std::min(sourceLength - 1, int(std::ceil(end)) - 1);
            double total = 0;
            for (int j = j0; j <= j1; ++j)
                total += std::min(end, j + 1.0) - std::max(start, double(j));
            for (int j = j0; j <= j1; ++j) {
                const double covered = std::min(end, j + 1.0) - std::max(start, double(j));
                axis.weights.push_back(float(covered / total));
            }
            axis.first[i] = j0;
            axis.count[i] = j1 - j0 + 1;
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            int j0 = int(std::floor(centre));
            double fraction = centre - j0;
            if (j0 < 0) {
                j0 = 0;
                fraction = 0;
            }
            if (j0 >= sourceLength - 1) {
                j0 = sourceLength - 1;
                fraction = 0;
            }
            axis.first[i] = j0;
            if (fraction > 0) {
                axis.count[i] = 2;
                axis.weights.push_back(float(1 - fraction));
                axis.weights.push_back(float(fraction));
            } else {
                axis.count[i] = 1;
                axis.weights.push_back(1.0f);
            }
        }
    }
    return axis;
}

// Rows of samples, `channels` per pixel, addressed by row.
template <typename T>
struct Plane {
    T *data;
    qsizetype stride;   // elements between rows
    int width;
    int height;
    T *row(int y) const { return data + y * stride; }
};

inline void store(float value, float &out) { out = value; }
inline void store(float value, uchar &out)
{
    out = uchar(std::clamp(int(value + 0.5f), 0, 255));
}

template <typename In, typename Out>
void resampleRows(const Plane<In> &in, const Plane<Out> &out, int channels, const AxisWeights &axis)
{
    for (int y = 0; y < in.height; ++y) {
        const In *src = in.row(y);
        Out *dst = out.row(y);
        for (int x = 0; x < out.width; ++x) {
            const float *w = axis.weights.data() + axis.offset[x];
            const In *s = src + qsizetype(axis.first[x]) * channels;
            float sum[4] = {0, 0, 0, 0};
            for (int k = 0; k < axis.count[x]; ++k, s += channels)
                for (int c = 0; c < channels; ++c)
                    sum[c] += w[k] * float(s[c]);
            for (int c = 0; c < channels; ++c)
                store(sum[c], dst[qsizetype(x) * channels + c]);
        }
    }
}

template <typename In, typename Out>
void resampleColumns(const Plane<In> &in, const Plane<Out> &out, int channels, const AxisWeights &axis)
{
    const qsizetype samples = qsizetype(in.width) * channels;
    std::vector<float> sum(samples);
    for (int y = 0; y < out.height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const float *w = axis.weights.data() + axis.offset[y];
        for (int k = 0; k < axis.count[y]; ++k) {
            const In *src = in.row(axis.first[y] + k);
            const float weight = w[k];
            for (qsizetype i = 0; i < samples; ++i)
                sum[i] += weight * float(src[i]);
        }
        Out *dst = out.row(y);
        for (qsizetype i = 0; i < samples; ++i)
            store(sum[i], dst[i]);
    }
}

QImage workingCopy(const QImage &source)
{
    switch (source.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return source;
    default:
        return source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32);
    }
}

} // namespace

QImage resampleImage(const QImage &source, QSize size)
{
    if (source.isNull() || size.isEmpty())
        return QImage();
    const QImage in = workingCopy(source);
    if (in.isNull())
        return QImage();
    if (size == in.size())
        return in;
    const int channels = in.format() == QImage::Format_Grayscale8 ? 1 : 4;
    QImage result(size, in.format());
    if (result.isNull())
        return QImage();
    result.setColorSpace(in.colorSpace());

    const AxisWeights across = axisWeights(in.width(), size.width());
    const AxisWeights down = axisWeights(in.height(), size.height());
    const Plane<const uchar> inPlane{in.constBits(), in.bytesPerLine(), in.width(), in.height()};
    const Plane<uchar> outPlane{result.bits(), result.bytesPerLine(), size.width(), size.height()};

    // Resample the axis that shrinks most first, so the intermediate stays small.
    const bool acrossFirst = qint64(size.width()) * in.height() <= qint64(in.width()) * size.height();
    if (acrossFirst) {
        std::vector<float> middle(qsizetype(size.width()) * channels * in.height());
        const Plane<float> mid{middle.data(), qsizetype(size.width()) * channels, size.width(), in.height()};
        resampleRows(inPlane, mid, channels, across);
        resampleColumns(Plane<const float>{mid.data, mid.stride, mid.width, mid.height}, outPlane, channels, down);
    } else {
        std::vector<float> middle(qsizetype(in.width()) * channels * size.height());
        const Plane<float> mid{middle.data(), qsizetype(in.width()) * channels, in.width(), size.height()};
        resampleColumns(inPlane, mid, channels, down);
        resampleRows(Plane<const float>{mid.data, mid.stride, mid.width, mid.height}, outPlane, channels, across);
    }
    return result;
}

} // namespace imaging
