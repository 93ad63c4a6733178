// Builds a saved page folder from any bytes and opens it as the sheet does.
// The input is parts separated by "@@":
//   typetiq.txt | PAGE rows | file | file ...
// A row is a line of up to 11 comma-separated values in the columns' order,
// each an integer, "N" for NULL or else text; a first line "old" makes a
// table without the picture columns, as older pages have. A file part is
// "NAME:BYTES" where NAME is a label's n.rtf or n.bmp.
#include "fuzzapp.h"
#include "library/pagefolder.h"
#include "storage/database.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

namespace {

const QStringList columns = {"numetiq", "posx", "posy", "backcolor", "impage", "imptop",
                             "impleft", "impheight", "impwidth", "xpixel", "ypixel"};

QTemporaryDir *scratch = nullptr;
Database *catalogue = nullptr;

// An empty page database with PAGE of the first `count` columns.
QString emptyDatabase(const QString &name, int count)
{
    const QString path = scratch->filePath(name);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            fuzzing::fail("cannot create a page database");
        QStringList declared;
        for (int i = 0; i < count; ++i)
            declared << columns[i] + (columns[i] == "impage" ? " LOGICAL" : " INTEGER");
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE PAGE (%1)").arg(declared.join(", ")));
    }
    QSqlDatabase::removeDatabase(name);
    return path;
}

QVariant value(const QByteArray &text)
{
    bool isNumber = false;
    const qlonglong number = text.toLongLong(&isNumber);
    if (isNumber)
        return number;
    if (text == "N")
        return QVariant();
    return QString::fromUtf8(text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzing::startApplication(argc, argv);
    scratch = &fuzzing::scratchFolder();
    emptyDatabase(QStringLiteral("full.mdb"), 11);
    emptyDatabase(QStringLiteral("old.mdb"), 4);
    static Database shipped;
    if (!shipped.open(QStringLiteral(KALVENOR_SHIPPED_DATABASE), true))
        fuzzing::fail("cannot open the shipped catalogue");
    catalogue = &shipped;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QList<QByteArray> parts;
    for (qsizetype from = 0;;) {
        const qsizetype at = input.indexOf("@@", from);
        parts << input.mid(from, at < 0 ? -1 : at - from);
        if (at < 0)
            break;
        from = at + 2;
    }
    const QString page = scratch->filePath(QStringLiteral("page"));
    QDir(page).removeRecursively();
    QDir().mkpath(page);

    QList<QByteArray> rows = parts.value(1).split('\n');
    const bool old = !rows.isEmpty() && rows.first() == "old";
    if (old)
        rows.removeFirst();
    const QString databasePath = page + QStringLiteral("/etiquet.mdb");
    QFile::copy(scratch->filePath(old ? QStringLiteral("old.mdb") : QStringLiteral("full.mdb")), databasePath);
    {
        Database db;
        if (!db.open(databasePath))
            fuzzing::fail("cannot open the page database");
        const int count = old ? 4 : 11;
        for (const QByteArray &line : rows) {
            const QList<QByteArray> fields = line.split(',');
            QVariantList values;
            QStringList marks;
            for (int i = 0; i < count && i < fields.size(); ++i) {
                values << value(fields[i]);
                marks << QStringLiteral("?");
            }
            if (!values.isEmpty())
                (void)db.execute(QStringLiteral("INSERT INTO PAGE (%1) VALUES (%2)")
                                     .arg(columns.mid(0, values.size()).join(", "), marks.join(", ")),
                                 values);
        }
    }
    fuzzing::writeBytes(page + QStringLiteral("/typetiq.txt"), parts.value(0));
    static const QRegularExpression fileName(QStringLiteral("^[0-9]{1,4}\\.(rtf|bmp)$"));
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const qsizetype colon = parts[i].indexOf(':');
        const QString name = QString::fromLatin1(parts[i].left(colon));
        if (colon > 0 && fileName.match(name).hasMatch())
            fuzzing::writeBytes(page + '/' + name, parts[i].mid(colon + 1));
    }

    PageFolderOptions options;
    options.update = true;
    int calls = 0;
    options.progress = [&calls](int done, int total) {
        if (done < 0 || done > total)
            fuzzing::fail("progress beyond its total");
        ++calls;
    };
    const PageFolderLoad load = loadPageFolder(page, *catalogue, options);
    if (load.page.has_value() == !load.reason.isEmpty())
        fuzzing::fail("a page must be either opened or refused with a reason");
    if (load.page) {
        const int labels = load.page->type.cols * load.page->type.rows;
        for (const StoredLabel &label : load.page->labels) {
            if (label.row.numetiq < 0 || label.row.numetiq >= labels || !label.text)
                fuzzing::fail("a label outside the sheet or without text was loaded");
            if (label.row.impage != label.picture.has_value())
                fuzzing::fail("a label's picture flag and picture disagree");
        }
    }
    return 0;
}
