#pragma once

#include "ContentStore.h"

#include <QString>
#include <QStringList>

// Writes a test in the KAZ content format, the counterpart of ContentReader: reading the
// written text gives back the same lists, instructions and pictures. Lines that the reader
// would take for a comment, a section header or a blank line get a leading backslash.
namespace ContentWriter {

// `comments` become "# " lines at the top of the file. An item can hold no line break (CR LF,
// LF or CR alone); one inside an item is written as a space. A picture's
// file is its source without `pictureBase`, the prefix the reader was given.
QString write(const ContentStore &store, const QStringList &comments = {}, const QString &pictureBase = {});

// The item as one line of a section, escaped where the reader would otherwise change it.
QString escapedLine(const QString &item);

} // namespace ContentWriter
