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

QList<Target> targets(const QString &folder, const QString &runner, const QList<Packing::System> &last)
{
    QList<Target> offered;
    for (const Packing::System system : {Packing::System::Windows, Packing::System::Linux}) {
        Target t;
        t.system = system;
        t.runner = Packing::runnerBeside(runner, system);
        t.program = Packing::programName(folder, system);
        // Only whether it is there: a runner that is there but unusable is told in kazpack's
        // words when it is packed with.
        if (!QFileInfo(t.runner).isFile())
            t.missing = QCoreApplication::translate("EditorPacking", "This KAZ was installed without the quiz runner for %1, "
                                                                     "so programs for %1 cannot be made here. Install a "
                                                                     "KAZ that includes it.")
                            .arg(Packing::systemName(system));
        t.chosen = t.missing.isEmpty() && last.contains(system);
        offered.append(t);
    }
    if (std::none_of(offered.cbegin(), offered.cend(), [](const Target &t) { return t.chosen; }))
        for (Target &t : offered)
            t.chosen = t.missing.isEmpty() && t.system == Packing::thisSystem();
    return offered;
}

namespace {
const QString SystemsKey = QStringLiteral("makeProgram/systems");
const QString WindowsWord = QStringLiteral("windows");
const QString LinuxWord = QStringLiteral("linux");
} // namespace

QList<Packing::System> lastSystems()
{
    QList<Packing::System> systems;
    for (const QString &word : QSettings().value(SystemsKey).toStringList()) {
        if (word == WindowsWord)
            systems.append(Packing::System::Windows);
        else if (word == LinuxWord)
            systems.append(Packing::System::Linux);
    }
    return systems;
}

void setLastSystems(const QList<Packing::System> &systems)
{
    QStringList words;
    for (const Packing::System system : systems)
        words.append(system == Packing::System::Windows ? WindowsWord : LinuxWord);
    QSettings().setValue(SystemsKey, words);
}

Result makeProgram(const QuizDocument &doc, const QString &program, bool replace, const QString &runner,
                   Packing::System target)
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
