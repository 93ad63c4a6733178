#pragma once

#include "platform/imaging/picture.h"
#include "storage/modeletable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QTextDocument>

#include <memory>
#include <optional>

class Database;

// A template read back: its row, its text and, when it has one, its picture
// as stored. `problem` says what is missing or unreadable.
struct TemplateRead {
    std::optional<TemplateRow> row;   // none: no template of that name
    std::unique_ptr<QTextDocument> text;
    std::optional<Picture> picture;
    QString problem;
};

// The label templates: a MODELE row of the working database with, in the
// template folder, name.rtf and, when the row says so, name.bmp. A template's
// row and files appear and go together.
class TemplateStore {
public:
    TemplateStore(Database &db, QString folder);

    QStringList names();
    std::optional<TemplateRow> find(const QString &name);
    QString textPath(const QString &name) const;
    QString picturePath(const QString &name) const;
    // Everything of a template, read before the editor changes; the text
    // takes `defaultFont` where it names none.
    TemplateRead read(const QString &name, const QFont &defaultFont);

    // Adds the template `row` with its text (RTF) and, when `row.impage`,
    // its picture. The reason on failure (nothing then changed), else an
    // empty string.
    QString add(const TemplateRow &row, const QByteArray &rtf, const Picture *picture);
    // The row first: a failure may leave a file behind, never a listed
    // template without its files.
    bool remove(const QString &name);
    // The picture resampled for another label replaces the stored one.
    bool rewritePicture(const QString &name, const Picture &picture);

private:
    Database &m_db;
    QString m_folder;
};
