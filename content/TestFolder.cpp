#include "TestFolder.h"

#include "FileAccess.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <cmath>

namespace TestFolder {

ContentReader::PictureCheck checkPicture(const QString &source)
{
    const QFileInfo info(source);
    if (!info.exists() && !info.isSymLink()) {
        // Names must match letter for letter, capitals included, on every system.
        const QStringList near = info.dir().entryList(QDir::Files).filter(
            QRegularExpression(QStringLiteral("^%1$").arg(QRegularExpression::escape(info.fileName())),
                               QRegularExpression::CaseInsensitiveOption));
        if (!near.isEmpty())
            return QStringLiteral("there is no such file beside test.kaz, but there is \"%1\"; write the name "
                                  "exactly as the file is called, capitals included")
                .arg(near.first());
        return QStringLiteral("there is no such file beside test.kaz; put the picture in the test folder, or "
                              "correct its name");
    }
    if (const QString kind = FileAccess::notAFile(source); !kind.isEmpty())
        return kind;
    // The program loads pictures with the same limit on the memory a picture may take.
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    const FileAccess::Read file = FileAccess::read(source, limit > 0 ? limit : ContentReader::MaxFileBytes * 64);
    if (file.tooLarge)
        return QStringLiteral("the file is too large: %1; save the picture smaller").arg(file.problem);
    if (!file.ok())
        return QStringLiteral("the file cannot be read: %1").arg(file.problem);
    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Four bytes a pixel, as the picture is shown.
    if (const QSize size = reader.size(); limit > 0 && size.isValid() && qint64(size.width()) * size.height() * 4 > limit) {
        const qint64 most = limit / 4;
        return QStringLiteral("the picture is %1 × %2 pixels, too many to load: a picture may take at most %3 MB of "
                              "memory, which is %4 million pixels (such as %5 × %5); make the picture smaller (the "
                              "picture window shows it at its own size, so one larger than the screen cannot be seen "
                              "whole anyway)")
            .arg(size.width())
            .arg(size.height())
            .arg(limit / (1024 * 1024))
            .arg(most / 1000000)
            .arg(qint64(std::sqrt(double(most))));
    }
    const QImage image = reader.read();
    if (image.isNull())
        return QStringLiteral("the file is not a picture that can be shown (%1); save it again as PNG")
            .arg(reader.errorString());
    return {QString(), image.size()};
}

Checked check(const QString &folderPath)
{
    const QDir folder(folderPath);
    Checked c;
    c.testFile = QFileInfo(folder.filePath(QStringLiteral("test.kaz"))).filePath();
    const auto cannot = [&c](const QString &why) {
        c.problems.append({c.testFile, 0, QStringLiteral("cannot read the test: ") + why});
        return c;
    };
    if (!QFileInfo(folderPath).isDir())
        return cannot(QStringLiteral("there is no folder \"%1\"; name the folder that holds test.kaz").arg(folderPath));
    const FileAccess::Read file = FileAccess::read(c.testFile, ContentReader::MaxFileBytes);
    if (file.tooLarge)
        return cannot(QStringLiteral("%1, the most a test may have (a test of %2 phrases a side takes about 5 MB); "
                                     "keep only the test in it")
                          .arg(file.problem)
                          .arg(ContentReader::MaxPhrases));
    if (!file.ok())
        return cannot(file.problem);
    c.read = true;
    c.files.append(c.testFile);

    ContentReader::Options options;
    options.fileName = c.testFile;
    options.pictureBase = folder.path() + u'/';
    options.checkPicture = [&c](const QString &source) {
        ContentReader::PictureCheck found = checkPicture(source);
        if (found.problem.isEmpty())
            c.files.append(source);
        return found;
    };
    ContentReader::Result result = ContentReader::readBytes(file.bytes, options);
    c.store = std::move(result.store);
    c.problems = std::move(result.problems);
    return c;
}

} // namespace TestFolder
