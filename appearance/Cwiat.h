#pragma once

#include "CwiatLayout.h"
#include "ListModel.h"

#include <QObject>
#include <QString>
#include <memory>

class AppearanceStore;
class AppearanceTarget;
class ScreenFonts;

// Colours and font of the sample text box `Text_Cv(0)`; colours 0x00BBGGRR, or
// CwiatLayout::PlatformColour where the platform's own colour applies.
struct SampleLook
{
    qint64 background = CwiatLayout::PlatformColour;
    qint64 foreground = CwiatLayout::PlatformColour;
    QString fontName = CwiatLayout::fontName();
    double fontSize = CwiatLayout::FontSize; // the size really shown, points
    QString text = CwiatLayout::text(CwiatLayout::Text_Cv.text);
};

// The appearance dialog `Cwiat`: the state of its controls, the colour composer's
// variables and every handler. Its Bulgarian names (Opredeli_cwqt, Sastawka_R, …) are
// explained in "The dialog's names" in appearance/DESIGN.md. Widgets display this model and
// forward the learner's actions; a list selection set from code runs its click handler here,
// at once.
//
// One object is one opening of the dialog: it starts with every variable at 0, and
// "Запис" and "Отказ" end with the owner destroying it (AppearanceTarget::unloadDialog).
class Cwiat : public QObject
{
    Q_OBJECT

public:
    Cwiat(AppearanceTarget &owner, std::shared_ptr<const ScreenFonts> fonts, QObject *parent = nullptr);
    ~Cwiat() override;

    // --- Handlers.
    void Form_Load();
    void Option1_Click(int Index);
    void Slider1_Scroll(int Index);
    void List_font_Click(int Index);
    void mnu_zapis_Click();
    void mnu_Otkaz_Click();

    // --- Procedures of the dialog.
    void cwetowe_RGB(const qint32 &colour);
    void Opredeli_cwqt();
    void Otdelni_Update();

    // --- The learner's actions: the control changes, then its handler runs.
    // Option1(Index) becomes the chosen option button.
    void chooseOption(int Index);
    // Slider1(Index) was moved to `value` (a drag step, a track click or a key).
    void moveSlider(int Index, int value);
    // A row chosen in a list: List_font(Index).setSelectedIndex(row).

    // --- Controls.
    ListModel &List_font(int Index) { return *m_listFont[Index]; }
    const ListModel &List_font(int Index) const { return *m_listFont[Index]; }
    int Slider1Value(int Index) const { return m_slider[Index]; }
    // A value set from code; Slider1_Scroll does not run. Kept within 0 … 255.
    void setSlider1Value(int Index, int value);
    QString Label_ST(int Index) const { return m_labelST[Index]; }
    QString Label_Cv(int Index) const { return m_labelCv[Index]; }
    bool Option1Value(int Index) const { return m_option == Index; }
    qint64 Option1BackColor(int Index) const { return m_optionBack[Index]; }
    qint64 picColorBackColor() const { return m_picColor; }
    const SampleLook &Text_Cv() const { return m_textCv; }
    // The dialog's own background and font name.
    qint64 BackColor() const { return m_backColor; }
    QString FontName() const { return m_fontName; }

    // --- Variables of the colour composer.
    qint32 Tekusht_cwqt() const { return m_tekushtCwqt; }
    quint8 Izbor() const { return m_izbor; }
    qint32 Sastawka_R() const { return m_sastawkaR; }
    qint32 Sastawka_G() const { return m_sastawkaG; }
    quint8 Sastawka_B() const { return m_sastawkaB; }

Q_SIGNALS:
    // A caption, colour, font, slider value or option of the dialog changed.
    void changed();

private:
    void Zaredi_shriftowe();

    AppearanceStore &store();
    qint32 composed() const;
    void setBackColor(qint64 colour);
    void setPicColor(qint64 colour);
    void setOption1BackColor(int Index, qint64 colour);
    void setTextCvBackColor(qint64 colour);
    void setTextCvForeColor(qint64 colour);
    void setTextCvFontName(const QString &name);
    void setTextCvFontSize(double points);
    void setLabel(QString &label, const QString &caption);

    AppearanceTarget &m_owner;
    std::shared_ptr<const ScreenFonts> m_fonts;

    ListModel *m_listFont[2];
    int m_slider[3] = {0, 0, 0};
    QString m_labelST[3];
    QString m_labelCv[9];
    int m_option = 0;
    qint64 m_optionBack[4] = {CwiatLayout::PlatformColour, CwiatLayout::PlatformColour,
                              CwiatLayout::PlatformColour, CwiatLayout::PlatformColour};
    qint64 m_picColor = CwiatLayout::picColorBackground;
    SampleLook m_textCv;
    qint64 m_backColor = CwiatLayout::Background;
    QString m_fontName = CwiatLayout::fontName();

    qint32 m_tekushtCwqt = 0;
    quint8 m_izbor = 0;
    qint32 m_sastawkaR = 0;
    qint32 m_sastawkaG = 0;
    quint8 m_sastawkaB = 0;
};
