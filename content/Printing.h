#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTextStream>

// A file's name or path as every message shows it: each control character (NUL, a line
// break, the escape that starts a terminal command, …) and each character that turns the
// text's direction around becomes visible, "\n", "\x1b", "\u202e", so that a hostile name
// can neither drive the terminal nor break or disguise the message around it. Everything
// else stays as it is, so showing a shown name again changes nothing.
inline QString printableName(const QString &name)
{
    const auto hidden = [](char16_t c) {
        return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f
            || (c >= 0x2028 && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
    };
    QString shown;
    shown.reserve(name.size());
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (!hidden(c))
            shown += ch;
        else if (c == u'\n')
            shown += u"\\n";
        else if (c == u'\r')
            shown += u"\\r";
        else if (c == u'\t')
            shown += u"\\t";
        else if (c <= 0xff)
            shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else
            shown += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    }
    return shown;
}

// A path as every message shows it: printableName() with the system's own separators
// ("C:\Users\…" on Windows), as its file manager shows the path.
inline QString printablePath(const QString &path)
{
    return printableName(QDir::toNativeSeparators(path));
}

// The tools print their messages one a line, the first MaxPrinted of a kind only, then how
// many more there are: a file that is wrong everywhere must not bury its first problems.
constexpr qsizetype MaxPrinted = 50;

// The first MaxPrinted of `messages`, then how many more there are, `notKept` included (messages
// counted but not kept); `kind` names one message, "problem", "note" or "warning".
inline QStringList cappedLines(const QStringList &messages, const char *kind, qsizetype notKept = 0)
{
    QStringList lines = messages.mid(0, MaxPrinted);
    const qsizetype more = messages.size() + notKept - lines.size();
    if (more <= 0)
        return lines;
    const bool note = qstrcmp(kind, "note") == 0;
    const bool warning = qstrcmp(kind, "warning") == 0;
    if (more == 1)
        lines.append(note      ? QCoreApplication::translate("Printing", "… and 1 more note")
                     : warning ? QCoreApplication::translate("Printing", "… and 1 more warning")
                               : QCoreApplication::translate("Printing", "… and 1 more problem"));
    else
        lines.append((note      ? QCoreApplication::translate("Printing", "… and %1 more notes")
                      : warning ? QCoreApplication::translate("Printing", "… and %1 more warnings")
                                : QCoreApplication::translate("Printing", "… and %1 more problems"))
                         .arg(more));
    return lines;
}

inline void printCapped(QTextStream &err, const QStringList &messages, const char *kind, qsizetype notKept = 0)
{
    for (const QString &line : cappedLines(messages, kind, notKept))
        err << line << '\n';
}
