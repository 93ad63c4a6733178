#pragma once

#include <QColor>

// The colours that tell a label cell's state: light shades below the
// picture limit (index 120), dark shades from it on.
namespace cellcolors {

inline const QColor lightGreen{0, 255, 0};
inline const QColor green{0, 128, 0};
inline const QColor lightRed{255, 0, 0};
inline const QColor darkRed{128, 0, 0};
inline const QColor lightYellow{255, 255, 0};
inline const QColor darkYellow{128, 128, 0};
inline const QColor darkGrey{64, 64, 64};

inline bool darkShade(int index) { return index >= 120; }
inline QColor empty(int index) { return darkShade(index) ? green : lightGreen; }
inline QColor written(int index) { return darkShade(index) ? darkRed : lightRed; }
inline QColor marked(int index) { return darkShade(index) ? darkYellow : lightYellow; }

inline bool isWritten(const QColor &c) { return c == lightRed || c == darkRed; }
inline bool isEmpty(const QColor &c) { return c == lightGreen || c == green; }
inline bool isMarked(const QColor &c) { return c == lightYellow || c == darkYellow; }

} // namespace cellcolors
