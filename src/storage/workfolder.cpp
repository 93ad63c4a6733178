#include "workfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace workfolder {

namespace {

const QString shippedFiles[] = {QStringLiteral("etiquet.mdb"), QStringLiteral("etiquet.rtf")};

bool holdsShipped(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("etiquet.mdb"))).isFile();
}

bool sameContent(const QString &a, const QString &b)
{
    QFile first(a), second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    return first.readAll() == second.readAll();
}

// A copy that is whole or absent: written beside, then renamed.
bool copyOver(const QString &from, const QString &to)
{
    const QString partial = to + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(from, partial))
        return false;
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::remove(to);
    return QFile::rename(partial, to);
}

} // namespace

Choice choose(const QString &currentDir, const QString &exeDir, const QString &dataHome)
{
    if (holdsShipped(currentDir))
        return {currentDir, {}};
    if (holdsShipped(exeDir))
        return {exeDir, {}};
    const QString shared = QDir(exeDir).absoluteFilePath(QStringLiteral("../share/kalvenor"));
    if (!holdsShipped(shared) || dataHome.isEmpty())
        return {currentDir, {}};

    const QString own = QDir(dataHome).filePath(QStringLiteral("kalvenor"));
    if (!QDir().mkpath(own))
        return {own, QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(own)};
    for (const QString &name : shippedFiles) {
        const QString from = QDir(shared).filePath(name), to = QDir(own).filePath(name);
        if (QFileInfo::exists(from) && !sameContent(from, to) && !copyOver(from, to))
            return {own, QStringLiteral("Le fichier %1 n'a pas pu être copié dans %2.").arg(from, own)};
    }
    return {own, {}};
}

} // namespace workfolder
