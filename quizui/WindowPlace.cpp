#include "WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace WindowPlace {

QPoint beside(const QRect &owner, const QSize &size, const QRect &available)
{
    const int roomRight = available.right() - owner.right();
    const int roomLeft = owner.left() - available.left();
    int x;
    if (roomRight >= size.width())
        x = owner.right() + 1;
    else if (roomLeft >= size.width())
        x = owner.left() - size.width();
    else if (roomRight >= roomLeft)
        x = available.right() + 1 - size.width();
    else
        x = available.left();
    const int y = std::min(owner.top(), available.bottom() + 1 - size.height());
    return {std::max(x, available.left()), std::max(y, available.top())};
}

QRect availableArea(const QWidget *window)
{
    const QScreen *screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize fitting(const QWidget *window, const QSize &wanted)
{
    const QRect available = availableArea(window);
    if (available.isEmpty())
        return wanted;
    // The frame is known only once the window manager has drawn it: allow a title bar and a
    // border as the style draws them.
    const QStyle *style = window->style();
    const int border = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, window) + 4;
    const QSize frame(border, border + style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    return wanted.boundedTo(available.size() - frame).expandedTo(window->minimumSizeHint().expandedTo(window->minimumSize()));
}

void putBeside(QWidget *window, const QWidget *owner)
{
    const QWidget *ownerWindow = owner ? owner->window() : nullptr;
    if (!ownerWindow)
        return;
    const QRect frame = ownerWindow->frameGeometry();
    const QSize decoration = frame.size() - ownerWindow->size();
    window->move(beside(frame, window->size() + decoration, availableArea(ownerWindow)));
}

} // namespace WindowPlace
