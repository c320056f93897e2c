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

// On Windows the programs draw their text with FreeType, as they do on Linux: glyphs and
// measures come from the font files themselves, so a phrase the lists cut on one system is cut
// on the other, and gift2kaz measures as the runner draws. (Windows' own font engines also left
// the text of line edits undrawn under Wine.) Called before the application is made; a platform
// chosen by the user (QT_QPA_PLATFORM, -platform) is kept.
inline constexpr char WindowsPlatform[] = "windows:fontengine=freetype";

inline void chooseFontEngine()
{
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", WindowsPlatform);
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
