#pragma once

#include "PackedQuiz.h"
#include "QuizFolder.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

class QTextStream;

// Making a test's program: the test's files, checked as the runner will check its own, appended
// to a quiz runner's bytes in PackedQuiz's layout, and the program written where it was asked
// for. kazpack (programs/KazpackCommands.cpp) and the editor's "Make program" (editor/EditorPacking)
// both pack with these functions and tell the outcome with messages(), each in its reader's
// words. Nothing here parses a command line or reads a test folder.
namespace Packing {

// The systems a program can be made for, each with a quiz runner of its own: an ELF program
// for Linux, a PE program (.exe) for Windows, and a test page (.html) for web browsers, whose
// runner is the page without a test (WebPage).
enum class System { Linux, Windows, Web };

// The system this code was built for.
constexpr System thisSystem()
{
#ifdef Q_OS_WIN
    return System::Windows;
#else
    return System::Linux;
#endif
}

// The system whose program `runner` starts as: Linux for "\x7fELF", Windows for "MZ", Web for an
// HTML document; nullopt for any other bytes. It says nothing of whether they are a quiz runner (PackedQuiz::runnerFormat).
std::optional<System> systemOf(QByteArrayView runner);
// The same for the file at `path`, nullopt also when it cannot be read.
std::optional<System> systemOfFile(const QString &path);
// "Linux", "Windows" or "web browsers", as the messages name the system.
QString systemName(System system);

// Why there is no program, in the order the steps find it.
enum class Failure {
    None,
    TestProblems,   // the test breaks a rule of the format: Result::checked.problems
    RunnerMissing,  // nothing is at the runner's path
    RunnerNotAFile, // the runner's path is a folder, a device, …: `reason` says which
    RunnerUnusable, // the runner cannot be read, or is a test program that is damaged or newer
                    // than this code: `runnerFault` and `reason`
    NotARunner,     // the runner is no KAZ quiz runner (no program, or no runner mark in it)
    OlderRunner,    // the runner reads only an older layout than PackedQuiz::Version: `runnerFormat`
    OtherSystem,    // the runner is a program for another system than the one asked for
    CannotPack,     // the files break a limit of the layout: `reason`
    NameRefused,    // Windows cannot hold a file of the program's name: `reason` says why
    TargetIsQuizFile, // the program's path is one of the test's own files: `reason` names it
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
    PackedQuiz::Fault fault = PackedQuiz::Fault::None;
    QString reason;
    bool ok() const { return failure == Failure::None; }
};

// The runner in the file at `path` on this system: its runner part (PackedQuiz::runnerPart), so
// that a test program serves as the runner of another; a named pipe or a device is never opened.
Runner readRunner(const QString &path);

struct Result
{
    Failure failure = Failure::None;
    // The test's check; its files, in the order they are packed, are what the program holds.
    QuizFolder::Checked checked;
    PackedQuiz::Fault runnerFault = PackedQuiz::Fault::None;
    QString reason;          // a clause, for the failures that say what `reason` holds
    qint64 runnerFormat = -1; // the newest layout the runner reads, once it was found
    System target = thisSystem(); // the system the program is made for
    std::optional<System> runnerSystem; // the system the runner makes programs for, once it was read
    QByteArray program;      // the program's bytes, once packed
    QString path;            // where the program goes, once checkTarget() has seen it (programPath())
    QString written;         // the program's absolute path, once written
    bool ok() const { return failure == Failure::None; }
};

// The test of `files` (test.kaz, the pictures by name, icon.png; files the test does not name are
// left out) checked by QuizFolder::check(files) and packed onto `runner`, which must be a quiz
// runner for `target`: any system can make programs for any other. The same files and runner
// give the same bytes: nothing of the time, the system packing or the order of `files` goes in.
Result pack(const QuizFileList &files, const Runner &runner, System target);
// The same for a test checked already, such as a folder with QuizFolder::check(folder), whose
// problems then name the folder's files.
Result pack(QuizFolder::Checked checked, const Runner &runner, System target);

// The path a program for `target` asked for at `path` is written at: a Windows program starts
// only with ".exe" at the end of its name, a browser opens a page as one only with ".html" (or
// ".htm"), which is added when it is missing (not to a folder); a page's SCORM package
// (ScormPackage) keeps its ".zip".
QString programPath(const QString &path, System target);

// Why a program for `target` cannot have the file name `name` (no folder): Windows' rules when
// the program is for Windows or web browsers (the learners' systems) or is written on Windows: no device name
// (CON, NUL, COM1, …, with any ending), no dot or space at the end, none of <>:"|?*\ and no
// control characters. Empty when it can.
QString nameProblem(const QString &name, System target);

// Which of the test's own files in `testFolder` the file at `path` is, compared as the file
// system compares files (another path to it, a link, other capitals where the system ignores
// them): "test.kaz", a picture the test names, icon.png, anything `checked` packs; its name,
// empty when it is none of them.
QString ownFile(const QString &testFolder, const QuizFolder::Checked &checked, const QString &path);

// Whether a program may be written where `path` asks for (programPath() gives `result.path`):
// first its name (nameProblem()) and that it is none of the test's own files in `testFolder`
// (ownFile()), whatever else went wrong, so that nothing replaces or removes a file of the test;
// then, for a packed result, not where a folder is, nor over a file unless `replace`. Sets
// `result.path` always, and the failure when the program may not be written.
void checkTarget(Result &result, const QString &path, bool replace, const QString &testFolder);

// Writes the packed program where `path` asks for after checkTarget(), through a temporary file
// that replaces `result.path` only when complete (a link there is replaced itself), executable
// as a compiler makes its programs; sets `written`, or the failure. Does nothing to a result
// that is not ok().
void write(Result &result, const QString &path, bool replace, const QString &testFolder);

// How the messages of print() name what took part.
struct Names
{
    QString test;    // the test's folder, as the user gave it
    QString runner;  // the runner's path
    bool installedRunner = true; // the runner KAZ installed, not one the user chose: its advice is to install KAZ again
    System target = thisSystem(); // the system the program was to be made for
    QString program; // the program's path, as it is written (Result::path)
    QString asked;   // the path the user gave, when it is not `program` (".exe" added)
    // A program file was at `program` before packing: a failure says that it still holds the old test.
    bool oldProgram = false;
};

// Who is told how packing went: kazpack's user on the terminal, in "PATH: error: …" lines whose
// advice names kazpack's options, or the teacher in the test editor's window, in sentences
// whose advice names what the editor offers.
enum class Reader { Kazpack, Editor };

// One thing the outcome of packing says.
struct Message
{
    enum class Severity { Error, Note };
    Severity severity = Severity::Error;
    Failure failure = Failure::None; // what went wrong; None for a note on a program made
    QString file; // the file it is about (a path as given, a file of the test), empty for none
    int line = 0; // its line, for a problem of the test that has one
    QString text; // whole, as its reader reads it: a line of kazpack's, or the editor's sentence
};

// What went wrong, for `reader`, in order: each problem of the test (QuizFolder::printProblems
// for kazpack), or the one error, then the note that the old program is left as it was. For a
// program made, the note that ".exe" was added to the name asked for, if it was.
QList<Message> messages(const Result &result, const Names &names, Reader reader);
// The messages' texts, a line each.
QString text(const QList<Message> &messages);

// What went wrong, as kazpack prints it on standard error: messages() for kazpack, a line each.
void print(QTextStream &err, const Result &result, const Names &names);

// The note that the program that was at `program` before is as it was, with its old test.
QString oldProgramNote(const QString &program);

// kazpack's other commands word their messages alike:
// the advice for a program whose test cannot be used ("; ask for the program again, …"), empty
// for a fault that has none;
QString faultAdvice(PackedQuiz::Fault fault);
// why `path` was not written: FileAccess's `error`, or that its folder is missing;
QString writeFailure(const QString &path, const QString &error);
// a test folder's name: the last part of its absolute path.
QString folderName(const QString &folder);

// The program made of `folder` for `target` when no other name is given: kaz-FOLDER (the last
// part of the folder's absolute path), with .exe for Windows.
QString programName(const QString &folder, System target);
// The same for the system of the runner at `runner`, this system's when it is none.
QString programName(const QString &folder, const QString &runner);
// The program made of `folder` for `target` proposed beside the folder, in the folder that
// holds it: where the editor proposes it, and the example a refused name is given.
QString programBeside(const QString &folder, System target);

// The quiz runner for `target` where it is installed, or built, relative to the running
// program: kazpack and the test editor lie in the same folder and find it alike. Both
// systems' runners lie in one folder (Linux: libexec/kaz, Windows: the install folder itself),
// named kazrunner and kazrunner.exe; the other system's is there when KAZ was built with it.
QString installedRunner(System target = thisSystem());
// The runner for `target` in the folder of `runner`, this system's runner: `runner` itself for
// this system, the other's by its name beside it.
QString runnerBeside(const QString &runner, System target);

} // namespace Packing
