#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window that belongs to another opens: beside it, on its screen, never off screen.
namespace WindowPlace {

// The top left corner of a window whose frame is `size`, beside the frame `owner` within the
// screen's `available` area: right of the owner where it fits, else left of it, else on the side
// with more room as far out as the screen allows (covering the owner in part); level with the
// owner's top. Always within `available` where the window fits in it, its top left corner inside
// it where it does not.
QPoint beside(const QRect &owner, const QSize &size, const QRect &available);

// The available area of the screen `window` is on (the primary screen's without one).
QRect availableArea(const QWidget *window);

// The size a top-level window not shown yet takes so that it fits the available area of its screen
// with a title bar and frame around it: `wanted` where it fits, no smaller than the window's
// minimum size.
QSize fitting(const QWidget *window, const QSize &wanted);

// Moves the top-level `window`, not shown yet, beside the window of `owner` (see beside), its
// frame taken as large as the owner's frame is around its contents.
void putBeside(QWidget *window, const QWidget *owner);

} // namespace WindowPlace
