#pragma once

#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>

// The preview `L_ouvrir` of the picture browser: the hovered picture fitted
// into a 1470-twip square, centred in its box, and the caption `E_info`.
namespace browserpreview {

inline constexpr int boxLeft = 4230;    // twips inside the browser frame
inline constexpr int boxTop = 195;
inline constexpr int boxWidth = 1470;
inline constexpr int boxHeight = 1605;
inline constexpr int side = 1470;

// The preview's rectangle in the frame (twips); empty for an empty picture.
QRect rect(QSize pixels);

// "Photo ", the pixel size and the file's date ("dd/MM/yyyy"), one a line.
QString info(QSize pixels, const QDateTime &modified);
// The same for a file that is not a readable picture.
QString unreadableInfo(const QDateTime &modified);

} // namespace browserpreview
