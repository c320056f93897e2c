#pragma once

#include "DocumentContent.h"

// The editor holds its pictures as bytes, so that a picture chosen from anywhere is copied into
// the test folder on saving. TestFolder looks at the bytes as the build looks at a picture file;
// the editor adds only the case of a picture it holds no bytes of.
namespace PictureBytes {

// Sets `picture.problem` (why it cannot be used, in the words of the checker's other picture
// problems; empty when it can) and `picture.pixels`.
void inspect(DocumentPicture &picture);

} // namespace PictureBytes
