#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The commands of kazpack, the tool that turns a test folder into a program of its own:
//   kazpack FOLDER [-o PROGRAM] [--force] [--runner RUNNER] [--desktop]
//   kazpack --extract PROGRAM FOLDER
//   kazpack --list PROGRAM
//   kazpack --desktop --remove PROGRAM
// programs/kazpack.cpp is its main(); the tests run the same commands in-process.
namespace Kazpack {

enum Status { Done = 0, Problem = 1, Usage = 2 };

// Runs the command in `arguments` (without the program's own name). `defaultRunner` is the
// runner used without --runner. What was written goes to `out`, problems to `err`.
int run(const QStringList &arguments, const QString &defaultRunner, QTextStream &out, QTextStream &err);

// The help text of --help.
QString help();

// The program kazpack makes of `folder` when -o names none: kaz-FOLDER (the last part of the
// folder's absolute path), with .exe when `runner` is a Windows program.
QString programName(const QString &folder, const QString &runner);

// The quiz runner where it is installed, or built, relative to the running program: kazpack
// and the test editor lie in the same folder and find it alike.
QString installedRunner();

// Where --desktop writes: $XDG_DATA_HOME, or ~/.local/share when it is not an absolute path.
QString dataHome();

} // namespace Kazpack
