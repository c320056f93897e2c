#include "EditorPacking.h"

#include "Kazpack.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace EditorPacking {

QString runner() { return Kazpack::installedRunner(); }

QString defaultProgramPath(const QString &folder, const QString &runner)
{
    const QDir parent = QFileInfo(QDir(folder).absolutePath()).dir();
    return parent.filePath(Kazpack::programName(folder, runner));
}

Result makeProgram(const QString &folder, const QString &program, bool replace, const QString &runner)
{
    QStringList arguments{folder, QStringLiteral("-o"), program};
    if (replace)
        arguments << QStringLiteral("--force");
    QString written, problems;
    QTextStream out(&written);
    QTextStream err(&problems);
    // The runner as kazpack's own default, so that its messages give the advice a missing
    // installation needs rather than a command-line option.
    const int status = Kazpack::run(arguments, runner, out, err);
    out.flush();
    err.flush();
    Result result;
    result.ok = status == Kazpack::Done;
    result.message = problems.trimmed();
    if (result.ok)
        result.program = QFileInfo(program).absoluteFilePath();
    return result;
}

} // namespace EditorPacking
