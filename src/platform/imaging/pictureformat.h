#pragma once

#include <QByteArrayView>

namespace imaging {

enum class PictureFormat { Unknown, Bmp, Jpeg, Png, Ico, Wmf };

// Recognises a picture by its first bytes, never by the file's name: a
// renamed file is read for what it is.
PictureFormat detectFormat(QByteArrayView bytes);

} // namespace imaging
