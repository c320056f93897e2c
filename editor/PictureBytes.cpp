#include "PictureBytes.h"

#include <QCoreApplication>

#include "TestFolder.h"

namespace PictureBytes {

void inspect(DocumentPicture &picture, const QString &unread)
{
    if (picture.bytes.isEmpty()) {
        picture.problem = unread.isEmpty()
            ? QCoreApplication::translate("PictureBytes", "the file was not beside test.kaz when the test was opened; choose the picture again")
            : QCoreApplication::translate("PictureBytes", "the file could not be read when the test was opened: %1; then choose the picture again")
                  .arg(unread);
        picture.pixels = QSize();
        return;
    }
    const ContentReader::PictureCheck found = TestFolder::checkPicture(picture.bytes);
    picture.problem = found.problem;
    picture.pixels = found.size;
}

} // namespace PictureBytes
