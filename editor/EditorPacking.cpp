#include "EditorPacking.h"

#include "EditorSources.h"
#include "FileAccess.h"
#include "Packing.h"
#include "Printing.h"
#include "QuizDocument.h"
#include "QuizFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace EditorPacking {

namespace {

// The test's files with the folder's own icon.png, which the document does not hold, taken as
// kazpack takes it: only the file itself, a link or a file it cannot read being a problem of the
// test, in QuizFolder's words.
Packing::Result pack(QuizFileList files, const QString &folder, const Packing::Runner &runner, Packing::System target)
{
    const QString icon = QDir(folder).filePath(QLatin1String(QuizFolder::IconName));
    if (folder.isEmpty() || (!QFileInfo(icon).exists() && !QFileInfo(icon).isSymLink()))
        return Packing::pack(files, runner, target);
    QString problem = FileAccess::notAFile(icon, FileAccess::Links::Refuse);
    if (problem.isEmpty()) {
        const FileAccess::Read read = FileAccess::read(icon, QuizFolder::maxPictureBytes(), FileAccess::Links::Refuse);
        problem = read.problem;
        files.append({QLatin1String(QuizFolder::IconName), read.bytes});
    }
    if (problem.isEmpty())
        return Packing::pack(files, runner, target);
    Packing::Result refused;
    refused.target = target;
    refused.failure = Packing::Failure::TestProblems;
    refused.checked.read = true;
    refused.checked.testFile = QStringLiteral("test.kaz");
    refused.checked.problems.append(
        {printablePath(icon), 0, QCoreApplication::translate("QuizFolder", "the test's icon cannot be used: ") + printableName(problem)});
    return refused;
}

} // namespace

QString runner(Packing::System target) { return Packing::installedRunner(target); }

QString defaultProgramPath(const QString &folder, const QString &runner)
{
    return defaultProgramPath(folder, Packing::systemOfFile(runner).value_or(Packing::thisSystem()));
}

QString defaultProgramPath(const QString &folder, Packing::System target)
{
    return Packing::programBeside(folder, target);
}

namespace {

// Why no program for `system` can be made with the runner at `runner`, a sentence; empty when
// it is there. Only whether it is there: a runner that is there but unusable is told in
// kazpack's words when it is packed with.
QString missingRunner(Packing::System system, const QString &runner)
{
    if (QFileInfo(runner).isFile())
        return {};
    if (system == Packing::System::Web)
        return QCoreApplication::translate("EditorPacking", "This KAZ was installed without the page for %1 (%2), so "
                                                            "test pages cannot be made here. Install a KAZ that "
                                                            "includes it.")
            .arg(Packing::systemName(system), QFileInfo(runner).fileName());
    return QCoreApplication::translate("EditorPacking", "This KAZ was installed without the quiz runner for %1, so "
                                                        "programs for %1 cannot be made here. Install a KAZ that "
                                                        "includes it.")
        .arg(Packing::systemName(system));
}

} // namespace

QList<Target> targets(const QString &folder, const QString &runner, const QList<Packing::System> &last)
{
    QList<Target> offered;
    for (const Packing::System system : {Packing::System::Windows, Packing::System::Linux, Packing::System::Web}) {
        Target t;
        t.system = system;
        t.runner = Packing::runnerBeside(runner, system);
        t.program = Packing::programName(folder, system);
        t.missing = missingRunner(system, t.runner);
        t.chosen = t.missing.isEmpty() && last.contains(system);
        offered.append(t);
    }
    const LastPackage package = lastPackage();
    Target scorm = offered.last();
    scorm.program = ScormPackage::fileName(Packing::folderName(folder));
    scorm.chosen = scorm.missing.isEmpty() && package.chosen;
    scorm.package = package.settings;
    offered.append(scorm);
    if (std::none_of(offered.cbegin(), offered.cend(), [](const Target &t) { return t.chosen; }))
        for (Target &t : offered)
            t.chosen = t.missing.isEmpty() && t.system == Packing::thisSystem() && !t.package;
    return offered;
}

namespace {
const QString PackageKey = QStringLiteral("makeProgram/scorm");
const QString PassMarkKey = QStringLiteral("makeProgram/passMark");
const QString LearnerNameKey = QStringLiteral("makeProgram/learnerName");
} // namespace

LastPackage lastPackage()
{
    const QSettings settings;
    LastPackage last;
    last.chosen = settings.value(PackageKey, false).toBool();
    bool number = false;
    const int mark = settings.value(PassMarkKey, 50).toInt(&number);
    last.settings.passMark = number && mark >= 0 && mark <= 100 ? std::optional<int>(mark) : std::nullopt;
    last.settings.learnerName = settings.value(LearnerNameKey, false).toBool();
    return last;
}

void setLastPackage(const LastPackage &last)
{
    QSettings settings;
    settings.setValue(PackageKey, last.chosen);
    settings.setValue(PassMarkKey, last.settings.passMark.value_or(-1));
    settings.setValue(LearnerNameKey, last.settings.learnerName);
}

namespace {
const QString SystemsKey = QStringLiteral("makeProgram/systems");
const QString WindowsWord = QStringLiteral("windows");
const QString LinuxWord = QStringLiteral("linux");
const QString WebWord = QStringLiteral("web");

QString wordOf(Packing::System system)
{
    switch (system) {
    case Packing::System::Windows: return WindowsWord;
    case Packing::System::Web: return WebWord;
    case Packing::System::Linux: break;
    }
    return LinuxWord;
}
} // namespace

QList<Packing::System> lastSystems()
{
    QList<Packing::System> systems;
    // A word this editor does not know, from another version of it, is passed over.
    for (const QString &word : QSettings().value(SystemsKey).toStringList())
        for (const Packing::System system : {Packing::System::Windows, Packing::System::Linux, Packing::System::Web})
            if (word == wordOf(system) && !systems.contains(system))
                systems.append(system);
    return systems;
}

void setLastSystems(const QList<Packing::System> &systems)
{
    QStringList words;
    for (const Packing::System system : systems)
        words.append(wordOf(system));
    QSettings().setValue(SystemsKey, words);
}

Result makeProgram(const QuizDocument &doc, const QString &program, bool replace, const QString &runner,
                   Packing::System target, const std::optional<ScormPackage::Settings> &package)
{
    const QString folder = doc.folder();
    // The runner as kazpack's own default: the advice is that of a missing installation.
    Packing::Names names;
    names.test = folder;
    names.runner = runner;
    names.installedRunner = true;
    names.target = target;
    names.program = Packing::programPath(program, target);
    names.asked = program;
    names.oldProgram = QFileInfo(names.program).isFile();

    QuizFileList files = EditorSources::files(doc.content());
    if (const QByteArray saved = doc.savedText(); !saved.isEmpty())
        files.first().bytes = saved;
    Packing::Result packed = pack(files, folder, Packing::readRunner(runner), target);
    if (package && packed.ok()) {
        // The page in a package that a learning platform plays, titled as the test.
        const QString title = ScormPackage::title(packed.checked.store, Packing::folderName(folder));
        packed.program = ScormPackage::make(packed.program, Packing::programName(folder, Packing::System::Web), title, *package);
    }
    // The test's own files are never written over, whatever the teacher answered.
    Packing::write(packed, program, replace, folder);
    Result result;
    result.ok = packed.ok();
    result.program = packed.written;
    result.messages = Packing::messages(packed, names, Packing::Reader::Editor);
    result.message = Packing::text(result.messages);
    return result;
}

} // namespace EditorPacking
