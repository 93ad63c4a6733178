// Build-time tool: runs an SQL script into a new SQLite file, then adds the
// label makers' A4 sheets found in TEMPLATES (their *-templates.xml files).
//   builddb OUTPUT SCRIPT [TEMPLATES]
// Statements end with ';' at the end of a line; "--" lines are comments.

#include "catalogue/makersheets.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

namespace {

// The makers' sheets that no type of the script already names; their names
// in MAKERSHEETS, and a version of the whole in user_version so that users'
// catalogues can tell a new one.
int addMakerSheets(QSqlDatabase &db, const QString &folder)
{
    if (!QDir(folder).exists()) {
        std::printf("builddb: %s missing (package glabels-data): only the program's own types are shipped\n",
                    qPrintable(folder));
        return 0;
    }
    QStringList files;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name))
        files << QDir(folder).filePath(name);
    makersheets::Result read = makersheets::read(files);

    QSqlQuery own(db);
    own.exec(QStringLiteral("SELECT nom FROM ETIQ"));
    QStringList taken;
    while (own.next())
        taken << own.value(0).toString();
    QSqlQuery table(db);
    if (!table.exec(QStringLiteral("CREATE TABLE MAKERSHEETS (nom TEXT NOT NULL UNIQUE)")) || !db.transaction())
        return 1;
    QCryptographicHash version(QCryptographicHash::Sha1);
    int added = 0;
    for (const SheetType &t : read.sheets) {
        if (taken.contains(t.nom)) {
            read.skipped.append({t.nom, QStringLiteral("a type of the program's own")});
            continue;
        }
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO ETIQ VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const QVariant &v : {QVariant(t.nom), QVariant(t.cols), QVariant(t.rows), QVariant(t.widthetiq),
                                  QVariant(t.heightetiq), QVariant(t.margehaut), QVariant(t.margebas),
                                  QVariant(t.margegauche), QVariant(t.margedroite)})
            insert.addBindValue(v);
        QSqlQuery name(db);
        name.prepare(QStringLiteral("INSERT INTO MAKERSHEETS VALUES (?)"));
        name.addBindValue(t.nom);
        if (!insert.exec() || !name.exec()) {
            std::fprintf(stderr, "builddb: %s: %s\n", qPrintable(t.nom), qPrintable(insert.lastError().text()));
            return 1;
        }
        version.addData(QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9\n")
                            .arg(t.nom)
                            .arg(t.cols)
                            .arg(t.rows)
                            .arg(t.widthetiq)
                            .arg(t.heightetiq)
                            .arg(t.margehaut)
                            .arg(t.margebas)
                            .arg(t.margegauche)
                            .arg(t.margedroite)
                            .toUtf8());
        ++added;
    }
    const QByteArray digest = version.result();
    const quint32 number = (quint32(uchar(digest[0])) << 24 | uchar(digest[1]) << 16 | uchar(digest[2]) << 8
                            | uchar(digest[3])) & 0x7fffffff;
    QSqlQuery pragma(db);
    if (!db.commit() || !pragma.exec(QStringLiteral("PRAGMA user_version = %1").arg(added ? std::max(number, 1u) : 0)))
        return 1;

    QMap<QString, int> reasons;
    for (const makersheets::Skipped &s : read.skipped)
        reasons[s.reason.section(QLatin1Char('('), 0, 0).section(QLatin1String(" : "), 0, 0).trimmed()]++;
    std::printf("builddb: makers' sheets: %d imported, %lld skipped\n", added, qlonglong(read.skipped.size()));
    for (auto it = reasons.cbegin(); it != reasons.cend(); ++it)
        std::printf("builddb:   %5d %s\n", it.value(), qPrintable(it.key()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: builddb OUTPUT SCRIPT [TEMPLATES]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QFile script(QString::fromLocal8Bit(argv[2]));
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "builddb: cannot read %s\n", argv[2]);
        return 1;
    }
    QFile::remove(output);
    int status = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("build"));
        db.setDatabaseName(output);
        if (!db.open()) {
            std::fprintf(stderr, "builddb: %s\n", qPrintable(db.lastError().text()));
            return 1;
        }
        QTextStream in(&script);
        in.setEncoding(QStringConverter::Utf8);
        QString statement;
        while (!in.atEnd() && status == 0) {
            const QString line = in.readLine();
            if (line.trimmed().startsWith(QLatin1String("--")))
                continue;
            statement += line + u'\n';
            if (!line.trimmed().endsWith(u';'))
                continue;
            QSqlQuery query(db);
            if (!query.exec(statement)) {
                std::fprintf(stderr, "builddb: %s\n%s\n", qPrintable(query.lastError().text()),
                             qPrintable(statement));
                status = 1;
            }
            statement.clear();
        }
        if (status == 0 && argc == 4)
            status = addMakerSheets(db, QString::fromLocal8Bit(argv[3]));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("build"));
    if (status != 0)
        QFile::remove(output);
    return status;
}
