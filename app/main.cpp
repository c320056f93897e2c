// The quiz program: one test, built in at compile time, in its test window.
#include "KazProgram.h"
#include "KazView.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
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

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("KAZ needs a graphical desktop, and no display was found (DISPLAY is not set or not reachable).\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KAZ"));
    KazProgram program(QStringLiteral(":/test/test.kaz"));
    program.view()->showCentred();
    return app.exec();
}
