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

// The icon at size × size pixels as PNG bytes: `own` (a test's icon.png) scaled smoothly to
// that size, or without one, image(size).
QByteArray png(int size, const QImage &own = QImage());
} // namespace KazIconDrawing
