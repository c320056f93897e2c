#include "PictureBytes.h"

#include "FileAccess.h"
#include "QuizFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    const ContentReader::PictureCheck found = QuizFolder::checkPicture(picture.bytes);
    picture.problem = found.problem;
    picture.pixels = found.size;
}

Found fromFile(const QString &source)
{
    const FileAccess::Read picture = FileAccess::read(source, QuizFolder::maxPictureBytes(), FileAccess::Links::Refuse);
    if (picture.ok())
        return {picture.bytes, {}};
    if (QFileInfo(source).isSymLink())
        return {{}, picture.problem};
    if (!QFileInfo::exists(source))
        return {};
    // A folder, a named pipe, a device, too large: as kazcheck words it.
    return {{}, QuizFolder::checkPicture(source).problem};
}

} // namespace PictureBytes
