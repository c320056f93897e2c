#include "Cwiat.h"

#include "AppearanceStore.h"
#include "AppearanceTarget.h"
#include "Numbers.h"
#include "ScreenFonts.h"

#include <algorithm>

namespace {

const QString CodePrefix = QStringLiteral("Цвят в 10/16-тичен код =");

using Control = AppearanceTarget::Control;

} // namespace

Cwiat::Cwiat(AppearanceTarget &owner, std::shared_ptr<const ScreenFonts> fonts, QObject *parent)
    : QObject(parent)
    , m_owner(owner)
    , m_fonts(fonts ? std::move(fonts) : std::make_shared<FixedScreenFonts>())
{
    for (int i = 0; i < 2; ++i) {
        m_listFont[i] = new ListModel(this);
        m_listFont[i]->setClickReaction([this, i] { List_font_Click(i); });
    }
    m_listFont[0]->setSorted(true);
    for (const QString &size : CwiatLayout::sizes())
        m_listFont[1]->addItem(size);

    for (int i = 0; i < 3; ++i)
        m_labelST[i] = CwiatLayout::text(CwiatLayout::Label_ST[i].text);
    for (int i = 0; i < 9; ++i)
        m_labelCv[i] = CwiatLayout::text(CwiatLayout::Label_Cv[i].text);
}

Cwiat::~Cwiat() = default;

AppearanceStore &Cwiat::store()
{
    return m_owner.Cweta();
}

qint32 Cwiat::composed() const
{
    return m_slider[0] + 256 * m_slider[1] + 65536 * m_slider[2];
}

// ---------------------------------------------------------------- start-up

void Cwiat::Form_Load()
{
    store();
    m_fontName = store().item(1);

    List_font(0).clear();
    Zaredi_shriftowe();
    for (int i = 0; i < List_font(0).count(); ++i)
        if (List_font(0).item(i) == store().item(1))
            List_font(0).setSelectedIndex(i);

    const int sizes = List_font(1).count();
    setTextCvFontSize(Numbers::readLenient(store().item(2)));
    for (int i = 0; i < sizes; ++i)
        if (List_font(1).item(i) == store().item(2))
            List_font(1).setSelectedIndex(i);

    Opredeli_cwqt();

    for (int i = 0; i < 3; ++i)
        setSlider1Value(i, store().integer(4 + i));
}

void Cwiat::Zaredi_shriftowe()
{
    ListModel &names = List_font(0);
    names.clear();
    for (int i = 0; i < m_fonts->FontCount(); ++i)
        names.addItem(m_fonts->Fonts(i));
    for (int i = 0; i < names.count(); ++i)
        if (names.item(i) == m_fontName)
            names.setSelectedIndex(i);
}

// ---------------------------------------------------------------- colour composer

void Cwiat::cwetowe_RGB(const qint32 &colour)
{
    m_sastawkaR = colour & 0xFF;
    m_sastawkaG = (colour >> 8) & 0xFF;
    m_sastawkaB = quint8((colour >> 16) & 0xFF);
}

void Cwiat::Opredeli_cwqt()
{
    setPicColor(store().integer(3));
    setOption1BackColor(0, store().integer(3));
    setTextCvBackColor(store().integer(7));
    setOption1BackColor(1, store().integer(7));
    setTextCvForeColor(store().integer(11));
    setOption1BackColor(2, store().integer(11));
    setOption1BackColor(3, store().integer(15));

    for (int k = 0; k < 4; ++k) {
        const int j = 4 * k + 3;
        cwetowe_RGB(store().integer(j));
        store().setItem(j + 1, Numbers::decimal(m_sastawkaR));
        store().setItem(j + 2, Numbers::decimal(m_sastawkaG));
        store().setItem(j + 3, Numbers::decimal(m_sastawkaB));
    }
}

void Cwiat::Option1_Click(int Index)
{
    if (Index < 0 || Index > 3)
        return;
    m_izbor = quint8(Index);
    for (int i = 0; i < 3; ++i)
        setSlider1Value(i, store().integer(4 * Index + 4 + i));
    m_tekushtCwqt = composed();
    Otdelni_Update();
}

void Cwiat::Slider1_Scroll(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    const int j = 4 * m_izbor + 3;
    store().setItem(j + 1 + Index, Numbers::decimal(m_slider[Index]));
    m_tekushtCwqt = composed();
    store().setItem(j, Numbers::decimal(m_tekushtCwqt));
    Otdelni_Update();
}

void Cwiat::Otdelni_Update()
{
    for (int i = 0; i < 3; ++i)
        setLabel(m_labelST[i], Numbers::decimal(m_slider[i]));

    switch (m_izbor) {
    case 0:
        setBackColor(m_tekushtCwqt);
        setOption1BackColor(0, m_tekushtCwqt);
        break;
    case 1:
        setTextCvBackColor(m_tekushtCwqt);
        setOption1BackColor(1, m_tekushtCwqt);
        break;
    case 2:
        setTextCvForeColor(m_tekushtCwqt);
        setOption1BackColor(2, m_tekushtCwqt);
        break;
    case 3:
        setOption1BackColor(3, m_tekushtCwqt);
        break;
    default:
        break;
    }

    setPicColor(m_tekushtCwqt);
    setLabel(m_labelCv[3], CodePrefix + u' ' + Numbers::decimal(m_tekushtCwqt) + QStringLiteral(" /H")
                               + QString::number(m_tekushtCwqt, 16).toUpper());
}

// ---------------------------------------------------------------- fonts, saving, cancelling

void Cwiat::List_font_Click(int Index)
{
    if (Index < 0 || Index > 1 || List_font(Index).selectedIndex() < 0)
        return;
    const QString entry = List_font(Index).item(List_font(Index).selectedIndex());
    if (Index == 0) {
        setTextCvFontName(entry);
        store().setItem(1, entry);
    } else {
        setTextCvFontSize(Numbers::readLenient(entry));
        store().setItem(2, Numbers::decimal(Numbers::roundToInt32(m_textCv.fontSize)));
    }
}

void Cwiat::mnu_zapis_Click()
{
    AppearanceTarget &kaz = m_owner;
    store();
    kaz.setBackColor(Control::Form, store().integer(3));
    for (int i = 0; i < 3; ++i)
        kaz.setBackColor(AppearanceTarget::Slowo(i), store().integer(7));
    kaz.setBackColor(Control::Prowerka0, store().integer(7));
    kaz.setBackColor(Control::Ndapis, store().integer(7));
    for (int i = 0; i < 3; ++i)
        kaz.setForeColor(AppearanceTarget::Slowo(i), store().integer(11));
    kaz.setForeColor(Control::Ndapis, store().integer(11));
    kaz.setForeColor(Control::Prowerka0, store().integer(11));
    for (int i = 0; i < 3; ++i)
        kaz.setFontName(AppearanceTarget::Slowo(i), store().item(1));
    kaz.setFontName(Control::Prowerka0, store().item(1));
    // The size goes on as the stored text, read as points.
    for (int i = 0; i < 3; ++i)
        kaz.setFontSize(AppearanceTarget::Slowo(i), Numbers::readLenient(store().item(2)));
    kaz.setFontSize(Control::Prowerka0, Numbers::readLenient(store().item(2)));

    kaz.unloadDialog(); // destroys this object: nothing may follow
}

void Cwiat::mnu_Otkaz_Click()
{
    m_owner.unloadDialog(); // destroys this object: nothing may follow
}

// ---------------------------------------------------------------- the learner's actions

void Cwiat::chooseOption(int Index)
{
    if (Index < 0 || Index > 3)
        return;
    if (m_option != Index) {
        m_option = Index;
        Q_EMIT changed();
    }
    Option1_Click(Index);
}

void Cwiat::moveSlider(int Index, int value)
{
    if (Index < 0 || Index > 2)
        return;
    setSlider1Value(Index, value);
    Slider1_Scroll(Index);
}

// ---------------------------------------------------------------- control setters

void Cwiat::setSlider1Value(int Index, int value)
{
    if (Index < 0 || Index > 2)
        return;
    value = std::clamp(value, CwiatLayout::SliderMin, CwiatLayout::SliderMax);
    if (m_slider[Index] == value)
        return;
    m_slider[Index] = value;
    Q_EMIT changed();
}

void Cwiat::setBackColor(qint64 colour)
{
    if (m_backColor == colour)
        return;
    m_backColor = colour;
    Q_EMIT changed();
}

void Cwiat::setPicColor(qint64 colour)
{
    if (m_picColor == colour)
        return;
    m_picColor = colour;
    Q_EMIT changed();
}

void Cwiat::setOption1BackColor(int Index, qint64 colour)
{
    if (m_optionBack[Index] == colour)
        return;
    m_optionBack[Index] = colour;
    Q_EMIT changed();
}

void Cwiat::setTextCvBackColor(qint64 colour)
{
    if (m_textCv.background == colour)
        return;
    m_textCv.background = colour;
    Q_EMIT changed();
}

void Cwiat::setTextCvForeColor(qint64 colour)
{
    if (m_textCv.foreground == colour)
        return;
    m_textCv.foreground = colour;
    Q_EMIT changed();
}

void Cwiat::setTextCvFontName(const QString &name)
{
    if (m_textCv.fontName == name)
        return;
    m_textCv.fontName = name;
    Q_EMIT changed();
}

void Cwiat::setTextCvFontSize(double points)
{
    // The box takes the nearest size the display offers; reading it back gives that size.
    const double shown = m_fonts->shownSize(m_textCv.fontName, points);
    if (m_textCv.fontSize == shown)
        return;
    m_textCv.fontSize = shown;
    Q_EMIT changed();
}

void Cwiat::setLabel(QString &label, const QString &caption)
{
    if (label == caption)
        return;
    label = caption;
    Q_EMIT changed();
}
