// FileAccess on Windows: files through QFile, which makes a new file without taking the place of
// one that is there (QIODevice::NewOnly); where Qt keeps the system's error number to itself,
// its own words tell the reason. A file system is not synced as a whole: each file is flushed.

#include "FileAccess_p.h"

#include <QFile>

#include <cerrno>

namespace fs = std::filesystem;

namespace FileAccess::Platform {

namespace {

// Qt's own text, where the system's error number is not at hand.
QString qtReason(const QFile &file)
{
    const QString text = file.errorString();
    return text.isEmpty() || text.contains(QStringLiteral("Unknown error")) ? reason(EIO) : Shared::smallFirst(text);
}

} // namespace

fs::path fsPath(const QString &path)
{
    return fs::path(path.toStdWString());
}

QString qPath(const fs::path &path)
{
    return QString::fromStdWString(path.native());
}

QString englishText(int)
{
    return {};
}

unsigned creationMask()
{
    return 0;
}

void syncFolder(const fs::path &)
{
}

bool canSyncFileSystems()
{
    return false;
}

int syncFileSystems(const std::set<fs::path> &)
{
    return ENOSYS;
}

Read readPlainFile(const QString &path, qint64 maxBytes, Links)
{
    Read r;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.problem = qtReason(file);
        return r;
    }
    if (file.size() > maxBytes)
        return Shared::tooLargeRead(file.size(), maxBytes);
    r.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        r.bytes.clear();
        r.problem = qtReason(file);
        return r;
    }
    if (r.bytes.size() > maxBytes)
        return Shared::tooLargeRead(r.bytes.size(), maxBytes);
    return r;
}

struct NewFileHandle::Handle
{
    QFile file;
};

NewFileHandle::NewFileHandle()
    : d(std::make_unique<Handle>())
{
}

NewFileHandle::~NewFileHandle() = default; // QFile closes itself

int NewFileHandle::create(const fs::path &path, bool, QString *why)
{
    d->file.setFileName(qPath(path));
    if (d->file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return 0;
    if (d->file.exists())
        return EEXIST;
    *why = qtReason(d->file);
    return EIO;
}

void NewFileHandle::copyPermissions(const fs::path &other)
{
    d->file.setPermissions(QFile::permissions(qPath(other)));
}

void NewFileHandle::setPermissions(QFileDevice::Permissions permissions)
{
    d->file.setPermissions(permissions);
}

int NewFileHandle::write(const char *data, qsizetype size, QString *why)
{
    if (d->file.write(data, size) == size && d->file.flush())
        return 0;
    *why = qtReason(d->file);
    return EIO;
}

int NewFileHandle::sync(QString *)
{
    return 0;
}

int NewFileHandle::close(QString *why)
{
    d->file.close();
    if (d->file.error() == QFileDevice::NoError)
        return 0;
    *why = qtReason(d->file);
    return EIO;
}

} // namespace FileAccess::Platform
