#include "PictureBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    // The box paints every pixel itself: its own colour, then the picture.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void PictureBox::setSource(const QString &source, const QByteArray &bytes)
{
    if (source == m_source)
        return;
    m_source = source;
    m_pixmap = QPixmap();
    if (!source.isEmpty())
        m_pixmap.loadFromData(bytes);
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setClipRect(rect());
    // A picture box has the platform's face colour of its own, not the colour of the window
    // it stands on: an empty box, and what a small picture leaves free, stay visible as a box.
    p.fillRect(rect(), QApplication::palette(this).color(QPalette::Button));
    if (!m_pixmap.isNull())
        p.drawPixmap(0, 0, m_pixmap);
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
