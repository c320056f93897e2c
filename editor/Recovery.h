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

// A copy holds every document within DocumentContent's bounds: its rows, and its text with
// every character at its longest in JSON (\u001f, six bytes), a row's keys, the fields of the
// largest test file; and pictures up to MaxPictureBytes in base64.
constexpr int MaxRows = DocumentContent::MaxRows;
constexpr qint64 MaxPictureBytes = 256 * 1024 * 1024;
constexpr qint64 MaxBytes = 6 * (DocumentContent::MaxCharacters + ContentReader::MaxFileBytes) + 128 * qint64(MaxRows)
    + MaxPictureBytes;
// The most find() reads of the copies to offer them: copies are checked whole while they fit
// in MaxFindBytes, the rest only for what the offer shows (the title, the folder, the time,
// at the end of a copy), and checked whole when restored.
constexpr qint64 MaxFindBytes = 4 * 1024 * 1024;
constexpr qint64 MaxFindEndBytes = 32 * 1024 * 1024;

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
// be restored last. Reads at most MaxFindBytes + MaxFindEndBytes in all; a copy it does not
// read whole is found faulty only when it is restored.
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
