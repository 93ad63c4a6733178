#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// Picture files the picture tests write for themselves.
namespace testfiles {

bool writeBytes(const QString &path, const QByteArray &bytes);
// A colour JPEG of `size`, with a little detail so it compresses like a photo.
QByteArray jpeg(QSize size);
// `count` small pictures named pic00.jpg, pic01.jpg, ... in `folder`.
bool writeNumbered(const QString &folder, int count);
// A BMP header claiming `width` × `height`, with no pixels.
QByteArray bmpClaiming(int width, int height);

} // namespace testfiles
