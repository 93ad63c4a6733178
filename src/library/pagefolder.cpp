#include "pagefolder.h"

#include "editor/textfitter.h"
#include "editor/textmeasure.h"
#include "platform/imaging/pictureloader.h"
#include "platform/richtext/rtfreader.h"
#include "platform/units.h"
#include "storage/database.h"
#include "storage/etiqtable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextDocument>

namespace {

PageFolderLoad failure(const QString &reason)
{
    return {std::nullopt, reason};
}

// The first line of typetiq.txt, without its line end; a stranger's file may
// be anything, so only a short first line is read.
QString typeName(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = file.readLine(256);
    return QString::fromLatin1(line).trimmed();
}

// The font the label editor gives text that names none.
QFont editorFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(10);
    return font;
}

} // namespace

PageFolderLoad loadPageFolder(const QString &folder, Database &catalogue)
{
    const QDir dir(folder);
    if (!dir.exists())
        return failure(QStringLiteral("La page « %1 » n'existe pas.").arg(folder));
    const QString databasePath = dir.filePath(QStringLiteral("etiquet.mdb"));
    if (!QFileInfo::exists(databasePath))
        return failure(QStringLiteral("La page « %1 » n'a pas de fichier etiquet.mdb.").arg(folder));

    LoadedPage page;
    const QString name = typeName(dir.filePath(QStringLiteral("typetiq.txt")));
    if (name.isEmpty())
        return failure(QStringLiteral("La page « %1 » ne dit pas son type d'étiquette (typetiq.txt).").arg(folder));
    const std::optional<SheetType> type = etiqtable::find(catalogue, name);
    if (!type)
        return failure(QStringLiteral("Le type d'étiquette « %1 » de la page est inconnu.").arg(name));
    if (type->cols <= 0 || type->rows <= 0 || type->widthetiq <= 0 || type->heightetiq <= 0)
        return failure(QStringLiteral("Le type d'étiquette « %1 » de la page est invalide.").arg(name));
    page.type = *type;

    QList<PageRow> rows;
    {
        Database saved;
        if (!saved.open(databasePath, true))
            return failure(QStringLiteral("Le fichier etiquet.mdb de la page est illisible."));
        QSqlQuery probe = saved.run(QStringLiteral("SELECT COUNT(*) FROM PAGE"));
        if (!probe.next())
            return failure(QStringLiteral("Le fichier etiquet.mdb de la page n'a pas de table PAGE."));
        const auto read = pagetable::all(saved);
        if (!read)
            return failure(QStringLiteral("La table PAGE de la page est illisible : %1").arg(saved.lastError()));
        rows = *read;
    }
    if (rows.isEmpty())
        return failure(QStringLiteral("La page est vide."));

    TextMeasure measure;
    TextFitter fitter(measure);
    const int editorWidth = units::floorToPixel(page.type.widthetiq);
    const int editorHeight = units::floorToPixel(page.type.heightetiq);
    const int labelCount = page.type.cols * page.type.rows;
    QHash<QByteArray, Picture> pictures;   // one picture per distinct file content
    for (const PageRow &row : rows) {
        if (row.numetiq < 0 || row.numetiq >= labelCount || row.posx < 0 || row.posx >= page.type.cols
            || row.posy < 0 || row.posy >= page.type.rows)
            return failure(QStringLiteral("L'étiquette %1 de la page est hors de la planche.").arg(row.numetiq));
        LoadedPage::Label label;
        label.row = row;

        QTextDocument editorText;
        editorText.setDefaultFont(editorFont());
        const QString rtf = dir.filePath(QStringLiteral("%1.rtf").arg(row.numetiq));
        const richtext::RtfReadResult read = richtext::loadRtfFile(rtf, &editorText);
        if (!read.ok)
            return failure(QStringLiteral("Le texte de l'étiquette %1 est illisible : %2").arg(row.numetiq).arg(read.error));
        label.text = std::make_unique<QTextDocument>();
        label.mixedFormat = fitter.fit(editorText, editorWidth, editorHeight, *label.text).mixedFormat;

        if (row.impage) {
            QFile file(dir.filePath(QStringLiteral("%1.bmp").arg(row.numetiq)));
            if (!file.open(QIODevice::ReadOnly))
                return failure(QStringLiteral("L'image de l'étiquette %1 manque.").arg(row.numetiq));
            const QByteArray bytes = file.read(qint64(256) << 20);
            const QByteArray key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
            auto known = pictures.constFind(key);
            if (known == pictures.constEnd()) {
                const PictureLoad load = imaging::loadPictureBytes(bytes);
                if (!load.ok)
                    return failure(QStringLiteral("L'image de l'étiquette %1 est illisible : %2")
                                       .arg(row.numetiq)
                                       .arg(load.reason));
                known = pictures.insert(key, load.picture);
            }
            label.picture = *known;
        }
        page.labels.push_back(std::move(label));
    }
    return {std::move(page), {}};
}
