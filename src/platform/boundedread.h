#pragma once

#include <QByteArray>
#include <QIODevice>

// QIODevice::read(n) reserves n bytes before it reads, whatever the file
// holds: a limit of 256 MB costs 256 MB at every picture. This reads what the
// device holds, in steps, up to maxSize bytes; pass one byte more than a limit
// to tell a file over it.
QByteArray readAtMost(QIODevice &device, qint64 maxSize);
