#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// How much of a phrase the test window's lists show. A list box (quizui/ListBox, placed by KazView
// from the test's geometry) gives its text the list's width less its frame, less the vertical
// scroll bar while not every row fits, less a margin on either side of the text; a phrase wider
// than that is cut with "…". The editor warns of such phrases and widens the lists to fit them;
// gift2kaz sizes the lists the same way. Measuring a phrase needs a QGuiApplication (its fonts)
// and may run on any thread; the rest is arithmetic in twips and pixels.
namespace ListText {

// What a list box takes of its width, in pixels, as its style (Fusion, on every system: see
// quizui/ListBox) draws it: its frame on either side, the vertical scroll bar, and the style's focus
// margin and one pixel on either side of the text. tests/tst_kazview.cpp checks them against
// the real list, under the platform's own style too.
constexpr int FrameWidth = 1;
constexpr int ScrollBarWidth = 14;
constexpr int TextMargin = 3;

// The widest window that widening the lists makes: a screen of 1280 pixels, in twips.
constexpr int MaxFittedWindowWidth = 1280 * 15;

// A font of `points` points, sized in pixels at 96 per inch, as the test window sets every font,
// so that text keeps its proportion to the twips layout whatever the screen reports.
QFont font(const QString &family, double points);

// The lists' font as a test starts (the learner's appearance settings aside).
QFont listFont();

// A list's width in twips as the window places it, in pixels.
int pixels(int twips);

// Whether this program can measure text: only with a QGuiApplication.
bool canMeasure();

class Measure
{
public:
    Measure(); // the lists' font
    explicit Measure(const QFont &font);

    // The phrase's width as a list lays it out, in pixels.
    qreal width(const QString &phrase) const;
    // The height of every row.
    int rowHeight() const { return m_rowHeight; }
    // The rows a list shows whole without its scroll bar.
    int rowsShown() const;
    // The pixels a phrase may take in a list `twips` wide holding `phrases` rows.
    int textWidth(int twips, int phrases) const;
    bool fits(const QString &phrase, int twips, int phrases) const { return width(phrase) <= textWidth(twips, phrases); }
    // The narrowest list, in whole pixels given in twips, that holds a phrase `width` pixels wide
    // among `phrases` rows.
    int listWidthFor(qreal width, int phrases) const;
    // The phrase as a list `twips` wide holding `phrases` rows shows it: cut with "…" where it
    // does not fit.
    QString shown(const QString &phrase, int twips, int phrases) const;

private:
    QFont m_font;
    int m_rowHeight;
};

// The window width and the two lists' left edges and widths, in twips, as the test's parameters
// hold them.
struct Geometry
{
    int windowWidth = 0;
    int leftLeft = 0;
    int leftWidth = 0;
    int rightLeft = 0;
    int rightWidth = 0;

    // From the five numbers of the parameters (window width, left list's edge and width, right
    // list's edge and width), and back.
    static Geometry fromTexts(const QStringList &texts);
    QStringList toTexts() const;
    friend bool operator==(const Geometry &, const Geometry &) = default;
};

struct Widened
{
    Geometry geometry;
    bool whole = true; // every phrase fits; false when the window could grow no more
};

// The margin right of the window's rightmost control that a new test's window
// (ContentStore::defaultGeometry) leaves, in twips; widening keeps it.
int rightMargin();

// `geometry` with each list at least `leftWidth` and `rightWidth` twips wide, laid out with the
// window's fixed controls (the pair list, the buttons and the boxes stay where the test window
// has them): the right list keeps its distance from the left one; while both lists fit the
// window beside its right margin (rightMargin()), the window keeps its width and a list wider
// than its own need gives room to the other; past that, each list is as wide as it needs and the
// window as wide as the lists and the margin need, up to MaxFittedWindowWidth (or its own
// width, when that is more). Where that is too narrow, the lists share the room, the narrower
// need met first, and `whole` is false. The window is never made narrower, no list narrower than
// its need (nor than the narrowest list allowed), and nothing changes where no list needs more.
Widened widen(const Geometry &geometry, int leftWidth, int rightWidth);

// `geometry` widened so that each side's widest phrase fits its list.
Widened fit(const Geometry &geometry, const QStringList &left, const QStringList &right, const Measure &measure);

// A new test's geometry (ContentStore::defaultGeometry) widened to fit the phrases, as the
// parameters' texts; needs canMeasure().
QStringList fittedDefault(const QStringList &left, const QStringList &right);

} // namespace ListText
