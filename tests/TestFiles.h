#pragma once

// Helpers of the suites that run on real folders: files written and read back, every name
// below a folder, hidden ones included, so that a left-over temporary file shows, and the files
// of the source tree (the shipped tests, the examples), found through KAZ_SOURCE_DIR.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

// The cases of links, named pipes, devices and Unix permissions need them as Linux has them:
// Windows has no named pipe in a folder, no /dev, no permission bits, and QFile::link() makes a
// shortcut (.lnk) there, a plain file. Such a case begins with this, and is skipped on Windows.
#ifdef Q_OS_UNIX
#define KAZ_SKIP_WITHOUT_UNIX_FILES() static_cast<void>(0)
#else
#define KAZ_SKIP_WITHOUT_UNIX_FILES()                                                                    \
    QSKIP("Linux files only: symbolic links, named pipes, devices or Unix permissions, which Windows " \
          "has not as Linux has them")
#endif

namespace TestFiles {

#ifdef Q_OS_UNIX
inline constexpr bool UnixFiles = true;
#else
inline constexpr bool UnixFiles = false;
#endif

// A symbolic link at `path` to `target`, as `ln -s` makes it; false on Windows.
inline bool symlink(const QString &target, const QString &path)
{
#ifdef Q_OS_UNIX
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
#else
    static_cast<void>(target);
    static_cast<void>(path);
    return false;
#endif
}

// A named pipe at `path` with the permissions `mode`; false on Windows.
inline bool fifo(const QString &path, int mode = 0644)
{
#ifdef Q_OS_UNIX
    return ::mkfifo(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
#else
    static_cast<void>(path);
    static_cast<void>(mode);
    return false;
#endif
}

// A program's file name as the tools make it here: a Windows program's name ends with ".exe".
inline QString programName(const QString &name)
{
#ifdef Q_OS_WIN
    return name + QStringLiteral(".exe");
#else
    return name;
#endif
}

// Every file below `root`, hidden ones too, relative to it and sorted: what a step wrote.
inline QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(QDir(root).relativeFilePath(it.next()));
    out.sort();
    return out;
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The bytes of the file at `path`, or "(none)".
inline QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

// The UTF-8 text of the file at `path`; empty when it cannot be read.
inline QString text(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A file of the source tree, such as "quizzes/istoriya/test.kaz"; CTest sets KAZ_SOURCE_DIR.
inline QString sourcePath(const QString &relative)
{
    return qEnvironmentVariable("KAZ_SOURCE_DIR") + u'/' + relative;
}

inline QString sourceText(const QString &relative) { return text(sourcePath(relative)); }

// test.kaz of a test that ships with the program, by its folder under quizzes/ (the towns test
// unless told).
inline QString shippedTest(const QString &folder = QStringLiteral("istoriya"))
{
    return sourcePath(QStringLiteral("quizzes/") + folder + QStringLiteral("/test.kaz"));
}

inline QStringList everything(const QString &dir)
{
    QStringList out;
    const QDir d(dir);
    for (const QString &name :
         d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        out.append(name);
        if (QFileInfo(d.filePath(name)).isDir() && !QFileInfo(d.filePath(name)).isSymLink())
            for (const QString &inner : everything(d.filePath(name)))
                out.append(name + u'/' + inner);
    }
    return out;
}

// A copy of the files of folder `from` (a test folder) as `dir`/`name`; its path, or an empty
// text when a file could not be written.
inline QString copyFolder(const QString &from, const QString &dir, const QString &name)
{
    const QString to = QDir(dir).filePath(name);
    QDir().mkpath(to);
    for (const QString &file : everything(from))
        if (QFileInfo(QDir(from).filePath(file)).isFile()
            && !write(QDir(to).filePath(file), contents(QDir(from).filePath(file))))
            return {};
    return to;
}

} // namespace TestFiles
