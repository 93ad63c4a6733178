#pragma once

#include <QByteArray>
#include <QString>

struct PictureLoad;

namespace imaging {

// Reads a picture file within the limits of imaginglimits.h; see Picture::load.
PictureLoad loadPictureFile(const QString &path);

// The same from bytes already in memory.
PictureLoad loadPictureBytes(const QByteArray &bytes);

} // namespace imaging
