// kazcheck FOLDER [STAMP] (or --help): checks the test in FOLDER/test.kaz against every rule of the
// content format, pictures included, and prints each problem as "file:line: error: …".
// Exits 1 when there is any, so that the build of a faulty test stops; touches STAMP when
// the test is sound. kazpack checks a folder with the same function before it packs it.
#include "ConsoleText.h"
#include "KazTranslations.h"
#include "Printing.h"
#include "QuizFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

// Translated where they are printed.
const char UsageText[] = QT_TRANSLATE_NOOP("kazcheck", "usage: kazcheck FOLDER [STAMP]\n"
                                                       "       kazcheck --help\n");

const char HelpText[] = QT_TRANSLATE_NOOP("kazcheck", R"(
Checks the test in FOLDER (its test.kaz and the pictures it names) against every rule of the
KAZ test format, with the same check as kazpack. Prints nothing when the test is sound;
otherwise prints every problem, each with the file, the line and what to do about it.

  STAMP       for builds: write this file when the test is sound
  -h, --help  print this help

Exit status: 0 the test is sound, 1 a problem in the test, 2 a mistake in the command line.
)");

} // namespace

int main(int argc, char *argv[])
{
    const Utf8Console console;
    QCoreApplication app(argc, argv);
    KazTranslations::install(app);
    QTextStream err(stderr);
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    parser.addOption(help);
    const QString usageText = QCoreApplication::translate("kazcheck", UsageText);
    const auto usage = [&err, &usageText](const QString &what) {
        err << QCoreApplication::translate("kazcheck", "kazcheck: error: %1").arg(what) << '\n' << usageText;
        return 2;
    };
    if (!parser.parse(app.arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        QTextStream(stdout) << usageText << QCoreApplication::translate("kazcheck", HelpText);
        return 0;
    }
    const QStringList args = QStringList{app.arguments().constFirst()} + parser.positionalArguments();
    if (args.size() < 2 || args.size() > 3)
        return usage(args.size() < 2
                         ? QCoreApplication::translate("kazcheck", "give the test folder to check")
                         : QCoreApplication::translate("kazcheck", "give the test folder and at most a stamp file"));
    const QuizFolder::Checked checked = QuizFolder::check(args.at(1));
    QuizFolder::printProblems(err, checked, QCoreApplication::translate("kazcheck", "the test was not built"));
    if (!checked.ok())
        return 1;
    if (args.size() == 3) {
        QFile stamp(args.at(2));
        if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate) || stamp.write("checked\n") < 0) {
            err << QCoreApplication::translate("kazcheck", "%1: error: cannot write the check stamp: %2")
                       .arg(printablePath(args.at(2)), printableName(stamp.errorString()))
                << '\n';
            return 1;
        }
    }
    return 0;
}
