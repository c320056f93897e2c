#pragma once

#include <QIcon>
#include <QStringList>

// The window icon of a quiz program, made of PNG files: the program carries its icon drawn
// at build time instead of drawing it at every start.
namespace KazIcon {

// The icon files built into every quiz program, one PNG per size of KAZ_WINDOW_ICON_SIZES in
// ui/CMakeLists.txt. The desktop's menu and launcher use the installed theme icons instead.
QStringList builtInFiles();

// A window icon of `files` (PNG or any other format Qt reads), each at its own size; a file
// that is missing or no readable image is left out. A null icon when no file could be read.
QIcon windowIcon(const QStringList &files);

// A window icon of one picture file's bytes (a test's icon.png): the picture at its own size
// and scaled to each size of builtInFiles(); a null icon when the bytes are no readable image.
QIcon windowIcon(const QByteArray &bytes);

} // namespace KazIcon
