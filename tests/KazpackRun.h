#pragma once

// kazpack run in-process, as a teacher types it: its exit status and what it printed.

#include "KazpackCommands.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace KazpackRun {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// `defaultRunner` is where kazpack finds the quiz runner installed with it.
inline Run kazpack(const QStringList &arguments, const QString &defaultRunner)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = KazpackCommands::run(arguments, defaultRunner, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace KazpackRun
