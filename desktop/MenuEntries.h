#pragma once

#include "DesktopFiles.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

class QTextStream;

// The menu entries and icons of one user's own test programs, under the user's data folder
// (kazpack --desktop): an entry starts its program by its absolute path. What was written or
// removed goes to `out`, a path a line; problems and notes to `err`, in kazpack's words.
class MenuEntries
{
public:
    explicit MenuEntries(const QString &dataHome = MenuEntries::dataHome());

    // Where entries go: $XDG_DATA_HOME, or ~/.local/share when it is not an absolute path.
    static QString dataHome();

    QString entry(const QString &id) const;
    QString iconPath(const QString &id, int size) const;

    // Writes the entry of `program` (its path and folder set) and its icon at every size: the
    // test's own `icon` (icon.png's bytes) scaled, or KAZ's without one. The entry takes the id
    // that place() gives, and says so where that is not the plain one. False on a failure.
    bool write(DesktopFiles::Program program, const QByteArray &icon, QTextStream &out, QTextStream &err) const;

    // Removes the entries whose program is `path`, with their icons; the files removed. `ok` is
    // false when a file could not be removed.
    QStringList remove(const QString &path, QTextStream &err, bool *ok) const;

private:
    struct Place
    {
        QString id;
        QString before;     // the program the entry started until now, when another one
        QString other;      // the program that keeps the plain id, when this one takes another
        QString otherEntry; // that program's entry
    };

    // Where the entry of `program` goes among the entries of its id, plain (bg.kaz.mytest) or
    // numbered (bg.kaz.mytest_2): to the one that starts it already; to the one made from its
    // folder (the program was made again elsewhere, and its entry follows it); else to the
    // first id that is free or whose program is no longer there. So a test from another
    // folder of the same name never takes the entry of one that is still there.
    Place place(const DesktopFiles::Program &program) const;

    QDir m_share;
};
