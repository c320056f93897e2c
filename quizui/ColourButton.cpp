#include "ColourButton.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor Frame(0x40, 0x40, 0x40);
const QColor FrameDisabled(0x8a, 0x8a, 0x8a);
const QColor TextDisabled(0x7a, 0x7a, 0x7a);
const QColor Sunken(0x20, 0x20, 0x20);
constexpr qreal Radius = 2.0;
} // namespace

ColourButton::ColourButton(const QString &text, const QColor &colour, QWidget *parent)
    : QPushButton(text, parent)
    , m_colour(colour)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Button, colour);
    pal.setColor(QPalette::ButtonText, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, TextDisabled);
    setPalette(pal);
}

void ColourButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect());

    QPainterPath shape;
    shape.addRoundedRect(outer, Radius, Radius);
    p.fillPath(shape, m_colour);

    // The frame: 1 pixel normally, 2 while focused or held down; focus wins, as it is what
    // the keyboard user follows.
    const bool enabled = isEnabled();
    const bool focused = enabled && hasFocus();
    const bool sunken = enabled && isDown() && !focused;
    const qreal width = focused || sunken ? 2.0 : 1.0;
    const QRectF frame = outer.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    if (sunken) {
        // Dark at the top and left, lighter at the bottom and right, as a pressed key looks.
        QPen dark(Sunken.darker(150), width);
        QPen light(Sunken.lighter(250), width);
        p.setPen(dark);
        p.drawLine(frame.topLeft(), frame.topRight());
        p.drawLine(frame.topLeft(), frame.bottomLeft());
        p.setPen(light);
        p.drawLine(frame.bottomLeft(), frame.bottomRight());
        p.drawLine(frame.topRight(), frame.bottomRight());
    } else {
        p.setPen(QPen(focused ? QColor(Qt::black) : enabled ? Frame : FrameDisabled, width));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(frame, Radius, Radius);
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(enabled ? QColor(Qt::black) : TextDisabled);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
