#pragma once

#include "DesktopFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextStream;

// The menu of this system that kazpack --desktop adds a teacher's own program to: on Windows
// the Start menu (StartMenu), elsewhere the desktop's application menu (MenuEntries). Each
// system's choice is in a file of its own, ProgramMenu_win.cpp or ProgramMenu_unix.cpp, which
// desktop/CMakeLists.txt compiles for the system built for. What was written or removed goes to
// `out`, a path a line; problems and notes to `err`, in kazpack's words.
namespace ProgramMenu {

// Adds `program` (its path and folder set) to the menu, with the test's own `icon` (icon.png's
// bytes, empty for KAZ's) where the menu shows one. False on a failure.
bool write(const DesktopFiles::Program &program, const QByteArray &icon, QTextStream &out, QTextStream &err);

// Takes away what starts the program at the absolute `path`; the files removed. `ok` is false
// when one could not be removed.
QStringList remove(const QString &path, QTextStream &err, bool *ok);

// kazpack's error when nothing in the menu starts the program at `program`, naming where it
// looked.
QString nothingRemoved(const QString &program);

// The --desktop lines of kazpack's help, in the words of this system's menu.
QString help();

} // namespace ProgramMenu
