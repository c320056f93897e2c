// kazpack: turns a test folder into one program file that runs the test with nothing
// beside it, and gives the folder back; `kazpack --help` lists the commands (packed/Kazpack.h).
#include "Kazpack.h"
#include "KazTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    KazTranslations::install(app);
    QCoreApplication::setApplicationName(QStringLiteral("kazpack"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The runner lies where it is installed, or built, relative to kazpack itself.
    const QString runner = QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(
        QStringLiteral(KAZ_RUNNER_FROM_KAZPACK)));
    return Kazpack::run(app.arguments().mid(1), runner, out, err);
}
