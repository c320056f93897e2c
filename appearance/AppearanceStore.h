#pragma once

#include <QString>
#include <QStringList>

// The appearance settings `Cweta(0)`: 19 text items owned by the test window.
//   0        a comment, never read or written
//   1, 2     font name and size (whole points) of the test window's lists and text box
//   4k+3     whole colour of group k (0x00BBGGRR as decimal text), k = 0 … 3
//   4k+4..6  its red, green and blue components
// Group 0 is the window background, 1 the text background, 2 the text colour, 3 the
// button colour (edited in the dialog only). Every run starts from the shipped items.
class AppearanceStore
{
public:
    static constexpr int Count = 19;

    AppearanceStore();

    static QStringList shippedItems();

    // Item i; an index outside 0 … 18 yields the empty text.
    QString item(int i) const;
    // Replaces item i; an index outside 0 … 18 changes nothing.
    void setItem(int i, const QString &text);
    // Item i read as a 32-bit integer (colours and components).
    qint32 integer(int i) const;
    const QStringList &items() const { return m_items; }

private:
    QStringList m_items;
};
