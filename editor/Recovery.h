#pragma once

#include "DocumentContent.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

class QLockFile;

// The recovery copies of open tests: JSON files under QStandardPaths::AppDataLocation,
// "recovery/", each holding everything one editor's document holds (rows, fields, what a file
// holds past the last question, the pictures' bytes in base64) and the folder it belongs to.
// Every editor keeps a copy of its own, written a few seconds after each change and removed
// on saving and on a clean close, and claims it with a lock beside it while it runs, so that
// two editors on one test never share a copy. After a crash the lock's owner is gone: the
// editor that starts next finds the copy and offers the test again. A copy is read as
// untrusted input: its numbers and sizes are bounded, its unknown keys ignored.
namespace Recovery {

// The largest copy written or read, and its most rows (twice the phrases a side of the
// largest test, with room for blank rows).
constexpr qint64 MaxBytes = 256 * 1024 * 1024;
constexpr int MaxRows = 4 * 32767;

QString folder();
// A path for a new copy, one editor's document's alone.
QString newPath();

// Claims the copy at `path` for this editor until the lock returned is destroyed; null when
// another running editor holds it.
std::unique_ptr<QLockFile> claim(const QString &path);

// Writes the copy for the user alone (0600, in a folder 0700), under a temporary name that
// is then renamed over `path`: whatever is at `path`, a link too, is replaced, never written
// through. Returns why it was not written, empty on success.
QString write(const QString &path, const DocumentContent &content, const QString &testFolder);

struct Found
{
    QString path;
    QString testFolder; // empty for a test never saved
    QString title;
    QDateTime written;
    QString error; // why the copy cannot be restored; empty when it can
};
// The copies no running editor holds (left by a crash), the newest first, those that cannot
// be restored last.
QList<Found> find();

struct Loaded
{
    QString error; // why the copy could not be read; empty when it was
    DocumentContent content;
    QString testFolder;
    QDateTime written;
    bool ok() const { return error.isEmpty(); }
};
Loaded read(const QString &path);
// The same from the bytes of a copy; `path` names it in the error.
Loaded fromBytes(const QByteArray &bytes, const QString &path);
// The bytes of a copy of `content`, as write() writes them.
QByteArray toBytes(const DocumentContent &content, const QString &testFolder);

// Removes a copy that no running editor holds; false when one does or it could not be removed.
bool remove(const QString &path);

} // namespace Recovery
