#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

// The tools print their messages one a line, the first MaxPrinted of a kind only, then how
// many more there are: a file that is wrong everywhere must not bury its first problems.
constexpr qsizetype MaxPrinted = 50;

// The first MaxPrinted of `messages`, then how many more there are, `notKept` included (messages
// counted but not kept); `kind` names one message, "problem" or "note".
inline QStringList cappedLines(const QStringList &messages, const char *kind, qsizetype notKept = 0)
{
    QStringList lines = messages.mid(0, MaxPrinted);
    const qsizetype more = messages.size() + notKept - lines.size();
    if (more <= 0)
        return lines;
    const bool note = qstrcmp(kind, "note") == 0;
    if (more == 1)
        lines.append(note ? QCoreApplication::translate("Printing", "… and 1 more note")
                          : QCoreApplication::translate("Printing", "… and 1 more problem"));
    else
        lines.append((note ? QCoreApplication::translate("Printing", "… and %1 more notes")
                           : QCoreApplication::translate("Printing", "… and %1 more problems"))
                         .arg(more));
    return lines;
}

inline void printCapped(QTextStream &err, const QStringList &messages, const char *kind, qsizetype notKept = 0)
{
    for (const QString &line : cappedLines(messages, kind, notKept))
        err << line << '\n';
}
