#include "KeyboardMenuBar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyleOptionMenuItem>

KeyboardMenuBar::KeyboardMenuBar(QMainWindow *window)
    : QMenuBar(window)
{
    window->setMenuBar(this);
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(f10, &QShortcut::activated, this, &KeyboardMenuBar::toggleKeyboard);
}

void KeyboardMenuBar::toggleKeyboard()
{
    // QMenuBar takes the keyboard, or gives it back, at the release of a lone Alt in its
    // window, and offers no call for it: this is that Alt, pressed and released. (An Alt
    // key's own event reports its modifiers with Alt flipped, so the press made without it
    // reads "Alt held".)
    QWidget *window = parentWidget();
    QKeyEvent pressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &pressed);
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(window, &released);
}

void KeyboardMenuBar::paintEvent(QPaintEvent *event)
{
    QMenuBar::paintEvent(event);
    QAction *action = activeAction();
    // The menu bar has the focus only while it has the keyboard; a command under the mouse
    // is active too, and is drawn as the style draws it.
    if (!hasFocus() || !action)
        return;
    QStyleOptionMenuItem option;
    initStyleOption(&option, action);
    option.rect = actionGeometry(action);
    option.state |= QStyle::State_Selected | QStyle::State_Sunken;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
}
