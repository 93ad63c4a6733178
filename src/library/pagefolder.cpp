#include "pagefolder.h"

#include "catalogue/dimensiontext.h"
#include "catalogue/sheetchecks.h"
#include "editor/picture/labelpicture.h"
#include "editor/textfitter.h"
#include "editor/textmeasure.h"
#include "editor/workingsheet.h"
#include "platform/boundedread.h"
#include "platform/imaging/imaginglimits.h"
#include "platform/imaging/pictureloader.h"
#include "platform/richtext/rtfreader.h"
#include "platform/units.h"
#include "storage/database.h"
#include "storage/etiqtable.h"
#include "storage/personalstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

PageFolderLoad failure(const QString &reason)
{
    PageFolderLoad load;
    load.reason = reason;
    return load;
}

QString typeName(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A stranger's file may be anything: only a short first line is read.
    return decodeTypeName(file.readLine(256));
}

// The font the label editor gives text that names none.
QFont editorFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(10);
    return font;
}

// The page's PAGE rows with the picture columns in place. Without `update`
// an old database is brought up to date on a copy, so the folder stays as
// it was.
struct Rows {
    std::optional<QList<PageRow>> rows;
    int columnsAdded = 0;
};

Rows readRows(const QString &databasePath, bool update)
{
    QTemporaryDir scratch;
    QString path = databasePath;
    if (!update) {
        path = scratch.filePath(QStringLiteral("etiquet.mdb"));
        if (!scratch.isValid() || !QFile::copy(databasePath, path))
            return {};
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    Database saved;
    if (!saved.open(path))
        return {};
    QSqlQuery check = saved.run(QStringLiteral("PRAGMA quick_check"));
    if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
        return {};
    Rows read;
    read.columnsAdded = PersonalStore::pagePictureColumns(saved);
    read.rows = pagetable::all(saved);
    return read;
}

// A label's picture brought to the label as the editor would show it:
// shrunk when it no longer fits, resampled for the label.
struct Resampled {
    Picture picture;
    PicturePlacement placement;
    QSize original;   // the file's
};

} // namespace

QString decodeTypeName(const QByteArray &line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8.decode(line);
    if (utf8.hasError())
        name = QString::fromLatin1(line);
    return name.trimmed();
}

PageFolderLoad loadPageFolder(const QString &folder, Database &catalogue, const PageFolderOptions &options)
{
    const QDir dir(folder);
    if (!dir.exists())
        return failure(QStringLiteral("La page « %1 » n'existe pas.").arg(dir.dirName()));
    const QString name = typeName(dir.filePath(QStringLiteral("typetiq.txt")));
    if (name.isEmpty())
        return failure(QStringLiteral("La page ne dit pas son type d'étiquette : le fichier typetiq.txt manque ou est vide."));
    const std::optional<SheetType> type = etiqtable::find(catalogue, name);
    if (!type)
        return failure(QStringLiteral("Le type d'étiquette « %1 » de la page n'est plus dans le catalogue.").arg(name));
    if (sheetchecks::checkStored(*type, dimensiontext::decimalSymbol()))
        return failure(QStringLiteral("Le type d'étiquette « %1 » de la page est invalide.").arg(name));
    const QString databasePath = dir.filePath(QStringLiteral("etiquet.mdb"));
    if (!QFileInfo(databasePath).isFile())
        return failure(QStringLiteral("Le fichier etiquet.mdb de la page manque."));
    const Rows read = readRows(databasePath, options.update);
    if (!read.rows)
        return failure(QStringLiteral("Le fichier etiquet.mdb de la page est endommagé."));
    if (read.rows->isEmpty())
        return failure(QStringLiteral("La page est vide."));

    PageFolderLoad load;
    load.columnsAdded = read.columnsAdded;
    LoadedPage page;
    page.type = *type;
    TextMeasure measure;
    TextFitter fitter(measure);
    const int editorWidth = units::floorToPixel(type->widthetiq);
    const int editorHeight = units::floorToPixel(type->heightetiq);
    const int labelCount = type->cols * type->rows;
    std::vector<bool> seen(std::size_t(labelCount), false);
    // The same picture at the same place is resampled once for the page.
    QHash<QByteArray, Resampled> pictures;
    const int total = int(read.rows->size());
    int done = 0;
    for (const PageRow &stored : *read.rows) {
        if (options.progress)
            options.progress(done++, total);
        const int n = stored.numetiq;
        auto skip = [&](const QString &why) {
            load.skipped << QStringLiteral("Étiquette %1 : %2").arg(n).arg(why);
        };
        if (n < 0 || n >= labelCount) {
            skip(QStringLiteral("elle est hors de la planche."));
            continue;
        }
        if (seen[n]) {
            skip(QStringLiteral("elle figure deux fois dans la page."));
            continue;
        }
        StoredLabel label;
        label.row = stored;
        label.row.posx = n % type->cols;
        label.row.posy = n / type->cols;

        const QString rtf = dir.filePath(QStringLiteral("%1.rtf").arg(n));
        if (!QFileInfo(rtf).isFile()) {
            skip(QStringLiteral("le fichier %1.rtf manque.").arg(n));
            continue;
        }
        QTextDocument editorText;
        editorText.setDefaultFont(editorFont());
        const richtext::RtfReadResult text = richtext::loadRtfFile(rtf, &editorText);
        if (!text.ok) {
            skip(QStringLiteral("le fichier %1.rtf est illisible (%2).").arg(n).arg(text.error));
            continue;
        }
        label.text = std::make_unique<QTextDocument>();
        label.mixedFormat = fitter.fit(editorText, editorWidth, editorHeight, *label.text).mixedFormat;

        // Labels from 120 on never carry a picture.
        label.row.impage = stored.impage && n < WorkingSheet::pictureLimit;
        if (label.row.impage) {
            const QString bmp = dir.filePath(QStringLiteral("%1.bmp").arg(n));
            QFile file(bmp);
            if (!file.open(QIODevice::ReadOnly)) {
                skip(QStringLiteral("le fichier %1.bmp manque.").arg(n));
                continue;
            }
            const QByteArray bytes = readAtMost(file, imaging::maxFileBytes);
            const PicturePlacement placement{stored.impleft, stored.imptop, stored.impwidth, stored.impheight};
            QByteArray key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
            key += QByteArray::number(placement.impleft) + ',' + QByteArray::number(placement.imptop) + ','
                + QByteArray::number(placement.impwidth) + ',' + QByteArray::number(placement.impheight);
            auto known = pictures.constFind(key);
            if (known == pictures.constEnd()) {
                const PictureLoad picture = imaging::loadPictureBytes(bytes);
                if (!picture.ok) {
                    skip(QStringLiteral("le fichier %1.bmp est illisible (%2).").arg(n).arg(picture.reason));
                    continue;
                }
                LabelPicture editorPicture;
                editorPicture.setEditor(QRect(0, 0, editorWidth, editorHeight));
                editorPicture.restore(picture.picture, placement);
                editorPicture.redimimage();
                if (!editorPicture.hasPicture()) {
                    skip(QStringLiteral("son image ne tient plus dans l'étiquette."));
                    continue;
                }
                known = pictures.insert(
                    key, {editorPicture.picture(), editorPicture.placement(), picture.picture.pixelSize()});
            }
            // Resampled for this label: the folder keeps the new pixels.
            if (options.update && known->picture.pixelSize() != known->original)
                known->picture.saveLabelBmp(bmp);
            label.picture = known->picture;
            label.row.impleft = known->placement.impleft;
            label.row.imptop = known->placement.imptop;
            label.row.impwidth = known->placement.impwidth;
            label.row.impheight = known->placement.impheight;
            label.row.xpixel = known->picture.width();
            label.row.ypixel = known->picture.height();
        }
        seen[n] = true;
        page.labels.push_back(std::move(label));
    }
    if (options.progress)
        options.progress(total, total);
    if (page.labels.empty())
        return failure(QStringLiteral("Aucune étiquette de la page n'a pu être lue."));
    load.page = std::move(page);
    return load;
}
