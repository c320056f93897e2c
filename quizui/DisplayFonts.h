#pragma once

#include "ScreenFonts.h"

#include <QStringList>
#include <optional>

// The fonts of this display as the appearance dialog lists them: every family the font
// database knows, plus the Windows names the platform maps onto a metric-compatible face
// (on Linux, fontconfig shows "Times New Roman" as Liberation Serif, but the database
// lists only the latter).
class DisplayFonts : public ScreenFonts
{
public:
    int FontCount() const override { return int(names().size()); }
    QString Fonts(int i) const override { return names().value(i); }
    // Text is drawn at whole pixels (Twips::font), so a size is shown as the nearest
    // whole number of pixels at 96 per inch: 8 pt becomes 8.25 pt, 14 pt 14.25 pt.
    double shownSize(const QString &family, double points) const override;

private:
    // Found on the first question, when the appearance dialog opens: the font database's
    // full list and a lookup per Windows name are work the start-up need not wait for.
    const QStringList &names() const;
    mutable std::optional<QStringList> m_names;
};
