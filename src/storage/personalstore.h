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
    [[nodiscard]] bool creatperso();
    // Working database and the built-in "AVERY65" when the folder exists.
    [[nodiscard]] bool copiebd();
    // Copies the type `nometiq` from the shipped database when the working one
    // lacks it. A name the shipped database does not have changes nothing.
    [[nodiscard]] bool ajoutetiq(const QString &nometiq);
    // First start only: the template folder and one text file per template,
    // each holding `emptyText`.
    void creatmodetiq(Database &working, const QByteArray &emptyText);
    // Columns added by later versions of the program.
    static void creatpagetiq(Database &working);
    static int bdimage(Database &working);   // statements applied
    // The same columns for the PAGE table of a saved page's database.
    static int pagePictureColumns(Database &page);   // statements applied
    void createPageFolder();

    enum class Opening {
        Opened,
        SetAside,   // replaced by a fresh copy; the old file kept aside
        InUse,      // locked by another program: left as it is
        Failed,
    };
    // Opens the working database. A file that is not a database, fails
    // SQLite's quick check or lacks the program's tables is set aside under a
    // new name (returned in `setAsideAs`) and replaced by a fresh copy, so the
    // user's file is never lost. A file another program holds locked is not
    // touched.
    [[nodiscard]] Opening openWorking(Database &db, QString *setAsideAs = nullptr);

    // The tables and columns the program reads, as the oldest databases it
    // migrates already have them; the problem found, or an empty string.
    static QString schemaProblem(Database &db);

private:
    bool copyShipped();
    // SQLite's quick check and the schema: what opening requires.
    static bool passesChecks(Database &db);

    QString m_programDir;
};
