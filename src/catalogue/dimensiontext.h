#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

#include <optional>

// How the catalogue's numbers are read from and written into its fields.
// Fields show lengths with the user's decimal symbol (a comma for French
// users); the filters accept both "." and ",", and the OK action reads the
// text with a point whatever the locale.
namespace dimensiontext {

// The symbol the fields show: "," when the locale writes decimals with a
// comma, "." otherwise (any other symbol could not be typed back).
QChar decimalSymbol(const QLocale &locale = QLocale());

// The text with its first comma turned into a point; nothing when the text
// holds neither "." nor ",".
std::optional<QString> withDecimalPoint(const QString &source);

// Millimetres of a text already holding a point (its leading number).
double millimetres(const QString &pointText);
// A count field: the whole part of its leading number; empty reads as 0.
double count(const QString &text);

// A stored length in millimetres with two decimals ("0.00"), or one ("0.0").
QString twoDecimals(int twips, QChar decimal);
QString oneDecimal(int twips, QChar decimal);
// A count as a plain whole number ("0").
QString whole(int value);
// A computed value with as many decimals as it needs (up to 15 digits).
QString general(double value, QChar decimal);

} // namespace dimensiontext
