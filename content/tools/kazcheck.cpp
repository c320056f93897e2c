// kazcheck FOLDER [STAMP]: checks the test in FOLDER/test.kaz against every rule of the
// content format, pictures included, and prints each problem as "file:line: error: …".
// Exits 1 when there is any; touches STAMP when the test is sound. kazpack checks a folder
// with the same function (packed/TestFiles.h) before it packs it.
#include "TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        err << "usage: kazcheck FOLDER [STAMP]\n";
        return 2;
    }
    const TestFiles::Checked checked = TestFiles::readFolder(args.at(1));
    const QList<ContentReader::Problem> &problems = checked.content.problems;
    for (const ContentReader::Problem &p : problems)
        err << p.toString() << '\n';
    if (!checked.testRead)
        return 1;
    if (!checked.ok()) {
        err << problems.size() << (problems.size() == 1 ? " problem" : " problems") << " in "
            << problems.constFirst().file << "; the test was not built\n";
        return 1;
    }
    if (args.size() == 3) {
        QFile stamp(args.at(2));
        if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << args.at(2) << ": error: cannot write the check stamp\n";
            return 1;
        }
        stamp.write("checked\n");
    }
    return 0;
}
