#include "templatestore.h"

#include "platform/imaging/pictureloader.h"
#include "platform/richtext/rtfreader.h"
#include "storage/database.h"
#include "storage/plainname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

TemplateStore::TemplateStore(Database &db, QString folder)
    : m_db(db)
    , m_folder(std::move(folder))
{
}

QStringList TemplateStore::names()
{
    return modeletable::names(m_db);
}

std::optional<TemplateRow> TemplateStore::find(const QString &name)
{
    return modeletable::find(m_db, name);
}

QString TemplateStore::textPath(const QString &name) const
{
    return QDir(m_folder).filePath(name + QStringLiteral(".rtf"));
}

QString TemplateStore::picturePath(const QString &name) const
{
    return QDir(m_folder).filePath(name + QStringLiteral(".bmp"));
}

TemplateRead TemplateStore::read(const QString &name, const QFont &defaultFont)
{
    TemplateRead read;
    read.row = find(name);
    if (!read.row)
        return read;
    if (!isPlainName(name)) {
        read.problem = QStringLiteral("Le nom « %1 » ne peut pas servir de nom de fichier.").arg(name);
        return read;
    }
    if (!QFileInfo(textPath(name)).isFile()) {
        read.problem = QStringLiteral("Le fichier %1.rtf du modèle manque.").arg(name);
        return read;
    }
    read.text = std::make_unique<QTextDocument>();
    read.text->setDefaultFont(defaultFont);
    const richtext::RtfReadResult text = richtext::loadRtfFile(textPath(name), read.text.get());
    if (!text.ok) {
        read.problem = QStringLiteral("Le fichier %1.rtf du modèle est illisible (%2).").arg(name, text.error);
        return read;
    }
    if (read.row->impage) {
        const PictureLoad picture = Picture::load(picturePath(name));
        if (!picture.ok) {
            read.problem = QStringLiteral("L'image %1.bmp du modèle manque ou est illisible (%2).").arg(name, picture.reason);
            return read;
        }
        read.picture = picture.picture;
    }
    return read;
}

QString TemplateStore::add(const TemplateRow &row, const QByteArray &rtf, const Picture *picture)
{
    if (!isPlainName(row.modele))
        return QStringLiteral("Ce nom ne peut pas servir de nom de fichier.");
    if (row.impage && !picture)
        return QStringLiteral("Le modèle n'a pas d'image à enregistrer.");
    QDir().mkpath(m_folder);
    // The row inside a transaction, the files next, the commit last: on any
    // failure the row is rolled back and the files written are removed.
    if (!m_db.transaction())
        return QStringLiteral("La base de données est occupée : %1").arg(m_db.lastError());
    QStringList written;
    auto fail = [&](const QString &reason) {
        m_db.rollback();
        for (const QString &path : written)
            QFile::remove(path);
        return reason;
    };
    if (!modeletable::insert(m_db, row))
        return fail(QStringLiteral("Le modèle n'a pas pu être ajouté à la base de données : %1").arg(m_db.lastError()));
    if (row.impage) {
        QString error;
        if (!picture->saveLabelBmp(picturePath(row.modele), &error))
            return fail(QStringLiteral("L'image du modèle n'a pas pu être écrite : %1").arg(error));
        written << picturePath(row.modele);
    }
    QSaveFile text(textPath(row.modele));
    if (!text.open(QIODevice::WriteOnly) || text.write(rtf) != rtf.size() || !text.commit())
        return fail(QStringLiteral("Le texte du modèle n'a pas pu être écrit : %1").arg(text.errorString()));
    written << textPath(row.modele);
    if (!m_db.commit())
        return fail(QStringLiteral("Le modèle n'a pas pu être enregistré : %1").arg(m_db.lastError()));
    return {};
}

bool TemplateStore::remove(const QString &name)
{
    const std::optional<TemplateRow> row = find(name);
    if (!row || !modeletable::remove(m_db, name))
        return false;
    if (isPlainName(name)) {
        QFile::remove(textPath(name));
        if (row->impage)
            QFile::remove(picturePath(name));
    }
    return true;
}

bool TemplateStore::rewritePicture(const QString &name, const Picture &picture)
{
    return isPlainName(name) && picture.saveLabelBmp(picturePath(name))
        && modeletable::setPixels(m_db, name, picture.width(), picture.height());
}
