#include "platform/imaging/picturemessage.h"

#include <QFileInfo>

QString unreadablePictureMessage(const QString &path, const QString &reason)
{
    QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        name = path;
    QString text = QStringLiteral("Le fichier %1 n'est pas une image lisible.").arg(name);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}
