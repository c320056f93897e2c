// kazcheck FOLDER [STAMP]: checks the test in FOLDER/test.kaz against every rule of the
// content format, pictures included, and prints each problem as "file:line: error: …".
// Exits 1 when there is any, so that the build of a faulty test stops; touches STAMP when
// the test is sound. kazpack checks a folder with the same function before it packs it.
#include "TestFolder.h"
#include "KazTranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    KazTranslations::install(app);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        err << QCoreApplication::translate("kazcheck", "usage: kazcheck FOLDER [STAMP]") << '\n';
        return 2;
    }
    const TestFolder::Checked checked = TestFolder::check(args.at(1));
    TestFolder::printProblems(err, checked, QCoreApplication::translate("kazcheck", "the test was not built"));
    if (!checked.ok())
        return 1;
    if (args.size() == 3) {
        QFile stamp(args.at(2));
        if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate) || stamp.write("checked\n") < 0) {
            err << QCoreApplication::translate("kazcheck", "%1: error: cannot write the check stamp: %2")
                       .arg(args.at(2), stamp.errorString())
                << '\n';
            return 1;
        }
    }
    return 0;
}
