#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// One open SQLite file (the working database, the shipped one, a saved
// page's). Each instance has a connection of its own, closed on destruction.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;
    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;

    // Opens an existing database file and checks that it really is one.
    // Never creates the file.
    [[nodiscard]] bool open(const QString &path, bool readOnly = false);
    void close();
    bool isOpen() const { return !m_connection.isEmpty(); }
    QString path() const { return m_path; }
    QString lastError() const { return m_lastError; }
    // The last open or statement failed because another connection holds the
    // file locked: the file is fine, only in use.
    bool busy() const { return m_busy; }

    // Runs one statement with its values bound in order ('?' placeholders).
    // The returned query is positioned before the first row.
    QSqlQuery run(const QString &sql, const QVariantList &values = {});
    [[nodiscard]] bool execute(const QString &sql, const QVariantList &values = {});

    [[nodiscard]] bool transaction();
    [[nodiscard]] bool commit();
    bool rollback();

    QSqlDatabase connection() const;

private:
    QString m_connection;
    QString m_path;
    QString m_lastError;
    bool m_busy = false;
};
