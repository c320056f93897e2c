#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The fonts installed for the screen, as the appearance dialog asks for them.
class ScreenFonts
{
public:
    virtual ~ScreenFonts() = default;

    virtual int FontCount() const = 0;
    // Name of installed font i, 0 ≤ i < FontCount().
    virtual QString Fonts(int i) const = 0;
    // The size in points a text box really shows when it is given `points` in `family`:
    // a display may only offer some sizes and adjusts a request to the nearest of them.
    virtual double shownSize(const QString &family, double points) const = 0;
};

// A fixed list of font names. Sizes are shown as requested unless a rule is given.
class FixedScreenFonts : public ScreenFonts
{
public:
    using SizeRule = std::function<double(double points)>;

    explicit FixedScreenFonts(QStringList names = {}, SizeRule sizes = {})
        : m_names(std::move(names))
        , m_sizes(std::move(sizes))
    {
    }

    int FontCount() const override { return int(m_names.size()); }
    QString Fonts(int i) const override { return m_names.value(i); }
    double shownSize(const QString &, double points) const override
    {
        return m_sizes ? m_sizes(points) : points;
    }

private:
    QStringList m_names;
    SizeRule m_sizes;
};
