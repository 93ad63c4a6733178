// Reads any bytes as RTF. Besides crashes, hangs and memory errors it checks
// that what was read writes back to RTF that reads as the same document.
#include "documentdescription.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *what, const QString &expected, const QString &actual)
{
    std::fprintf(stderr, "%s\nexpected: %s\nactual:   %s\n", what, qPrintable(expected.left(2000)),
                 qPrintable(actual.left(2000)));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // Fill the font caches once so that they do not look like leaks later.
    QTextDocument warmUp;
    richtext::readRtf(R"({\rtf1{\fonttbl{\f0 Arial;}}\f0\b x\par})", &warmUp);
    testing::describe(warmUp);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument document;
    const richtext::RtfReadResult result =
        richtext::readRtf(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)), &document);
    if (result.ok != result.error.isEmpty())
        fail("ok and error disagree", QString(), result.error);

    QTextDocument again;
    const richtext::RtfReadResult reread = richtext::readRtf(richtext::writeRtf(document), &again);
    if (!reread.ok)
        fail("written RTF does not read back", QString(), reread.error);
    const QString before = testing::describe(document);
    const QString after = testing::describe(again);
    if (before != after)
        fail("round trip changed the document", before, after);
    return 0;
}
