#include "environment.h"

#include "units.h"

#include <QGuiApplication>
#include <QPrinterInfo>
#include <QScreen>

namespace {

QScreen *screen() { return QGuiApplication::primaryScreen(); }

double twipsPerPixelFor(double dotsPerInch)
{
    return dotsPerInch > 0 ? units::twipsPerInch / dotsPerInch : 0.0;
}

} // namespace

double SystemEnvironment::twipsPerPixelX() const
{
    return screen() ? twipsPerPixelFor(screen()->logicalDotsPerInchX()) : 0.0;
}

double SystemEnvironment::twipsPerPixelY() const
{
    return screen() ? twipsPerPixelFor(screen()->logicalDotsPerInchY()) : 0.0;
}

double SystemEnvironment::screenWidthTwips() const
{
    return screen() ? screen()->size().width() * twipsPerPixelX() : 0.0;
}

double SystemEnvironment::screenHeightTwips() const
{
    return screen() ? screen()->size().height() * twipsPerPixelY() : 0.0;
}

int SystemEnvironment::printerCount() const
{
    return static_cast<int>(QPrinterInfo::availablePrinterNames().size());
}
