#pragma once

// Helpers of the suites that run on real folders: files written and read back, and every
// name below a folder, hidden ones included, so that a left-over temporary file shows.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace TestFiles {

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
