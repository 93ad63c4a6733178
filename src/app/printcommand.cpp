#include "printcommand.h"

#include "editor/textmeasure.h"
#include "library/pagefolder.h"
#include "print/pdfpage.h"
#include "print/pixelpage.h"
#include "print/sheetrenderer.h"
#include "storage/database.h"
#include "storage/personalstore.h"
#include "storage/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A name of a saved page first; a path otherwise.
QString pageFolder(const QString &page, const PersonalStore &store)
{
    if (!page.contains(QLatin1Char('/'))) {
        const QString saved = QDir(store.pageDir()).filePath(page);
        if (QFileInfo(saved).isDir())
            return saved;
    }
    return QFileInfo(page).absoluteFilePath();
}

// The user's catalogue when there is one, else the shipped one; only read.
bool openCatalogue(Database &db, const PersonalStore &store)
{
    if (QFileInfo::exists(store.workingDatabase()) && db.open(store.workingDatabase(), true))
        return true;
    return db.open(store.shippedDatabase(), true);
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

} // namespace

QString printPageToFile(const PrintRequest &request)
{
    const PersonalStore store(request.programDir);
    Database catalogue;
    if (!openCatalogue(catalogue, store))
        return QStringLiteral("Le catalogue des étiquettes est illisible (%1).").arg(store.shippedDatabase());
    const PageFolderLoad load = loadPageFolder(pageFolder(request.page, store), catalogue);
    if (!load.page)
        return oneLine(load.reason);
    // A sheet printed without some of its labels wastes the sheet.
    if (!load.skipped.isEmpty())
        return oneLine(QStringLiteral("La page est incomplète : ") + load.skipped.join(QLatin1Char(' ')));

    RenderOptions options;
    options.cutFrame = request.cutFrame;
    if (request.corrections) {
        const SettingsRead settings = settingsfile::read(QDir(request.programDir).filePath(QStringLiteral("etiq.ini")));
        options.deltaH = settings.settings.deltaH;
        options.deltaV = settings.settings.deltaV;
    }
    const SheetSnapshot sheet = snapshotOf(*load.page);
    TextMeasure measure;
    if (request.format == PrintRequest::Format::Png) {
        const QImage image = pixelpage::draw(sheet, options, request.dpi, measure);
        if (image.isNull())
            return QStringLiteral("L'image de la page à %1 points par pouce ne peut pas être faite.").arg(request.dpi);
        QSaveFile file(request.output);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
            return oneLine(QStringLiteral("Le fichier %1 n'a pas pu être écrit : %2").arg(request.output, file.errorString()));
        return {};
    }
    SheetRenderer renderer(measure);
    const PrintOutcome written = pdfpage::write(request.output, QFileInfo(request.page).fileName(),
                                                [&](QPainter &painter) { renderer.render(painter, sheet, options); });
    if (!written.ok)
        return oneLine(QStringLiteral("Le fichier %1 n'a pas pu être écrit : %2").arg(request.output, written.reason));
    return {};
}
