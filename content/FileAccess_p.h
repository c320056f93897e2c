#pragma once

// FileAccess's seam with the operating system. What Linux and Windows do each in a way of their
// own (opening a new file that may not exist yet, writing and syncing it, reading a file that
// might be a pipe, the system's words for an error) is behind these few functions, defined
// once per system: FileAccess_unix.cpp, FileAccess_win.cpp. content/CMakeLists.txt compiles
// the one of the system built for; everything else of FileAccess is in FileAccess.cpp, the same
// for every system. Included only by those three files.

#include "FileAccess.h"

#include <QFileDevice>
#include <QString>

#include <filesystem>
#include <memory>
#include <set>

namespace FileAccess::Platform {

// A path as std::filesystem takes it, and back: the system's own encoding of file names.
std::filesystem::path fsPath(const QString &path);
QString qPath(const std::filesystem::path &path);

// The system's English text for the error number `error`, whatever language the user's system
// speaks; empty where the system gives none (the C++ library's text is taken then).
QString englishText(int error);

// The bits the user's settings take away from the permissions of a new file (the umask);
// none where the system has no such setting.
unsigned creationMask();

// Makes the renames done in `folder` so far survive a power cut, where the system can.
void syncFolder(const std::filesystem::path &folder);

// Whether syncFileSystems() can sync a whole file system at once on this system.
bool canSyncFileSystems();
// Puts everything written to the file systems of `folders` on the disk, at once for each file
// system; the system's error number on failure, 0 on success.
int syncFileSystems(const std::set<std::filesystem::path> &folders);

// The bytes of the plain file at `path`, which notAFile() has just found plain, if it holds at
// most `maxBytes`: FileAccess::read() after its look at the file. Refuses, without waiting, a
// file that became a pipe or (with Links::Refuse) a link since.
Read readPlainFile(const QString &path, qint64 maxBytes, Links links);

// One new file, opened for writing until close(). Each step returns 0 or the error number it
// failed with; `why` is then set where the system told the failure in words of its own instead.
class NewFileHandle
{
public:
    NewFileHandle();
    NewFileHandle(const NewFileHandle &) = delete;
    NewFileHandle &operator=(const NewFileHandle &) = delete;
    ~NewFileHandle(); // closes the file, if open

    // Makes the file at `path`, which must not exist (EEXIST when something is there): for its
    // owner alone from its first byte on with `ownerOnly`.
    int create(const std::filesystem::path &path, bool ownerOnly, QString *why);
    // The permissions of the file at `other`, where there is one; `permissions`.
    void copyPermissions(const std::filesystem::path &other);
    void setPermissions(QFileDevice::Permissions permissions);
    // Writes all `size` bytes at `data`.
    int write(const char *data, qsizetype size, QString *why);
    // Makes sure what was written is on the disk.
    int sync(QString *why);
    int close(QString *why);

private:
    struct Handle;
    std::unique_ptr<Handle> d;
};

} // namespace FileAccess::Platform

// From FileAccess.cpp, for the files of each system.
namespace FileAccess::Shared {

// `text` with a small first letter, as a reason stands in a sentence.
QString smallFirst(QString text);
// Why a link (to `target`, where known) is refused where only a file itself will do.
QString linkRefused(const QString &target = {});
// A Read that refuses a file of `bytes` where `maxBytes` are allowed.
Read tooLargeRead(qint64 bytes, qint64 maxBytes);

} // namespace FileAccess::Shared
