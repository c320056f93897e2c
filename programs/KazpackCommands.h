#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The command line of kazpack, the tool that turns a test folder into a program of its own:
//   kazpack FOLDER [-o PROGRAM] [--windows|--linux] [--force] [--runner RUNNER] [--desktop]
//   kazpack --extract PROGRAM FOLDER
//   kazpack --list PROGRAM
//   kazpack --desktop --remove PROGRAM
// It packs through packed/Packing and adds menu entries through desktop/MenuEntries;
// programs/kazpack.cpp is its main(), and the tests run the same commands in-process.
namespace KazpackCommands {

enum Status { Done = 0, Problem = 1, Usage = 2 };

// Runs the command in `arguments` (without the program's own name). `defaultRunner` is the
// runner for this system used without --runner; the other system's is beside it
// (Packing::runnerBeside). What was written goes to `out`, problems to `err`.
int run(const QStringList &arguments, const QString &defaultRunner, QTextStream &out, QTextStream &err);

// The help text of --help.
QString help();

} // namespace KazpackCommands
