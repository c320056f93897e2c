#pragma once

#include "DocumentCheck.h"
#include "DocumentContent.h"

#include <QList>
#include <QRect>

// Where the test window and its two lists stand, for a live sketch beside the geometry fields:
// from the document's window width and list places, read as the test window reads them, in
// twips and in pixels (15 twips a pixel). The lists' tops and heights and the other controls
// are the test window's own (testwindow/KazLayout.h).
namespace Sketch {

constexpr int TwipsPerPixel = 15;

struct Rects
{
    QRect window; // the inside of the window's frame
    QRect leftList;
    QRect rightList;
    QList<QRect> controls; // the window's other controls: pair list, buttons, boxes, thumbnail
};

struct Geometry
{
    Rects twips;
    Rects pixels;
    // The checker's rules of the geometry, each on its field (WindowWidth … RightListWidth).
    QList<DocumentProblem> problems;
};

Geometry of(const DocumentContent &content);

QRect toPixels(const QRect &twips);

} // namespace Sketch
