#include "PictureBytes.h"

#include <QCoreApplication>

#include "TestFolder.h"

namespace PictureBytes {

void inspect(DocumentPicture &picture)
{
    if (picture.bytes.isEmpty()) {
        picture.problem = QCoreApplication::translate("PictureBytes", "the file was not beside test.kaz when the test was opened; choose the picture again");
        picture.pixels = QSize();
        return;
    }
    const ContentReader::PictureCheck found = TestFolder::checkPicture(picture.bytes);
    picture.problem = found.problem;
    picture.pixels = found.size;
}

} // namespace PictureBytes
