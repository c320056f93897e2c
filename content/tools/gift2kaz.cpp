// gift2kaz [--output DIR] [--address URL] [--force] FILE.gift: makes a KAZ test folder of
// every matching question in a GIFT file (Moodle's question format) and prints the folders
// written. Questions of other types are skipped with a note; a fault in the file is printed
// as "file:line: error: …" and nothing is written (exit status 1).
#include "ContentReader.h"
#include "FileAccess.h"
#include "Gift.h"
#include "Printing.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gift2kaz"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turns every matching question of a GIFT file into a KAZ test folder."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Folder in which the test folders are made (default: the current "
                                                   "folder)."),
                                    QStringLiteral("DIR"), QStringLiteral("."));
    const QCommandLineOption address({QStringLiteral("a"), QStringLiteral("address")},
                                     QStringLiteral("Web address at the start of the window caption; the picture "
                                                    "window shows it too (default: %1).")
                                         .arg(Gift::DefaultAddress),
                                     QStringLiteral("URL"), Gift::DefaultAddress);
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace test.kaz in test folders that already exist."));
    parser.addOptions({output, address, force});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The GIFT file (UTF-8)."));

    // Every mistake in the command line, an unknown option too, is told the same way.
    const auto usage = [&err](const QString &what) {
        if (!what.isEmpty())
            err << "gift2kaz: error: " << what << '\n';
        err << "usage: gift2kaz [--output DIR] [--address URL] [--force] FILE.gift\n";
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
        return usage(files.isEmpty() ? QStringLiteral("give the GIFT file") : QStringLiteral("give one GIFT file"));
    const QString addr = parser.value(address);
    static const QRegularExpression space(QStringLiteral("\\s"));
    // The caption is the address, a space and the title, on one line of the test.
    constexpr int maxAddress = 200;
    if (addr.isEmpty() || addr.contains(space) || addr.size() > maxAddress
        || ContentReader::controlCharacter(addr) >= 0) {
        err << "gift2kaz: error: the address \"" << addr.left(maxAddress)
            << "\" must be one word without spaces, of at most " << maxAddress
            << " characters, such as https://school.example\n";
        return 2;
    }

    const QString path = files.first();
    const FileAccess::Read file = FileAccess::read(path, Gift::MaxFileBytes);
    if (!file.ok()) {
        err << path << ": error: cannot read the GIFT file: " << file.problem << '\n';
        return 1;
    }

    const Gift::Result result = Gift::readBytes(file.bytes);
    QStringList notes, errors;
    for (const Gift::Message &n : result.notes)
        notes.append(n.toString(path, "note"));
    for (const Gift::Message &e : result.errors)
        errors.append(e.toString(path, "error"));
    printCapped(err, notes, "note");
    printCapped(err, errors, "problem");
    if (!result.ok()) {
        err << result.errors.size() << (result.errors.size() == 1 ? " problem" : " problems") << " in " << path
            << "; no test was written\n";
        return 1;
    }
    if (result.questions.isEmpty()) {
        err << path << ": error: the file holds no matching question, so there is no test to write\n";
        return 1;
    }

    const Gift::Written written = Gift::writeFolders(result, QDir(parser.value(output)), parser.isSet(force), addr,
                                                     QFileInfo(path).fileName());
    for (const Gift::Message &e : written.errors)
        err << (e.line > 0 ? e.toString(path, "error") : QStringLiteral("gift2kaz: error: ") + e.text) << '\n';
    for (const QString &folder : written.folders)
        out << folder << '\n';
    return written.errors.isEmpty() ? 0 : 1;
}
