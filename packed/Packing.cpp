#include "Packing.h"

#include "FileAccess.h"
#include "Printing.h"
#include "WebPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cerrno>

namespace Packing {

namespace {

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// What `path` is when it is there but no plain file: "a folder", "a device", …
QString whatItIs(const QString &path)
{
    const QString what = FileAccess::whatIsAt(path);
    return what.isEmpty() ? QCoreApplication::translate("Kazpack", "something other than a file") : what;
}

// The runner's file name on `system`: copies of a Windows program keep the .exe ending.
QString runnerFileName(System system)
{
    switch (system) {
    case System::Windows: return QStringLiteral("kazrunner.exe");
    case System::Web: return QStringLiteral("kazweb.html");
    case System::Linux: break;
    }
    return QStringLiteral("kazrunner");
}

// The ending a program for `system` has and is given when its name lacks it: none on Linux.
QString programEnding(System system)
{
    switch (system) {
    case System::Windows: return QStringLiteral(".exe");
    case System::Web: return QStringLiteral(".html");
    case System::Linux: break;
    }
    return {};
}

// Where KAZ's installation puts this system's runner, as an example for the user to follow.
QString installedRunnerExample()
{
#ifdef Q_OS_WIN
    return QStringLiteral("%LOCALAPPDATA%\\Programs\\KAZ\\kazrunner.exe");
#else
    return QStringLiteral("/usr/libexec/kaz/kazrunner");
#endif
}

// One of the test's own files as the messages name it: "test.kaz", "picture "map.png"".
QString ownFileName(const QString &name)
{
    if (name == u"test.kaz")
        return name;
    if (name == QLatin1String(QuizFolder::IconName))
        return QCoreApplication::translate("Kazpack", "icon, %1").arg(name);
    return QCoreApplication::translate("Kazpack", "picture \"%1\"").arg(printableName(name));
}

QString runnerMessage(const Result &result, const Names &names)
{
    const QString runner = printablePath(names.runner);
    switch (result.failure) {
    case Failure::RunnerMissing:
        if (names.installedRunner && names.target != thisSystem())
            return QCoreApplication::translate("Kazpack", "kazpack: error: there is no quiz runner for %1 at %2, so no program "
                                                          "for %1 can be made here; install a KAZ that includes the runner for "
                                                          "%1, or give that runner (%3) with --runner RUNNER")
                .arg(systemName(names.target), runner, runnerFileName(names.target));
        return names.installedRunner
            ? QCoreApplication::translate("Kazpack", "kazpack: error: the quiz runner is not at %1; install KAZ again, or give a "
                                                     "runner with --runner RUNNER")
                  .arg(runner)
            : QCoreApplication::translate("Kazpack", "%1: error: there is no such runner; give the path of the quiz runner "
                                                     "(kazrunner) or of a test program")
                  .arg(runner);
    case Failure::RunnerNotAFile:
        return names.installedRunner
            ? QCoreApplication::translate("Kazpack", "kazpack: error: the quiz runner %1 is %2, not a program file; install KAZ "
                                                     "again, or give a runner with --runner RUNNER")
                  .arg(runner, result.reason)
            : QCoreApplication::translate("Kazpack", "%1: error: this is %2, not a quiz runner; give the path of the quiz "
                                                     "runner (kazrunner) or of a test program")
                  .arg(runner, result.reason);
    case Failure::RunnerUnusable:
        return QCoreApplication::translate("Kazpack", "%1: error: cannot use this runner: %2").arg(runner, result.reason)
            + faultAdvice(result.runnerFault);
    // Any other file would become a "program" that runs as a script or not at all.
    case Failure::NotARunner:
        return QCoreApplication::translate("Kazpack", "%1: error: this is not a KAZ quiz runner (kazrunner or a KAZ test "
                                                      "program); %2")
            .arg(runner, names.installedRunner
                             ? QCoreApplication::translate("Kazpack", "install KAZ again, or give the path of kazrunner "
                                                                      "with --runner")
                             : QCoreApplication::translate("Kazpack", "give the path of %1, for example %2")
                                   .arg(runnerFileName(thisSystem()), installedRunnerExample()));
    case Failure::OlderRunner:
        return QCoreApplication::translate("Kazpack", "%1: error: this runner reads only packed format %2, older than "
                                                      "format %3 that this kazpack writes; use the kazrunner that came "
                                                      "with this kazpack")
            .arg(runner, QString::number(result.runnerFormat), QString::number(PackedQuiz::Version));
    case Failure::OtherSystem:
        return QCoreApplication::translate("Kazpack", "%1: error: this quiz runner makes programs for %2, and a program for "
                                                      "%3 was asked for; give the runner for %3 (%4) with --runner RUNNER")
            .arg(runner, systemName(result.runnerSystem.value_or(thisSystem())), systemName(names.target), runnerFileName(names.target));
    default:
        return {};
    }
}

} // namespace

std::optional<System> systemOf(QByteArrayView runner)
{
    if (runner.startsWith("\x7f" "ELF"))
        return System::Linux;
    if (runner.startsWith("MZ"))
        return System::Windows;
    if (WebPage::isPage(runner))
        return System::Web;
    return std::nullopt;
}

std::optional<System> systemOfFile(const QString &path)
{
    if (!FileAccess::notAFile(path).isEmpty())
        return std::nullopt;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? systemOf(file.read(64)) : std::nullopt;
}

QString systemName(System system)
{
    switch (system) {
    case System::Windows: return QStringLiteral("Windows");
    case System::Web: return QCoreApplication::translate("Kazpack", "web browsers");
    case System::Linux: break;
    }
    return QStringLiteral("Linux");
}

QString faultAdvice(PackedQuiz::Fault fault)
{
    switch (fault) {
    case PackedQuiz::Fault::NoTest: return QCoreApplication::translate("Kazpack", "; it is no test program made by kazpack");
    case PackedQuiz::Fault::Damaged: return QCoreApplication::translate("Kazpack", "; ask for the program again, or make it again");
    case PackedQuiz::Fault::NewerVersion: return QCoreApplication::translate("Kazpack", "; use the kazpack of a newer KAZ");
    case PackedQuiz::Fault::Unreadable:
    case PackedQuiz::Fault::None: break;
    }
    return {};
}

QString writeFailure(const QString &path, const QString &error)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return QCoreApplication::translate("Kazpack", "the folder %1 does not exist; %2")
            .arg(printablePath(folder.filePath()), FileAccess::writeAdvice(ENOENT));
    return error;
}

QString folderName(const QString &folder)
{
    const QString name = QFileInfo(QDir(folder).absolutePath()).fileName();
    return name.isEmpty() ? QStringLiteral("test") : name;
}

Runner readRunner(const QString &path)
{
    Runner runner;
    if (const QFileInfo info(path); !info.isFile()) {
        runner.failure = info.exists() ? Failure::RunnerNotAFile : Failure::RunnerMissing;
        if (info.exists())
            runner.reason = whatItIs(path);
        return runner;
    }
    PackedQuiz::Runner part = PackedQuiz::runnerPart(path);
    if (!part.ok()) {
        runner.failure = Failure::RunnerUnusable;
        runner.fault = part.fault;
        runner.reason = part.reason;
        return runner;
    }
    runner.bytes = std::move(part.bytes);
    return runner;
}

Result pack(const QuizFileList &files, const Runner &runner, System target)
{
    return pack(QuizFolder::check(files), runner, target);
}

Result pack(QuizFolder::Checked checked, const Runner &runner, System target)
{
    Result result;
    result.target = target;
    result.checked = std::move(checked);
    const auto fail = [&result](Failure failure, const QString &reason = {}) {
        result.failure = failure;
        result.reason = reason;
        return result;
    };
    if (!result.checked.ok())
        return fail(Failure::TestProblems);
    if (!runner.ok()) {
        result.runnerFault = runner.fault;
        return fail(runner.failure, runner.reason);
    }
    // A test program given as the runner: its own test is left out.
    const PackedQuiz::Runner part = PackedQuiz::runnerPart(runner.bytes);
    if (!part.ok()) {
        result.runnerFault = part.fault;
        return fail(Failure::RunnerUnusable, part.reason);
    }
    result.runnerSystem = systemOf(part.bytes);
    const bool page = result.runnerSystem == System::Web;
    result.runnerFormat = page ? WebPage::runnerFormat(part.bytes) : PackedQuiz::runnerFormat(part.bytes);
    if (result.runnerFormat < 0)
        return fail(Failure::NotARunner);
    if (result.runnerFormat < PackedQuiz::Version)
        return fail(Failure::OlderRunner);
    if (result.runnerSystem != target)
        return fail(Failure::OtherSystem);
    QString problem;
    const QByteArray tail = PackedQuiz::tail(result.checked.files, &problem);
    if (tail.isEmpty())
        return fail(Failure::CannotPack, problem);
    // A page holds its test inside; a program after its runner.
    result.program = page ? WebPage::pack(part.bytes, tail) : part.bytes + tail;
    return result;
}

QString programPath(const QString &path, System target)
{
    const QFileInfo info(path);
    const QString ending = programEnding(target);
    const QString name = info.fileName();
    // A folder stays what it is, to be refused as one.
    if (ending.isEmpty() || name.isEmpty() || name.endsWith(ending, Qt::CaseInsensitive)
        || (target == System::Web && (name.endsWith(u".htm", Qt::CaseInsensitive) || name.endsWith(u".zip", Qt::CaseInsensitive)))
        || info.isDir())
        return path;
    return path + ending;
}

QString nameProblem(const QString &name, System target)
{
    if (target == System::Linux && thisSystem() != System::Windows)
        return {};
    if (name.isEmpty())
        return {};
    for (const QChar c : name) {
        if (c.unicode() < 0x20)
            return QCoreApplication::translate("Kazpack", "the name holds a control character, which Windows does not allow "
                                                          "in a file name");
        if (QStringView(u"<>:\"|?*\\").contains(c))
            return QCoreApplication::translate("Kazpack", "the name holds the character %1, which Windows does not allow in a "
                                                          "file name (nor any of < > : \" | ? * \\)")
                .arg(c);
    }
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return QCoreApplication::translate("Kazpack", "the name ends with a %1, which Windows drops from a file name, so the "
                                                      "program would get another name than the one given")
            .arg(name.endsWith(u'.') ? QCoreApplication::translate("Kazpack", "dot") : QCoreApplication::translate("Kazpack", "space"));
    if (const QString device = FileAccess::windowsDevice(name); !device.isEmpty())
        return QCoreApplication::translate("Kazpack", "%1 names a device on Windows, with any ending after it (such as "
                                                      "%1.exe), so Windows makes no file of that name")
            .arg(device);
    return {};
}

QString ownFile(const QString &testFolder, const QuizFolder::Checked &checked, const QString &path)
{
    if (testFolder.isEmpty())
        return {};
    QStringList names{QStringLiteral("test.kaz"), QLatin1String(QuizFolder::IconName)};
    for (int q = 1; q <= ContentStore::QuestionsWithExtras; ++q)
        if (const QString &source = checked.store.Graphika(q).source; !source.isEmpty())
            names.append(QFileInfo(source).fileName());
    for (const QuizFile &f : checked.files)
        names.append(f.name);
    const QDir folder(testFolder);
    for (const QString &name : std::as_const(names))
        if (FileAccess::sameFile(folder.filePath(name), path))
            return name;
    return {};
}

void checkTarget(Result &result, const QString &path, bool replace, const QString &testFolder)
{
    result.path = programPath(path, result.target);
    const auto refuse = [&result](Failure failure, const QString &reason) {
        result.failure = failure;
        result.reason = reason;
        result.program.clear();
    };
    if (const QString why = nameProblem(QFileInfo(path).fileName(), result.target); !why.isEmpty())
        return refuse(Failure::NameRefused, why);
    if (const QString own = ownFile(testFolder, result.checked, result.path); !own.isEmpty())
        return refuse(Failure::TargetIsQuizFile, own);
    if (!result.ok())
        return;
    if (QFileInfo(result.path).isDir())
        result.failure = Failure::TargetIsFolder;
    else if (exists(result.path) && !replace)
        result.failure = Failure::TargetExists;
}

void write(Result &result, const QString &path, bool replace, const QString &testFolder)
{
    checkTarget(result, path, replace, testFolder);
    if (!result.ok())
        return;
    const QString absolute = QFileInfo(result.path).absoluteFilePath();
    // A page is a document: it opens in a browser and is never started as a program.
    const auto permissions = result.target == System::Web ? std::nullopt : std::optional(FileAccess::programPermissions());
    if (const QString error = FileAccess::writeFile(result.path, result.program, permissions); !error.isEmpty()) {
        result.failure = Failure::NotWritten;
        result.reason = writeFailure(result.path, error);
        return;
    }
    result.written = absolute;
}

namespace {

// The name kazpack gives the program, as an example of another name: beside the test's folder
// in place of a file of the test, else in the folder asked for.
QString exampleName(const Result &result, const Names &names)
{
    const QString asked = names.asked.isEmpty() ? names.program : names.asked;
    const QString beside = programBeside(names.test, result.target);
    if (result.failure == Failure::TargetIsQuizFile)
        return printablePath(beside);
    const QString folder = QFileInfo(asked).path();
    const QString name = QFileInfo(beside).fileName();
    return printablePath(folder == u"." ? name : QDir(folder).filePath(name));
}

// messages() for kazpack: its lines, as it has always printed them.
QList<Message> kazpackMessages(const Result &result, const Names &names)
{
    QList<Message> out;
    const auto say = [&](const QString &file, const QString &text, Message::Severity severity = Message::Severity::Error) {
        out.append({severity, result.failure, file, 0, text});
    };
    const QString program = printablePath(names.program);
    const QString asked = names.asked.isEmpty() ? names.program : names.asked;
    switch (result.failure) {
    case Failure::None:
        if (!names.asked.isEmpty() && names.asked != names.program)
            say(names.asked,
                (result.target == System::Web
                     ? QCoreApplication::translate("Kazpack", "%1: note: a browser opens a test page only with .html at the "
                                                              "end of its name, so it was written as %2")
                     : QCoreApplication::translate("Kazpack", "%1: note: a program for Windows starts only with .exe at the end "
                                                              "of its name, so it was written as %2"))
                    .arg(printablePath(names.asked), program),
                Message::Severity::Note);
        return out;
    case Failure::NameRefused:
        say(asked, QCoreApplication::translate("Kazpack", "%1: error: Windows cannot use this name: %2; give the program another "
                                                          "name, such as %3")
                       .arg(printablePath(asked), result.reason, exampleName(result, names)));
        return out; // nothing was there to keep
    case Failure::TargetIsQuizFile:
        say(names.program, QCoreApplication::translate("Kazpack", "%1: error: this is the test's own %2, and the program would take its "
                                                                  "place; give the program another name, such as %3")
                               .arg(program, ownFileName(result.reason), exampleName(result, names)));
        return out; // the file is the test's, not an old program
    case Failure::TestProblems: {
        QString lines;
        QTextStream stream(&lines);
        QuizFolder::printProblems(stream, result.checked, QCoreApplication::translate("Kazpack", "no program was written"));
        stream.flush();
        const QStringList printed = lines.split(u'\n', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < printed.size(); ++i) {
            // A problem's line names its file; the lines after them sum up.
            const bool problem = i < result.checked.problems.size() && printed.at(i) == result.checked.problems.at(i).toString();
            const ContentReader::Problem p = problem ? result.checked.problems.at(i) : ContentReader::Problem();
            out.append({Message::Severity::Error, result.failure, p.file, p.line, printed.at(i)});
        }
        break;
    }
    case Failure::RunnerMissing:
    case Failure::RunnerNotAFile:
    case Failure::RunnerUnusable:
    case Failure::NotARunner:
    case Failure::OlderRunner:
    case Failure::OtherSystem:
        say(names.runner, runnerMessage(result, names));
        break;
    case Failure::CannotPack:
        say(names.test, QCoreApplication::translate("Kazpack", "%1: error: the test cannot be packed: %2")
                            .arg(printablePath(names.test), result.reason));
        break;
    case Failure::TargetIsFolder:
        say(names.program, QCoreApplication::translate("Kazpack", "%1: error: this is a folder; give the program's file name with -o, for "
                                                                  "example -o %2")
                               .arg(program, printablePath(QDir(names.program).filePath(QStringLiteral("kaz-") + folderName(names.test)))));
        break;
    case Failure::TargetExists:
        say(names.program, QCoreApplication::translate("Kazpack", "%1: error: the file already exists and is kept; give --force to replace it, "
                                                                  "or another name with -o PROGRAM")
                               .arg(program));
        return out; // it says itself that the file is kept
    case Failure::NotWritten:
        say(names.program, QCoreApplication::translate("Kazpack", "%1: error: cannot write the program: %2").arg(program, result.reason));
        break;
    }
    if (names.oldProgram)
        say(names.program, oldProgramNote(names.program), Message::Severity::Note);
    return out;
}

// `text` as a sentence: a capital letter first, a full stop last.
QString sentence(QString text)
{
    text = text.trimmed();
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    if (!text.isEmpty() && !text.endsWith(u'.') && !text.endsWith(u'?') && !text.endsWith(u'!'))
        text += u'.';
    return text;
}

// What the editor tells of the runner. The editor packs with the runner installed beside it,
// so the advice is always to install KAZ again.
QString editorRunnerSentence(const Result &result, const Names &names)
{
    const QString runner = printablePath(names.runner);
    const QString again = QCoreApplication::translate("Packing", "Install KAZ again.");
    switch (result.failure) {
    case Failure::RunnerMissing:
        if (names.target != thisSystem())
            return QCoreApplication::translate("Packing", "There is no quiz runner for %1 at %2, so no program for %1 can "
                                                          "be made here. Install a KAZ that includes the runner for %1.")
                .arg(systemName(names.target), runner);
        return QCoreApplication::translate("Packing", "The quiz runner is not at %1. %2").arg(runner, again);
    case Failure::RunnerNotAFile:
        return QCoreApplication::translate("Packing", "The quiz runner %1 is %2, not a program file. %3").arg(runner, result.reason, again);
    case Failure::RunnerUnusable:
        return QCoreApplication::translate("Packing", "The quiz runner %1 cannot be used: %2. %3")
            .arg(runner, result.reason, again);
    case Failure::NotARunner:
        return QCoreApplication::translate("Packing", "The file %1 is not a KAZ quiz runner. %2").arg(runner, again);
    case Failure::OlderRunner:
        return QCoreApplication::translate("Packing", "The quiz runner %1 reads only packed format %2, older than format %3 "
                                                      "that this editor writes. %4")
            .arg(runner, QString::number(result.runnerFormat), QString::number(PackedQuiz::Version), again);
    case Failure::OtherSystem:
        return QCoreApplication::translate("Packing", "The quiz runner %1 makes programs for %2, not for %3. %4")
            .arg(runner, systemName(result.runnerSystem.value_or(thisSystem())), systemName(names.target), again);
    default:
        return {};
    }
}

// messages() for the editor: sentences for a teacher, whose advice is what the editor offers.
QList<Message> editorMessages(const Result &result, const Names &names)
{
    QList<Message> out;
    const auto say = [&](const QString &file, const QString &text, Message::Severity severity = Message::Severity::Error) {
        out.append({severity, result.failure, file, 0, sentence(text)});
    };
    const QString program = printablePath(names.program);
    const QString asked = names.asked.isEmpty() ? names.program : names.asked;
    switch (result.failure) {
    case Failure::None:
        if (!names.asked.isEmpty() && names.asked != names.program)
            say(names.asked,
                (result.target == System::Web
                     ? QCoreApplication::translate("Packing", "A browser opens a test page only with .html at the end of its "
                                                              "name, so it was written as %1.")
                     : QCoreApplication::translate("Packing", "A program for Windows starts only with .exe at the end of its name, "
                                                              "so it was written as %1."))
                    .arg(program),
                Message::Severity::Note);
        return out;
    case Failure::NameRefused:
        say(asked, QCoreApplication::translate("Packing", "Windows cannot use the name %1: %2. Give the program another name, "
                                                          "such as %3.")
                       .arg(printablePath(QFileInfo(asked).fileName()), result.reason, exampleName(result, names)));
        return out;
    case Failure::TargetIsQuizFile:
        say(names.program, QCoreApplication::translate("Packing", "The file %1 is the test's own %2, and the program would take "
                                                                  "its place. Give the program another name, such as %3.")
                               .arg(program, ownFileName(result.reason), exampleName(result, names)));
        return out;
    case Failure::TestProblems: {
        // The first few, in a window: the editor's list of problems has them all.
        constexpr qsizetype Shown = 10;
        for (const ContentReader::Problem &p : result.checked.problems.mid(0, Shown))
            out.append({Message::Severity::Error, result.failure, p.file, p.line,
                        sentence(p.line > 0 ? QCoreApplication::translate("Packing", "File %1, line %2: %3")
                                                  .arg(p.file, QString::number(p.line), p.message)
                                            : QCoreApplication::translate("Packing", "File %1: %2").arg(p.file, p.message))});
        const qsizetype count = result.checked.problems.size() + result.checked.moreProblems;
        say(result.checked.testFile,
            count == 1 ? QCoreApplication::translate("Packing", "The test has a problem, so no program was written.")
                       : count <= Shown
                       ? QCoreApplication::translate("Packing", "The test has %1 problems, so no program was written.").arg(count)
                       : QCoreApplication::translate("Packing", "The test has %1 problems, the first %2 of them above, so no "
                                                                "program was written.")
                             .arg(count)
                             .arg(Shown));
        break;
    }
    case Failure::RunnerMissing:
    case Failure::RunnerNotAFile:
    case Failure::RunnerUnusable:
    case Failure::NotARunner:
    case Failure::OlderRunner:
    case Failure::OtherSystem:
        say(names.runner, editorRunnerSentence(result, names));
        break;
    case Failure::CannotPack:
        say(names.test, QCoreApplication::translate("Packing", "The test cannot be packed: %1.").arg(result.reason));
        break;
    case Failure::TargetIsFolder:
        say(names.program, QCoreApplication::translate("Packing", "There is a folder at %1, where the program was to be "
                                                                  "written. Give the program another name.")
                               .arg(program));
        break;
    case Failure::TargetExists:
        say(names.program, QCoreApplication::translate("Packing", "The file %1 already exists and is kept. Let it be replaced, "
                                                                  "or give the program another name.")
                               .arg(program));
        return out;
    case Failure::NotWritten:
        say(names.program, QCoreApplication::translate("Packing", "The program cannot be written to %1: %2.").arg(program, result.reason));
        break;
    }
    if (names.oldProgram)
        say(names.program, QCoreApplication::translate("Packing", "The program that was already at %1 is left as it was and "
                                                                  "still holds the old test, not this one.")
                               .arg(program),
            Message::Severity::Note);
    return out;
}

} // namespace

QList<Message> messages(const Result &result, const Names &names, Reader reader)
{
    return reader == Reader::Editor ? editorMessages(result, names) : kazpackMessages(result, names);
}

QString text(const QList<Message> &messages)
{
    QStringList lines;
    for (const Message &m : messages)
        lines.append(m.text);
    return lines.join(u'\n');
}

void print(QTextStream &err, const Result &result, const Names &names)
{
    for (const Message &m : messages(result, names, Reader::Kazpack))
        err << m.text << '\n';
}

QString oldProgramNote(const QString &program)
{
    return QCoreApplication::translate("Kazpack", "%1: note: the program that was already there is left as it was and still "
                                                  "holds the old test, not this one; mend what is said above and pack again")
        .arg(printablePath(program));
}

QString programName(const QString &folder, System target)
{
    return QStringLiteral("kaz-") + folderName(folder) + programEnding(target);
}

QString programName(const QString &folder, const QString &runner)
{
    return programName(folder, systemOfFile(runner).value_or(thisSystem()));
}

QString programBeside(const QString &folder, System target)
{
    const QDir parent = QFileInfo(QDir(folder).absolutePath()).dir();
    return parent.filePath(programName(folder, target));
}

QString installedRunner(System target)
{
    return runnerBeside(QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(KAZ_RUNNER_FROM_KAZPACK))),
                        target);
}

QString runnerBeside(const QString &runner, System target)
{
    return target == thisSystem() ? runner : QFileInfo(runner).dir().filePath(runnerFileName(target));
}

} // namespace Packing
