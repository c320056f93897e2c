#include "Sketch.h"

#include "ContentReader.h"
#include "KazLayout.h"
#include "Numbers.h"

#include <cmath>

namespace Sketch {

namespace {

int twipsOf(const DocumentContent &c, int i)
{
    return Numbers::roundToInt32(Numbers::readLenient(c.geometry.value(i)));
}

QRect rectOf(const KazLayout::Control &control) { return {control.left, control.top, control.width, control.height}; }

Rects pixelsOf(const Rects &twips)
{
    Rects out;
    out.window = toPixels(twips.window);
    out.leftList = toPixels(twips.leftList);
    out.rightList = toPixels(twips.rightList);
    for (const QRect &r : twips.controls)
        out.controls.append(toPixels(r));
    return out;
}

} // namespace

QRect toPixels(const QRect &twips)
{
    const auto px = [](int t) { return int(std::lround(t / double(TwipsPerPixel))); };
    return {px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height())};
}

Geometry of(const DocumentContent &content)
{
    Geometry g;
    const int width = twipsOf(content, 0);
    g.twips.window = {0, 0, std::max(0, width - ContentReader::FrameWidth), KazLayout::ClientHeight};
    const KazLayout::Control &left = KazLayout::Slowo[0];
    const KazLayout::Control &right = KazLayout::Slowo[1];
    g.twips.leftList = {twipsOf(content, 1), left.top, std::max(0, twipsOf(content, 2)), left.height};
    g.twips.rightList = {twipsOf(content, 3), right.top, std::max(0, twipsOf(content, 4)), right.height};
    g.twips.controls = {rectOf(KazLayout::Slowo[2]),    rectOf(KazLayout::Uprawl[0]),   rectOf(KazLayout::Uprawl[1]),
                        rectOf(KazLayout::Uprawl[2]),   rectOf(KazLayout::Uprawl[3]),   rectOf(KazLayout::Ndapis),
                        rectOf(KazLayout::Prowerka[0]), rectOf(KazLayout::Prowerka[1]), rectOf(KazLayout::Grafika[0])};
    g.pixels = pixelsOf(g.twips);
    g.problems = DocumentCheck::geometry(content);
    g.problems.removeIf([](const DocumentProblem &p) {
        return p.field < DocumentField::WindowWidth || p.field > DocumentField::RightListWidth;
    });
    return g;
}

} // namespace Sketch
