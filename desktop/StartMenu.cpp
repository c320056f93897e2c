#include "StartMenu.h"

#include "FileAccess.h"
#include "Printing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int MaxTitleLength = 80;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), PathCase) == 0;
}

// A program is there, or a link whose target is gone.
bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || (info.isSymLink() && !info.isShortcut());
}

// The program a shortcut starts, empty when `file` is none.
QString target(const QString &file)
{
    const QFileInfo info(file);
    return info.isSymLink() || info.isShortcut() ? info.symLinkTarget() : QString();
}

} // namespace

StartMenu::StartMenu(const QString &folder)
    : m_folder(folder)
{
}

QString StartMenu::programsFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation)).filePath(QStringLiteral("KAZ"));
}

QString StartMenu::shortcutName(const QString &title, const QString &fallback)
{
    QString name;
    for (const QChar c : title) {
        const bool refused = c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c) || c.category() == QChar::Other_Format;
        name += refused || c.isSpace() ? QChar(u' ') : c;
    }
    name = name.simplified();
    if (name.size() > MaxTitleLength) {
        name.truncate(MaxTitleLength);
        if (name.back().isHighSurrogate())
            name.chop(1);
    }
    // Windows drops a name's trailing dots and spaces, and keeps device names to itself.
    while (!name.isEmpty() && (name.endsWith(u'.') || name.endsWith(u' ')))
        name.chop(1);
    if (name.isEmpty())
        name = fallback;
    if (!FileAccess::windowsDevice(name).isEmpty())
        name.prepend(u'_');
    return name + QStringLiteral(".lnk");
}

QList<std::pair<QString, QString>> StartMenu::shortcuts() const
{
    QList<std::pair<QString, QString>> found;
    const QStringList names = m_folder.entryList({QStringLiteral("*.lnk")}, QDir::Files | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QString file = m_folder.filePath(name);
        found.append({file, target(file)});
    }
    return found;
}

bool StartMenu::write(const DesktopFiles::Program &program, QTextStream &out, QTextStream &err) const
{
    const auto cannot = [&err](const QString &file, const QString &why) {
        err << QCoreApplication::translate("Kazpack", "%1: error: cannot make the shortcut in the Start menu: %2")
                   .arg(printablePath(file), printableName(why))
            << '\n';
        return false;
    };
    if (!QDir().mkpath(m_folder.path()))
        return cannot(m_folder.path(), QCoreApplication::translate("Kazpack", "the folder cannot be made"));

    const QString base = shortcutName(program.title, program.executable);
    const QString stem = base.chopped(int(qstrlen(".lnk")));
    const QList<std::pair<QString, QString>> existing = shortcuts();
    // What the folder holds, by name: Windows takes any name ending in .lnk for a shortcut's,
    // so that only the folder itself tells whether one is there.
    const QStringList held = m_folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    const auto taken = [&held](const QString &file) { return held.contains(QFileInfo(file).fileName(), PathCase); };
    QString path;
    QString before; // the program a replaced shortcut started until now
    QString other;  // the shortcut of the plain name, when it starts another program
    for (int n = 1; path.isEmpty(); ++n) {
        if (n > 999)
            return cannot(m_folder.filePath(base), QCoreApplication::translate("Kazpack", "every name for it is taken"));
        const QString candidate = m_folder.filePath(n == 1 ? base : QStringLiteral("%1 (%2).lnk").arg(stem).arg(n));
        const auto found = std::find_if(existing.cbegin(), existing.cend(),
                                        [&](const auto &s) { return samePath(s.first, candidate); });
        if (found == existing.cend() ? !taken(candidate) : samePath(found->second, program.path)) {
            path = candidate;
        } else if (found != existing.cend() && !found->second.isEmpty() && QDir::isAbsolutePath(found->second)
                   && !exists(found->second)) {
            path = candidate;
            before = found->second;
        } else if (n == 1 && found != existing.cend() && !found->second.isEmpty()) {
            other = candidate;
        }
    }

    // This program's other shortcuts, under a title it had before, go.
    for (const auto &[file, starts] : existing) {
        if (samePath(file, path) || !samePath(starts, program.path))
            continue;
        if (!QFile::remove(file))
            return cannot(file, QCoreApplication::translate("Kazpack", "its old shortcut cannot be removed"));
        out << printablePath(file) << '\n';
    }
    if (taken(path) && !QFile::remove(path))
        return cannot(path, QCoreApplication::translate("Kazpack", "the shortcut there cannot be replaced"));
    QFile made(program.path);
    if (!made.link(path))
        return cannot(path, made.errorString());
    out << printablePath(path) << '\n';

    if (!other.isEmpty())
        err << QCoreApplication::translate("Kazpack", "%1: note: the shortcut %2 starts another program, %3; that shortcut "
                                                      "stays, and this program got a shortcut of its own")
                   .arg(printablePath(path), printablePath(other), printablePath(target(other)))
            << '\n';
    if (!before.isEmpty())
        err << QCoreApplication::translate("Kazpack", "%1: note: this shortcut started %2 until now; now it starts %3")
                   .arg(printablePath(path), printablePath(before), printablePath(program.path))
            << '\n';
    return true;
}

QStringList StartMenu::remove(const QString &path, QTextStream &err, bool *ok) const
{
    QStringList removed;
    *ok = true;
    for (const auto &[file, starts] : shortcuts()) {
        if (!samePath(starts, path))
            continue;
        if (QFile::remove(file)) {
            removed << file;
        } else {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot remove the file").arg(printablePath(file)) << '\n';
            *ok = false;
        }
    }
    // Only an empty folder goes; the shortcuts KAZ's setup made live there too.
    if (!removed.isEmpty())
        m_folder.rmdir(m_folder.path());
    return removed;
}
