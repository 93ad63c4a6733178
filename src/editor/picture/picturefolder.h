#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the picture browser reads from the file system: the picture types it
// offers, the picture files of a folder, the folders around it and the
// places a Linux user starts from.
namespace picturefolder {

// The entries of `L_formouvrir`, in order; the type is an entry's last three
// characters.
QStringList formatEntries();
QString typeOf(const QString &entry);

// The plain files of `folder` whose extension is the type (any case; "JPG"
// also takes ".jpeg"), by name as a French user sorts them. Hidden files
// are left out.
QStringList pictureFiles(const QString &folder, const QString &type);

// The drive list: "/", the home folder, then the removable media and other
// mounts under /media, /run/media and /mnt, without repeats.
QStringList driveRoots(const QString &home, const QStringList &mountPoints);
QStringList systemDrives();

// The drive a folder belongs to: the longest drive that contains it.
QString driveOf(const QString &folder, const QStringList &drives);

// A line of the folder list `R_repouvrir`: the folders from "/" down to the
// browsed one (opened), then its sub-folders.
struct FolderEntry {
    QString label;
    QString path;
    int depth = 0;
    bool current = false;
};
QList<FolderEntry> folderEntries(const QString &folder);

// `child` + "/" + `name`, without doubling the "/" of the root.
QString joined(const QString &folder, const QString &name);

} // namespace picturefolder
