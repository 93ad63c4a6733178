#include "windowplacement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.parentWidget() ? window.parentWidget()->screen() : window.screen();
    if (!screen)
        return;
    QRect placed(QPoint(), window.size());
    placed.moveCenter(screen->availableGeometry().center());
    window.move(placed.topLeft());
}
