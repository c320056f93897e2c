#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace KazIcon {
// The sizes, in pixels, the icon is drawn at: the window's icon holds them all, and the
// installed program gets one PNG of each in the desktop's icon theme.
const QList<int> &sizes();

// The program's icon at size × size pixels: two linked cards on the test window's green.
QImage image(int size);

// The window icon: image() at every one of sizes().
QIcon make();
} // namespace KazIcon
