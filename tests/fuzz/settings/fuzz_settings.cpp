// Reads any bytes as etiq.ini. Besides crashes and memory errors it checks
// that what was read is written and read back unchanged, so a damaged file
// never turns into other corrections at the next start.
#include "fuzzapp.h"
#include "storage/settingsfile.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cmath>

namespace {

QTemporaryDir *folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    folder = &fuzzing::scratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString given = folder->filePath(QStringLiteral("given.ini"));
    const QString again = folder->filePath(QStringLiteral("again.ini"));
    if (!fuzzing::writeBytes(given, QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))))
        fuzzing::fail("cannot write the input file");
    const SettingsRead read = settingsfile::read(given);
    const Settings &s = read.settings;
    if (!read.found)
        fuzzing::fail("an existing file was not found");
    if (!std::isfinite(s.deltaH) || !std::isfinite(s.deltaV) || std::fabs(s.deltaH) > settingsfile::maxCorrection
        || std::fabs(s.deltaV) > settingsfile::maxCorrection)
        fuzzing::fail("a correction beyond a page was accepted");

    QFile::remove(again);
    if (!settingsfile::write(again, s))
        fuzzing::fail("the settings cannot be written");
    const Settings back = settingsfile::read(again).settings;
    if (back.sheetTypeName != s.sheetTypeName || back.deltaH != s.deltaH || back.deltaV != s.deltaV)
        fuzzing::fail("the settings read back differ from those written");
    return 0;
}
