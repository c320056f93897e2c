#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

// What the programs with a window check before making one.
namespace DesktopDisplay {

// On X11 and Wayland desktops a missing display would end Qt with an abort; the programs say so
// plainly instead.
inline bool available()
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
inline bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == u"offscreen" || platform == u"minimal";
}

} // namespace DesktopDisplay
