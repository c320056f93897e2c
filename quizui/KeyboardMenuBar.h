#pragma once

#include <QMenuBar>

class QMainWindow;

// The menu bar of the quiz's windows, whose commands ("Exit", "Color"; "Запис", "Отказ")
// open no menus and have no mnemonic. A lone Alt or F10 gives it the keyboard: Left and
// Right choose a command, Enter runs it, Esc (or the same key again) gives the keyboard
// back to the control that had it. The command the keyboard is on is drawn pressed, as a
// click shows it: a style may draw it as it draws the others.
class KeyboardMenuBar : public QMenuBar
{
public:
    // Becomes `window`'s menu bar, and F10 in `window` its key.
    explicit KeyboardMenuBar(QMainWindow *window);

    // Gives the menu bar the keyboard, or gives it back, as a lone Alt does.
    void toggleKeyboard();

protected:
    void paintEvent(QPaintEvent *event) override;
};
