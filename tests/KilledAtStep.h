#pragma once

// Cutting a write short as a crash does: `work` runs in a child process that is killed
// (SIGKILL) before step `k` of its writing (FileAccess::setStepHook). POSIX only: a test of
// it begins with KAZ_SKIP_WITHOUT_KILLED_STEPS(), which skips it on Windows (no fork()).

#include "FileAccess.h"

#include <QTest>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#define KAZ_SKIP_WITHOUT_KILLED_STEPS() static_cast<void>(0)

// True when the child was killed so; false when it ended by itself or could not be made.
inline bool killedAtStep(qsizetype k, const std::function<void()> &work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        qsizetype seen = 0;
        FileAccess::setStepHook([&seen, k](const QString &, const QString &) {
            if (seen++ == k)
                ::raise(SIGKILL);
        });
        work();
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}
#else
#define KAZ_SKIP_WITHOUT_KILLED_STEPS() QSKIP("a save is cut short in a child process made by fork(), which Windows has not")

inline bool killedAtStep(qsizetype, const std::function<void()> &)
{
    return false;
}
#endif
