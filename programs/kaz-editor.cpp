// The test editor: kaz-editor [FOLDER | FILE.gift | PROGRAM] opens that test, or else what the
// editor had open last. It speaks Bulgarian, as the quiz does, whatever the user's locale.
#include "DesktopDisplay.h"
#include "EditorWindow.h"
#include "KazIcon.h"
#include "KazTranslations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <cstdlib>

namespace {

// The editor's texts whatever the user's locale, and Qt's own (the file dialogs, the standard
// buttons, the fields' context menus) where Qt's Bulgarian translation is installed; dates (of
// a recovery copy, in the file dialogs) written the Bulgarian way too.
void installBulgarian(QCoreApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    KazTranslations::installQt(app, QLocale::Bulgarian);
    KazTranslations::install(app, QLocale::Bulgarian);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!DesktopDisplay::available()) {
        QCoreApplication core(argc, argv);
        installBulgarian(core);
        QTextStream(stderr) << QCoreApplication::translate("editor", "The KAZ editor needs a graphical desktop, and "
                                                                     "no display was found (DISPLAY is not set or "
                                                                     "not reachable).")
                            << '\n';
        return EXIT_FAILURE;
    }
    DesktopDisplay::chooseFontEngine();
    QApplication app(argc, argv);
    installBulgarian(app);
    // The recovery copies and the last folder are kept under these names.
    QApplication::setOrganizationName(QStringLiteral("KAZ"));
    QApplication::setApplicationName(QStringLiteral("kaz-editor"));
    QApplication::setApplicationVersion(QStringLiteral(KAZ_VERSION));
    QApplication::setWindowIcon(KazIcon::editorWindowIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("editor", "Writes and changes KAZ matching tests."));
    // The help option of our own: Qt's Bulgarian has no words for QCommandLineParser's.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("editor", "Shows this help."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addPositionalArgument(
        QCoreApplication::translate("editor", "test"),
        QCoreApplication::translate("editor", "A test folder (the one holding test.kaz), a GIFT or Moodle XML "
                                              "file or a test program to open."),
        QCoreApplication::translate("editor", "[FOLDER | FILE.gift | FILE.xml | PROGRAM]"));
    parser.process(app);
    if (parser.isSet(help))
        parser.showHelp(EXIT_SUCCESS);

    EditorWindow window;
    window.show();
    window.start(parser.positionalArguments());
    return app.exec();
}
