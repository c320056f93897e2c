// kazpack: turns a test folder into one program file that runs the test with nothing
// beside it, and gives the folder back; `kazpack --help` lists the commands (programs/KazpackCommands.h).
#include "KazpackCommands.h"
#include "ConsoleText.h"
#include "KazTranslations.h"
#include "Packing.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    const Utf8Console console;
    QCoreApplication app(argc, argv);
    KazTranslations::install(app);
    QCoreApplication::setApplicationName(QStringLiteral("kazpack"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return KazpackCommands::run(app.arguments().mid(1), Packing::installedRunner(), out, err);
}
