#pragma once

#include <QIcon>
#include <QStringList>

// The window icons of a quiz program and of the test editor, made of PNG files: a program
// carries its icon drawn at build time instead of drawing it at every start.
namespace KazIcon {

// The icon files built into every quiz program, one PNG per size of KAZ_WINDOW_ICON_SIZES in
// quizui/CMakeLists.txt. The desktop's menu and launcher use the installed theme icons instead.
QStringList builtInFiles();

// A window icon of `files` (PNG or any other format Qt reads), each at its own size; a file
// that is missing or no readable image is left out. A null icon when no file could be read.
QIcon windowIcon(const QStringList &files);

// A window icon of one picture file's bytes (a test's icon.png): the picture at its own size
// and scaled to each size of builtInFiles(); a null icon when the bytes are no readable image.
QIcon windowIcon(const QByteArray &bytes);

// The test editor's icon files (KazIconDrawing::editorImage at the same sizes as
// builtInFiles()), built into the editor's widgets library kaz_editorui only: empty in a
// program without it.
QStringList editorBuiltInFiles();

// The test editor's window icon, windowIcon(editorBuiltInFiles()).
QIcon editorWindowIcon();

} // namespace KazIcon
