#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The appearance dialog's layout: places and sizes in twips (1/1440 inch), colours as
// 0x00BBGGRR (red in the low byte), captions and tooltips.
namespace CwiatLayout {

constexpr int ClientWidth = 5535;
constexpr int ClientHeight = 4710;
constexpr quint32 Background = 0x00808080;
// The dialog's own font, which its controls inherit unless they have one of their own.
inline QString fontName() { return QStringLiteral("Times New Roman"); }
constexpr double FontSize = 12.0;
// The font of every label and of the size list.
constexpr double LabelFontSize = 9.75;
// The colour a control takes from the platform, where the layout gives it none.
constexpr qint64 PlatformColour = -1;

inline QString caption() { return QStringLiteral("Формиране на цвят/избор на шрифт"); }
inline QString mnuZapis() { return QStringLiteral("Запис"); }
inline QString mnuOtkaz() { return QStringLiteral("Отказ"); }

struct Control
{
    int left, top, width, height;
    const char16_t *text;    // caption, or nullptr
    const char16_t *tooltip; // or nullptr
    qint64 foreground;       // text colour, or PlatformColour
};

constexpr Control picColor = {240, 120, 5055, 915, nullptr, u"Получен изходен цвят", PlatformColour};
constexpr quint32 picColorBackground = 0x00C0C0C0;
inline QString picColorFontName() { return QStringLiteral("MS Sans Serif"); }
constexpr double picColorFontSize = 8.25;

// Label_Cv(0) … Label_Cv(8)
constexpr Control Label_Cv[9] = {
    {120, 1560, 320, 315, u"Ч", nullptr, 0x000000C0},
    {120, 2040, 320, 315, u"З", nullptr, 0x0000C000},
    {120, 2520, 320, 315, u"С", nullptr, 0x00C00000},
    {795, 1150, 4020, 255, u"Цвят",
     u"Показва цифровата стойност на формирания цвят в 16-ична бройна система ", PlatformColour},
    {3860, 3450, 1490, 285, u"Размер  шрифт", u"Показва размера на буквите във формирания текст ",
     PlatformColour},
    {4200, 1560, 1155, 285, u"Цвят форма", u"За настройване цвета на фона на формата ", PlatformColour},
    {4200, 2040, 1155, 285, u"Фон текст", u"За настройване цвета на фона в текстовите полета ", PlatformColour},
    {4200, 2520, 1155, 285, u"Цвят текст", u" За настройване цвета на текста в текстовите полета ",
     PlatformColour},
    {4200, 3000, 1155, 285, u"Цвят бутон", u" За настройване цвета на фона на бутоните ", PlatformColour},
};
// Label_Cv(8) and Option1(3) belong to the button colour, which is not offered.
constexpr bool Label_CvVisible(int index) { return index != 8; }

// Slider1(0) red, Slider1(1) green, Slider1(2) blue.
constexpr Control Slider1[3] = {
    {440, 1560, 3000, 315, nullptr, u"Промяна на стойн остта на червената съставка ", PlatformColour},
    {440, 2040, 3000, 315, nullptr, u"Промяна на стойн остта на зелената съставка ", PlatformColour},
    {440, 2520, 3000, 315, nullptr, u"Промяна на стойн остта на синята съставка ", PlatformColour},
};
constexpr int SliderMin = 0;
constexpr int SliderMax = 255;
constexpr int SliderSmallChange = 1;
constexpr int SliderLargeChange = 10;

// Label_ST(0) … Label_ST(2): the slider values.
constexpr Control Label_ST[3] = {
    {3440, 1560, 315, 315, u"R", u"Цифрова стойност на червения цвят в обхвата [0 - 255] ", 0x000000C0},
    {3440, 2040, 315, 315, u"G", u"Цифрова стойност на зеления цвят в обхвата [0 - 255] ", 0x0000C000},
    {3440, 2520, 315, 315, u"B", u"Цифрова стойност на синия цвят в обхвата [0 - 255] ", 0x00C00000},
};

// Option1(0) … Option1(3): the colour groups; no captions.
constexpr Control Option1[4] = {
    {3860, 1560, 345, 285, nullptr, u" За настройване цвета на фона на формата ", PlatformColour},
    {3860, 2040, 345, 285, nullptr, u" За настройване цвета на фона в текстовите полета ", PlatformColour},
    {3860, 2520, 345, 285, nullptr, u" За настройване цвета на текста в текстовите полета ", PlatformColour},
    {3860, 3000, 345, 285, nullptr, u" За настройване цвета на фона на бутоните ", PlatformColour},
};
constexpr bool Option1Visible(int index) { return index != 3; }

// List_font(0): the installed fonts, sorted and hidden; List_font(1): the sizes.
constexpr Control List_font[2] = {
    {600, 2900, 2655, 1200, nullptr, u" Определя избрания шрифт ", PlatformColour},
    {3840, 3840, 855, 735, nullptr, u" Определя размера на буквите ", PlatformColour},
};
inline QStringList sizes()
{
    return {QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
            QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14")};
}

// Text_Cv(0): the read-only sample text.
constexpr Control Text_Cv = {600, 4200, 2655, 405, u"Шрифт",
                             u"Полето илюстрира шрифт, размер на букви, цвят и фон на букви ", PlatformColour};

inline QString text(const char16_t *s) { return s ? QString::fromUtf16(s) : QString(); }

} // namespace CwiatLayout
