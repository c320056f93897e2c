#include "ListText.h"

#include "ContentReader.h"
#include "ContentStore.h"
#include "KazLayout.h"
#include "Numbers.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace ListText {

QFont font(const QString &family, double points)
{
    QFont f(family);
    f.setPixelSize(std::max(1, qRound(points * 96.0 / 72.0)));
    return f;
}

QFont listFont() { return font(KazLayout::fontName(), KazLayout::FontSize); }

int pixels(int twips) { return qRound(twips / 15.0); }

bool canMeasure() { return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr; }

namespace {

// One line of `text` as the style lays out a list's row: no wrapping, the list's font.
QTextLine laidOut(QTextLayout &layout)
{
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    return line;
}

} // namespace

Measure::Measure() : Measure(listFont()) {}

Measure::Measure(const QFont &font) : m_font(font)
{
    // A row is as high as its line of text, in whole pixels (the style's size of a view item).
    QTextLayout layout(QStringLiteral("X"), m_font);
    const QTextLine line = laidOut(layout);
    m_rowHeight = std::max(1, int(std::ceil(line.isValid() ? line.height() : QFontMetricsF(m_font).height())));
}

qreal Measure::width(const QString &phrase) const
{
    // The style cuts a row's text where its line's natural width is more than the text area.
    QTextLayout layout(phrase, m_font);
    const QTextLine line = laidOut(layout);
    return line.isValid() ? line.naturalTextWidth() : 0;
}

int Measure::rowsShown() const
{
    const int inside = pixels(KazLayout::Slowo[0].height) - 2 * FrameWidth;
    return std::max(0, inside / m_rowHeight);
}

int Measure::textWidth(int twips, int phrases) const
{
    const int scrollBar = phrases > rowsShown() ? ScrollBarWidth : 0;
    return pixels(twips) - 2 * FrameWidth - scrollBar - 2 * TextMargin;
}

int Measure::listWidthFor(qreal width, int phrases) const
{
    const int scrollBar = phrases > rowsShown() ? ScrollBarWidth : 0;
    return (int(std::ceil(width)) + 2 * TextMargin + scrollBar + 2 * FrameWidth) * 15;
}

QString Measure::shown(const QString &phrase, int twips, int phrases) const
{
    const int area = textWidth(twips, phrases);
    return width(phrase) <= area ? phrase : QFontMetricsF(m_font).elidedText(phrase, Qt::ElideRight, area);
}

Geometry Geometry::fromTexts(const QStringList &texts)
{
    const auto at = [&texts](int i) { return Numbers::roundToInt32(Numbers::readLenient(texts.value(i))); };
    return {at(0), at(1), at(2), at(3), at(4)};
}

QStringList Geometry::toTexts() const
{
    return {QString::number(windowWidth), QString::number(leftLeft), QString::number(leftWidth),
            QString::number(rightLeft), QString::number(rightWidth)};
}

int rightMargin()
{
    const int defaultWidth = Geometry::fromTexts(ContentStore::defaultGeometry()).windowWidth;
    return defaultWidth - ContentReader::FrameWidth - ContentReader::ControlsRightEdge;
}

Widened widen(const Geometry &g, int leftWidth, int rightWidth)
{
    int left = std::max(g.leftWidth, leftWidth);
    int right = std::max(g.rightWidth, rightWidth);
    if (left == g.leftWidth && right == g.rightWidth)
        return {g, true};
    const int frame = ContentReader::FrameWidth;
    const int margin = rightMargin();
    const int gap = std::max(0, g.rightLeft - (g.leftLeft + g.leftWidth));
    const int widest = std::max(MaxFittedWindowWidth, g.windowWidth);
    // The least each list may be: as wide as its phrases need.
    const int leftLeast = std::max(leftWidth, ContentReader::MinListWidth);
    const int rightLeast = std::max(rightWidth, ContentReader::MinListWidth);
    const int roomNow = g.windowWidth - frame - margin - g.leftLeft - gap;
    const int roomWidest = widest - frame - margin - g.leftLeft - gap;
    bool whole = true;
    if (left + right <= roomNow) {
        // Both fit the window as it is.
    } else if (leftLeast + rightLeast <= roomNow) {
        // The window keeps its width: the list that did not grow, wider than its phrases need,
        // gives the other one room.
        const int over = left + right - roomNow;
        if (left > leftLeast)
            left -= over;
        else
            right -= over;
    } else if (leftLeast + rightLeast <= roomWidest) {
        left = leftLeast;
        right = rightLeast;
    } else {
        whole = false;
        // The narrower need is met first, up to half the room in whole pixels; the other list
        // takes the rest.
        const bool leftFirst = leftLeast <= rightLeast;
        const int first = std::min(leftFirst ? leftLeast : rightLeast, roomWidest / 2 / 15 * 15);
        left = leftFirst ? first : roomWidest - first;
        right = leftFirst ? roomWidest - first : first;
    }
    Widened out{g, whole};
    out.geometry.leftWidth = left;
    out.geometry.rightLeft = g.leftLeft + left + gap;
    out.geometry.rightWidth = right;
    out.geometry.windowWidth = std::max(g.windowWidth, out.geometry.rightLeft + right + margin + frame);
    return out;
}

Widened fit(const Geometry &geometry, const QStringList &left, const QStringList &right, const Measure &measure)
{
    const auto need = [&measure](const QStringList &phrases) {
        qreal widest = 0;
        for (const QString &p : phrases)
            widest = std::max(widest, measure.width(p));
        return measure.listWidthFor(widest, int(phrases.size()));
    };
    return widen(geometry, need(left), need(right));
}

QStringList fittedDefault(const QStringList &left, const QStringList &right)
{
    return fit(Geometry::fromTexts(ContentStore::defaultGeometry()), left, right, Measure()).geometry.toTexts();
}

} // namespace ListText
