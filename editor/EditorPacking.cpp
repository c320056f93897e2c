#include "EditorPacking.h"

#include "EditorSources.h"
#include "FileAccess.h"
#include "Packing.h"
#include "Printing.h"
#include "TestDocument.h"
#include "TestFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace EditorPacking {

namespace {

// The test's files with the folder's own icon.png, which the document does not hold, taken as
// kazpack takes it: only the file itself, a link or a file it cannot read being a problem of the
// test, in TestFolder's words. The program is for the system the editor runs on.
Packing::Result pack(TestFileList files, const QString &folder, const Packing::Runner &runner)
{
    const QString icon = QDir(folder).filePath(QLatin1String(TestFolder::IconName));
    if (folder.isEmpty() || (!QFileInfo(icon).exists() && !QFileInfo(icon).isSymLink()))
        return Packing::pack(files, runner, Packing::thisSystem());
    QString problem = FileAccess::notAFile(icon, FileAccess::Links::Refuse);
    if (problem.isEmpty()) {
        const FileAccess::Read read = FileAccess::read(icon, TestFolder::maxPictureBytes(), FileAccess::Links::Refuse);
        problem = read.problem;
        files.append({QLatin1String(TestFolder::IconName), read.bytes});
    }
    if (problem.isEmpty())
        return Packing::pack(files, runner, Packing::thisSystem());
    Packing::Result refused;
    refused.failure = Packing::Failure::TestProblems;
    refused.checked.read = true;
    refused.checked.testFile = QStringLiteral("test.kaz");
    refused.checked.problems.append(
        {printableName(icon), 0, QCoreApplication::translate("TestFolder", "the test's icon cannot be used: ") + printableName(problem)});
    return refused;
}

} // namespace

QString runner() { return Packing::installedRunner(); }

QString defaultProgramPath(const QString &folder, const QString &runner)
{
    const QDir parent = QFileInfo(QDir(folder).absolutePath()).dir();
    return parent.filePath(Packing::programName(folder, runner));
}

Result makeProgram(const TestDocument &doc, const QString &program, bool replace, const QString &runner)
{
    const QString folder = doc.folder();
    // The runner as kazpack's own default, so that the messages give the advice a missing
    // installation needs rather than a command-line option.
    Packing::Names names;
    names.test = folder;
    names.runner = runner;
    names.installedRunner = true;
    names.program = program;
    names.oldProgram = QFileInfo(program).isFile();

    TestFileList files = EditorSources::files(doc.content());
    if (const QByteArray saved = doc.savedText(); !saved.isEmpty())
        files.first().bytes = saved;
    Packing::Result packed = pack(files, folder, Packing::readRunner(runner));
    Packing::write(packed, program, replace);
    Result result;
    result.ok = packed.ok();
    result.program = packed.written;
    QTextStream err(&result.message);
    Packing::print(err, packed, names);
    err.flush();
    result.message = result.message.trimmed();
    return result;
}

} // namespace EditorPacking
