#pragma once

#include <QImage>
#include <QList>

// The programs' icons as drawings. Only build-time tools draw them: kazicon renders the PNGs a
// quiz program and the test editor carry for their windows, kazdesktop those installed in the
// desktop's icon theme.
namespace KazIconDrawing {
// The sizes, in pixels, installed in the desktop's icon theme (hicolor), 16 to 256.
const QList<int> &sizes();

// The program's icon at size × size pixels: two linked cards on the test window's green.
QImage image(int size);

// The test editor's icon at size × size pixels: the quiz's icon with a pencil across its free
// lower left corner, in colours the quiz's icon has none of, so that the two differ at 16 pixels.
QImage editorImage(int size);

// A picture of KAZ's setup for Windows, opaque, width × height pixels: the test editor's icon
// on white. A wide one (the pages' header) has the icon at its right, as tall as fits with a
// margin; a tall one (the welcome and finish pages' side) has it large in its upper part, above
// a band of the test window's green.
QImage setupPicture(int width, int height);

// setupPicture(width, height) as a Windows bitmap (.bmp) of 24 bits a pixel, as NSIS's pages load it.
QByteArray setupBitmap(int width, int height);

// The icon at size × size pixels as PNG bytes: `own` (a test's icon.png) scaled smoothly to
// that size, or without one, image(size).
QByteArray png(int size, const QImage &own = QImage());

// editorImage(size) as PNG bytes.
QByteArray editorPng(int size);

// `images` as one Windows icon file (.ico), in their order: a directory with an entry for each
// image, then the images themselves as PNG, which Windows reads from Vista on. Each image is
// square, 1 to 256 pixels.
QByteArray windowsIcon(const QList<QImage> &images);
} // namespace KazIconDrawing
