#include "FileAccess.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QtGlobal>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#ifdef Q_OS_LINUX
#include <clocale>
#include <cstring>
#endif
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace FileAccess {

namespace {

fs::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

QString qPath(const fs::path &path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

QString smallFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

// "a folder", "a device" …
QString whatItIs(fs::file_type type)
{
    switch (type) {
    case fs::file_type::regular:
        return QCoreApplication::translate("FileAccess", "a file");
    case fs::file_type::directory:
        return QCoreApplication::translate("FileAccess", "a folder");
    case fs::file_type::character:
    case fs::file_type::block:
        return QCoreApplication::translate("FileAccess", "a device");
    case fs::file_type::fifo:
        return QCoreApplication::translate("FileAccess", "a named pipe (FIFO)");
    case fs::file_type::socket:
        return QCoreApplication::translate("FileAccess", "a socket");
    default:
        return QCoreApplication::translate("FileAccess", "something else");
    }
}

// Why something of `type` is not a plain file; empty for a plain file.
QString kindOf(fs::file_type type)
{
    if (type == fs::file_type::regular)
        return {};
    return QCoreApplication::translate("FileAccess", "it is %1, not a file").arg(whatItIs(type));
}

#ifndef Q_OS_UNIX
// Qt's own text, where the system's error number is not at hand.
QString qtReason(const QFile &file)
{
    const QString text = file.errorString();
    return text.isEmpty() || text.contains(QStringLiteral("Unknown error")) ? reason(EIO) : smallFirst(text);
}
#endif

#ifdef Q_OS_UNIX
// Why a file could not be read, and what to do where there is something to do.
QString readFailure(int error)
{
    if (error == EACCES || error == EPERM)
        return reason(error) + QCoreApplication::translate("FileAccess", "; you may not read it: ask for the permission, or use a copy of your own");
    return reason(error);
}
#endif

// Why a link to `target` is refused where only a file itself will do.
QString linkRefused(const QString &target = {})
{
    return QCoreApplication::translate("FileAccess", "the file is a symbolic link%1; put the file itself in its place, not a link to it")
        .arg(target.isEmpty() ? QString() : QCoreApplication::translate("FileAccess", " (to \"%1\")").arg(target));
}

QString failed(const QString &what, const QString &path, int error, const QString &why = {})
{
    return QCoreApplication::translate("FileAccess", "cannot %1 %2: %3; %4")
        .arg(what, path, why.isEmpty() ? reason(error) : why, writeAdvice(error));
}

// A file written under a temporary name beside its target, and the name the target had
// while it was being replaced.
struct Pending
{
    fs::path target;
    fs::path temporary;
    fs::path backup; // empty: the target was not there
    bool committed = false;
};

// A new file, made so that it cannot take the place of one already there. Each step says
// false on failure, with the system's error number and reason kept.
class NewFile
{
public:
    NewFile() = default;
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;
    ~NewFile() { close(); }

    // A name in `folder` that starts with ".`stem`-" and did not exist.
    bool createIn(const fs::path &folder, const QString &stem)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name = QStringLiteral(".%1-%2").arg(stem).arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                        QLatin1Char('0'));
            path = folder / fsPath(name);
#ifdef Q_OS_UNIX
            m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0)
                return true;
            if (errno != EEXIST)
                return fail(errno);
#else
            m_file.setFileName(qPath(path));
            if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                return true;
            if (!m_file.exists())
                return fail(EIO, qtReason(m_file));
#endif
        }
        return fail(EEXIST);
    }

    // The permissions of the file at `other`, where there is one.
    void copyPermissions(const fs::path &other)
    {
#ifdef Q_OS_UNIX
        struct stat info = {};
        if (::stat(other.c_str(), &info) == 0)
            ::fchmod(m_fd, info.st_mode & 07777);
#else
        m_file.setPermissions(QFile::permissions(qPath(other)));
#endif
    }

    // Writes all `bytes` and makes sure they are on the disk.
    bool write(const QByteArray &bytes)
    {
#ifdef Q_OS_UNIX
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return fail(errno);
            done += n;
        }
        if (::fsync(m_fd) != 0)
            return fail(errno);
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0)
            return fail(errno);
        return true;
#else
        if (m_file.write(bytes) != bytes.size() || !m_file.flush())
            return fail(EIO, qtReason(m_file));
        m_file.close();
        return m_file.error() == QFileDevice::NoError || fail(EIO, qtReason(m_file));
#endif
    }

    void close()
    {
#ifdef Q_OS_UNIX
        if (m_fd >= 0)
            ::close(std::exchange(m_fd, -1));
#else
        m_file.close();
#endif
    }

    fs::path path;
    int error = 0;
    QString why;

private:
    bool fail(int e, const QString &text = {})
    {
        error = e;
        why = text.isEmpty() ? reason(e) : text;
        return false;
    }
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    QFile m_file;
#endif
};

class Transaction
{
public:
    ~Transaction()
    {
        if (m_done)
            return;
        // Back to how it was: the new files out, the old ones in, the new folders away.
        std::error_code ec;
        for (auto p = m_pending.rbegin(); p != m_pending.rend(); ++p) {
            if (p->committed)
                fs::remove(p->target, ec);
            if (!p->backup.empty())
                fs::rename(p->backup, p->target, ec);
            if (!p->temporary.empty())
                fs::remove(p->temporary, ec);
        }
        for (auto f = m_made.rbegin(); f != m_made.rend(); ++f)
            fs::remove(*f, ec);
    }

    // Makes `folder` and whatever above it is missing.
    QString makeFolders(const fs::path &folder)
    {
        std::vector<fs::path> missing;
        std::error_code ec;
        for (fs::path f = folder; !f.empty(); f = f.parent_path()) {
            const fs::file_status s = fs::symlink_status(f, ec);
            if (s.type() != fs::file_type::not_found)
                break;
            missing.push_back(f);
            if (f == f.parent_path())
                break;
        }
        for (auto f = missing.rbegin(); f != missing.rend(); ++f) {
            if (!fs::create_directory(*f, ec) && ec)
                return failed(QCoreApplication::translate("FileAccess", "make the folder"), qPath(*f), ec.value());
            m_made.push_back(*f);
        }
        return {};
    }

    QString write(const fs::path &target, const QByteArray &bytes)
    {
        NewFile file;
        const bool made = file.createIn(target.parent_path(), qPath(target.filename()) + QStringLiteral(".new"));
        if (made)
            m_pending.push_back({target, file.path, {}, false});
        if (!made)
            return failed(QCoreApplication::translate("FileAccess", "write"), qPath(target), file.error, file.why);
        std::error_code ec;
        if (fs::symlink_status(target, ec).type() == fs::file_type::regular)
            file.copyPermissions(target);
        if (!file.write(bytes))
            return failed(QCoreApplication::translate("FileAccess", "write"), qPath(target), file.error, file.why);
        return {};
    }

    QString commit()
    {
        std::error_code ec;
        for (Pending &p : m_pending) {
            if (fs::symlink_status(p.target, ec).type() != fs::file_type::not_found) {
                // The old file steps aside under a name of its own, reserved first.
                NewFile reserved;
                if (!reserved.createIn(p.target.parent_path(), qPath(p.target.filename()) + QStringLiteral(".old")))
                    return failed(QCoreApplication::translate("FileAccess", "replace"), qPath(p.target), reserved.error, reserved.why);
                reserved.close();
                fs::rename(p.target, reserved.path, ec);
                if (ec) {
                    const int e = ec.value();
                    fs::remove(reserved.path, ec);
                    return failed(QCoreApplication::translate("FileAccess", "replace"), qPath(p.target), e);
                }
                p.backup = reserved.path;
            }
            fs::rename(p.temporary, p.target, ec);
            if (ec)
                return failed(QCoreApplication::translate("FileAccess", "write"), qPath(p.target), ec.value());
            p.temporary.clear();
            p.committed = true;
        }
        for (const Pending &p : m_pending)
            if (!p.backup.empty())
                fs::remove(p.backup, ec);
        m_done = true;
        return {};
    }

private:
    std::vector<fs::path> m_made;
    std::vector<Pending> m_pending;
    bool m_done = false;
};

// Why the file `relative` below `root` may not be written: a folder on its way that is a
// link or a file, or a target that is a folder or something other than a file or a link.
QString checkTarget(const fs::path &root, const QString &relative)
{
    const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    fs::path at = root;
    std::error_code ec;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        at /= fsPath(parts.at(i));
        const fs::file_status s = fs::symlink_status(at, ec);
        const bool last = i == parts.size() - 1;
        if (s.type() == fs::file_type::not_found)
            return {};
        if (ec)
            return failed(QCoreApplication::translate("FileAccess", "write"), qPath(at), ec.value());
        if (s.type() == fs::file_type::symlink) {
            if (last)
                return {}; // the link itself is replaced
            return QCoreApplication::translate("FileAccess", "%1 is a link to \"%2\"; nothing is written through a link, so that no file "
                                  "outside %3 changes; remove the link or choose another folder")
                .arg(qPath(at), qPath(fs::read_symlink(at, ec)), qPath(root));
        }
        if (!last && s.type() != fs::file_type::directory)
            return QCoreApplication::translate("FileAccess", "%1 is in the way: it is not a folder, but a folder should be there; move it "
                                  "away or choose another folder")
                .arg(qPath(at));
        if (last && s.type() != fs::file_type::regular)
            return QCoreApplication::translate("FileAccess", "%1 cannot be replaced: %2; remove it or choose another folder")
                .arg(qPath(at), kindOf(s.type()));
    }
    return {};
}

} // namespace

// The system's texts of the commonest failures, in the language of the messages around them
// (kaz_bg.ts); any other stays in English.
[[maybe_unused]] constexpr const char *KnownReasons[] = {
    QT_TRANSLATE_NOOP("FileAccess", "no such file or directory"),
    QT_TRANSLATE_NOOP("FileAccess", "permission denied"),
    QT_TRANSLATE_NOOP("FileAccess", "operation not permitted"),
    QT_TRANSLATE_NOOP("FileAccess", "is a directory"),
    QT_TRANSLATE_NOOP("FileAccess", "not a directory"),
    QT_TRANSLATE_NOOP("FileAccess", "no space left on device"),
    QT_TRANSLATE_NOOP("FileAccess", "read-only file system"),
    QT_TRANSLATE_NOOP("FileAccess", "input/output error"),
    QT_TRANSLATE_NOOP("FileAccess", "file name too long"),
    QT_TRANSLATE_NOOP("FileAccess", "too many levels of symbolic links"),
    QT_TRANSLATE_NOOP("FileAccess", "disk quota exceeded"),
    QT_TRANSLATE_NOOP("FileAccess", "file exists"),
    QT_TRANSLATE_NOOP("FileAccess", "device or resource busy"),
    QT_TRANSLATE_NOOP("FileAccess", "file too large"),
};

QString reason(int error)
{
    QString english;
#ifdef Q_OS_LINUX
    // English whatever language the system speaks: the messages' own translation decides.
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    if (c)
        english = smallFirst(QString::fromLocal8Bit(::strerror_l(error, c)));
#endif
    if (english.isEmpty())
        english = smallFirst(QString::fromStdString(std::generic_category().message(error)));
    return QCoreApplication::translate("FileAccess", english.toUtf8().constData());
}

QString writeAdvice(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("FileAccess", "you may not write there; choose a folder of your own, such as one in your home "
                              "folder");
    case EROFS:
        return QCoreApplication::translate("FileAccess", "that disk can only be read (a locked USB stick, a CD?); choose a folder on "
                              "another disk");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QCoreApplication::translate("FileAccess", "the disk is full; make room on it or choose a folder on another disk");
    case ENOENT:
        return QCoreApplication::translate("FileAccess", "make that folder first, or choose one that exists");
    default:
        return QCoreApplication::translate("FileAccess", "choose another folder");
    }
}

QString notAFile(const QString &path, Links links)
{
    const fs::path p = fsPath(path);
    std::error_code ec;
    const fs::file_status self = fs::symlink_status(p, ec);
    if (self.type() == fs::file_type::not_found)
        return QCoreApplication::translate("FileAccess", "there is no such file");
    if (ec)
        return reason(ec.value());
    if (self.type() != fs::file_type::symlink)
        return self.type() == fs::file_type::regular
                   ? QString()
                   : kindOf(self.type()) + QCoreApplication::translate("FileAccess", "; put a plain file in its place");
    const QString target = qPath(fs::read_symlink(p, ec));
    if (links == Links::Refuse)
        return linkRefused(target);
    const fs::file_status s = fs::status(p, ec);
    if (ec == std::errc::too_many_symbolic_link_levels)
        return QCoreApplication::translate("FileAccess", "it is a link that leads round in a circle back to itself (a loop of links); put the "
                              "file itself in its place");
    if (s.type() == fs::file_type::not_found)
        return QCoreApplication::translate("FileAccess", "it is a link to \"%1\", which does not exist; put the file itself in its place")
            .arg(target);
    if (ec)
        return reason(ec.value());
    if (s.type() == fs::file_type::regular)
        return {};
    return QCoreApplication::translate("FileAccess", "%1 (it is a link to \"%2\"); put a plain file in its place").arg(kindOf(s.type()), target);
}

QString size(qint64 bytes)
{
    if (bytes < 1024 * 1024)
        return bytes < 10 * 1024 ? QCoreApplication::translate("FileAccess", "%1 bytes").arg(bytes)
                                 : QCoreApplication::translate("FileAccess", "%1 KB").arg(bytes / 1024);
    return QCoreApplication::translate("FileAccess", "%1 MB").arg(double(bytes) / (1024 * 1024), 0, 'f', 1);
}

QString tooLarge(qint64 bytes, qint64 maxBytes)
{
    return QCoreApplication::translate("FileAccess", "it is %1, larger than %2").arg(size(bytes), size(maxBytes));
}

Read read(const QString &path, qint64 maxBytes, Links links)
{
    Read r;
    if (const QString why = notAFile(path, links); !why.isEmpty()) {
        r.problem = why;
        return r;
    }
    const auto tooLarge = [&r, maxBytes](qint64 bytes) {
        r.bytes.clear();
        r.tooLarge = true;
        r.problem = FileAccess::tooLarge(bytes, maxBytes);
        return r;
    };
#ifdef Q_OS_UNIX
    // Not waiting to open: the file may have become a named pipe, or a link, since it was
    // looked at.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        r.problem = errno == ELOOP && links == Links::Refuse ? linkRefused() : readFailure(errno);
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
        return tooLarge(info.st_size);
    r.bytes.resize(qsizetype(info.st_size));
    qsizetype got = 0;
    for (;;) {
        if (got == r.bytes.size()) {
            // The file may have grown since: one byte more tells.
            if (got > maxBytes)
                return tooLarge(got);
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
        return tooLarge(got);
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.problem = qtReason(file);
        return r;
    }
    if (file.size() > maxBytes)
        return tooLarge(file.size());
    r.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        r.bytes.clear();
        r.problem = qtReason(file);
        return r;
    }
    if (r.bytes.size() > maxBytes)
        return tooLarge(r.bytes.size());
#endif
    return r;
}

QString writeAll(const QString &root, const QList<Output> &files)
{
    const fs::path top = fsPath(root);
    std::error_code ec;
    if (fs::symlink_status(top, ec).type() != fs::file_type::not_found) {
        const fs::file_status s = fs::status(top, ec);
        if (s.type() == fs::file_type::not_found)
            return QCoreApplication::translate("FileAccess", "%1 is a link to \"%2\", which does not exist; choose another folder")
                .arg(root, qPath(fs::read_symlink(top, ec)));
        if (ec)
            return failed(QCoreApplication::translate("FileAccess", "write in"), root, ec.value());
        if (s.type() != fs::file_type::directory)
            return QCoreApplication::translate("FileAccess", "%1 is not a folder but %2; choose another folder").arg(root, whatItIs(s.type()));
    }
    for (const Output &o : files)
        if (const QString why = checkTarget(top, o.path); !why.isEmpty())
            return why;

    Transaction t;
    for (const Output &o : files) {
        const fs::path target = top / fsPath(o.path);
        if (QString why = t.makeFolders(target.parent_path()); !why.isEmpty())
            return why;
        if (QString why = t.write(target, o.bytes); !why.isEmpty())
            return why;
    }
    return t.commit();
}

} // namespace FileAccess
