#include "FileAccess.h"
#include "FileAccess_p.h"
#include "Printing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace FileAccess {

namespace {

using Platform::fsPath;
using Platform::qPath;

// A path as a message shows it (printablePath).
QString shownPath(const fs::path &path)
{
    return printablePath(qPath(path));
}

using Shared::smallFirst;

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

using Shared::linkRefused;

QString failed(const QString &what, const QString &path, int error, const QString &why = {})
{
    return QCoreApplication::translate("FileAccess", "cannot %1 %2: %3; %4")
        .arg(what, printablePath(path), why.isEmpty() ? reason(error) : why, writeAdvice(error));
}

// A failure of a step, told whole by writeAll() ("cannot write PATH: reason; advice") and
// without the path by writeFile() ("reason; advice").
struct Fault
{
    QString what; // "write", "replace", …
    fs::path path;
    int error = 0;
    QString why;     // the reason, where it is not the system's text for `error`
    QString message; // a whole sentence instead of the above
    bool busy = false; // another program holds the folder's lock of saving

    bool happened() const { return error != 0 || !message.isEmpty(); }
    QString full() const { return message.isEmpty() ? failed(what, qPath(path), error, why) : message; }
    QString brief() const
    {
        return message.isEmpty() ? (why.isEmpty() ? reason(error) : why) + QStringLiteral("; ") + writeAdvice(error)
                                 : message;
    }
};

std::function<void(const QString &, const QString &)> &stepHook()
{
    static std::function<void(const QString &, const QString &)> hook;
    return hook;
}

std::function<int(const QString &, const QString &)> &faultHook()
{
    static std::function<int(const QString &, const QString &)> hook;
    return hook;
}

// Before a step that changes the disk: the error number the step fails with when a test makes
// it fail (setFaultHook), else 0.
int step(const char *what, const fs::path &path)
{
    const QString name = QString::fromLatin1(what);
    if (const auto &hook = stepHook())
        hook(name, qPath(path));
    if (const auto &hook = faultHook())
        return hook(name, qPath(path));
    return 0;
}

// A rename as std::filesystem makes it, unless a test makes it fail.
void renameStep(const fs::path &from, const fs::path &to, std::error_code &ec)
{
    if (const int e = step("rename", to))
        ec = std::error_code(e, std::generic_category());
    else
        fs::rename(from, to, ec);
}

// What a save leaves in a folder while it runs, and after a crash: the lock of the folder,
// journals, temporary files (".NAME.new-…") and files an older editor moved aside while it
// replaced them (".NAME.old-…").
const QString LockName = QStringLiteral(".kaz-save.lock");
const QString JournalStem = QStringLiteral("kaz-journal");
const QString JournalFormat = QStringLiteral("kaz-save-journal");
constexpr qint64 MaxJournalBytes = 1024 * 1024;
constexpr int LockWaitMs = 5000;
// A save's lock older than this is taken over even if its owner seems to run: no save takes
// so long, and a lock whose owner could not be told must not block the folder for ever.
constexpr int LockStaleMs = 120 * 1000;

enum class Leftover { None, Lock, Journal, Temporary, MovedAside };

// The kind of a leftover named `name`, and the name of the file it stands for.
Leftover leftover(const QString &name, QString *target = nullptr)
{
    if (!name.startsWith(u'.'))
        return Leftover::None;
    if (name == LockName)
        return Leftover::Lock;
    static const QRegularExpression journal(QStringLiteral("^\\.kaz-journal-[0-9a-f]{8}$"));
    static const QRegularExpression temporary(QStringLiteral("^\\.(.+)\\.(new|old)-[0-9a-f]{8}$"));
    if (journal.match(name).hasMatch())
        return Leftover::Journal;
    const QRegularExpressionMatch m = temporary.match(name);
    if (!m.hasMatch())
        return Leftover::None;
    if (target)
        *target = m.captured(1);
    return m.captured(2) == u"new" ? Leftover::Temporary : Leftover::MovedAside;
}

// The names in `folder`, sorted so that the order of the file system does not matter.
QStringList names(const fs::path &folder)
{
    QStringList out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        out.append(qPath(it->path().filename()));
    out.sort();
    return out;
}

bool hasLeftovers(const fs::path &folder)
{
    const QStringList all = names(folder);
    return std::any_of(all.cbegin(), all.cend(), [](const QString &n) { return leftover(n) != Leftover::None; });
}

using Platform::syncFolder;

// A save of more files than this syncs them together (syncFileSystems) where the system can:
// syncing each of ten thousand files on its own takes minutes on a disk.
constexpr std::size_t SyncEachFileUpTo = 32;

using Platform::syncFileSystems;

bool isFileOrLink(const fs::path &path)
{
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(path, ec).type();
    return type == fs::file_type::regular || type == fs::file_type::symlink;
}

// A new file, made so that it cannot take the place of one already there. Each step says
// false on failure, with the system's error number and reason kept.
class NewFile
{
public:
    NewFile() = default;
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    // A name in `folder` that starts with ".`stem`-" and did not exist. A file that is to be
    // for its owner alone is so from its first byte on.
    bool createIn(const fs::path &folder, const QString &stem, bool ownerOnly = false)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name = QStringLiteral(".%1-%2").arg(stem).arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                        QLatin1Char('0'));
            path = folder / fsPath(name);
            if (const int e = step("make", path))
                return fail(e);
            QString text;
            const int e = m_file.create(path, ownerOnly, &text);
            if (e == 0)
                return true;
            if (e != EEXIST)
                return fail(e, text);
        }
        return fail(EEXIST);
    }

    // The permissions of the file at `other`, where there is one.
    void copyPermissions(const fs::path &other) { m_file.copyPermissions(other); }

    void setPermissions(QFileDevice::Permissions permissions) { m_file.setPermissions(permissions); }

    // Writes all `bytes` and, unless the caller syncs them later with others, makes sure they
    // are on the disk.
    bool write(const QByteArray &bytes, bool sync = true)
    {
        QString text;
        // Half first, so that a test can stop the process in the middle of a file.
        const qsizetype half = bytes.size() / 2;
        if (const int e = m_file.write(bytes.constData(), half, &text))
            return fail(e, text);
        if (half > 0)
            if (const int e = step("write", path))
                return fail(e);
        if (const int e = m_file.write(bytes.constData() + half, bytes.size() - half, &text))
            return fail(e, text);
        if (sync) {
            if (const int e = step("sync", path))
                return fail(e);
            if (const int e = m_file.sync(&text))
                return fail(e, text);
        }
        if (const int e = m_file.close(&text))
            return fail(e, text);
        return true;
    }

    Fault fault(const QString &what, const fs::path &target) const { return {what, target, error, why, {}}; }

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
    Platform::NewFileHandle m_file;
};

// The renames a journal names, each a temporary file to its target in the journal's folder;
// empty when the journal is damaged or names anything else.
std::vector<std::pair<QString, QString>> journalRenames(const QByteArray &bytes)
{
    std::vector<std::pair<QString, QString>> out;
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    if (root.value(QStringLiteral("format")).toString() != JournalFormat || root.value(QStringLiteral("version")).toInt() != 1)
        return {};
    static const QRegularExpression temporaryOf(QStringLiteral("^\\.(.+)\\.new-[0-9a-f]{8}$"));
    for (const QJsonValue &v : root.value(QStringLiteral("renames")).toArray()) {
        const QJsonArray pair = v.toArray();
        const QString from = pair.at(0).toString();
        const QString to = pair.at(1).toString();
        // Only a temporary file of this folder onto the name it was made for.
        const QRegularExpressionMatch m = temporaryOf.match(from);
        if (pair.size() != 2 || !m.hasMatch() || m.captured(1) != to || to.contains(u'/') || to.contains(u'\\')
            || to.contains(QChar(0)) || to == u"." || to == u".." || leftover(to) != Leftover::None)
            return {};
        out.emplace_back(from, to);
    }
    return out;
}

// The rest of finishSaving(), with the folder's lock held.
Fault finishLocked(const fs::path &folder)
{
    std::error_code ec;
    bool changed = false;
    for (const QString &name : names(folder)) {
        if (leftover(name) != Leftover::Journal)
            continue;
        // A journal is there only once every file it names is complete: the save counts.
        const fs::path journal = folder / fsPath(name);
        const Read r = read(qPath(journal), MaxJournalBytes, Links::Refuse);
        for (const auto &[from, to] : journalRenames(r.bytes)) {
            const fs::path temporary = folder / fsPath(from);
            if (fs::symlink_status(temporary, ec).type() != fs::file_type::regular)
                continue; // renamed before the save was cut short
            renameStep(temporary, folder / fsPath(to), ec);
            if (ec)
                return {QCoreApplication::translate("FileAccess", "finish saving"), folder / fsPath(to), ec.value(), {}, {}};
        }
        syncFolder(folder);
        step("remove", journal);
        fs::remove(journal, ec);
        changed = true;
    }
    for (const QString &name : names(folder)) {
        QString target;
        const Leftover kind = leftover(name, &target);
        const fs::path path = folder / fsPath(name);
        if ((kind != Leftover::Temporary && kind != Leftover::MovedAside) || !isFileOrLink(path))
            continue;
        // A file that an older editor moved aside comes back if nothing took its place.
        if (kind == Leftover::MovedAside && fs::symlink_status(folder / fsPath(target), ec).type() == fs::file_type::not_found)
            fs::rename(path, folder / fsPath(target), ec);
        else
            fs::remove(path, ec);
        changed = true;
    }
    if (changed)
        syncFolder(folder);
    return {};
}

// How long a save waits for another program's save of the same folder, when it waits.
int waitMs(LockWait wait) { return wait == LockWait::Wait ? LockWaitMs : 0; }

// Why the lock file could not be made in `folder`: QLockFile keeps the system's reason to
// itself (a full disk, too many open files, a disk that can only be read all come out as
// one), so a small file of the same kind is made and written in its place, and removed.
Fault lockFailure(const fs::path &folder)
{
    const QString what = QCoreApplication::translate("FileAccess", "write in");
    NewFile probe;
    Fault fault = {what, folder, EIO, {}, {}};
    if (!probe.createIn(folder, LockName.mid(1) + QStringLiteral(".new")))
        return probe.fault(what, folder);
    std::error_code ec;
    if (!probe.write(QByteArrayLiteral("0\nkaz\nprobe\n")))
        fault = probe.fault(what, folder);
    fs::remove(probe.path, ec);
    return fault;
}

// The lock of saving into `folder`, held until it is destroyed; null with `fault` set when
// another process keeps it (`busy`) or it cannot be made.
std::unique_ptr<QLockFile> lockFolder(const fs::path &folder, Fault *fault, LockWait wait)
{
    const fs::path path = folder / fsPath(LockName);
    auto lock = std::make_unique<QLockFile>(qPath(path));
    lock->setStaleLockTime(LockStaleMs);
    if (step("lock", path) == 0 && lock->tryLock(waitMs(wait)))
        return lock;
    if (lock->error() == QLockFile::LockFailedError)
        *fault = {{}, {}, 0, {}, QCoreApplication::translate("FileAccess", "another program is saving into %1 just now; wait until it is done and try again").arg(shownPath(folder)), true};
    else
        *fault = lockFailure(folder);
    return nullptr;
}

struct Pending
{
    fs::path target;
    fs::path temporary; // empty once renamed
};

// One save: the folders made, the files written under temporary names, the locks of the
// folders written to. Until the save counts, destroying it takes every trace of it away.
//
// A folder the save made itself is not locked: it was not there a moment before, so no other
// save has files in it, and a save of ten thousand new folders holds no ten thousand lock
// files open. A folder that was there is locked from the first file written into it until the
// save is done.
class Transaction
{
public:
    // `files`: how many the save writes; a large save syncs them together where it can.
    explicit Transaction(std::size_t files = 1)
        : m_syncLater(Platform::canSyncFileSystems() && files > SyncEachFileUpTo)
    {
    }

    ~Transaction()
    {
        std::error_code ec;
        if (!m_counted) {
            for (const Pending &p : m_pending)
                if (!p.temporary.empty())
                    fs::remove(p.temporary, ec);
            for (const fs::path &journal : m_journals)
                fs::remove(journal, ec);
        }
        for (const fs::path &journal : m_journalsNotInPlace)
            if (!journal.empty())
                fs::remove(journal, ec);
        m_locks.clear(); // before the folders made go: each holds its lock file
        if (!m_counted)
            for (auto f = m_made.rbegin(); f != m_made.rend(); ++f)
                fs::remove(*f, ec);
    }

    // Makes `folder` and whatever above it is missing.
    Fault makeFolders(const fs::path &folder)
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
            if (!fs::create_directory(*f, ec)) {
                if (ec)
                    return {QCoreApplication::translate("FileAccess", "make the folder"), *f, ec.value(), {}, {}};
                continue; // made by another just now: not this save's
            }
            m_made.push_back(*f);
            m_madeSet.insert(*f);
        }
        return {};
    }

    // Whether this save made `folder`.
    bool made(const fs::path &folder) const { return m_madeSet.count(folder) > 0; }

    // Takes the lock of saving into `folder`; then finishes what an interrupted save left
    // there, or, with `only` given, removes the temporary files of that name alone (a folder
    // that is not a test's, where other files are none of ours).
    Fault lock(const fs::path &folder, const QString &only = {}, LockWait wait = LockWait::Wait)
    {
        Fault fault;
        std::unique_ptr<QLockFile> lock = lockFolder(folder, &fault, wait);
        if (!lock)
            return fault;
        m_locks.push_back(std::move(lock));
        if (only.isEmpty())
            return finishLocked(folder);
        std::error_code ec;
        for (const QString &name : names(folder)) {
            QString target;
            if (leftover(name, &target) == Leftover::Temporary && target == only && isFileOrLink(folder / fsPath(name)))
                fs::remove(folder / fsPath(name), ec);
        }
        return {};
    }

    Fault write(const fs::path &target, const QByteArray &bytes, const std::optional<QFileDevice::Permissions> &permissions)
    {
        const QString what = QCoreApplication::translate("FileAccess", "write");
        NewFile file;
        const bool made = file.createIn(target.parent_path(), qPath(target.filename()) + QStringLiteral(".new"),
                                        permissions.has_value());
        if (!made)
            return file.fault(what, target);
        m_pending.push_back({target, file.path});
        std::error_code ec;
        if (permissions)
            file.setPermissions(*permissions);
        else if (fs::symlink_status(target, ec).type() == fs::file_type::regular)
            file.copyPermissions(target);
        if (!file.write(bytes, !m_syncLater))
            return file.fault(what, target);
        return {};
    }

    // Puts every file in its place. With more than one, each folder gets a journal of its
    // renames first; once all are there, the save counts and is finished even after a crash.
    Fault commit()
    {
        std::map<fs::path, std::vector<const Pending *>> byFolder;
        for (const Pending &p : m_pending)
            byFolder[p.target.parent_path()].push_back(&p);
        std::set<fs::path> folders;
        for (const auto &[folder, files] : byFolder)
            folders.insert(folder);
        if (m_pending.size() > 1) {
            for (const auto &[folder, files] : byFolder)
                if (const Fault f = writeJournal(folder, files); f.happened())
                    return f;
            // The files and the journals on the disk before any journal counts.
            if (const Fault f = syncLater(folders); f.happened())
                return f;
            std::size_t i = 0;
            for (const auto &[folder, files] : byFolder)
                if (const Fault f = placeJournal(i++, folder); f.happened())
                    return f;
        }
        if (const Fault f = syncLater(folders); f.happened())
            return f;
        m_counted = true;
        std::error_code ec;
        for (Pending &p : m_pending) {
            renameStep(p.temporary, p.target, ec);
            if (ec) {
                // Without a journal nothing changed yet, so the temporary file goes; with one,
                // it stays for finishSaving().
                m_counted = !m_journals.empty();
                return {QCoreApplication::translate("FileAccess", "write"), p.target, ec.value(), {}, {}};
            }
            p.temporary.clear();
        }
        if (m_syncLater)
            syncLater(folders);
        else
            for (const fs::path &folder : folders)
                syncFolder(folder);
        for (const fs::path &journal : m_journals) {
            step("remove", journal);
            fs::remove(journal, ec);
        }
        return {};
    }

private:
    // With the files left unsynced, syncs the file systems of `folders` at once.
    Fault syncLater(const std::set<fs::path> &folders)
    {
        if (!m_syncLater || folders.empty())
            return {};
        step("sync", *folders.begin());
        if (const int e = syncFileSystems(folders); e != 0)
            return {QCoreApplication::translate("FileAccess", "write in"), *folders.begin(), e, {}, {}};
        return {};
    }

    // Writes the journal of `folder`'s renames whole under a temporary name;
    // placeJournal() then renames it in, so that a journal is complete or absent.
    Fault writeJournal(const fs::path &folder, const std::vector<const Pending *> &files)
    {
        QJsonArray renames;
        for (const Pending *p : files)
            renames.append(QJsonArray{qPath(p->temporary.filename()), qPath(p->target.filename())});
        const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("format"), JournalFormat},
                                                           {QStringLiteral("version"), 1},
                                                           {QStringLiteral("renames"), renames}})
                                     .toJson(QJsonDocument::Compact);
        NewFile file;
        if (!file.createIn(folder, JournalStem + QStringLiteral(".new")))
            return file.fault(QCoreApplication::translate("FileAccess", "write in"), folder);
        m_journalsNotInPlace.push_back(file.path);
        if (!file.write(bytes, !m_syncLater))
            return file.fault(QCoreApplication::translate("FileAccess", "write in"), folder);
        return {};
    }

    // Renames the journal writeJournal() wrote `index`-th into its place in `folder`.
    Fault placeJournal(std::size_t index, const fs::path &folder)
    {
        fs::path &written = m_journalsNotInPlace.at(index);
        fs::path journal;
        std::error_code ec;
        do
            journal = folder / fsPath(QStringLiteral(".%1-%2").arg(JournalStem).arg(QRandomGenerator::global()->generate(), 8,
                                                                                      16, QLatin1Char('0')));
        while (fs::symlink_status(journal, ec).type() != fs::file_type::not_found);
        renameStep(written, journal, ec);
        if (ec)
            return {QCoreApplication::translate("FileAccess", "write in"), folder, ec.value(), {}, {}};
        written.clear();
        m_journals.push_back(journal);
        if (!m_syncLater)
            syncFolder(folder);
        return {};
    }

    const bool m_syncLater;
    std::vector<std::unique_ptr<QLockFile>> m_locks;
    std::vector<fs::path> m_made;
    std::set<fs::path> m_madeSet;
    std::vector<Pending> m_pending;
    std::vector<fs::path> m_journals;
    std::vector<fs::path> m_journalsNotInPlace;
    bool m_counted = false;
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
                .arg(shownPath(at), shownPath(fs::read_symlink(at, ec)), shownPath(root));
        }
        if (!last && s.type() != fs::file_type::directory)
            return QCoreApplication::translate("FileAccess", "%1 is in the way: it is not a folder, but a folder should be there; move it "
                                  "away or choose another folder")
                .arg(shownPath(at));
        if (last && s.type() != fs::file_type::regular)
            return QCoreApplication::translate("FileAccess", "%1 cannot be replaced: %2; remove it or choose another folder")
                .arg(shownPath(at), kindOf(s.type()));
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
    QT_TRANSLATE_NOOP("FileAccess", "too many open files"),
    QT_TRANSLATE_NOOP("FileAccess", "too many open files in system"),
};

QString reason(int error)
{
    QString english;
    // English whatever language the system speaks: the messages' own translation decides.
    english = smallFirst(Platform::englishText(error));
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
    case EMFILE:
        return QCoreApplication::translate("FileAccess", "this program has too many files open at once; close it, start "
                                                         "it again and try once more");
    case ENFILE:
        return QCoreApplication::translate("FileAccess", "the computer has too many files open at once; close some "
                                                         "programs and try again");
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

QString whatIsAt(const QString &path)
{
    std::error_code ec;
    const fs::file_type type = fs::status(fsPath(path), ec).type();
    switch (type) {
    case fs::file_type::directory:
    case fs::file_type::character:
    case fs::file_type::block:
    case fs::file_type::fifo:
    case fs::file_type::socket:
        return whatItIs(type);
    default:
        return {};
    }
}

QFileDevice::Permissions programPermissions()
{
    using P = QFileDevice;
    const unsigned mode = 0755 & ~Platform::creationMask();
    QFileDevice::Permissions permissions;
    const auto set = [&](unsigned bit, QFileDevice::Permissions flags) {
        if (mode & bit)
            permissions |= flags;
    };
    set(0400, P::ReadOwner | P::ReadUser);
    set(0200, P::WriteOwner | P::WriteUser);
    set(0100, P::ExeOwner | P::ExeUser);
    set(0040, P::ReadGroup);
    set(0020, P::WriteGroup);
    set(0010, P::ExeGroup);
    set(0004, P::ReadOther);
    set(0002, P::WriteOther);
    set(0001, P::ExeOther);
    return permissions;
}

QString windowsDevice(const QString &name)
{
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|CONIN\\$|CONOUT\\$|(COM|LPT)[0-9\u00b9\u00b2\u00b3]) *$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString stem = name.section(u'.', 0, 0);
    return device.match(stem).hasMatch() ? stem.trimmed().toUpper() : QString();
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
    QString have = size(bytes);
    QString most = size(maxBytes);
    // Rounded alike, the sizes would read as equal: then in bytes.
    if (have == most) {
        have = QCoreApplication::translate("FileAccess", "%1 bytes").arg(bytes);
        most = QCoreApplication::translate("FileAccess", "%1 bytes").arg(maxBytes);
    }
    return QCoreApplication::translate("FileAccess", "it is %1, larger than %2").arg(have, most);
}

Read read(const QString &path, qint64 maxBytes, Links links)
{
    if (const QString why = notAFile(path, links); !why.isEmpty()) {
        Read r;
        r.problem = why;
        return r;
    }
    return Platform::readPlainFile(path, maxBytes, links);
}

QString writeAll(const QString &root, const QList<Output> &files) { return tryWriteAll(root, files, LockWait::Wait).error; }

Attempt tryWriteAll(const QString &root, const QList<Output> &files, LockWait wait)
{
    const fs::path top = fsPath(root);
    std::error_code ec;
    if (fs::symlink_status(top, ec).type() != fs::file_type::not_found) {
        const fs::file_status s = fs::status(top, ec);
        if (s.type() == fs::file_type::not_found)
            return {QCoreApplication::translate("FileAccess", "%1 is a link to \"%2\", which does not exist; choose another folder")
                        .arg(printablePath(root), shownPath(fs::read_symlink(top, ec)))};
        if (ec)
            return {failed(QCoreApplication::translate("FileAccess", "write in"), root, ec.value())};
        if (s.type() != fs::file_type::directory)
            return {QCoreApplication::translate("FileAccess", "%1 is not a folder but %2; choose another folder").arg(printablePath(root), whatItIs(s.type()))};
    }
    for (const Output &o : files)
        if (const QString why = checkTarget(top, o.path); !why.isEmpty())
            return {why};

    Transaction t(std::size_t(files.size()));
    std::set<fs::path> folders; // in one order for every save, so that two never wait for each other's locks
    for (const Output &o : files) {
        const fs::path folder = (top / fsPath(o.path)).parent_path();
        if (const Fault f = t.makeFolders(folder); f.happened())
            return {f.full()};
        folders.insert(folder);
    }
    for (const fs::path &folder : folders)
        if (!t.made(folder))
            if (const Fault f = t.lock(folder, {}, wait); f.happened())
                return {f.full(), f.busy};
    for (const Output &o : files)
        if (const Fault f = t.write(top / fsPath(o.path), o.bytes, o.permissions); f.happened())
            return {f.full()};
    const Fault f = t.commit();
    return {f.happened() ? f.full() : QString()};
}

QString writeFile(const QString &path, const QByteArray &bytes, std::optional<QFileDevice::Permissions> permissions)
{
    const fs::path target = fsPath(QFileInfo(path).absoluteFilePath());
    const fs::path folder = target.parent_path();
    std::error_code ec;
    const fs::file_status in = fs::status(folder, ec);
    if (in.type() != fs::file_type::directory)
        return reason(ENOENT) + QStringLiteral("; ") + writeAdvice(ENOENT);
    const fs::file_type type = fs::symlink_status(target, ec).type();
    if (type != fs::file_type::not_found && type != fs::file_type::regular && type != fs::file_type::symlink)
        return kindOf(type) + QCoreApplication::translate("FileAccess", "; remove it or choose another name");
    Transaction t;
    if (const Fault f = t.lock(folder, qPath(target.filename())); f.happened())
        return f.brief();
    if (const Fault f = t.write(target, bytes, permissions); f.happened())
        return f.brief();
    const Fault f = t.commit();
    return f.happened() ? f.brief() : QString();
}

QString finishSaving(const QString &folder) { return tryFinishSaving(folder, LockWait::Wait).error; }

Attempt tryFinishSaving(const QString &folder, LockWait wait)
{
    const fs::path f = fsPath(folder);
    if (!hasLeftovers(f))
        return {};
    Fault fault;
    const std::unique_ptr<QLockFile> lock = lockFolder(f, &fault, wait);
    if (!lock)
        return {fault.full(), fault.busy};
    fault = finishLocked(f);
    return {fault.happened() ? fault.full() : QString()};
}

QString finishForReading(const QString &folder)
{
    const fs::path f = fsPath(folder);
    const QStringList all = names(f);
    // Temporary files alone, or the lock, are of a save that never counted: the files are the
    // old ones, whole. A journal with renames still to do, or a file moved aside and not back,
    // leaves the folder between the old test and the new.
    std::error_code ec;
    const auto isFile = [&](const QString &name) {
        return fs::symlink_status(f / fsPath(name), ec).type() == fs::file_type::regular;
    };
    const bool mixed = std::any_of(all.cbegin(), all.cend(), [&](const QString &name) {
        QString target;
        switch (leftover(name, &target)) {
        case Leftover::Journal: {
            const auto renames = journalRenames(read(qPath(f / fsPath(name)), MaxJournalBytes, Links::Refuse).bytes);
            return std::any_of(renames.cbegin(), renames.cend(), [&](const auto &r) { return isFile(r.first); });
        }
        case Leftover::MovedAside:
            return fs::symlink_status(f / fsPath(target), ec).type() == fs::file_type::not_found;
        default:
            return false;
        }
    });
    if (!mixed)
        return {};
    Fault fault;
    if (const std::unique_ptr<QLockFile> lock = lockFolder(f, &fault, LockWait::Wait))
        fault = finishLocked(f);
    if (!fault.happened())
        return {};
    if (!fault.message.isEmpty()) // another program saves into the folder just now
        return fault.message;
    return QCoreApplication::translate("FileAccess", "a save into %1 was cut short, so some of its files are new and others "
                                                     "still old; finishing it needs to write in the folder, and that failed "
                                                     "(%2). Open the test in the KAZ editor where you may write to the "
                                                     "folder, or copy the whole folder, its hidden files too, to a folder of "
                                                     "your own and use the copy")
        .arg(printablePath(folder), fault.why.isEmpty() ? reason(fault.error) : fault.why);
}

bool sameFile(const QString &a, const QString &b)
{
    std::error_code ec;
    return fs::equivalent(fsPath(a), fsPath(b), ec) && !ec;
}

void setStepHook(std::function<void(const QString &step, const QString &path)> hook) { stepHook() = std::move(hook); }

void setFaultHook(std::function<int(const QString &step, const QString &path)> hook) { faultHook() = std::move(hook); }

} // namespace FileAccess

namespace FileAccess::Shared {

QString smallFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

QString linkRefused(const QString &target)
{
    return QCoreApplication::translate("FileAccess", "the file is a symbolic link%1; put the file itself in its place, not a link to it")
        .arg(target.isEmpty() ? QString() : QCoreApplication::translate("FileAccess", " (to \"%1\")").arg(target));
}

Read tooLargeRead(qint64 bytes, qint64 maxBytes)
{
    Read r;
    r.tooLarge = true;
    r.problem = tooLarge(bytes, maxBytes);
    return r;
}

} // namespace FileAccess::Shared
