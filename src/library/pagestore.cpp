#include "pagestore.h"

#include "editor/workingsheet.h"
#include "platform/imaging/picture.h"
#include "platform/richtext/rtfwriter.h"
#include "storage/database.h"
#include "storage/frenchcollation.h"
#include "storage/plainname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>

namespace pagestore {

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Latin-1 with a CR LF, as the older pages have it, when the name allows;
// UTF-8 otherwise.
QByteArray typeLine(const QString &typeName)
{
    const bool latin1 = std::all_of(typeName.cbegin(), typeName.cend(), [](QChar c) { return c.unicode() < 0x100; });
    return (latin1 ? typeName.toLatin1() : typeName.toUtf8()) + "\r\n";
}

// etiquet.mdb: the shipped database without ETIQ and MODELE, its PAGE
// holding the labels, compacted into place.
QString writeDatabase(const QDir &folder, const QString &shippedDatabase, const std::vector<PageLabel> &labels)
{
    const QString work = folder.filePath(QStringLiteral("tempbd.mdb"));
    if (!QFile::copy(shippedDatabase, work))
        return QStringLiteral("La base de données %1 n'a pas pu être copiée.").arg(shippedDatabase);
    QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner);
    QString error;
    {
        Database db;
        if (!db.open(work))
            return QStringLiteral("La copie de la base de données est illisible.");
        bool ok = db.execute(QStringLiteral("DROP TABLE IF EXISTS ETIQ"))
            && db.execute(QStringLiteral("DROP TABLE IF EXISTS MAKERSHEETS"))
            && db.execute(QStringLiteral("DROP TABLE IF EXISTS MODELE")) && db.transaction()
            && db.execute(QStringLiteral("DELETE FROM PAGE"));
        for (auto label = labels.cbegin(); ok && label != labels.cend(); ++label)
            ok = pagetable::insert(db, label->row);
        ok = ok && db.commit()
            && db.execute(QStringLiteral("VACUUM INTO ?"), {folder.filePath(QStringLiteral("etiquet.mdb"))});
        if (!ok)
            error = QStringLiteral("La base de données de la page n'a pas pu être écrite : %1").arg(db.lastError());
    }
    QFile::remove(work);
    return error;
}

} // namespace

QStringList names(const QString &pageDir)
{
    QStringList names;
    const auto entries = QDir(pageDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries) {
        if (!entry.startsWith(partialPrefix))
            names << entry;
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return frenchcollation::compare(a, b) < 0; });
    return names;
}

void removeLeftovers(const QString &pageDir)
{
    const auto entries = QDir(pageDir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().startsWith(partialPrefix) && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
    }
}

bool isUsableName(const QString &name)
{
    return isPlainName(name) && !name.startsWith(partialPrefix);
}

std::optional<std::vector<PageLabel>> labelsOf(WorkingSheet &sheet)
{
    const auto rows = sheet.rows();
    if (!rows)
        return std::nullopt;
    std::vector<PageLabel> labels;
    for (const PageRow &row : *rows)
        labels.push_back({row, sheet.text(row.numetiq), sheet.picture(row.numetiq)});
    return labels;
}

QString save(const QString &pageDir, const QString &name, const QString &shippedDatabase, const QString &typeName,
             const std::vector<PageLabel> &labels)
{
    if (!isUsableName(name))
        return QStringLiteral("Ce nom ne peut pas servir de nom de fichier.");
    const QDir pages(pageDir);
    if (!pages.exists() && !QDir().mkpath(pageDir))
        return QStringLiteral("Le dossier des pages %1 n'a pas pu être créé.").arg(pageDir);
    const QString target = pages.filePath(name);
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return QStringLiteral("Une page de ce nom existe déjà.");

    // Built beside the pages and renamed into place when whole, so that an
    // interrupted save leaves no half page in the list.
    QTemporaryDir partial(pages.filePath(QString(partialPrefix) + QStringLiteral("XXXXXX")));
    if (!partial.isValid())
        return QStringLiteral("Le dossier %1 n'a pas pu être créé : %2").arg(target, partial.errorString());
    const QDir folder(partial.path());
    if (!writeFile(folder.filePath(QStringLiteral("typetiq.txt")), typeLine(typeName)))
        return QStringLiteral("Le fichier typetiq.txt n'a pas pu être écrit.");
    for (const PageLabel &label : labels) {
        const int n = label.row.numetiq;
        if (!label.text || !writeFile(folder.filePath(QStringLiteral("%1.rtf").arg(n)), richtext::writeRtf(*label.text)))
            return QStringLiteral("Le texte de l'étiquette %1 n'a pas pu être écrit.").arg(n);
        QString error;
        if (label.row.impage
            && (!label.picture || !label.picture->saveLabelBmp(folder.filePath(QStringLiteral("%1.bmp").arg(n)), &error)))
            return QStringLiteral("L'image de l'étiquette %1 n'a pas pu être écrite. %2").arg(n).arg(error).trimmed();
    }
    const QString database = writeDatabase(folder, shippedDatabase, labels);
    if (!database.isEmpty())
        return database;
    if (!QDir().rename(partial.path(), target))
        return QStringLiteral("Le dossier %1 n'a pas pu être mis en place.").arg(target);
    partial.setAutoRemove(false);
    // A temporary folder is private; the page gets its folder's access.
    QFile::setPermissions(target, QFileInfo(pageDir).permissions());
    return {};
}

bool remove(const QString &pageDir, const QString &name)
{
    if (!names(pageDir).contains(name))
        return false;
    const QString path = QDir(pageDir).filePath(name);
    // A link to a folder elsewhere: only the link goes.
    if (QFileInfo(path).isSymLink())
        return QFile::remove(path);
    return QDir(path).removeRecursively();
}

} // namespace pagestore
