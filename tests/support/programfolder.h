#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program folder in a temporary directory, holding a copy of the
// shipped database built by the project (as after installation).
class ProgramFolder {
public:
    ProgramFolder();
    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    // The shipped database of the build.
    static QString builtShippedDatabase();

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
