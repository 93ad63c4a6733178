#pragma once

#include <QImage>

// Pictures and files the imaging tests make for themselves.
namespace testpictures {

QImage solid(QSize size, QColor colour, QImage::Format format = QImage::Format_RGB32);
QImage checkerboard(QSize size);            // 1-pixel black and white squares
QImage noise(QSize size, quint32 seed);     // colourful, hard to compress
QByteArray encoded(const QImage &image, const char *format, int quality = -1);
int colourDistance(QRgb a, QRgb b);              // largest difference over the channels

} // namespace testpictures
