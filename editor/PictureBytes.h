#pragma once

#include "DocumentContent.h"

// The editor holds its pictures as bytes, so that a picture chosen from anywhere is copied into
// the test folder on saving. QuizFolder looks at the bytes as the build looks at a picture file;
// the editor adds only the case of a picture it holds no bytes of.
namespace PictureBytes {

// A picture file as the editor found it when the test was opened: its bytes, or why it has
// none (`unread`, in the checker's words: a folder, a named pipe, too large …; empty when the
// file was not there at all).
struct Found
{
    QByteArray bytes;
    QString unread;
};

// Sets `picture.problem` (why it cannot be used, in the words of the checker's other picture
// problems; empty when it can) and `picture.pixels`; `unread` says why a picture without
// bytes could not be read when the test was opened.
void inspect(DocumentPicture &picture, const QString &unread = {});

// The picture file `source` of a test being opened, read only as the file itself: a link may
// lead to anyone's file, which the recovery copy and the saved folder would then hold.
Found fromFile(const QString &source);

} // namespace PictureBytes
