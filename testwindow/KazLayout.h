#pragma once

#include <QString>
#include <QtGlobal>

// The test window's layout: places and sizes in twips (1/1440 inch), colours as
// 0x00BBGGRR (red in the low byte), captions, tooltips and the keyboard order.
namespace KazLayout {

constexpr int ClientWidth = 11865;
constexpr int ClientHeight = 7005;
constexpr quint32 WindowBackground = 0x00008000;
constexpr double FontSize = 12.0;
inline QString fontName() { return QStringLiteral("Times New Roman"); }
// The colour a control takes from the platform, where the layout gives it none.
constexpr qint64 PlatformColour = -1;

struct Control
{
    int left, top, width, height;
    const char16_t *text;    // caption, or nullptr
    const char16_t *tooltip; // or nullptr
    qint64 colour;           // background, or PlatformColour
    int tab;
};

// Slowo(0), Slowo(1), Slowo(2)
constexpr Control Slowo[3] = {
    {240, 480, 6105, 2055, nullptr, u"Посочете елемента в релацията", PlatformColour, 3},
    {6360, 480, 3375, 2055, nullptr, u"Посочете елемента в релацията", PlatformColour, 4},
    {840, 2640, 9375, 1485, nullptr, u"Набор от вече въведени отговори", PlatformColour, 5},
};

// Uprawl(0) … Uprawl(3)
constexpr Control Uprawl[4] = {
    {1200, 4200, 1215, 375, u"Избрах", u"Натиснете бутон за избор", 0x000080FF, 7},
    {4680, 4200, 1215, 375, u"Върни", u"Изтрива / възстановява направения избор", 0x0080FFFF, 8},
    {8400, 4200, 1215, 375, u"Оцени", u"Преустановява теста и формира оценка", 0x00FFC0C0, 9},
    {9720, 50, 1215, 375, u"Обясни", u"Дава обяснения", 0x0000C000, 17},
};

constexpr Control Ndapis = {4440, 0, 1455, 375, u"Оставащи:", u"Извежда резултатите в края на теста", 0x0080C0FF, 12};

// Prowerka(0): instructions and explanations; Prowerka(1): the verdict box.
constexpr Control Prowerka[2] = {
    {1800, 4680, 9135, 2055, nullptr, nullptr, 0x00E0E0E0, 15},
    {10440, 3120, 495, 495, nullptr, u"зелено - Вярно; червено - Грешно", 0x0000FF00, 14},
};

// Grafika(0): the thumbnail; Grafika(1): the hidden empty picture.
constexpr Control Grafika[2] = {
    {120, 4680, 1575, 1335, nullptr, nullptr, PlatformColour, 19},
    {120, 5760, 1575, 1335, nullptr, nullptr, PlatformColour, 20},
};

// What the picture window's frame and small title bar add to its display box.
constexpr int GraphikaFrameWidth = 100;
constexpr int GraphikaFrameHeight = 250;

constexpr quint32 VerdictRight = 0x0000FF00; // green
constexpr quint32 VerdictWrong = 0x000000FF; // red

inline QString text(const char16_t *s) { return s ? QString::fromUtf16(s) : QString(); }

} // namespace KazLayout
