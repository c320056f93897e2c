#pragma once

#include <QColor>
#include <QPushButton>

// A command button drawn flat in a colour of its own, black text on it, with a thin dark
// frame: a thicker black frame while it has the keyboard focus, a sunken one while it is
// held down, grey text and frame while disabled. It paints itself rather than through a
// style sheet, which would bring the style sheet engine into every start of the program.
class ColourButton : public QPushButton
{
    Q_OBJECT

public:
    ColourButton(const QString &text, const QColor &colour, QWidget *parent = nullptr);

    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};
