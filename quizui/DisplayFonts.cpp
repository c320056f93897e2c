#include "DisplayFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace {

struct Alias
{
    const char16_t *windowsName;
    const char16_t *compatible;
};

constexpr Alias MetricAliases[] = {
    {u"Times New Roman", u"Liberation Serif"},
    {u"Arial", u"Liberation Sans"},
    {u"Courier New", u"Liberation Mono"},
};

} // namespace

const QStringList &DisplayFonts::names() const
{
    if (m_names)
        return *m_names;
    QStringList names = QFontDatabase::families();
    for (const Alias &alias : MetricAliases) {
        const QString name = QString::fromUtf16(alias.windowsName);
        if (names.contains(name))
            continue;
        // Only where the platform really draws the name with its metric twin.
        if (QFontInfo(QFont(name)).family() == QString::fromUtf16(alias.compatible))
            names.append(name);
    }
    m_names = std::move(names);
    return *m_names;
}

double DisplayFonts::shownSize(const QString &, double points) const
{
    const int pixels = std::max(1, qRound(points * 96.0 / 72.0));
    return pixels * 72.0 / 96.0;
}
