#include "environmentcheck.h"

#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/units.h"

#include <cmath>

std::optional<QSize> checkEnvironment(const Environment &environment, Dialogs &dialogs)
{
    const double tppX = environment.twipsPerPixelX();
    const double tppY = environment.twipsPerPixelY();
    if (tppX != units::twipsPerPixel || tppY != units::twipsPerPixel) {
        dialogs.inform(QStringLiteral("CONFIGURATION ECRAN"),
                       QStringLiteral(" L'écran doit etre configuré en 96 ppp:\n"
                                      "   -Panneau de configuration.\n"
                                      "   -Affichage.\n"
                                      "   -Paramètres.\n"
                                      "   -Avancé.\n"
                                      "   -Paramètre PPP:Normal(96 ppp)."),
                       Dialogs::Icon::Critical);
        return std::nullopt;
    }

    if (environment.printerCount() == 0) {
        dialogs.inform(QStringLiteral("IMPRIMANTE"),
                       QStringLiteral(" Aucune imprimante n' été identifiée.\n"
                                      " Cette application nécessite une imprimante."),
                       Dialogs::Icon::Exclamation);
        return std::nullopt;
    }

    const float width = static_cast<float>(environment.screenWidthTwips() / tppX);
    const float height = static_cast<float>(environment.screenHeightTwips() / tppY);
    if (width > 1020 && height > 765)
        return QSize(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));

    dialogs.inform(QStringLiteral("DIMENSION ECRAN"),
                   QStringLiteral("Les seules dimensions d'écran admises sont :\n"
                                  "largeur >=1024 et hauteur >=768\n"
                                  "Configuration trouvée:")
                       + QString::number(width) + QStringLiteral(" x ") + QString::number(height),
                   Dialogs::Icon::Critical);
    return std::nullopt;
}
