// FileAccess on Linux: file descriptors, so that a new file is made without taking the place of
// one that is there (O_EXCL), written, synced and closed with every failure's error number, a
// pipe is never waited on, and a save of many files is synced once per file system (syncfs).

#include "FileAccess_p.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace FileAccess::Platform {

namespace {

// Why a file could not be read, and what to do where there is something to do.
QString readFailure(int error)
{
    if (error == EACCES || error == EPERM)
        return reason(error) + QCoreApplication::translate("FileAccess", "; you may not read it: ask for the permission, or use a copy of your own");
    if (error == EMFILE || error == ENFILE)
        return reason(error) + QStringLiteral("; ") + writeAdvice(error);
    return reason(error);
}

mode_t modeOf(QFileDevice::Permissions p)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, 0400}, {QFileDevice::WriteOwner, 0200}, {QFileDevice::ExeOwner, 0100},
        {QFileDevice::ReadGroup, 0040}, {QFileDevice::WriteGroup, 0020}, {QFileDevice::ExeGroup, 0010},
        {QFileDevice::ReadOther, 0004}, {QFileDevice::WriteOther, 0002}, {QFileDevice::ExeOther, 0001}};
    for (const auto &[flag, bit] : bits)
        if (p & flag)
            mode |= bit;
    return mode;
}

} // namespace

fs::path fsPath(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString qPath(const fs::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

QString englishText(int error)
{
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c ? QString::fromLocal8Bit(::strerror_l(error, c)) : QString();
}

unsigned creationMask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return unsigned(mask);
}

void syncFolder(const fs::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool canSyncFileSystems()
{
    return true;
}

int syncFileSystems(const std::set<fs::path> &folders)
{
    std::set<dev_t> done;
    for (const fs::path &folder : folders) {
        struct stat info = {};
        if (::stat(folder.c_str(), &info) != 0)
            return errno;
        if (!done.insert(info.st_dev).second)
            continue;
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        const int result = ::syncfs(fd);
        const int error = errno;
        ::close(fd);
        if (result != 0)
            return error;
    }
    return 0;
}

Read readPlainFile(const QString &path, qint64 maxBytes, Links links)
{
    Read r;
    // Not waiting to open: the file may have become a named pipe, or a link, since it was
    // looked at.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        r.problem = errno == ELOOP && links == Links::Refuse ? Shared::linkRefused() : readFailure(errno);
        return r;
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        r.problem = readFailure(errno);
        return r;
    }
    if (!S_ISREG(info.st_mode)) {
        r.problem = QCoreApplication::translate("FileAccess", "it is not a plain file");
        return r;
    }
    if (info.st_size > maxBytes)
        return Shared::tooLargeRead(info.st_size, maxBytes);
    r.bytes.resize(qsizetype(info.st_size));
    qsizetype got = 0;
    for (;;) {
        if (got == r.bytes.size()) {
            // The file may have grown since: one byte more tells.
            if (got > maxBytes)
                return Shared::tooLargeRead(got, maxBytes);
            r.bytes.resize(got + 1);
        }
        const ssize_t n = ::read(fd, r.bytes.data() + got, size_t(r.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.bytes.clear();
            r.problem = readFailure(errno);
            return r;
        }
        if (n == 0)
            break;
        got += n;
    }
    r.bytes.truncate(got);
    if (got > maxBytes)
        return Shared::tooLargeRead(got, maxBytes);
    return r;
}

struct NewFileHandle::Handle
{
    int fd = -1;
};

NewFileHandle::NewFileHandle()
    : d(std::make_unique<Handle>())
{
}

NewFileHandle::~NewFileHandle()
{
    if (d->fd >= 0)
        ::close(std::exchange(d->fd, -1));
}

int NewFileHandle::create(const fs::path &path, bool ownerOnly, QString *)
{
    d->fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnly ? 0600 : 0666);
    return d->fd >= 0 ? 0 : errno;
}

void NewFileHandle::copyPermissions(const fs::path &other)
{
    struct stat info = {};
    if (::stat(other.c_str(), &info) == 0)
        ::fchmod(d->fd, info.st_mode & 07777);
}

void NewFileHandle::setPermissions(QFileDevice::Permissions permissions)
{
    ::fchmod(d->fd, modeOf(permissions));
}

int NewFileHandle::write(const char *data, qsizetype size, QString *)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::write(d->fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        done += n;
    }
    return 0;
}

int NewFileHandle::sync(QString *)
{
    return ::fsync(d->fd) == 0 ? 0 : errno;
}

int NewFileHandle::close(QString *)
{
    return ::close(std::exchange(d->fd, -1)) == 0 ? 0 : errno;
}

} // namespace FileAccess::Platform
