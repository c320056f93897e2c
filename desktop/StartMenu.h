#pragma once

#include "DesktopFiles.h"

#include <QDir>
#include <QString>
#include <QStringList>

class QTextStream;

// The Start-menu shortcuts of one user's own test programs on Windows (kazpack --desktop
// there): a shortcut named after the test's title, in the KAZ folder of the user's Start-menu
// programs, starts its program by the absolute path. On Windows a shortcut is a .lnk file; on
// other systems the same names hold symbolic links, which is how the behaviour is tested there.
// What was written or removed goes to `out`, a path a line; problems and notes to `err`, in
// kazpack's words.
class StartMenu
{
public:
    explicit StartMenu(const QString &folder = StartMenu::programsFolder());

    // The KAZ folder of this user's Start-menu programs:
    // %APPDATA%\Microsoft\Windows\Start Menu\Programs\KAZ on Windows.
    static QString programsFolder();

    // The shortcut's file name for a test called `title`: the title without the characters
    // Windows refuses in a file name, never a device's name (CON, NUL, …), at most 80
    // characters, then ".lnk"; `fallback` when nothing of the title is left.
    static QString shortcutName(const QString &title, const QString &fallback);

    // Makes the shortcut of `program` (its title, path and executable set). Its shortcuts
    // under other names (the test's title changed) go; a shortcut of the same name that
    // starts a program no longer there is replaced, with a note; one that starts another
    // program that is still there stays, and this one is numbered: "Title (2).lnk".
    bool write(const DesktopFiles::Program &program, QTextStream &out, QTextStream &err) const;

    // Removes the shortcuts that start `path`; the files removed. `ok` is false when one
    // could not be removed.
    QStringList remove(const QString &path, QTextStream &err, bool *ok) const;

    QString folder() const { return m_folder.path(); }

private:
    // The shortcuts in the folder with the program each starts.
    QList<std::pair<QString, QString>> shortcuts() const;

    QDir m_folder;
};
