#include "KazIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

namespace KazIcon {

namespace {

QStringList filesIn(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (QString &file : files)
        file.prepend(folder);
    return files;
}

} // namespace

QStringList builtInFiles()
{
    return filesIn(QStringLiteral(":/kaz/icon/"));
}

QStringList editorBuiltInFiles()
{
    return filesIn(QStringLiteral(":/kaz/editor-icon/"));
}

QIcon editorWindowIcon()
{
    return windowIcon(editorBuiltInFiles());
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

QIcon windowIcon(const QByteArray &bytes)
{
    const QImage image = QImage::fromData(bytes);
    if (image.isNull())
        return {};
    // QIcon scales only down: the picture at its own size and at each size of the built-in
    // icon's files (named by their size), so that a small one still fills a large place.
    QIcon icon(QPixmap::fromImage(image));
    for (const QString &file : builtInFiles())
        if (const int size = QFileInfo(file).baseName().toInt(); size > 0 && size != image.width())
            icon.addPixmap(QPixmap::fromImage(image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return icon;
}

} // namespace KazIcon
