#pragma once

#include <QString>
#include <QtGlobal>

class AppearanceStore;

// The window whose appearance the dialog edits: it owns the settings store and the
// dialog itself, and takes the colours and fonts that "Запис" hands it. The test window
// implements this; the dialog knows nothing else about it.
class AppearanceTarget
{
public:
    // The controls "Запис" reaches.
    enum class Control { Form, Slowo0, Slowo1, Slowo2, Prowerka0, Ndapis };
    static Control Slowo(int index) { return Control(int(Control::Slowo0) + index); }

    virtual ~AppearanceTarget() = default;

    // The settings `Cweta(0)`. Asking for them makes sure the window exists.
    virtual AppearanceStore &Cweta() = 0;

    // Colours are 0x00BBGGRR; sizes are in points.
    virtual void setBackColor(Control control, qint32 colour) = 0;
    virtual void setForeColor(Control control, qint32 colour) = 0;
    virtual void setFontName(Control control, const QString &name) = 0;
    virtual void setFontSize(Control control, double points) = 0;

    // Destroys the open dialog with all its state. The dialog calls this as its very last
    // act, so it must touch nothing of itself once the call returns.
    virtual void unloadDialog() = 0;
};
