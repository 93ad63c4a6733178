#pragma once

#include <QString>
#include <QStringView>

// Numbers kept in text files and typed into fields are read and written the
// same way whatever the user's locale: "." is the decimal point.
namespace numbertext {

// The leading decimal number of a text (blanks skipped, optional sign,
// digits, one ".", optional exponent); 0 when the text starts with no number.
double leadingNumber(QStringView text);

// The shortest text that reads back as the same value: 57, 0, -29, 12.5.
QString shortestDecimal(double value);

} // namespace numbertext
