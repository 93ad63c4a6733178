// Build-time tool: runs an SQL script into a new SQLite file.
//   builddb OUTPUT SCRIPT
// Statements end with ';' at the end of a line; "--" lines are comments.

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: builddb OUTPUT SCRIPT\n");
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
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("build"));
    if (status != 0)
        QFile::remove(output);
    return status;
}
