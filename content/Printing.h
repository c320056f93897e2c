#pragma once

#include <QCoreApplication>
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
    const qsizetype more = messages.size() - MaxPrinted;
    if (more <= 0)
        return;
    const bool note = qstrcmp(kind, "note") == 0;
    if (more == 1)
        err << (note ? QCoreApplication::translate("Printing", "… and 1 more note")
                     : QCoreApplication::translate("Printing", "… and 1 more problem"));
    else
        err << (note ? QCoreApplication::translate("Printing", "… and %1 more notes")
                     : QCoreApplication::translate("Printing", "… and %1 more problems"))
                   .arg(more);
    err << '\n';
}
