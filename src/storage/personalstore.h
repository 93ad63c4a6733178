#pragma once

#include <QByteArray>
#include <QString>

class Database;

// The user's own storage beside the program: the folder etiqperso with the
// working copy of the shipped database, the template texts and the saved
// pages. The shipped database is only ever read.
class PersonalStore {
public:
    explicit PersonalStore(QString programDir);

    QString programDir() const { return m_programDir; }
    QString personalDir() const;
    QString shippedDatabase() const;
    QString workingDatabase() const;
    QString templateDir() const;
    QString pageDir() const;

    // Personal folder and working database.
    bool creatperso();
    // Working database and the built-in "AVERY65" when the folder exists.
    bool copiebd();
    // Copies the type `nometiq` from the shipped database when the working one
    // lacks it. A name the shipped database does not have changes nothing.
    bool ajoutetiq(const QString &nometiq);
    // First start only: the template folder and one text file per template,
    // each holding `emptyText`.
    void creatmodetiq(Database &working, const QByteArray &emptyText);
    // Columns added by later versions of the program.
    static void creatpagetiq(Database &working);
    static int bdimage(Database &working);   // statements applied
    void createPageFolder();

    // Opens the working database. A file that is not a database is set aside
    // under a new name (returned in `setAsideAs`) and replaced by a fresh copy,
    // so the user's file is never lost.
    bool openWorking(Database &db, QString *setAsideAs = nullptr);

private:
    bool copyShipped();

    QString m_programDir;
};
