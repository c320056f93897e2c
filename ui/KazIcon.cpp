#include "KazIcon.h"

#include <QDir>

namespace KazIcon {

QStringList builtInFiles()
{
    const QString folder = QStringLiteral(":/kaz/icon/");
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (QString &file : files)
        file.prepend(folder);
    return files;
}

QIcon windowIcon(const QStringList &files)
{
    // Qt decodes each file here (QIcon::addFile reads it at once) and leaves out a file
    // that is missing or not an image it can read.
    QIcon icon;
    for (const QString &file : files)
        icon.addFile(file);
    return icon.availableSizes().isEmpty() ? QIcon() : icon;
}

} // namespace KazIcon
