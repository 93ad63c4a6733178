#pragma once

#include <QString>

// Title of the box shown when a picture file cannot be read.
inline const char *const unreadablePictureTitle = "IMAGE ILLISIBLE";

// The box's text: names the file and, when known, why it was refused.
QString unreadablePictureMessage(const QString &path, const QString &reason = QString());
