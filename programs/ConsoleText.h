#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max stay usable in the tools
#endif
#include <windows.h>
#endif

// The teachers' tools write their messages as UTF-8 (QTextStream's encoding), Bulgarian and
// file names in Cyrillic included. A Linux terminal shows UTF-8 as it is; a Windows console
// shows the bytes in its own code page (866 or 1251 on a Bulgarian Windows) unless told that
// they are UTF-8. Made first in a tool's main(), this tells the console so while the tool runs
// and gives it its code page back at the end, so that the window the teacher typed in is left
// as it was. Output to a file or a pipe stays UTF-8 either way.
class Utf8Console
{
public:
    Utf8Console()
    {
#ifdef Q_OS_WIN
        m_before = GetConsoleOutputCP(); // 0 when the tool has no console
        if (m_before != 0 && m_before != CP_UTF8)
            SetConsoleOutputCP(CP_UTF8);
#endif
    }
    ~Utf8Console()
    {
#ifdef Q_OS_WIN
        if (m_before != 0 && m_before != CP_UTF8)
            SetConsoleOutputCP(m_before);
#endif
    }
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
#ifdef Q_OS_WIN
    unsigned m_before = 0;
#endif
};
