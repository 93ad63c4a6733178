#include "database.h"

#include "frenchcollation.h"

#include <QFileInfo>
#include <QSqlError>

#include <atomic>
#include <utility>

namespace {

QString newConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("kalvenor-%1").arg(++counter);
}

} // namespace

Database::~Database()
{
    close();
}

Database::Database(Database &&other) noexcept
    : m_connection(std::exchange(other.m_connection, {}))
    , m_path(std::exchange(other.m_path, {}))
    , m_lastError(std::exchange(other.m_lastError, {}))
{
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        close();
        m_connection = std::exchange(other.m_connection, {});
        m_path = std::exchange(other.m_path, {});
        m_lastError = std::exchange(other.m_lastError, {});
    }
    return *this;
}

namespace {

// SQLITE_BUSY and SQLITE_LOCKED, with their extended codes.
bool isBusy(const QSqlError &error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number);
    return number && ((code & 0xFF) == 5 || (code & 0xFF) == 6);
}

} // namespace

bool Database::open(const QString &path, bool readOnly)
{
    close();
    m_lastError.clear();
    m_busy = false;
    if (!QFileInfo(path).isFile()) {
        m_lastError = QStringLiteral("no such file");
        return false;
    }
    const QString name = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        // Another program's lock is waited for a little, then reported.
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        bool ok = db.open();
        if (ok) {
            // SQLite opens anything lazily; reading the schema proves the file
            // is a database.
            QSqlQuery probe(db);
            ok = probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && probe.next();
            if (!ok) {
                m_lastError = probe.lastError().text();
                m_busy = isBusy(probe.lastError());
            }
        } else {
            m_lastError = db.lastError().text();
        }
        if (ok)
            ok = frenchcollation::registerOn(db);
        if (!ok) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return false;
        }
    }
    m_connection = name;
    m_path = path;
    return true;
}

void Database::close()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
    m_path.clear();
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connection, false);
}

QSqlQuery Database::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    m_busy = false;
    if (!query.prepare(sql)) {
        m_lastError = query.lastError().text();
        m_busy = isBusy(query.lastError());
        return query;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        m_busy = isBusy(query.lastError());
    }
    return query;
}

bool Database::execute(const QString &sql, const QVariantList &values)
{
    QSqlQuery query = run(sql, values);
    return query.isActive();
}

bool Database::transaction()
{
    return connection().transaction();
}

bool Database::commit()
{
    return connection().commit();
}

bool Database::rollback()
{
    return connection().rollback();
}
