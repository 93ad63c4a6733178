#include "dimensiontext.h"

#include "platform/numbertext.h"
#include "platform/units.h"

#include <cmath>

namespace dimensiontext {

namespace {

QString withSymbol(QString text, QChar decimal)
{
    // "-0.00" is what a tiny negative gives; nobody wants to read it.
    if (text.startsWith(u'-') && text.mid(1).remove(u'0').remove(u'.').isEmpty())
        text.remove(0, 1);
    if (decimal != u'.')
        text.replace(u'.', decimal);
    return text;
}

} // namespace

QChar decimalSymbol(const QLocale &locale)
{
    return locale.decimalPoint() == QLatin1String(",") ? QChar(u',') : QChar(u'.');
}

std::optional<QString> withDecimalPoint(const QString &source)
{
    const qsizetype comma = source.indexOf(u',');
    if (comma >= 0) {
        QString text = source;
        text[comma] = u'.';
        return text;
    }
    if (source.contains(u'.'))
        return source;
    return std::nullopt;
}

double millimetres(const QString &pointText)
{
    return numbertext::leadingNumber(pointText);
}

double count(const QString &text)
{
    return std::trunc(numbertext::leadingNumber(text));
}

QString twoDecimals(int twips, QChar decimal)
{
    return withSymbol(QString::number(units::twipsToMm(twips), 'f', 2), decimal);
}

QString oneDecimal(int twips, QChar decimal)
{
    return withSymbol(QString::number(units::twipsToMm(twips), 'f', 1), decimal);
}

QString whole(int value)
{
    return QString::number(value);
}

QString general(double value, QChar decimal)
{
    if (!std::isfinite(value))
        return withSymbol(QString::number(value), decimal);
    return withSymbol(QString::number(value, 'g', 15), decimal);
}

} // namespace dimensiontext
