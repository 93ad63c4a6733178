#include "programfolder.h"

#include <QFile>

QString ProgramFolder::builtShippedDatabase()
{
    return qEnvironmentVariable("KALVENOR_PROGRAM_DIR") + QStringLiteral("/etiquet.mdb");
}

ProgramFolder::ProgramFolder()
{
    m_valid = m_dir.isValid() && QFile::copy(builtShippedDatabase(), file(QStringLiteral("etiquet.mdb")));
    if (m_valid)
        QFile::setPermissions(file(QStringLiteral("etiquet.mdb")), QFile::ReadOwner | QFile::WriteOwner);
}
