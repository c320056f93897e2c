#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QSize>

// The editor's pictures on screen: a test's picture file decoded as the quiz's picture box
// decodes it, and scaled down to a cell or a panel. Both are cached by the file's bytes, so a
// picture that changes is a new entry and a stale one is never shown.
namespace PictureThumbnails {

// The picture the bytes hold; null when they are no picture.
QPixmap picture(const QByteArray &bytes);
// The picture scaled to fit `size`, keeping its proportions and never enlarged; null when the
// bytes are no picture or the size is empty.
QPixmap scaled(const QByteArray &bytes, QSize size);

} // namespace PictureThumbnails
