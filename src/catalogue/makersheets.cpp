#include "makersheets.h"

#include "sheetchecks.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <variant>

namespace makersheets {

namespace {

constexpr double mmPerPoint = 25.4 / 72;

// One <Template> as written, before its equivalent is looked up.
struct Template {
    QString brand;
    QString part;
    QString size;
    QString equiv;
    QStringList shapes;   // element names of the label shapes
    QList<QXmlStreamAttributes> rectangles;
    QList<QXmlStreamAttributes> layouts;   // of the first shape
    QString name() const { return brand + u' ' + part; }
};

QString attribute(const QXmlStreamAttributes &a, const char *name)
{
    return a.value(QLatin1String(name)).toString();
}

QList<Template> parse(QXmlStreamReader &xml)
{
    QList<Template> templates;
    Template *current = nullptr;
    int shapeDepth = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView element = xml.name();
            if (element == u"Template") {
                const QXmlStreamAttributes a = xml.attributes();
                Template t;
                t.brand = attribute(a, "brand").trimmed();
                t.part = attribute(a, "part").trimmed();
                t.size = attribute(a, "size");
                t.equiv = attribute(a, "equiv").trimmed();
                templates.append(t);
                current = &templates.last();
            } else if (current && element.startsWith(u"Label-")) {
                current->shapes << element.toString();
                if (element == u"Label-rectangle")
                    current->rectangles << xml.attributes();
                ++shapeDepth;
            } else if (current && element == u"Layout" && shapeDepth > 0 && current->shapes.size() == 1) {
                current->layouts << xml.attributes();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name().startsWith(u"Label-"))
                --shapeDepth;
            else if (xml.name() == u"Template")
                current = nullptr;
        }
    }
    return templates;
}

std::optional<double> number(const QXmlStreamAttributes &a, const char *name)
{
    return points(attribute(a, name));
}

// The sheet type of a template holding its own geometry, or why not.
std::variant<SheetType, QString> convert(const Template &t)
{
    if (t.size != QLatin1String("A4"))
        return QStringLiteral("pas au format A4 (%1)").arg(t.size.isEmpty() ? QStringLiteral("sans format") : t.size);
    if (t.shapes.isEmpty())
        return QStringLiteral("aucune forme d'étiquette");
    if (t.shapes.size() > 1)
        return QStringLiteral("plusieurs formes d'étiquette");
    if (t.rectangles.size() != 1)
        return QStringLiteral("étiquettes non rectangulaires (%1)").arg(t.shapes.first().mid(6));
    if (t.layouts.size() != 1)
        return t.layouts.isEmpty() ? QStringLiteral("aucune grille") : QStringLiteral("plusieurs grilles");
    const QXmlStreamAttributes &shape = t.rectangles.first();
    const QXmlStreamAttributes &grid = t.layouts.first();
    const auto width = number(shape, "width"), height = number(shape, "height");
    const auto x0 = number(grid, "x0"), y0 = number(grid, "y0");
    const auto dx = number(grid, "dx"), dy = number(grid, "dy");
    bool okX = false, okY = false;
    const int nx = attribute(grid, "nx").toInt(&okX), ny = attribute(grid, "ny").toInt(&okY);
    if (!width || !height || !x0 || !y0 || !okX || !okY || (nx > 1 && !dx) || (ny > 1 && !dy))
        return QStringLiteral("dimensions illisibles");
    if (nx < 1 || ny < 2)
        return QStringLiteral("une seule rangée");

    sheetchecks::Entry e;
    e.cols = nx;
    e.rows = ny;
    e.width = *width * mmPerPoint;
    e.height = *height * mmPerPoint;
    e.marginLeft = *x0 * mmPerPoint;
    e.marginTop = *y0 * mmPerPoint;
    e.marginRight = sheetchecks::pageWidthMm - e.marginLeft - (nx - 1) * dx.value_or(0) * mmPerPoint - e.width;
    e.marginBottom = sheetchecks::pageHeightMm - e.marginTop - (ny - 1) * dy.value_or(0) * mmPerPoint - e.height;
    // The files round their lengths: a margin a few hundredths of a
    // millimetre below zero is none.
    for (double *margin : {&e.marginRight, &e.marginBottom}) {
        if (*margin < 0 && *margin > -0.05)
            *margin = 0;
    }
    if (const auto refusal = sheetchecks::outOfRange(e))
        return refusal->text.simplified();
    if (const auto refusal = sheetchecks::check(e, QLatin1Char('.')))
        return QString(refusal->title + QStringLiteral(" : ") + refusal->text).simplified();
    return sheetchecks::toSheetType(e, t.name());
}

} // namespace

std::optional<double> points(const QString &text)
{
    static const QRegularExpression length(QStringLiteral("^\\s*([0-9]*\\.?[0-9]+)\\s*(pt|mm|cm|in|pc)?\\s*$"));
    const QRegularExpressionMatch match = length.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit == QLatin1String("mm"))
        return value / mmPerPoint;
    if (unit == QLatin1String("cm"))
        return value * 10 / mmPerPoint;
    if (unit == QLatin1String("in"))
        return value * 72;
    if (unit == QLatin1String("pc"))
        return value * 12;
    return value;
}

Result read(const QStringList &files)
{
    Result result;
    QList<Template> templates;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.skipped.append({path, QStringLiteral("fichier illisible")});
            continue;
        }
        QXmlStreamReader xml(&file);
        const QList<Template> read = parse(xml);
        if (xml.hasError())
            result.skipped.append({path, QStringLiteral("XML incorrect, ligne %1 : %2")
                                             .arg(xml.lineNumber())
                                             .arg(xml.errorString())});
        templates += read;
    }
    // An equivalent is another part of the same brand, else of any brand.
    QHash<QString, const Template *> byName, byPart;
    for (const Template &t : templates) {
        if (t.equiv.isEmpty()) {
            byName.insert(t.name(), &t);
            if (!byPart.contains(t.part))
                byPart.insert(t.part, &t);
        }
    }
    QHash<QString, bool> taken;
    for (const Template &t : templates) {
        const QString name = t.name();
        if (t.brand.isEmpty() || t.part.isEmpty()) {
            result.skipped.append({name.trimmed(), QStringLiteral("sans marque ou sans référence")});
            continue;
        }
        const Template *geometry = &t;
        if (!t.equiv.isEmpty()) {
            geometry = byName.value(t.brand + u' ' + t.equiv, byPart.value(t.equiv));
            if (!geometry) {
                result.skipped.append({name, QStringLiteral("équivalent « %1 » introuvable").arg(t.equiv)});
                continue;
            }
        }
        Template named = *geometry;
        named.brand = t.brand;
        named.part = t.part;
        const auto converted = convert(named);
        if (const auto *reason = std::get_if<QString>(&converted)) {
            result.skipped.append({name, *reason});
            continue;
        }
        if (taken.contains(name)) {
            result.skipped.append({name, QStringLiteral("nom déjà pris")});
            continue;
        }
        taken.insert(name, true);
        result.sheets.append(std::get<SheetType>(converted));
    }
    return result;
}

} // namespace makersheets
