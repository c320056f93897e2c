#include "KazIconDrawing.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>

namespace KazIconDrawing {

const QList<int> &sizes()
{
    static const QList<int> all{16, 22, 24, 32, 48, 64, 128, 256};
    return all;
}

QImage image(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawRoundedRect(QRectF(0, 0, size, size), 5 * s, 5 * s);
    p.setPen(QPen(Qt::black, std::max(1.0, s)));
    p.setBrush(QColor(255, 128, 0));
    p.drawRect(QRectF(3 * s, 6 * s, 10 * s, 8 * s));
    p.setBrush(QColor(255, 255, 128));
    p.drawRect(QRectF(19 * s, 18 * s, 10 * s, 8 * s));
    p.setPen(QPen(Qt::white, 2 * s));
    p.drawLine(QPointF(13 * s, 10 * s), QPointF(19 * s, 22 * s));
    return img;
}

QByteArray png(int size, const QImage &own)
{
    const QImage picture = own.isNull() ? image(size)
                                        : own.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace KazIconDrawing
