// kazpack: turns a test folder into one program file that runs the test with nothing
// beside it, and gives the folder back; `kazpack --help` lists the commands (packed/Kazpack.h).
#include "Kazpack.h"
#include "KazTranslations.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    KazTranslations::install(app);
    QCoreApplication::setApplicationName(QStringLiteral("kazpack"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Kazpack::run(app.arguments().mid(1), Kazpack::installedRunner(), out, err);
}
