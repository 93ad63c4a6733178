#include "picturefolder.h"

#include <QCollator>
#include <QDir>
#include <QLocale>
#include <QStorageInfo>

#include <algorithm>

namespace picturefolder {

namespace {

void sortFrench(QStringList &names)
{
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
}

bool contains(const QString &drive, const QString &folder)
{
    if (drive == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == drive || folder.startsWith(drive + QLatin1Char('/'));
}

} // namespace

QStringList formatEntries()
{
    return {
        QStringLiteral("Format JPEG JPG"),
        QStringLiteral("Format Bitmap BMP"),
        QStringLiteral("Format Windows Metafile WMF"),
        QStringLiteral("Format Icone ICO"),
        QStringLiteral("Format Portable Network Graphics PNG"),
    };
}

QString typeOf(const QString &entry)
{
    return entry.right(3);
}

QStringList pictureFiles(const QString &folder, const QString &type)
{
    if (type.isEmpty())
        return {};
    QStringList filters{QStringLiteral("*.") + type};
    if (type.compare(QLatin1String("JPG"), Qt::CaseInsensitive) == 0)
        filters.append(QStringLiteral("*.jpeg"));
    // Name filters ignore case unless told otherwise.
    QStringList names = QDir(folder).entryList(filters, QDir::Files | QDir::Readable, QDir::NoSort);
    sortFrench(names);
    return names;
}

QStringList driveRoots(const QString &home, const QStringList &mountPoints)
{
    QStringList drives{QStringLiteral("/")};
    const QString cleanHome = QDir::cleanPath(home);
    if (!home.isEmpty() && cleanHome != QLatin1String("/"))
        drives.append(cleanHome);
    QStringList media;
    for (const QString &mount : mountPoints) {
        const QString clean = QDir::cleanPath(mount);
        const bool removable = clean.startsWith(QLatin1String("/media/")) || clean.startsWith(QLatin1String("/run/media/"))
                               || clean.startsWith(QLatin1String("/mnt/"));
        if (removable && !drives.contains(clean) && !media.contains(clean))
            media.append(clean);
    }
    std::sort(media.begin(), media.end());
    return drives + media;
}

QStringList systemDrives()
{
    QStringList mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            mounts.append(volume.rootPath());
    return driveRoots(QDir::homePath(), mounts);
}

QString driveOf(const QString &folder, const QStringList &drives)
{
    QString best;
    for (const QString &drive : drives)
        if (contains(drive, folder) && drive.size() > best.size())
            best = drive;
    return best;
}

QList<FolderEntry> folderEntries(const QString &folder)
{
    const QString clean = QDir::cleanPath(folder);
    QList<FolderEntry> entries;
    entries.append({QStringLiteral("/"), QStringLiteral("/"), 0, clean == QLatin1String("/")});
    QString path;
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        path += QLatin1Char('/') + parts[i];
        entries.append({parts[i], path, i + 1, i + 1 == parts.size()});
    }
    QStringList children = QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    sortFrench(children);
    for (const QString &child : children)
        entries.append({child, joined(clean, child), int(parts.size()) + 1, false});
    return entries;
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace picturefolder
