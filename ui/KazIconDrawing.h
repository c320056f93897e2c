#pragma once

#include <QImage>
#include <QList>

// The program's icon as a drawing. Only build-time tools draw it: kazicon renders the PNGs a
// quiz program carries for its window, kazdesktop those installed in the desktop's icon theme.
namespace KazIconDrawing {
// The sizes, in pixels, installed in the desktop's icon theme (hicolor), 16 to 256.
const QList<int> &sizes();

// The program's icon at size × size pixels: two linked cards on the test window's green.
QImage image(int size);
} // namespace KazIconDrawing
