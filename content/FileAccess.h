#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Reading and writing the files of test folders so that an odd file never hangs a tool or
// fills the memory, a failed write leaves the disk as it was, and every failure is told
// with the system's reason in words ("permission denied", never "unknown error").
namespace FileAccess {

// The system's reason for the error number `error`, starting with a small letter, such as
// "permission denied" or "no space left on device"; in English, or translated with the
// tools' messages where the installed translation knows the text.
QString reason(int error);

// What to do about a write that failed with `error`, for a teacher: "the disk is full; …".
QString writeAdvice(int error);

// What becomes of a symbolic link: it counts as the file it points to, or it is refused
// whatever it points to, where only a file itself will do (what is packed into a program).
enum class Links { Follow, Refuse };

// Why `path` is not a plain file (with Links::Follow a link to one counts as one): missing,
// a folder, a device, a named pipe, a link to nothing or a loop of links, or with
// Links::Refuse any link. Empty when it is a plain file.
QString notAFile(const QString &path, Links links = Links::Follow);

// What is at `path` (for a link: what it points to) when it is there and no plain file:
// "a folder", "a device", "a named pipe (FIFO)" or "a socket". Empty for a plain file, for
// nothing there, and for anything the system does not tell apart.
QString whatIsAt(const QString &path);

// The permissions of a program written as a compiler writes one: rwxr-xr-x, less what the
// user's umask takes away where the system has one.
QFileDevice::Permissions programPermissions();

// The device Windows keeps the file name `name` for ("CON" for "con.exe", "NUL" for "NUL.txt",
// "COM1" …), whatever follows its first dot: Windows makes no file of such a name. Empty for
// any other name.
QString windowsDevice(const QString &name);

// "3.2 MB", "800 bytes".
QString size(qint64 bytes);

// "it is 9.0 MB, larger than 8.0 MB": why `bytes` are too many where `maxBytes` are allowed.
QString tooLarge(qint64 bytes, qint64 maxBytes);

struct Read
{
    QByteArray bytes;
    QString problem; // why the file was not read ("it is a folder, not a file"); empty when it was
    bool tooLarge = false; // it holds more than the bytes asked for
    bool ok() const { return problem.isEmpty(); }
};

// The bytes of the plain file at `path`, if it holds at most `maxBytes`. A device, a named
// pipe or a folder is refused without being opened for reading, so nothing waits or grows;
// with Links::Refuse, so is a symbolic link, even one that takes the file's place meanwhile.
Read read(const QString &path, qint64 maxBytes, Links links = Links::Follow);

struct Output
{
    QString path; // relative to the root folder, with "/" between folders
    QByteArray bytes;
    // What the file is made with; none: the permissions of the plain file it replaces, else
    // those of any new file.
    std::optional<QFileDevice::Permissions> permissions = std::nullopt;
};

// Writes every file below `root`, or none: each is written under a temporary name in its
// folder first (".NAME.new-…", on the disk before any rename; a save of many files is synced
// once per file system where the system can, not file by file), then renamed straight over its
// target, so that a target is never missing, not even for an instant (a link is replaced
// itself, not the file it points to). When more than one file is written, a journal
// (".kaz-journal-…") naming the renames is put in each folder before the first rename: from
// then on the save counts as made, and finishSaving() completes it after a crash. A failure
// before that removes the new files and folders and leaves the old files as they were.
// Folders that are missing are made, `root` too; nothing is written through a link below
// `root`; an interrupted save in a folder that was there is finished first, and the folder
// locked until the save is done (".kaz-save.lock"; a folder the save made needs no lock, so a
// save of 10,000 new folders keeps no 10,000 files open). The time grows with the files.
// Returns what went wrong, with the path, the reason and what to do; empty on success.
QString writeAll(const QString &root, const QList<Output> &files);

// How a save meets another program's save into the same folder: it waits a few seconds for
// it to end, or gives up at once, for a caller that keeps its window alive and tries again.
enum class LockWait { Wait, DontWait };

// What a save that may give up at once came to.
struct Attempt
{
    QString error;     // as writeAll() and finishSaving() say it; empty when done
    bool busy = false; // another program was saving into a folder of it: nothing was done
    bool ok() const { return error.isEmpty(); }
};

// writeAll() that, with LockWait::DontWait, does not wait for another program's save.
Attempt tryWriteAll(const QString &root, const QList<Output> &files, LockWait wait);

// Writes the one file `path` in its folder, which must exist, as writeAll() does: `path`
// itself is replaced, a link too, never the file a link points to. Returns why it was not
// written, with what to do ("permission denied; you may not write there; …"), without the
// path; empty on success.
QString writeFile(const QString &path, const QByteArray &bytes,
                  std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// Finishes or undoes, in `folder`, a save cut short by a crash, a kill or a power cut: one
// whose journal is there is finished, one without is undone, and the temporary files and the
// journal are removed. A file that an older editor moved aside (".test.kaz.old-…") comes back
// when nothing has taken its place. Touches nothing when the folder holds no such leftovers.
// Returns what could not be done, empty when all is well.
QString finishSaving(const QString &folder);
// finishSaving() that, with LockWait::DontWait, does not wait for another program's save.
Attempt tryFinishSaving(const QString &folder, LockWait wait);

// For the programs that read a test folder without editing it (kazcheck, kazpack): a save
// into `folder` cut short after it counted, which left new files beside old ones, is finished
// as finishSaving() finishes it, so that the folder holds one whole test. Leftovers of a save
// that never counted change nothing of the test and are left alone, and so is a folder
// without any. Returns why the folder cannot be read as one test (the save could not be
// finished, with what to do), empty when it can.
QString finishForReading(const QString &folder);

// Whether `a` and `b` are one file, as the file system tells it: the same file by another
// path, through a link or, where names are told apart without case, in other capitals.
// False when either is missing.
bool sameFile(const QString &a, const QString &b);

// Only for tests: called before each step of a write that changes the disk (making a
// temporary file, writing it, syncing it, each rename, removing a journal), with the step and
// the file, so that a test can stop the process there. Empty: none.
void setStepHook(std::function<void(const QString &step, const QString &path)> hook);

// Only for tests: asked before each step of setStepHook(), and before the lock of a folder is
// made ("lock"), for the error number that step fails with, as the disk or the system would
// fail it (ENOSPC: the disk is full); 0: the step goes on. Empty: none fails.
void setFaultHook(std::function<int(const QString &step, const QString &path)> hook);

} // namespace FileAccess
