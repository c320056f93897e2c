#pragma once

// What the test window shows, compared with its model part by part, for the widget suites.

#include "ContentReader.h"
#include "Kaz.h"
#include "KazView.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "PictureWindow.h"
#include "TestContent.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

namespace ShownState {

// Where the colours and font of `look` are not the ones `widget` shows, what differs.
inline QString lookDiffers(QWidget *widget, const KazLook &look, bool font)
{
    const bool textControl = qobject_cast<QAbstractScrollArea *>(widget) != nullptr;
    const QPalette &pal = widget->palette();
    if (look.background != KazLayout::PlatformColour
        && pal.color(textControl ? QPalette::Base : QPalette::Window) != Twips::colour(look.background))
        return u"background"_qs;
    if (look.foreground != KazLayout::PlatformColour
        && pal.color(textControl ? QPalette::Text : QPalette::WindowText) != Twips::colour(look.foreground))
        return u"text colour"_qs;
    if (font
        && (widget->font().family() != look.fontName
            || widget->font().pixelSize() != Twips::font(look.fontName, look.fontSize).pixelSize()))
        return u"font "_qs + widget->font().family() + u' ' + QString::number(widget->font().pixelSize());
    return {};
}

// Every part of the model's state against what the window shows: the first difference, or
// an empty text.
inline QString viewDiffers(KazView &view, Kaz &kaz)
{
    for (int i = 0; i < 3; ++i) {
        ListBox *box = view.Slowo(i);
        const QModelIndexList rows = box->selectionModel()->selectedIndexes();
        const int shown = rows.size() == 1 ? rows.first().row() : -1;
        if (rows.size() > 1 || shown != kaz.Slowo(i).selectedIndex())
            return QStringLiteral("Slowo(%1) shows row %2 selected, the model %3").arg(i).arg(shown).arg(kaz.Slowo(i).selectedIndex());
        if (box->model()->rowCount() != kaz.Slowo(i).count())
            return QStringLiteral("Slowo(%1) shows %2 rows of %3").arg(i).arg(box->model()->rowCount()).arg(kaz.Slowo(i).count());
    }
    if (view.windowHandle() && view.windowHandle()->title() != kaz.caption())
        return u"the title reads \""_qs + view.windowHandle()->title() + u'"';
    const QSize client(Twips::toPixels(kaz.windowWidth() - ContentReader::FrameWidth),
                       Twips::toPixels(KazLayout::ClientHeight));
    if (view.centralWidget()->size() != client)
        return u"the window's client area is not as wide as its width gives"_qs;
    for (int i = 0; i < 2; ++i)
        if (view.Slowo(i)->geometry()
            != QRect(Twips::toPixels(kaz.slowoLeft(i)), Twips::toPixels(KazLayout::Slowo[i].top),
                     Twips::toPixels(kaz.slowoWidth(i)), Twips::toPixels(KazLayout::Slowo[i].height)))
            return QStringLiteral("Slowo(%1) is not where the model puts it").arg(i);
    const std::pair<QWidget *, const KazLook *> looks[] = {
        {view.centralWidget(), &kaz.windowLook()}, {view.Slowo(0), &kaz.slowoLook(0)},
        {view.Slowo(1), &kaz.slowoLook(1)},        {view.Slowo(2), &kaz.slowoLook(2)},
        {view.Prowerka0(), &kaz.prowerkaLook()},   {view.Ndapis(), &kaz.ndapisLook()}};
    for (const auto &[widget, look] : looks) {
        const bool font = widget != view.centralWidget() && widget != view.Ndapis();
        if (const QString differs = lookDiffers(widget, *look, font); !differs.isEmpty())
            return widget->objectName() + u": "_qs + differs;
    }
    for (int b = 0; b < 4; ++b)
        if (view.Uprawl(b)->isEnabled() != kaz.uprawlEnabled(b))
            return QStringLiteral("Uprawl(%1) enabled on screen %2").arg(b).arg(view.Uprawl(b)->isEnabled());
    if (view.Ndapis()->text() != kaz.ndapis() || view.Ndapis()->accessibleName() != kaz.ndapis())
        return u"the label shows \""_qs + view.Ndapis()->text() + u"\""_qs;
    QString text = kaz.prowerkaText(0);
    text.replace(u"\r\n"_qs, u"\n"_qs);
    if (view.Prowerka0()->toPlainText() != text)
        return u"the text box shows \""_qs + view.Prowerka0()->toPlainText() + u"\""_qs;
    if (view.Prowerka1()->isVisible() != kaz.verdictVisible() || view.Prowerka1()->text() != kaz.prowerkaText(1)
        || view.Prowerka1()->palette().color(QPalette::Base) != Twips::colour(kaz.verdictColour()))
        return u"the verdict box differs from the model"_qs;
    if (view.Grafika0()->source() != kaz.thumbnail())
        return u"the thumbnail shows \""_qs + view.Grafika0()->source() + u"\""_qs;
    const bool pictureShown = view.KAZ_Graphika() && view.KAZ_Graphika()->isVisible();
    if (pictureShown != (kaz.KAZ_Graphika() && kaz.KAZ_Graphika()->visible))
        return u"the picture window is shown on screen but not in the model, or the other way round"_qs;
    if (pictureShown && view.KAZ_Graphika()->box()->source() != kaz.KAZ_Graphika()->picture)
        return u"the picture window shows another picture"_qs;
    if (bool(view.Cwiat()) != bool(kaz.cwiat()))
        return u"the appearance dialog is open on screen but not in the model, or the other way round"_qs;
    return TestContent::brokenInvariant(kaz);
}

} // namespace ShownState
