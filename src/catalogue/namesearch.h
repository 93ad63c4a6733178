#pragma once

#include <QString>

// Finding a sheet type by a few letters of its name: case and accents are
// ignored ("herma 46" finds "Herma 4614", "etiquette" finds "Étiquette").
namespace namesearch {

// The form names are compared in.
QString fold(const QString &text);

// Whether `name` holds the typed text; an empty text holds nothing back.
bool matches(const QString &name, const QString &typed);

} // namespace namesearch
