#include "boundedread.h"

#include <algorithm>

QByteArray readAtMost(QIODevice &device, qint64 maxSize)
{
    constexpr qint64 step = 64 * 1024;
    // One read of what a file says it holds; more steps if it grew or is a pipe.
    qint64 want = device.isSequential() ? step : std::max(device.size() - device.pos() + 1, step);
    QByteArray bytes;
    while (bytes.size() < maxSize) {
        const QByteArray chunk = device.read(std::min(want, maxSize - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        want = step;
    }
    return bytes;
}
