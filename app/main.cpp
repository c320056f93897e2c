// The quiz runner: the program of every test. kazpack appends a test to a copy of it, and
// the copy finds its test at the end of its own file.
#include "KazProgram.h"
#include "KazTranslations.h"
#include "KazView.h"
#include "ProgramTest.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>
#include <cstdlib>

namespace {

// On X11 and Wayland desktops a missing display would end Qt with an abort; say so plainly.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return true;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return false;
    if (display.startsWith(':')) {
        const QByteArray number = display.mid(1).split('.').first();
        return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(number));
    }
    return true;
#else
    return true;
#endif
}

// The platforms without a screen to show a message box on; a modal box there would wait
// for a click that never comes.
bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == u"offscreen" || platform == u"minimal";
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        // The test is still read, so that a broken program says what is wrong with it.
        QCoreApplication core(argc, argv);
        KazTranslations::install(core);
        const ProgramTest::Loaded loaded = ProgramTest::load(QCoreApplication::applicationFilePath());
        if (!loaded.ok())
            QTextStream(stderr) << loaded.message << '\n';
        else
            QTextStream(stderr) << QCoreApplication::translate("main", "KAZ needs a graphical desktop, and no display "
                                                                       "was found (DISPLAY is not set or not reachable).")
                                << '\n';
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    KazTranslations::install(app);
    QApplication::setApplicationName(QStringLiteral("KAZ"));
    // The whole test is read and checked before any window is made.
    const ProgramTest::Loaded loaded = ProgramTest::load(QCoreApplication::applicationFilePath());
    if (!loaded.ok()) {
        QTextStream(stderr) << loaded.message << '\n';
        if (!headless())
            QMessageBox::critical(nullptr, QCoreApplication::translate("main", "KAZ"), loaded.message);
        return EXIT_FAILURE;
    }
    KazProgram program(loaded.content);
    program.setIcon(loaded.icon);
    program.view()->showCentred();
    return app.exec();
}
