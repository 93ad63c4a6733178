#pragma once

#include <QString>

// A name typed by a user (or read from a stranger's database) becomes part of
// a path only when it is one plain file name: not empty nor only blanks, at
// most 100 characters, no separator, not "." or "..", no control character.
bool isPlainName(const QString &name);
