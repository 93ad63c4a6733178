#include "sheetchecks.h"

#include "dimensiontext.h"

#include "platform/units.h"

#include <QStringList>

namespace sheetchecks {

namespace {

// Values typed in decimal and computed in binary: a total equal to its limit
// must not fail for the last bit.
constexpr double slack = 1e-9;

bool atMost(double value, double limit)
{
    return value <= limit + slack;
}

const QString nameTitle = QStringLiteral("NOM INTERDIT");

Refusal negative()
{
    return {QStringLiteral("VALEUR NEGATIVE"),
            QStringLiteral("Les dimensions et les nombres saisis ne peuvent etre négatifs.")};
}

Refusal tooLarge()
{
    return {QStringLiteral("VALEUR TROP GRANDE"),
            QStringLiteral("Les nombres de colonnes et de rangées ne peuvent dépasser 32767,\n"
                           "ni chaque dimension 577 mm.")};
}

} // namespace

double totalWidth(const Entry &e)
{
    return e.cols * e.width + e.marginLeft + e.marginRight;
}

double totalHeight(const Entry &e)
{
    return e.rows * e.height + e.marginTop + e.marginBottom;
}

namespace {

Refusal tooSmall()
{
    return {QStringLiteral("ETIQUETTE TROP PETITE"), QStringLiteral("Largeur et hauteur d'étiquette min=5 mm")};
}

// The six rules of the page, in the order the user is told.
std::optional<Refusal> pageRules(const Entry &e, QChar decimal)
{
    const double width = totalWidth(e);
    if (!atMost(width, pageWidthMm + tolerancePerLabelMm * e.cols))
        return Refusal{QStringLiteral("ERREUR LARGEUR"),
                       QStringLiteral("Largeur de la page:210 mm\nLargeur calculée à partir des saisies:")
                           + dimensiontext::general(width, decimal)
                           + QStringLiteral(" mm\nVérifier largeur étiquette , nombre de colonnes,marge gauche,"
                                            "marge droite")};
    const double height = totalHeight(e);
    if (!atMost(height, pageHeightMm + tolerancePerLabelMm * e.rows))
        return Refusal{QStringLiteral("ERREUR HAUTEUR"),
                       QStringLiteral("Hauteur de la page:297 mm\nHauteur calculée à partir des saisies:")
                           + dimensiontext::general(height, decimal)
                           + QStringLiteral(" mm\nVérifier hauteur étiquette , nombre de rangées,marge haut,"
                                            "marge bas")};
    if (!atMost(e.width, maxLabelWidthMm))
        return Refusal{QStringLiteral("ETIQUETTE TROP LARGE"), QStringLiteral("Largeur d'étiquette max=210 mm")};
    if (!atMost(e.height, maxLabelHeightMm))
        return Refusal{QStringLiteral("ETIQUETTE TROP HAUTE"), QStringLiteral("Hauteur d'étiquette max=148.5 mm")};
    if (e.cols < 1)
        return Refusal{QStringLiteral("NOMBRE DE COLONNES"),
                       QStringLiteral("Le nombre de colonnes doit etre au moins de 1 ")};
    if (e.rows < 2)
        return Refusal{QStringLiteral("NOMBRE DE RANGEES"),
                       QStringLiteral("Le nombre de rangées doit etre au moins de 2 ")};
    return std::nullopt;
}

} // namespace

std::optional<Refusal> check(const Entry &e, QChar decimal)
{
    if (auto refusal = pageRules(e, decimal))
        return refusal;
    if (e.width < minLabelSideMm - slack || e.height < minLabelSideMm - slack)
        return tooSmall();
    return std::nullopt;
}

std::optional<Refusal> checkStored(const SheetType &t, QChar decimal)
{
    const Entry e{units::twipsToMm(t.widthetiq), units::twipsToMm(t.heightetiq), units::twipsToMm(t.margegauche),
                  units::twipsToMm(t.margedroite), units::twipsToMm(t.margehaut), units::twipsToMm(t.margebas),
                  double(t.cols), double(t.rows)};
    if (auto refusal = outOfRange(e))
        return refusal;
    if (auto refusal = pageRules(e, decimal))
        return refusal;
    // In stored twips: a side typed as 5 mm was truncated to 283 twips.
    const int minSide = units::mmToTwips(minLabelSideMm);
    if (t.widthetiq < minSide || t.heightetiq < minSide)
        return tooSmall();
    return std::nullopt;
}

std::optional<Refusal> outOfRange(const Entry &e)
{
    const double lengths[] = {e.width, e.height, e.marginLeft, e.marginRight, e.marginTop, e.marginBottom};
    for (double v : lengths) {
        if (v < 0)
            return negative();
    }
    if (e.cols < 0 || e.rows < 0)
        return negative();
    for (double v : lengths) {
        if (!(v * units::twipsPerMm < maxStored + 1.0))
            return tooLarge();
    }
    if (!(e.cols <= maxStored && e.rows <= maxStored))
        return tooLarge();
    return std::nullopt;
}

SheetType toSheetType(const Entry &e, const QString &nom)
{
    SheetType t;
    t.nom = nom;
    t.margehaut = units::mmToTwips(e.marginTop);
    t.margebas = units::mmToTwips(e.marginBottom);
    t.margegauche = units::mmToTwips(e.marginLeft);
    t.margedroite = units::mmToTwips(e.marginRight);
    t.widthetiq = units::mmToTwips(e.width);
    t.heightetiq = units::mmToTwips(e.height);
    t.cols = static_cast<int>(e.cols);
    t.rows = static_cast<int>(e.rows);
    return t;
}

bool isBuiltIn(const QString &nom)
{
    static const QStringList builtIn = {QStringLiteral("3x8"), QStringLiteral("AVERY65"), QStringLiteral("6x16"),
                                        QStringLiteral("2x3")};
    return builtIn.contains(nom, Qt::CaseSensitive);
}

std::optional<Refusal> badNewName(const QString &nom)
{
    if (nom.isEmpty())
        return Refusal{nameTitle, QStringLiteral("Donner un nom au type d'étiquette.")};
    for (const QChar c : nom) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return Refusal{nameTitle,
                           QStringLiteral("Le nom ne doit contenir ni retour à la ligne ni caractère de contrôle.")};
    }
    return std::nullopt;
}

Refusal nameTaken()
{
    return {nameTitle, QStringLiteral("Ce nom d'étiquette est déjà utilisé")};
}

} // namespace sheetchecks
