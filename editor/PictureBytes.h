#pragma once

#include "DocumentContent.h"

// The editor holds its pictures as bytes, so that a picture chosen from anywhere is copied into
// the test folder on saving. This looks at the bytes as the build looks at a picture file: is it
// a picture that can be shown, of how many pixels, within the memory a picture may take.
namespace PictureBytes {

// Sets `picture.problem` (why it cannot be used, in the words of the checker's other picture
// problems; empty when it can) and `picture.pixels`.
void inspect(DocumentPicture &picture);

// The most bytes a picture file may have, as the program loads pictures.
qint64 maxFileBytes();

} // namespace PictureBytes
