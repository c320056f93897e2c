#include "KazIconDrawing.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

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

QImage editorImage(int size)
{
    QImage img = image(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    // Drawn along the x axis from its point at the origin, then turned to lie from the lower
    // left corner up to the middle: point, wooden cone, blue body, eraser.
    p.translate(3 * s, 29 * s);
    p.rotate(-45);
    const qreal half = 2.75 * s;
    const QPen outline(QColor(20, 20, 60), std::max(1.0, 0.75 * s));
    p.setPen(outline);
    p.setBrush(QColor(240, 200, 150));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(5 * s, -half), QPointF(5 * s, half)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(1.8 * s, -half * 0.36), QPointF(1.8 * s, half * 0.36)});
    p.setPen(outline);
    p.setBrush(QColor(30, 90, 230));
    p.drawRect(QRectF(5 * s, -half, 12 * s, 2 * half));
    p.setBrush(QColor(240, 110, 150));
    p.drawRect(QRectF(17 * s, -half, 3 * s, 2 * half));
    return img;
}

QImage setupPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    if (width >= height) {
        const int margin = std::max(1, height / 8);
        const int size = std::max(1, std::min(height, width) - 2 * margin);
        p.drawImage(width - margin - size, (height - size) / 2, editorImage(size));
        return picture;
    }
    // The icon takes most of the width, at most 128 pixels, as far below the top as from the
    // sides; the band fills the lowest eighth.
    const int size = std::max(1, std::min(128, width * 4 / 5));
    const int band = height / 8;
    p.fillRect(0, height - band, width, band, QColor(0, 128, 0));
    p.drawImage((width - size) / 2, (width - size) / 2, editorImage(size));
    return picture;
}

namespace {

QByteArray encoded(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QByteArray png(int size, const QImage &own)
{
    return encoded(own.isNull() ? image(size)
                                : own.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QByteArray setupBitmap(int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    setupPicture(width, height).convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

QByteArray editorPng(int size)
{
    return encoded(editorImage(size));
}

QByteArray windowsIcon(const QList<QImage> &images)
{
    QByteArray file;
    const auto put16 = [&file](quint16 value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        file.append(bytes, 2);
    };
    const auto put32 = [&file](quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        file.append(bytes, 4);
    };
    constexpr int Header = 6;
    constexpr int Entry = 16;
    put16(0); // reserved
    put16(1); // an icon, not a cursor
    put16(quint16(images.size()));
    QList<QByteArray> pngs;
    quint32 offset = quint32(Header + Entry * images.size());
    for (const QImage &picture : images) {
        pngs.append(encoded(picture));
        // A byte each for width and height, where 0 stands for 256.
        file.append(char(picture.width() & 0xff)).append(char(picture.height() & 0xff));
        file.append(char(0)).append(char(0)); // no palette, reserved
        put16(1);  // colour planes
        put16(32); // bits per pixel
        put32(quint32(pngs.last().size()));
        put32(offset);
        offset += quint32(pngs.last().size());
    }
    for (const QByteArray &png : std::as_const(pngs))
        file.append(png);
    return file;
}

} // namespace KazIconDrawing
