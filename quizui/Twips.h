#pragma once

#include "ListText.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QtMath>

// Twips (1/1440 inch) to device-independent pixels at 96 per inch: 15 twips a pixel.
// Qt scales device-independent pixels on high-density screens.
namespace Twips {

constexpr double PerPixel = 15.0;

inline int toPixels(double twips) { return qRound(twips / PerPixel); }
inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// A colour held as 0x00BBGGRR, red in the low byte.
inline QColor colour(qint64 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// A font of `points` points, sized in pixels at 96 per inch so that text keeps its
// proportion to the twips layout whatever the screen reports.
inline QFont font(const QString &family, double points) { return ListText::font(family, points); }

} // namespace Twips
