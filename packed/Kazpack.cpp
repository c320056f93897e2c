#include "Kazpack.h"

#include "DesktopFiles.h"
#include "FileAccess.h"
#include "KazIconDrawing.h"
#include "PackedTest.h"
#include "Printing.h"
#include "TestFolder.h"

#include <QImage>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace Kazpack {

namespace {

QString usageText()
{
    return QCoreApplication::translate("Kazpack",
                                       "usage: kazpack FOLDER [-o PROGRAM] [--force] [--runner RUNNER] [--desktop]\n"
                                       "       kazpack FOLDER -o PROGRAM --remove-first [--runner RUNNER] [--depfile FILE]\n"
                                       "       kazpack --extract PROGRAM FOLDER\n"
                                       "       kazpack --list PROGRAM\n"
                                       "       kazpack --desktop --remove PROGRAM\n"
                                       "       kazpack --help\n");
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// rwxr-xr-x less what the user's umask takes away, as a compiler gives its programs.
QFileDevice::Permissions executablePermissions()
{
    using P = QFileDevice;
    unsigned mode = 0755;
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~unsigned(mask);
#endif
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

// Writes `bytes` to `path` through a temporary file that replaces it only when complete; a
// link at `path` is replaced itself, so that nothing outside the path given is written.
bool save(const QString &path, const QByteArray &bytes, QString *error,
          std::optional<QFileDevice::Permissions> permissions = std::nullopt)
{
    *error = FileAccess::writeFile(path, bytes, permissions);
    return error->isEmpty();
}

// Writes all of `bytes` to `file`, open without a buffer, so that a failure is that of the
// system's own call: -1 when all were written, otherwise the system's error number, 0 when it
// gave none. A write that stops short (a disk that fills up) is taken up again until it fails.
int writeAll(QFile &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return errno;
        done += n;
    }
    return -1;
}

// Why `path` was not written: FileAccess's `error`, or that its folder is missing.
QString writeFailure(const QString &path, const QString &error)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return QCoreApplication::translate("Kazpack", "the folder %1 does not exist; %2")
            .arg(printableName(QDir::toNativeSeparators(folder.filePath())), FileAccess::writeAdvice(ENOENT));
    return error;
}

// A path in a Makefile rule, as depfiles write it.
QString makePath(const QString &path)
{
    QString escaped;
    for (QChar c : path) {
        if (c == u' ' || c == u'#' || c == u'\\')
            escaped += u'\\';
        if (c == u'$')
            escaped += u'$';
        escaped += c;
    }
    return escaped;
}

QString programFileName(const QString &program)
{
    return QFileInfo(program).fileName();
}

// The test folder's name: the last part of its absolute path.
QString folderName(const QString &folder)
{
    const QString name = QFileInfo(QDir(folder).absolutePath()).fileName();
    return name.isEmpty() ? QStringLiteral("test") : name;
}

// What `info` is when it is there but no plain file: "a folder", "a device", …
QString whatItIs(const QFileInfo &info)
{
    if (info.isDir())
        return QCoreApplication::translate("Kazpack", "a folder");
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::stat(QFile::encodeName(info.filePath()).constData(), &st) == 0) {
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
            return QCoreApplication::translate("Kazpack", "a device");
        if (S_ISFIFO(st.st_mode))
            return QCoreApplication::translate("Kazpack", "a named pipe (FIFO)");
        if (S_ISSOCK(st.st_mode))
            return QCoreApplication::translate("Kazpack", "a socket");
    }
#endif
    return QCoreApplication::translate("Kazpack", "something other than a file");
}

// A Windows program starts with "MZ"; its copies keep the .exe ending.
bool isWindowsProgram(const QByteArray &runner)
{
    return runner.startsWith("MZ");
}

QString advice(PackedTest::Fault fault)
{
    switch (fault) {
    case PackedTest::Fault::NoTest: return QCoreApplication::translate("Kazpack", "; it is no test program made by kazpack");
    case PackedTest::Fault::Damaged: return QCoreApplication::translate("Kazpack", "; ask for the program again, or make it again");
    case PackedTest::Fault::NewerVersion: return QCoreApplication::translate("Kazpack", "; use the kazpack of a newer KAZ");
    case PackedTest::Fault::Unreadable:
    case PackedTest::Fault::None: break;
    }
    return {};
}

// The desktop's own files of `program`: its menu entry and its icon at every size.
class DesktopEntry
{
public:
    explicit DesktopEntry(const QString &dataHome)
        : m_share(dataHome)
    {
    }
    QString entry(const QString &id) const { return m_share.filePath(QStringLiteral("applications/%1.desktop").arg(id)); }
    QString iconPath(const QString &id, int size) const
    {
        return m_share.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
    }

    // The icon is the test's own `icon` (icon.png's bytes) when it has one, else KAZ's. The
    // entry takes the id that place() gives, and says so where that is not the plain one.
    bool write(DesktopFiles::Program program, const QByteArray &icon, QTextStream &out, QTextStream &err) const
    {
        const QImage own = icon.isEmpty() ? QImage() : QImage::fromData(icon, "PNG");
        const Place place = this->place(program);
        program.id = place.id;
        QString error;
        const QString path = entry(program.id);
        if (!QDir().mkpath(QFileInfo(path).path())
            || !save(path, DesktopFiles::desktopEntry(program).toUtf8(), &error)) {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the menu entry: %2").arg(printableName(path), error) << '\n';
            return false;
        }
        out << printableName(path) << '\n';
        for (int size : KazIconDrawing::sizes()) {
            const QString png = iconPath(program.id, size);
            if (!QDir().mkpath(QFileInfo(png).path()) || !save(png, KazIconDrawing::png(size, own), &error)) {
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

    // Removes the entries whose program is `path`, with their icons; the files removed.
    QStringList remove(const QString &path, QTextStream &err, bool *ok) const
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

private:
    struct Place
    {
        QString id;
        QString before;     // the program the entry started until now, when another one
        QString other;      // the program that keeps the plain id, when this one takes another
        QString otherEntry; // that program's entry
    };

    // Where the entry of `program` goes among the entries of its id, plain (bg.kaz.mytest) or
    // numbered (bg.kaz.mytest_2): to the one that starts it already; to the one made from its
    // folder (the program was made again elsewhere, and its entry follows it); else to the
    // first id that is free or whose program is no longer there. So a test from another
    // folder of the same name never takes the entry of one that is still there.
    Place place(const DesktopFiles::Program &program) const
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

    QDir m_share;
};

struct PackOptions
{
    QString folder;
    QString output;
    QString runner;
    bool defaultRunner = true;
    bool force = false;
    bool removeFirst = false;
    bool desktop = false;
    QString depfile;
};

// What became of the program file that was there before a pack that failed.
enum class Old { None, KeptUnasked, Kept };

int packTo(const PackOptions &o, Old *old, QTextStream &out, QTextStream &err)
{
    // The same check as kazcheck's, with the same messages; what is packed must be the files
    // themselves, so a link among them is one more problem.
    const TestFolder::Checked checked = TestFolder::check(o.folder, FileAccess::Links::Refuse);
    TestFolder::printProblems(err, checked, QCoreApplication::translate("Kazpack", "no program was written"));
    if (!checked.ok())
        return Problem;

    if (const QFileInfo info(o.runner); !info.isFile()) {
        const bool there = info.exists();
        if (o.defaultRunner && !there)
            err << QCoreApplication::translate("Kazpack", "kazpack: error: the quiz runner is not at %1; install KAZ again, or give a "
                                              "runner with --runner RUNNER")
                       .arg(printableName(o.runner))
                << '\n';
        else if (o.defaultRunner)
            err << QCoreApplication::translate("Kazpack", "kazpack: error: the quiz runner %1 is %2, not a program file; install KAZ "
                                                          "again, or give a runner with --runner RUNNER")
                       .arg(printableName(o.runner), whatItIs(info))
                << '\n';
        else if (!there)
            err << QCoreApplication::translate("Kazpack", "%1: error: there is no such runner; give the path of the quiz runner "
                                              "(kazrunner) or of a test program")
                       .arg(printableName(o.runner))
                << '\n';
        else
            err << QCoreApplication::translate("Kazpack", "%1: error: this is %2, not a quiz runner; give the path of the quiz "
                                                          "runner (kazrunner) or of a test program")
                       .arg(printableName(o.runner), whatItIs(info))
                << '\n';
        return Problem;
    }
    const PackedTest::Runner runner = PackedTest::runnerPart(o.runner);
    if (!runner.ok()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: cannot use this runner: %2").arg(printableName(o.runner), runner.reason)
            << advice(runner.fault) << '\n';
        return Problem;
    }
    // Any other file would become a "program" that runs as a script or not at all.
    const qint64 format = PackedTest::runnerFormat(runner.bytes);
    if (format < 0) {
        err << QCoreApplication::translate("Kazpack", "%1: error: this is not a KAZ quiz runner (kazrunner or a KAZ test "
                                                      "program); %2")
                   .arg(printableName(o.runner),
                        o.defaultRunner
                            ? QCoreApplication::translate("Kazpack", "install KAZ again, or give the path of kazrunner "
                                                                     "with --runner")
                            : QCoreApplication::translate("Kazpack", "give the path of kazrunner, for example "
                                                                     "/usr/libexec/kaz/kazrunner"))
            << '\n';
        return Problem;
    }
    if (format < PackedTest::Version) {
        err << QCoreApplication::translate("Kazpack", "%1: error: this runner reads only packed format %2, older than "
                                                      "format %3 that this kazpack writes; use the kazrunner that came "
                                                      "with this kazpack")
                   .arg(o.runner, QString::number(format), QString::number(PackedTest::Version))
            << '\n';
        return Problem;
    }
    QString problem;
    const QByteArray tail = PackedTest::tail(checked.files, &problem);
    if (tail.isEmpty()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: the test cannot be packed: %2").arg(printableName(o.folder), problem) << '\n';
        return Problem;
    }

    const QString &output = o.output;
    const QFileInfo target(output);
    if (target.isDir()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: this is a folder; give the program's file name with -o, for "
                                          "example -o %2")
                   .arg(printableName(output), printableName(QDir(output).filePath(QStringLiteral("kaz-") + folderName(o.folder))))
            << '\n';
        return Problem;
    }
    if (exists(output) && !o.force) {
        *old = Old::KeptUnasked;
        err << QCoreApplication::translate("Kazpack", "%1: error: the file already exists and is kept; give --force to replace it, "
                                          "or another name with -o PROGRAM")
                   .arg(printableName(output))
            << '\n';
        return Problem;
    }
    const QString absolute = target.absoluteFilePath();
    DesktopFiles::Program program;
    if (o.desktop) {
        program = DesktopFiles::describe(ContentStore::item(checked.store.Danni(3), 0), folderName(o.folder),
                                         programFileName(output));
        program.path = absolute;
        program.folder = QDir(o.folder).canonicalPath();
        if (std::any_of(absolute.cbegin(), absolute.cend(), [](QChar c) { return c.unicode() < 0x20; })) {
            err << QCoreApplication::translate("Kazpack", "%1: error: a menu entry cannot start a program whose path holds control "
                                              "characters; write the program to another folder with -o")
                       .arg(printableName(output))
                << '\n';
            return Problem;
        }
    }

    QString error;
    if (!save(output, runner.bytes + tail, &error, executablePermissions())) {
        err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the program: %2")
                   .arg(printableName(output), writeFailure(output, error))
            << '\n';
        return Problem;
    }
    *old = Old::None;
    out << printableName(output) << '\n';

    if (!o.depfile.isEmpty()) {
        QString rule = makePath(absolute) + u':';
        for (const PackedTest::File &f : checked.files)
            rule += u' ' + makePath(QFileInfo(QDir(o.folder).filePath(f.name)).absoluteFilePath());
        if (!save(o.depfile, (rule + u'\n').toUtf8(), &error)) {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the list of the program's files: %2")
                       .arg(printableName(o.depfile), writeFailure(o.depfile, error))
                << '\n';
            return Problem;
        }
    }
    if (o.desktop && !DesktopEntry(dataHome()).write(program, checked.icon, out, err))
        return Problem;
    return Done;
}

int pack(PackOptions o, QTextStream &out, QTextStream &err)
{
    if (o.output.isEmpty())
        o.output = programName(o.folder, o.runner);
    const QFileInfo target(o.output);
    // The build's way: a failed pack leaves no program that still runs the test as it was.
    if (o.removeFirst && (target.isFile() || target.isSymLink())) {
        if (!QFile::remove(o.output)) {
            err << QCoreApplication::translate("Kazpack", "%1: error: the old program cannot be removed; make its folder writable, or "
                                              "remove the file by hand")
                       .arg(printableName(o.output))
                << '\n';
            return Problem;
        }
        o.force = true;
    }
    Old old = QFileInfo(o.output).isFile() ? Old::Kept : Old::None;
    const int status = packTo(o, &old, out, err);
    if (status != Done && old == Old::Kept)
        err << QCoreApplication::translate("Kazpack", "%1: note: the program that was already there is left as it was and still "
                                          "holds the old test, not this one; mend what is said above and pack again")
                   .arg(printableName(o.output))
            << '\n';
    return status;
}

int extract(const QString &programPath, const QString &folderPath, QTextStream &out, QTextStream &err)
{
    const PackedTest::Contents contents = PackedTest::read(programPath);
    if (!contents.ok()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: the test cannot be taken out: %2").arg(printableName(programPath), contents.reason)
            << advice(contents.fault) << '\n';
        return Problem;
    }
    const QDir folder(folderPath);
    if (exists(folderPath) && !QFileInfo(folderPath).isDir()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: this is a file, not a folder; give a new or empty folder")
                   .arg(printableName(folderPath))
            << '\n';
        return Problem;
    }
    QStringList taken;
    for (const PackedTest::File &f : contents.files)
        if (exists(folder.filePath(f.name)))
            taken << folder.filePath(f.name);
    if (!taken.isEmpty()) {
        for (const QString &path : std::as_const(taken))
            err << QCoreApplication::translate("Kazpack", "%1: error: the file already exists and is kept").arg(printableName(path)) << '\n';
        err << QCoreApplication::translate("Kazpack", "kazpack: error: nothing was taken out; give a new or empty folder") << '\n';
        return Problem;
    }
    const bool made = !folder.exists();
    if (made && !QDir().mkpath(folderPath)) {
        err << QCoreApplication::translate("Kazpack", "%1: error: the folder cannot be made here").arg(printableName(folderPath)) << '\n';
        return Problem;
    }
    QStringList written;
    for (const PackedTest::File &f : contents.files) {
        QFile file(folder.filePath(f.name));
        // NewOnly: a file that appeared since the check above is not replaced either.
        const bool opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
        if (opened)
            written << file.fileName();
        const int error = opened ? writeAll(file, f.bytes) : errno;
        if (!opened || error >= 0) {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the file: %2")
                       .arg(printableName(file.fileName()),
                            error > 0 ? FileAccess::reason(error) + QStringLiteral("; ") + FileAccess::writeAdvice(error)
                                      : printableName(file.errorString()))
                << '\n';
            file.close();
            for (const QString &w : std::as_const(written))
                QFile::remove(w);
            if (made)
                QDir().rmdir(folderPath);
            err << QCoreApplication::translate("Kazpack", "kazpack: error: nothing was taken out") << '\n';
            return Problem;
        }
    }
    out << printableName(folderPath) << '\n';
    return Done;
}

int list(const QString &programPath, QTextStream &out, QTextStream &err)
{
    const PackedTest::Contents contents = PackedTest::read(programPath);
    if (!contents.ok()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: %2").arg(printableName(programPath), contents.reason) << advice(contents.fault) << '\n';
        return Problem;
    }
    qint64 total = 0;
    for (const PackedTest::File &f : contents.files)
        total += f.bytes.size();
    out << (contents.files.size() == 1
                ? QCoreApplication::translate("Kazpack", "%1: packed format %2, 1 file, %3 bytes")
                      .arg(programPath, QString::number(contents.version), QString::number(total))
                : QCoreApplication::translate("Kazpack", "%1: packed format %2, %3 files, %4 bytes")
                      .arg(programPath, QString::number(contents.version), QString::number(contents.files.size()),
                           QString::number(total)))
        << '\n';
    const int width = int(QString::number(total).size());
    for (const PackedTest::File &f : contents.files)
        out << QStringLiteral("%1  %2\n").arg(f.bytes.size(), width).arg(printableName(f.name));
    return Done;
}

int removeDesktop(const QString &programPath, QTextStream &out, QTextStream &err)
{
    const QString path = QFileInfo(programPath).absoluteFilePath();
    const QString share = dataHome();
    bool ok = true;
    const QStringList removed = DesktopEntry(share).remove(path, err, &ok);
    for (const QString &f : removed)
        out << printableName(f) << '\n';
    if (removed.isEmpty() && ok) {
        err << QCoreApplication::translate("Kazpack", "%1: error: no menu entry in %2 starts this program; nothing was removed")
                   .arg(printableName(programPath), printableName(QDir(share).filePath(QStringLiteral("applications"))))
            << '\n';
        return Problem;
    }
    return ok ? Done : Problem;
}

} // namespace

QString programName(const QString &folder, const QString &runner)
{
    QFile file(runner);
    const bool windows = file.open(QIODevice::ReadOnly) && isWindowsProgram(file.read(2));
    return QStringLiteral("kaz-") + folderName(folder) + (windows ? QStringLiteral(".exe") : QString());
}

QString installedRunner()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(KAZ_RUNNER_FROM_KAZPACK)));
}

QString dataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::home().filePath(QStringLiteral(".local/share"));
}

QString help()
{
    return usageText() + QCoreApplication::translate("Kazpack", R"(
Makes a test folder into one program file that runs the test with nothing beside it.

  kazpack FOLDER          checks the test in FOLDER (its test.kaz and the pictures it names,
                          by the same rules as the build) and writes the program kaz-FOLDER
                          in the current folder. On any problem it writes nothing and lists
                          every problem, each with the file, the line and how to mend it.
  -o, --output PROGRAM    write the program to PROGRAM instead
  --force                 replace PROGRAM when it already exists; when packing fails, a
                          PROGRAM that was there is left as it was, with its old test
  --remove-first          for builds: remove PROGRAM before anything else, so that when
                          packing fails there is no program that still runs the old test
  --runner RUNNER         the quiz runner to pack the test with, for example one built for
                          Windows, or a test program whose own test is then replaced;
                          without it, the runner installed with kazpack
  --desktop               also add the program to your desktop's application menu (a menu
                          entry and icons under $XDG_DATA_HOME or ~/.local/share)
  --desktop --remove PROGRAM
                          take the menu entry and icons of PROGRAM away again
  --extract PROGRAM FOLDER
                          gives back the test folder of PROGRAM (FOLDER is made when needed;
                          no file in it is ever replaced); packing it again gives the same
                          program, byte for byte
  --list PROGRAM          lists the files PROGRAM holds with their sizes in bytes
  --depfile FILE          for build systems: write the files the program was made of to FILE
                          as a Makefile rule

Exit status: 0 done, 1 a problem (nothing written), 2 a mistake in the command line.
)");
}

int run(const QStringList &arguments, const QString &defaultRunner, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {}, QStringLiteral("PROGRAM"));
    const QCommandLineOption force(QStringLiteral("force"), {});
    const QCommandLineOption removeFirst(QStringLiteral("remove-first"), {});
    const QCommandLineOption runner(QStringLiteral("runner"), {}, QStringLiteral("RUNNER"));
    const QCommandLineOption desktop(QStringLiteral("desktop"), {});
    const QCommandLineOption remove(QStringLiteral("remove"), {});
    const QCommandLineOption extractOption(QStringLiteral("extract"), {});
    const QCommandLineOption listOption(QStringLiteral("list"), {});
    const QCommandLineOption depfile(QStringLiteral("depfile"), {}, QStringLiteral("FILE"));
    parser.addOptions({helpOption, output, force, removeFirst, runner, desktop, remove, extractOption, listOption, depfile});

    const auto usage = [&err](const QString &what) {
        err << QCoreApplication::translate("Kazpack", "kazpack: error: %1").arg(what) << '\n' << usageText();
        return Usage;
    };
    if (!parser.parse(QStringList{QStringLiteral("kazpack")} + arguments))
        return usage(printableName(parser.errorText()));
    if (parser.isSet(helpOption)) {
        out << help();
        return Done;
    }
    for (const QCommandLineOption *o : {&output, &runner, &depfile})
        if (parser.values(*o).size() > 1)
            return usage(QCoreApplication::translate("Kazpack", "--%1 is given more than once").arg(o->names().constLast()));
    const QStringList args = parser.positionalArguments();
    const auto onlyWhenPacking = [&]() -> QString {
        for (const QCommandLineOption *o : {&output, &force, &removeFirst, &runner, &depfile})
            if (parser.isSet(*o))
                return QCoreApplication::translate("Kazpack", "--%1 belongs to packing a folder").arg(o->names().constLast());
        return {};
    };

    if (int(parser.isSet(extractOption)) + int(parser.isSet(listOption)) + int(parser.isSet(remove)) > 1)
        return usage(QCoreApplication::translate("Kazpack", "give one of --extract, --list and --remove"));
    if (parser.isSet(extractOption)) {
        if (const QString why = onlyWhenPacking(); !why.isEmpty() || parser.isSet(desktop))
            return usage(why.isEmpty() ? QCoreApplication::translate("Kazpack", "--desktop belongs to packing a folder") : why);
        if (args.size() != 2)
            return usage(QCoreApplication::translate("Kazpack", "--extract takes a program and a folder"));
        return extract(args.at(0), args.at(1), out, err);
    }
    if (parser.isSet(listOption)) {
        if (const QString why = onlyWhenPacking(); !why.isEmpty() || parser.isSet(desktop))
            return usage(why.isEmpty() ? QCoreApplication::translate("Kazpack", "--desktop belongs to packing a folder") : why);
        if (args.size() != 1)
            return usage(QCoreApplication::translate("Kazpack", "--list takes one program"));
        return list(args.at(0), out, err);
    }
    if (parser.isSet(remove)) {
        if (!parser.isSet(desktop))
            return usage(QCoreApplication::translate("Kazpack", "--remove goes with --desktop: kazpack --desktop --remove PROGRAM"));
        if (const QString why = onlyWhenPacking(); !why.isEmpty())
            return usage(why);
        if (args.size() != 1)
            return usage(QCoreApplication::translate("Kazpack", "--desktop --remove takes one program"));
        return removeDesktop(args.at(0), out, err);
    }
    if (args.size() != 1)
        return usage(args.isEmpty() ? QCoreApplication::translate("Kazpack", "give the test folder to pack")
                                    : QCoreApplication::translate("Kazpack", "give one test folder; more were given: %1").arg(printableName(args.join(u' '))));
    PackOptions o;
    o.folder = args.constFirst();
    o.output = parser.value(output);
    o.defaultRunner = !parser.isSet(runner);
    o.runner = o.defaultRunner ? defaultRunner : parser.value(runner);
    o.force = parser.isSet(force);
    o.removeFirst = parser.isSet(removeFirst);
    o.desktop = parser.isSet(desktop);
    o.depfile = parser.value(depfile);
    if (parser.isSet(output) && o.output.isEmpty())
        return usage(QCoreApplication::translate("Kazpack", "-o needs the program's file name"));
    if (o.removeFirst && (!parser.isSet(output) || o.desktop))
        return usage(QCoreApplication::translate("Kazpack", "--remove-first is for builds: it needs -o PROGRAM and goes without --desktop"));
    return pack(o, out, err);
}

} // namespace Kazpack
