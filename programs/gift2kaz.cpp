// gift2kaz [--output DIR] [--address URL] [--force] [--distinct-rights] FILE: makes a KAZ test
// folder of every matching question in a GIFT file or a Moodle XML file (Moodle's question
// formats; the file's content tells which) and prints the folders written. Questions of other
// types are skipped with a note, and so are matching questions that a test cannot hold (Moodle
// XML; a classification, whose left parts share a right part, is converted with its shared right
// parts made distinct under --distinct-rights); a picture that
// cannot be read is a warning; a fault in the file is printed as "file:line: error: …" and
// nothing is written (exit status 1). Each test's lists and window are made wide enough for its
// longest phrases, measured in the test window's font; its pictures are written beside it.
#include "ContentReader.h"
#include "FileAccess.h"
#include "Gift.h"
#include "MoodleXml.h"
#include "QuizFolder.h"
#include "Printing.h"
#include "ConsoleText.h"
#include "DesktopDisplay.h"
#include "KazTranslations.h"
#include "ListText.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>

namespace {

QtMessageHandler qtMessages = nullptr;

// Qt starting its platform in a terminal without a login session (no XDG_RUNTIME_DIR) says so on
// stderr, where gift2kaz prints its own messages alone.
void withoutRuntimeDirNote(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    qtMessages(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    const Utf8Console console;
    qtMessages = qInstallMessageHandler(withoutRuntimeDirNote);
    // Phrases are measured with the fonts of a QGuiApplication, as the quiz runner shows them.
#ifdef Q_OS_WIN
    // Windows' own platform with the runner's font engine: it needs no window, and it is the
    // only one built in.
    qputenv("QT_QPA_PLATFORM", DesktopDisplay::WindowsPlatform);
    // Its notes on the screen (how sharp, at what scale) are of no use to a tool in a terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
#else
    // The offscreen platform needs no screen: the tool runs in any terminal, a desktop's or not.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    KazTranslations::install(app);
    QCoreApplication::setApplicationName(QStringLiteral("gift2kaz"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("gift2kaz", "Turns every matching question of a GIFT or Moodle XML file into a KAZ test folder."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QCoreApplication::translate("gift2kaz", "Folder in which the test folders are made (default: "
                                                                               "the current folder)."),
                                    QStringLiteral("DIR"), QStringLiteral("."));
    const QCommandLineOption address({QStringLiteral("a"), QStringLiteral("address")},
                                     QCoreApplication::translate("gift2kaz", "Web address at the start of the window caption; the "
                                                                                "picture window shows it too (default: %1).")
                                         .arg(Gift::DefaultAddress),
                                     QStringLiteral("URL"), Gift::DefaultAddress);
    const QCommandLineOption force(QStringLiteral("force"),
                                   QCoreApplication::translate("gift2kaz", "Replace test.kaz in test folders that already exist."));
    const QCommandLineOption distinctRights(
        QStringLiteral("distinct-rights"),
        QCoreApplication::translate("gift2kaz", "Convert a classification question too (one whose left parts share a "
                                                "right part) by making each shared right part distinct: \"Плод\", "
                                                "\"Плод (2)\" …; without it such a question is left out with a note."));
    parser.addOptions({output, address, force, distinctRights});
    parser.addPositionalArgument(QStringLiteral("FILE"), QCoreApplication::translate("gift2kaz", "The GIFT file (UTF-8) or Moodle XML file (what Moodle's "
                                                                                             "\"Export questions\" writes)."));

    // Every mistake in the command line, an unknown option too, is told the same way.
    const auto usage = [&err](const QString &what) {
        if (!what.isEmpty())
            err << QCoreApplication::translate("gift2kaz", "gift2kaz: error: %1").arg(what) << '\n';
        err << QCoreApplication::translate("gift2kaz", "usage: gift2kaz [--output DIR] [--address URL] [--force] [--distinct-rights] FILE.gift|FILE.xml") << '\n';
        return 2;
    };
    if (!parser.parse(app.arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usage(files.isEmpty() ? QCoreApplication::translate("gift2kaz", "give the GIFT file")
                                     : QCoreApplication::translate("gift2kaz", "give one GIFT file"));
    const QString addr = parser.value(address);
    static const QRegularExpression space(QStringLiteral("\\s"));
    // The caption is the address, a space and the title, on one line of the test.
    constexpr int maxAddress = 200;
    if (addr.isEmpty() || addr.contains(space) || addr.size() > maxAddress
        || ContentReader::controlCharacter(addr) >= 0) {
        err << QCoreApplication::translate("gift2kaz", "gift2kaz: error: the address \"%1\" must be one word without spaces, of at "
                                           "most %2 characters, such as https://school.example")
                   .arg(addr.left(maxAddress), QString::number(maxAddress))
            << '\n';
        return 2;
    }

    const QString path = files.first();
    MoodleXml::Options options;
    options.checkPicture = [](const QByteArray &bytes) { return QuizFolder::checkPicture(bytes); };
    MoodleXml::FileRead read = MoodleXml::readFile(path, options);
    if (!read.problem.isEmpty()) {
        err << (read.xml ? QCoreApplication::translate("gift2kaz", "%1: error: cannot read the Moodle XML file: %2")
                         : QCoreApplication::translate("gift2kaz", "%1: error: cannot read the GIFT file: %2"))
                   .arg(path, read.problem)
            << '\n';
        return 1;
    }
    if (parser.isSet(distinctRights))
        MoodleXml::takeClassifications(read.result);
    const Gift::Result &result = read.result;
    // Only the messages printed are written out: a file of a million descriptions has a million notes.
    const auto printed = [&path](const QList<Gift::Message> &messages, const char *kind) {
        QStringList out;
        for (qsizetype i = 0; i < messages.size() && i < MaxPrinted; ++i)
            out.append(messages.at(i).toString(path, kind));
        return out;
    };
    printCapped(err, printed(result.notes, "note"), "note", std::max<qsizetype>(0, result.notes.size() - MaxPrinted));
    printCapped(err, printed(result.warnings, "warning"), "warning", std::max<qsizetype>(0, result.warnings.size() - MaxPrinted));
    printCapped(err, printed(result.errors, "error"), "problem", std::max<qsizetype>(0, result.errors.size() - MaxPrinted));
    if (!result.ok()) {
        err << (result.errors.size() == 1
                    ? QCoreApplication::translate("gift2kaz", "1 problem in %1; no test was written").arg(path)
                    : QCoreApplication::translate("gift2kaz", "%1 problems in %2; no test was written")
                          .arg(QString::number(result.errors.size()), path))
            << '\n';
        return 1;
    }
    if (result.questions.isEmpty()) {
        err << QCoreApplication::translate("gift2kaz", "%1: error: the file holds no matching question, so there is no test to write")
                   .arg(path)
            << '\n';
        return 1;
    }

    const Gift::Sizing sizing = [](const Gift::Matching &q) { return ListText::fittedDefault(q.left, q.right); };
    const Gift::Written written = Gift::writeFolders(result, QDir(parser.value(output)), parser.isSet(force), addr,
                                                     QFileInfo(path).fileName(), sizing);
    for (const Gift::Message &e : written.errors)
        err << (e.line > 0 ? e.toString(path, "error") : QCoreApplication::translate("gift2kaz", "gift2kaz: error: %1").arg(e.text)) << '\n';
    for (const QString &folder : written.folders)
        out << folder << '\n';
    return written.errors.isEmpty() ? 0 : 1;
}
