// kazpack --desktop on Windows: a shortcut in the KAZ folder of the user's Start menu.

#include "ProgramMenu.h"

#include "Printing.h"
#include "StartMenu.h"

#include <QCoreApplication>

namespace ProgramMenu {

bool write(const DesktopFiles::Program &program, const QByteArray &, QTextStream &out, QTextStream &err)
{
    return StartMenu().write(program, out, err);
}

QStringList remove(const QString &path, QTextStream &err, bool *ok)
{
    return StartMenu().remove(path, err, ok);
}

QString nothingRemoved(const QString &program)
{
    return QCoreApplication::translate("Kazpack", "%1: error: no shortcut in %2 starts this program; nothing was removed")
        .arg(printablePath(program), printablePath(StartMenu().folder()));
}

QString help()
{
    return QCoreApplication::translate("Kazpack", R"(  --desktop               also add the program to your Start menu (a shortcut in the KAZ
                          folder of your Start menu's programs)
  --desktop --remove PROGRAM
                          take the Start-menu shortcut of PROGRAM away again
)");
}

} // namespace ProgramMenu
