#include "progresswindow.h"

#include "platform/units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(int labelCount, QWidget *parent)
    : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("CALCUL"));
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);

    P_calcul = new QProgressBar(this);
    P_calcul->setObjectName(QStringLiteral("P_calcul"));
    P_calcul->setRange(0, labelCount);
    P_calcul->setValue(0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(P_calcul);

    // As wide as its caption, plus 1200 twips, centred on the screen.
    const int width = QFontMetrics(font()).horizontalAdvance(caption) + units::twipsToPixels(1200);
    resize(width, sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - rect().center());
    }
}
