#include "KazpackCommands.h"

#include "ContentStore.h"
#include "DesktopFiles.h"
#include "FileAccess.h"
#include "PackedQuiz.h"
#include "Packing.h"
#include "Printing.h"
#include "ProgramMenu.h"
#include "ScormPackage.h"
#include "QuizFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cerrno>

namespace KazpackCommands {

namespace {

QString usageText()
{
    return QCoreApplication::translate("Kazpack",
                                       "usage: kazpack FOLDER [-o PROGRAM] [--windows|--linux|--web] [--force] [--runner RUNNER] [--desktop]\n"
                                       "       kazpack FOLDER --scorm [-o PACKAGE] [--pass-mark N|none] [--learner-name] [--force] [--runner PAGE]\n"
                                       "       kazpack FOLDER -o PROGRAM --remove-first [--windows|--linux|--web] [--runner RUNNER] [--depfile FILE]\n"
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

struct PackOptions
{
    QString folder;
    QString output;
    QString runner;
    bool defaultRunner = true;
    Packing::System target = Packing::thisSystem();
    bool force = false;
    bool removeFirst = false;
    bool desktop = false;
    QString depfile;
    std::optional<ScormPackage::Settings> scorm; // a SCORM package of the test page
};

int pack(PackOptions o, QTextStream &out, QTextStream &err)
{
    if (o.output.isEmpty())
        o.output = o.scorm ? ScormPackage::fileName(Packing::folderName(o.folder)) : Packing::programName(o.folder, o.target);
    Packing::Names names;
    names.test = o.folder;
    names.runner = o.runner;
    names.installedRunner = o.defaultRunner;
    names.target = o.target;
    names.asked = o.output;

    // The same check as kazcheck's, with the same messages; what is packed must be the files
    // themselves, so a link among them is one more problem.
    Packing::Result result = Packing::pack(QuizFolder::check(o.folder, FileAccess::Links::Refuse), Packing::readRunner(o.runner),
                                           o.target);
    if (o.scorm && result.ok()) {
        // The page packed into a package a learning platform plays.
        const QString title = ScormPackage::title(result.checked.store, Packing::folderName(o.folder));
        result.program = ScormPackage::make(result.program, Packing::programName(o.folder, Packing::System::Web), title, *o.scorm);
    }
    // Where the program goes, before anything is removed: never a file of the test itself.
    Packing::checkTarget(result, o.output, o.force || o.removeFirst, o.folder);
    names.program = result.path;
    if (result.failure == Packing::Failure::NameRefused || result.failure == Packing::Failure::TargetIsQuizFile) {
        Packing::print(err, result, names);
        return Problem;
    }
    if (!o.depfile.isEmpty() && !Packing::ownFile(o.folder, result.checked, o.depfile).isEmpty()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: this is one of the test's own files; give the list of the "
                                                      "program's files another name")
                   .arg(printablePath(o.depfile))
            << '\n';
        return Problem;
    }
    const QFileInfo target(result.path);
    // The build's way: a failed pack leaves no program that still runs the test as it was.
    if (o.removeFirst && (target.isFile() || target.isSymLink())) {
        if (!QFile::remove(result.path)) {
            err << QCoreApplication::translate("Kazpack", "%1: error: the old program cannot be removed; make its folder writable, or "
                                              "remove the file by hand")
                       .arg(printablePath(result.path))
                << '\n';
            return Problem;
        }
        o.force = true;
    }
    names.oldProgram = QFileInfo(result.path).isFile();

    const QString absolute = QFileInfo(result.path).absoluteFilePath();
    DesktopFiles::Program program;
    if (result.ok() && o.desktop) {
        program = DesktopFiles::describe(ContentStore::item(result.checked.store.Danni(3), 0), Packing::folderName(o.folder),
                                         QFileInfo(result.path).fileName());
        program.path = absolute;
        program.folder = QDir(o.folder).canonicalPath();
        if (std::any_of(absolute.cbegin(), absolute.cend(), [](QChar c) { return c.unicode() < 0x20; })) {
            err << QCoreApplication::translate("Kazpack", "%1: error: a menu entry cannot start a program whose path holds control "
                                              "characters; write the program to another folder with -o")
                       .arg(printablePath(result.path))
                << '\n';
            if (names.oldProgram)
                err << Packing::oldProgramNote(result.path) << '\n';
            return Problem;
        }
    }
    Packing::write(result, o.output, o.force, o.folder);
    Packing::print(err, result, names);
    if (!result.ok())
        return Problem;
    out << printablePath(result.path) << '\n';

    if (!o.depfile.isEmpty()) {
        QString rule = makePath(absolute) + u':';
        for (const PackedQuiz::File &f : result.checked.files)
            rule += u' ' + makePath(QFileInfo(QDir(o.folder).filePath(f.name)).absoluteFilePath());
        if (const QString error = FileAccess::writeFile(o.depfile, (rule + u'\n').toUtf8()); !error.isEmpty()) {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the list of the program's files: %2")
                       .arg(printablePath(o.depfile), Packing::writeFailure(o.depfile, error))
                << '\n';
            return Problem;
        }
    }
    if (o.desktop && !ProgramMenu::write(program, result.checked.icon, out, err))
        return Problem;
    return Done;
}

int extract(const QString &programPath, const QString &folderPath, QTextStream &out, QTextStream &err)
{
    const PackedQuiz::Contents contents = PackedQuiz::read(programPath);
    if (!contents.ok()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: the test cannot be taken out: %2").arg(printablePath(programPath), contents.reason)
            << Packing::faultAdvice(contents.fault) << '\n';
        return Problem;
    }
    const QDir folder(folderPath);
    if (exists(folderPath) && !QFileInfo(folderPath).isDir()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: this is a file, not a folder; give a new or empty folder")
                   .arg(printablePath(folderPath))
            << '\n';
        return Problem;
    }
    QStringList taken;
    for (const PackedQuiz::File &f : contents.files)
        if (exists(folder.filePath(f.name)))
            taken << folder.filePath(f.name);
    if (!taken.isEmpty()) {
        for (const QString &path : std::as_const(taken))
            err << QCoreApplication::translate("Kazpack", "%1: error: the file already exists and is kept").arg(printablePath(path)) << '\n';
        err << QCoreApplication::translate("Kazpack", "kazpack: error: nothing was taken out; give a new or empty folder") << '\n';
        return Problem;
    }
    const bool made = !folder.exists();
    if (made && !QDir().mkpath(folderPath)) {
        err << QCoreApplication::translate("Kazpack", "%1: error: the folder cannot be made here").arg(printablePath(folderPath)) << '\n';
        return Problem;
    }
    QStringList written;
    for (const PackedQuiz::File &f : contents.files) {
        QFile file(folder.filePath(f.name));
        // NewOnly: a file that appeared since the check above is not replaced either.
        const bool opened = file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
        if (opened)
            written << file.fileName();
        const int error = opened ? writeAll(file, f.bytes) : errno;
        if (!opened || error >= 0) {
            err << QCoreApplication::translate("Kazpack", "%1: error: cannot write the file: %2")
                       .arg(printablePath(file.fileName()),
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
    out << printablePath(folderPath) << '\n';
    return Done;
}

int list(const QString &programPath, QTextStream &out, QTextStream &err)
{
    const PackedQuiz::Contents contents = PackedQuiz::read(programPath);
    if (!contents.ok()) {
        err << QCoreApplication::translate("Kazpack", "%1: error: %2").arg(printablePath(programPath), contents.reason) << Packing::faultAdvice(contents.fault) << '\n';
        return Problem;
    }
    qint64 total = 0;
    for (const PackedQuiz::File &f : contents.files)
        total += f.bytes.size();
    out << (contents.files.size() == 1
                ? QCoreApplication::translate("Kazpack", "%1: packed format %2, 1 file, %3 bytes")
                      .arg(programPath, QString::number(contents.version), QString::number(total))
                : QCoreApplication::translate("Kazpack", "%1: packed format %2, %3 files, %4 bytes")
                      .arg(programPath, QString::number(contents.version), QString::number(contents.files.size()),
                           QString::number(total)))
        << '\n';
    const int width = int(QString::number(total).size());
    for (const PackedQuiz::File &f : contents.files)
        out << QStringLiteral("%1  %2\n").arg(f.bytes.size(), width).arg(printableName(f.name));
    return Done;
}

int removeDesktop(const QString &programPath, QTextStream &out, QTextStream &err)
{
    const QString path = QFileInfo(programPath).absoluteFilePath();
    bool ok = true;
    const QStringList removed = ProgramMenu::remove(path, err, &ok);
    for (const QString &f : removed)
        out << printablePath(f) << '\n';
    if (removed.isEmpty() && ok) {
        err << ProgramMenu::nothingRemoved(programPath) << '\n';
        return Problem;
    }
    return ok ? Done : Problem;
}

} // namespace

QString help()
{
    return usageText() + QCoreApplication::translate("Kazpack", R"(
Makes a test folder into one program file that runs the test with nothing beside it.

  kazpack FOLDER          checks the test in FOLDER (its test.kaz and the pictures it names,
                          by the same rules as the build) and writes the program kaz-FOLDER
                          in the current folder. On any problem it writes nothing and lists
                          every problem, each with the file, the line and how to mend it.
  --windows               make a program for Windows, kaz-FOLDER.exe, with the Windows quiz
                          runner installed with kazpack (kazrunner.exe)
  --linux                 make a program for Linux, kaz-FOLDER, with the Linux quiz runner
                          installed with kazpack (kazrunner)
  --web                   make a test page, kaz-FOLDER.html: one file that plays the test in
                          any current web browser (phones, tablets, Chromebooks, Macs and
                          computers alike), opened from the disk, a message or a web site,
                          with nothing to install and no network; made with the page
                          installed with kazpack (kazweb.html). Without --windows, --linux
                          or --web, the program is for the system kazpack runs on, or for
                          that of RUNNER
  --scorm                 make a SCORM package, kaz-FOLDER-scorm.zip, for Moodle and other
                          learning platforms: the test page and its imsmanifest.xml. Played
                          in the platform, the page reports each learner's score (the
                          percent of "Верни: N%"), passed or failed, each pair chosen and the
                          time spent; opened alone, it plays as the plain test page
  --pass-mark N|none      with --scorm: the percent a learner needs to pass (default 50);
                          none: the attempt is only marked completed
  --learner-name          with --scorm: the learner's name from the platform stands in the
                          caption's place
  -o, --output PROGRAM    write the program to PROGRAM instead: never one of the test's own
                          files; a program for Windows gets .exe when PROGRAM lacks it, a
                          test page .html, and
                          a name Windows cannot hold (CON, NUL.exe, a dot or a space at the
                          end, < > : " | ? *) is refused
  --force                 replace PROGRAM when it already exists; when packing fails, a
                          PROGRAM that was there is left as it was, with its old test
  --remove-first          for builds: remove PROGRAM before anything else, so that when
                          packing fails there is no program that still runs the old test
  --runner RUNNER         the quiz runner to pack the test with, for example one built for
                          Windows, or a test program whose own test is then replaced;
                          without it, the runner installed with kazpack
%1  --extract PROGRAM FOLDER
                          gives back the test folder of PROGRAM (FOLDER is made when needed;
                          no file in it is ever replaced); packing it again gives the same
                          program, byte for byte
  --list PROGRAM          lists the files PROGRAM holds with their sizes in bytes
                          (--extract and --list read programs for Linux and for Windows,
                          and test pages)
  --depfile FILE          for build systems: write the files the program was made of to FILE
                          as a Makefile rule

Exit status: 0 done, 1 a problem (nothing written), 2 a mistake in the command line.
)").arg(ProgramMenu::help());
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
    const QCommandLineOption forWindows(QStringLiteral("windows"), {});
    const QCommandLineOption forLinux(QStringLiteral("linux"), {});
    const QCommandLineOption forWeb(QStringLiteral("web"), {});
    const QCommandLineOption scorm(QStringLiteral("scorm"), {});
    const QCommandLineOption passMark(QStringLiteral("pass-mark"), {}, QStringLiteral("N"));
    const QCommandLineOption learnerName(QStringLiteral("learner-name"), {});
    parser.addOptions({helpOption, output, force, removeFirst, runner, desktop, remove, extractOption, listOption, depfile,
                       forWindows, forLinux, forWeb, scorm, passMark, learnerName});

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
    for (const QCommandLineOption *o : {&output, &runner, &depfile, &passMark})
        if (parser.values(*o).size() > 1)
            return usage(QCoreApplication::translate("Kazpack", "--%1 is given more than once").arg(o->names().constLast()));
    const QStringList args = parser.positionalArguments();
    const auto onlyWhenPacking = [&]() -> QString {
        for (const QCommandLineOption *o : {&output, &force, &removeFirst, &runner, &depfile, &forWindows, &forLinux, &forWeb, &scorm,
                                            &passMark, &learnerName})
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
    if (int(parser.isSet(forWindows)) + int(parser.isSet(forLinux)) + int(parser.isSet(forWeb)) > 1)
        return usage(QCoreApplication::translate("Kazpack", "give one of --windows, --linux and --web: a program runs on one system"));
    PackOptions o;
    if ((parser.isSet(passMark) || parser.isSet(learnerName)) && !parser.isSet(scorm))
        return usage(QCoreApplication::translate("Kazpack", "--%1 belongs to --scorm").arg(parser.isSet(passMark) ? QStringLiteral("pass-mark") : QStringLiteral("learner-name")));
    if (parser.isSet(scorm)) {
        if (parser.isSet(forWindows) || parser.isSet(forLinux) || parser.isSet(desktop))
            return usage(QCoreApplication::translate("Kazpack", "--scorm makes a package of the test page: it goes without --windows, --linux "
                                                                "and --desktop"));
        ScormPackage::Settings settings;
        settings.learnerName = parser.isSet(learnerName);
        if (parser.isSet(passMark)) {
            const QString mark = parser.value(passMark).trimmed();
            bool number = false;
            const int percent = mark.endsWith(u'%') ? mark.chopped(1).toInt(&number) : mark.toInt(&number);
            if (mark == u"none")
                settings.passMark.reset();
            else if (!number || percent < 0 || percent > 100)
                return usage(QCoreApplication::translate("Kazpack", "--pass-mark takes a percent from 0 to 100, or none; %1 is neither")
                                 .arg(printableName(mark)));
            else
                settings.passMark = percent;
        }
        o.scorm = settings;
    }
    o.folder = args.constFirst();
    o.output = parser.value(output);
    o.defaultRunner = !parser.isSet(runner);
    // A runner given chooses the system unless one is asked for.
    if (parser.isSet(forWindows))
        o.target = Packing::System::Windows;
    else if (parser.isSet(forLinux))
        o.target = Packing::System::Linux;
    else if (parser.isSet(forWeb) || o.scorm)
        o.target = Packing::System::Web;
    else if (!o.defaultRunner)
        o.target = Packing::systemOfFile(parser.value(runner)).value_or(Packing::thisSystem());
    o.runner = o.defaultRunner ? Packing::runnerBeside(defaultRunner, o.target) : parser.value(runner);
    if (parser.isSet(desktop) && o.target == Packing::System::Web)
        return usage(QCoreApplication::translate("Kazpack", "--desktop adds a program to this system's menu; a test page opens "
                                                            "in a web browser"));
    if (parser.isSet(desktop) && o.target != Packing::thisSystem())
        return usage(QCoreApplication::translate("Kazpack", "--desktop adds a program to this system's menu; a program for %1 "
                                                            "goes to a computer with %1")
                         .arg(Packing::systemName(o.target)));
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

} // namespace KazpackCommands
