#include "SavePlace.h"

#include "Caption.h"
#include "ContentReader.h"
#include "EditorSources.h"
#include "FileAccess.h"
#include "Gift.h"
#include "Packing.h"
#include "Printing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace SavePlace {

namespace {

// The path as the file system names it, links resolved as far as it exists: a folder reached
// through a link is the folder itself.
QString resolved(const QString &path)
{
    QString at = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    // Up to the nearest folder that exists; a root ("/", "C:/") is its own parent.
    while (!QFileInfo::exists(at)) {
        const QString up = QFileInfo(at).path();
        if (up == at)
            break;
        rest.prepend(u'/' + QFileInfo(at).fileName());
        at = up;
    }
    const QString real = QFileInfo(at).canonicalFilePath();
    return QDir::cleanPath((real.isEmpty() ? at : real) + rest);
}

// Whether the teacher may make files in `folder`: one is made there and removed at once, as
// a save makes its lock there. Permission bits do not tell it on Windows, where a folder's
// access list decides and Documents itself may carry the read-only mark.
bool mayWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kaz-probe-XXXXXX")));
    return probe.open();
}

} // namespace

QStringList installFolders()
{
    QStringList folders{QDir::cleanPath(QCoreApplication::applicationDirPath())};
    const QString runners = QDir::cleanPath(QFileInfo(Packing::installedRunner()).absolutePath());
    if (!folders.contains(runners))
        folders.append(runners);
    return folders;
}

bool isInside(const QString &path, const QString &folder)
{
    const QString p = resolved(path);
    QString f = resolved(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return (p + u'/').startsWith(f, cs);
}

QString notForSaving(const QString &folder, const QStringList &installed)
{
    for (const QString &place : installed)
        if (isInside(folder, place))
            return QCoreApplication::translate("SavePlace", "%1 lies where KAZ is installed, and removing KAZ would delete "
                                                            "what is saved there")
                .arg(printablePath(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())));
    if (QFileInfo(folder).isDir() && !mayWriteIn(folder))
        return QCoreApplication::translate("SavePlace", "you may not write in %1")
            .arg(printablePath(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())));
    return {};
}

QString notForSaving(const QString &folder) { return notForSaving(folder, installFolders()); }

QString saveStart(const QString &start)
{
    if (!start.isEmpty() && QFileInfo(start).isDir() && notForSaving(start).isEmpty())
        return start;
    return EditorSources::startFolder({});
}

QString freeName(const QString &place, const QString &title)
{
    const QDir dir(place);
    const QString name = Gift::folderName(title);
    QString candidate = name;
    // A link to nothing takes a name as well.
    for (int n = 2; dir.exists(candidate) || QFileInfo(dir.filePath(candidate)).isSymLink(); ++n)
        candidate = name + u'-' + QString::number(n);
    return candidate;
}

Chosen consider(const QString &chosen, const QString &own, const QString &title)
{
    Chosen c;
    const QString folder = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    if (!own.isEmpty() && resolved(folder) == resolved(own)) {
        c.why = notForSaving(folder);
        c.kind = c.why.isEmpty() ? Chosen::Kind::Own : Chosen::Kind::NotHere;
        c.folder = folder;
        return c;
    }
    if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("test.kaz")))) {
        // A new folder beside the other test, in the place it is in.
        const QString parent = QFileInfo(folder).absolutePath();
        c.kind = Chosen::Kind::HoldsTest;
        c.title = titleOf(folder);
        c.why = notForSaving(folder);
        if (!c.why.isEmpty())
            c.kind = Chosen::Kind::NotHere;
        else if (notForSaving(parent).isEmpty())
            c.folder = QDir(parent).filePath(freeName(parent, title));
        return c;
    }
    c.why = notForSaving(folder);
    if (!c.why.isEmpty()) {
        c.kind = Chosen::Kind::NotHere;
        return c;
    }
    c.kind = Chosen::Kind::Inside;
    c.folder = QDir(folder).filePath(freeName(folder, title));
    return c;
}

QString makeFolder(const QString &place, const QString &title)
{
    QDir dir(place);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = freeName(place, title);
        if (dir.mkdir(name))
            return QDir::cleanPath(QFileInfo(dir.filePath(name)).absoluteFilePath());
        if (!QFileInfo::exists(dir.filePath(name)))
            break; // not taken meanwhile: the folder cannot be made there
    }
    return {};
}

QString titleOf(const QString &folder)
{
    const FileAccess::Read file
        = FileAccess::read(QDir(folder).filePath(QStringLiteral("test.kaz")), ContentReader::MaxFileBytes);
    QString title;
    if (file.ok())
        title = Caption::split(ContentStore::item(ContentReader::readBytes(file.bytes).store.Danni(3), 0)).title.trimmed();
    return title.isEmpty() ? QFileInfo(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())).fileName() : title;
}

QString writeProtected(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return {};
    if ((info.permissions() & QFileDevice::WriteOwner) && info.isWritable())
        return {};
    return QCoreApplication::translate("QuizDocument", "%1 in %2 is write-protected")
        .arg(info.fileName(), printablePath(QDir::cleanPath(info.absolutePath())));
}

} // namespace SavePlace
