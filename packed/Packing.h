#pragma once

#include "PackedTest.h"
#include "TestFolder.h"

#include <QByteArray>
#include <QString>

#include <utility>

class QTextStream;

// Making a test's program: the test's files, checked as the runner will check its own, appended
// to a quiz runner's bytes in PackedTest's layout, and the program written where it was asked
// for. kazpack (programs/KazpackCommands.cpp) and the editor's "Make program" (editor/EditorPacking)
// both pack with these functions and tell the outcome with print(), in the same words. Nothing
// here parses a command line or reads a test folder.
namespace Packing {

// Why there is no program, in the order the steps find it.
enum class Failure {
    None,
    TestProblems,   // the test breaks a rule of the format: Result::checked.problems
    RunnerMissing,  // nothing is at the runner's path
    RunnerNotAFile, // the runner's path is a folder, a device, …: `reason` says which
    RunnerUnusable, // the runner cannot be read, or is a test program that is damaged or newer
                    // than this code: `runnerFault` and `reason`
    NotARunner,     // the runner is no KAZ quiz runner (no program, or no runner mark in it)
    OlderRunner,    // the runner reads only an older layout than PackedTest::Version: `runnerFormat`
    CannotPack,     // the files break a limit of the layout: `reason`
    TargetIsFolder, // the program's path is a folder
    TargetExists,   // a file is at the program's path and was not to be replaced
    NotWritten,     // the program could not be written: `reason`, with what to do
};

// A quiz runner's bytes, or why there are none.
struct Runner
{
    Runner() = default;
    // A runner in memory, such as one built for another system: a quiz runner, or a test program
    // whose own test is left out when packing. Not explicit: pack(files, bytes) reads as it means.
    Runner(QByteArray runner)
        : bytes(std::move(runner))
    {
    }
    QByteArray bytes;
    Failure failure = Failure::None; // RunnerMissing, RunnerNotAFile or RunnerUnusable
    PackedTest::Fault fault = PackedTest::Fault::None;
    QString reason;
    bool ok() const { return failure == Failure::None; }
};

// The runner in the file at `path` on this system: its runner part (PackedTest::runnerPart), so
// that a test program serves as the runner of another; a named pipe or a device is never opened.
Runner readRunner(const QString &path);

struct Result
{
    Failure failure = Failure::None;
    // The test's check; its files, in the order they are packed, are what the program holds.
    TestFolder::Checked checked;
    PackedTest::Fault runnerFault = PackedTest::Fault::None;
    QString reason;          // a clause, for the failures that say what `reason` holds
    qint64 runnerFormat = -1; // the newest layout the runner reads, once it was found
    QByteArray program;      // the program's bytes, once packed
    QString written;         // the program's absolute path, once written
    bool ok() const { return failure == Failure::None; }
};

// The test of `files` (test.kaz, the pictures by name, icon.png; files the test does not name are
// left out) checked by TestFolder::check(files) and packed onto `runner`. The same files and
// runner give the same bytes: nothing of the time, the system or the order of `files` goes in.
Result pack(const TestFileList &files, const Runner &runner);
// The same for a test checked already, such as a folder with TestFolder::check(folder), whose
// problems then name the folder's files.
Result pack(TestFolder::Checked checked, const Runner &runner);

// Whether a program may be written at `path`: not where a folder is, nor over a file that is
// there unless `replace`. Sets `result`'s failure when not; `result` must be packed (ok()).
void checkTarget(Result &result, const QString &path, bool replace);

// Writes the packed program to `path` after checkTarget(), through a temporary file that replaces
// `path` only when complete (a link at `path` is replaced itself), executable as a compiler makes
// its programs; sets `written`, or the failure. Does nothing to a result that is not ok().
void write(Result &result, const QString &path, bool replace);

// How the messages of print() name what took part.
struct Names
{
    QString test;    // the test's folder, as the user gave it
    QString runner;  // the runner's path
    bool installedRunner = true; // the runner KAZ installed, not one the user chose: its advice is to install KAZ again
    QString program; // the program's path, as the user gave it
    // A program file was at `program` before packing: a failure says that it still holds the old test.
    bool oldProgram = false;
};

// What went wrong, as kazpack prints it on standard error: each problem of the test
// (TestFolder::printProblems), or the one error, a line each, then the note of the old program.
// Nothing when `result` is ok().
void print(QTextStream &err, const Result &result, const Names &names);

// The note that the program that was at `program` before is as it was, with its old test.
QString oldProgramNote(const QString &program);

// kazpack's other commands word their messages alike:
// the advice for a program whose test cannot be used ("; ask for the program again, …"), empty
// for a fault that has none;
QString faultAdvice(PackedTest::Fault fault);
// why `path` was not written: FileAccess's `error`, or that its folder is missing;
QString writeFailure(const QString &path, const QString &error);
// a test folder's name: the last part of its absolute path.
QString folderName(const QString &folder);

// The program made of `folder` when no other name is given: kaz-FOLDER (the last part of the
// folder's absolute path), with .exe when the runner at `runner` is a Windows program.
QString programName(const QString &folder, const QString &runner);

// The quiz runner where it is installed, or built, relative to the running program: kazpack
// and the test editor lie in the same folder and find it alike.
QString installedRunner();

} // namespace Packing
