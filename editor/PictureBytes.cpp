#include "PictureBytes.h"

#include "ContentReader.h"
#include "FileAccess.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cmath>

namespace PictureBytes {

qint64 maxFileBytes()
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limit > 0 ? limit : ContentReader::MaxFileBytes * 64;
}

void inspect(DocumentPicture &picture)
{
    picture.problem.clear();
    picture.pixels = QSize();
    if (picture.bytes.isEmpty()) {
        picture.problem = QStringLiteral("the file was not beside test.kaz when the test was opened; choose the "
                                         "picture again");
        return;
    }
    const qint64 limit = maxFileBytes();
    if (picture.bytes.size() > limit) {
        picture.problem = QStringLiteral("the file is too large: it holds %1, more than %2; save the picture smaller")
                              .arg(FileAccess::size(picture.bytes.size()), FileAccess::size(limit));
        return;
    }
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Four bytes a pixel, as the picture is shown.
    if (const QSize size = reader.size(); size.isValid() && qint64(size.width()) * size.height() * 4 > limit) {
        const qint64 most = limit / 4;
        picture.problem = QStringLiteral("the picture is %1 × %2 pixels, too many to load: a picture may take at "
                                         "most %3 MB of memory, which is %4 million pixels (such as %5 × %5); make "
                                         "the picture smaller")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(limit / (1024 * 1024))
                              .arg(most / 1000000)
                              .arg(qint64(std::sqrt(double(most))));
        return;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        picture.problem = QStringLiteral("the file is not a picture that can be shown (%1); save it again as PNG")
                              .arg(reader.errorString());
        return;
    }
    picture.pixels = image.size();
}

} // namespace PictureBytes
