// kazpack --desktop on Linux: a menu entry and icons in the user's data folder.

#include "ProgramMenu.h"

#include "MenuEntries.h"
#include "Printing.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramMenu {

bool write(const DesktopFiles::Program &program, const QByteArray &icon, QTextStream &out, QTextStream &err)
{
    return MenuEntries().write(program, icon, out, err);
}

QStringList remove(const QString &path, QTextStream &err, bool *ok)
{
    return MenuEntries().remove(path, err, ok);
}

QString nothingRemoved(const QString &program)
{
    return QCoreApplication::translate("Kazpack", "%1: error: no menu entry in %2 starts this program; nothing was removed")
        .arg(printablePath(program), printablePath(QDir(MenuEntries::dataHome()).filePath(QStringLiteral("applications"))));
}

QString help()
{
    return QCoreApplication::translate("Kazpack", R"(  --desktop               also add the program to your desktop's application menu (a menu
                          entry and icons under $XDG_DATA_HOME or ~/.local/share)
  --desktop --remove PROGRAM
                          take the menu entry and icons of PROGRAM away again
)");
}

} // namespace ProgramMenu
