#pragma once

#include <QStringList>
#include <QTextStream>

// The tools print their messages one a line, the first MaxPrinted of a kind only, then how
// many more there are: a file that is wrong everywhere must not bury its first problems.
constexpr qsizetype MaxPrinted = 50;

// `kind` names one message, "problem" or "note".
inline void printCapped(QTextStream &err, const QStringList &messages, const char *kind)
{
    for (qsizetype i = 0; i < messages.size() && i < MaxPrinted; ++i)
        err << messages.at(i) << '\n';
    if (const qsizetype more = messages.size() - MaxPrinted; more > 0)
        err << "… and " << more << " more " << kind << (more == 1 ? "" : "s") << '\n';
}
