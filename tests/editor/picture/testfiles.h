#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

// Picture files the picture tests write for themselves.
namespace testfiles {

// A picture of `size` in `format` ("jpeg", "png", "bmp") at `path`: a
// colour gradient, or shades of grey.
bool writePicture(const QString &path, QSize size, const char *format = "jpeg", bool grey = false);
bool writeBytes(const QString &path, const QByteArray &bytes);

// Files no picture reader should accept.
QByteArray letter();                  // plain text
QByteArray truncatedJpeg();           // a JPEG cut in half
QByteArray bmpClaiming(int width, int height);   // a header and no pixels

// `count` pictures named pic00.jpg, pic01.jpg, ... in `folder`.
bool writeNumbered(const QString &folder, int count);

} // namespace testfiles
