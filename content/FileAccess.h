#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

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
};

// Writes every file below `root`, or none: each is written under a temporary name in its
// folder first, and only when all of them are complete do they take their names (a file
// already there is replaced; a link is replaced itself, not the file it points to). On any
// failure, the files and folders as they were are restored and the new ones removed. Folders
// that are missing are made, `root` too; nothing is written through a link below `root`.
// Returns what went wrong, with the path, the reason and what to do; empty on success.
QString writeAll(const QString &root, const QList<Output> &files);

} // namespace FileAccess
