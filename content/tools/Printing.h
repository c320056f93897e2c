#pragma once

#include <QStringList>
#include <QTextStream>

// The tools print their problems one a line, the first MaxPrinted only, then how many more
// there are: a file that is wrong everywhere must not bury its first problems.
constexpr qsizetype MaxPrinted = 50;

inline void printProblems(QTextStream &err, const QStringList &problems)
{
    for (qsizetype i = 0; i < problems.size() && i < MaxPrinted; ++i)
        err << problems.at(i) << '\n';
    if (const qsizetype more = problems.size() - MaxPrinted; more > 0)
        err << "… and " << more << (more == 1 ? " more problem" : " more problems") << '\n';
}
