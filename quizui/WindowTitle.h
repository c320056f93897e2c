#pragma once

#include <QString>

// Qt reads "[*]" in a window title as the place of the unsaved-changes mark and shows
// nothing there while the window is unmodified; "[*][*]" shows one literal "[*]". A title
// from the content is shown as its author wrote it, so every "[*]" in it is doubled.
namespace WindowTitle {

inline QString literal(QString title)
{
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return title;
}

} // namespace WindowTitle
