#include "MenuEntries.h"

#include "FileAccess.h"
#include "KazIconDrawing.h"
#include "Printing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>

namespace {

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

MenuEntries::MenuEntries(const QString &dataHome)
    : m_share(dataHome)
{
}

QString MenuEntries::dataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::home().filePath(QStringLiteral(".local/share"));
}

QString MenuEntries::entry(const QString &id) const
{
    return m_share.filePath(QStringLiteral("applications/%1.desktop").arg(id));
}

QString MenuEntries::iconPath(const QString &id, int size) const
{
    return m_share.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
}

bool MenuEntries::write(DesktopFiles::Program program, const QByteArray &icon, QTextStream &out, QTextStream &err) const
{
    const QImage own = icon.isEmpty() ? QImage() : QImage::fromData(icon, "PNG");
    const Place place = this->place(program);
    program.id = place.id;
    const QString path = entry(program.id);
    QString error;
    const auto save = [&error](const QString &file, const QByteArray &bytes) {
        if (!QDir().mkpath(QFileInfo(file).path()))
            return false;
        error = FileAccess::writeFile(file, bytes);
        return error.isEmpty();
    };
    if (!save(path, DesktopFiles::desktopEntry(program).toUtf8())) {
        err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the menu entry: %2").arg(printableName(path), error) << '\n';
        return false;
    }
    out << printableName(path) << '\n';
    for (int size : KazIconDrawing::sizes()) {
        const QString png = iconPath(program.id, size);
        if (!save(png, KazIconDrawing::png(size, own))) {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the icon: %2").arg(printableName(png), error) << '\n';
            return false;
        }
    }
    if (!place.other.isEmpty())
        err << QCoreApplication::translate("Kazpack", "%1: note: the menu entry %2 starts another program, %3, made from a "
                                                      "folder of the same name; that entry stays, and this program got an "
                                                      "entry of its own")
                   .arg(printableName(path), printableName(place.otherEntry), printableName(place.other))
            << '\n';
    if (!place.before.isEmpty())
        err << QCoreApplication::translate("Kazpack", "%1: note: this menu entry started %2 until now; now it starts %3")
                   .arg(printableName(path), printableName(place.before), printableName(program.path))
            << '\n';
    return true;
}

QStringList MenuEntries::remove(const QString &path, QTextStream &err, bool *ok) const
{
    QStringList removed;
    *ok = true;
    const QString tryExec = QStringLiteral("TryExec=") + DesktopFiles::entryValue(path);
    const QDir applications(m_share.filePath(QStringLiteral("applications")));
    const QStringList entries = applications.entryList({QStringLiteral("*.desktop")}, QDir::Files);
    for (const QString &name : entries) {
        QFile file(applications.filePath(name));
        if (file.size() > 1 << 20 || !file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        if (!lines.contains(tryExec.toUtf8()))
            continue;
        const QString id = name.chopped(int(qstrlen(".desktop")));
        QStringList files{file.fileName()};
        for (int size : KazIconDrawing::sizes())
            if (exists(iconPath(id, size)))
                files << iconPath(id, size);
        for (const QString &f : std::as_const(files)) {
            if (QFile::remove(f)) {
                removed << f;
            } else {
                err << QCoreApplication::translate("Kazpack", "%1: error: cannot remove the file").arg(printableName(f)) << '\n';
                *ok = false;
            }
        }
    }
    return removed;
}

MenuEntries::Place MenuEntries::place(const DesktopFiles::Program &program) const
{
    const QDir applications(m_share.filePath(QStringLiteral("applications")));
    const QRegularExpression numbered(QStringLiteral("^%1(?:_([1-9][0-9]{0,5}))?\\.desktop$")
                                          .arg(QRegularExpression::escape(program.id)));
    struct Existing
    {
        int number;
        QString id, program, folder;
    };
    QList<Existing> existing;
    const QStringList names = applications.entryList({program.id + QStringLiteral("*.desktop")}, QDir::Files | QDir::System);
    for (const QString &name : names) {
        const QRegularExpressionMatch m = numbered.match(name);
        if (!m.hasMatch())
            continue;
        QHash<QString, QString> keys; // an entry that cannot be read counts as another program's
        if (QFile file(applications.filePath(name)); file.size() <= 1 << 20 && file.open(QIODevice::ReadOnly))
            keys = DesktopFiles::entryKeys(QString::fromUtf8(file.readAll()));
        existing.append({m.captured(1).isEmpty() ? 1 : m.captured(1).toInt(), name.chopped(int(qstrlen(".desktop"))),
                         keys.value(QStringLiteral("TryExec")), keys.value(QString::fromUtf16(DesktopFiles::FolderKey))});
    }
    std::sort(existing.begin(), existing.end(), [](const Existing &a, const Existing &b) { return a.number < b.number; });
    for (const Existing &e : std::as_const(existing))
        if (e.program == program.path)
            return {e.id, {}, {}, {}};
    for (const Existing &e : std::as_const(existing))
        if (!program.folder.isEmpty() && e.folder == program.folder)
            return {e.id, e.program, {}, {}};
    Place place;
    const auto plain = std::find_if(existing.cbegin(), existing.cend(), [](const Existing &e) { return e.number == 1; });
    for (int n = 1;; ++n) {
        const auto found = std::find_if(existing.cbegin(), existing.cend(), [n](const Existing &e) { return e.number == n; });
        const bool gone = found != existing.cend() && QDir::isAbsolutePath(found->program) && !exists(found->program);
        if (found != existing.cend() && !gone)
            continue;
        place.id = n == 1 ? program.id : QStringLiteral("%1_%2").arg(program.id).arg(n);
        if (gone)
            place.before = found->program;
        if (n > 1) {
            place.other = plain->program;
            place.otherEntry = applications.filePath(plain->id + QStringLiteral(".desktop"));
        }
        return place;
    }
}
