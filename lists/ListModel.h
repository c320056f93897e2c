#pragma once

#include "PhraseOrder.h"

#include <QAbstractListModel>
#include <QStringList>
#include <functional>

// A list box as data: ordered text items and a selected index (-1: none), optionally kept
// in alphabetical order. Every list of the program is one: the test window's phrase, pair
// and code lists and the appearance dialog's font names and sizes. Widgets only display it.
//
// Setting the selected index to a new value runs the list's click reaction at once,
// before the setter returns; setting the value it already has runs nothing. Adding,
// removing and clearing items never run it, but keep the same item selected where it
// still exists.
class ListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ListModel(QObject *parent = nullptr);

    // A sorted list inserts each added item at its alphabetical place in PhraseOrder: Bulgarian,
    // without regard to letter case, Cyrillic first, whatever the machine's language; the empty
    // text comes first.
    void setSorted(bool sorted) { m_sorted = sorted; }
    bool isSorted() const { return m_sorted; }
    void setClickReaction(std::function<void()> reaction) { m_reaction = std::move(reaction); }
    // Tells which rows the list box shows cut short (it alone knows its font and width).
    // Such a row gives its whole text as its tool tip and its accessible description; a row
    // shown whole gives neither, so that it keeps the list's own tool tip and a screen reader
    // does not read its text twice. Without the test, no row is cut.
    void setRowShownCut(std::function<bool(int row)> isCut) { m_shownCut = std::move(isCut); }

    int count() const { return int(m_items.size()); }
    // The item at `row`; a row at or beyond the end, or below 0, yields the empty text.
    QString item(int row) const;
    const QStringList &items() const { return m_items; }

    // Returns the row the item landed in.
    int addItem(const QString &text);
    void removeItem(int row);
    void setItem(int row, const QString &text);
    void clear();
    // Replaces all items at once (used to fill a list in bulk); nothing stays selected and
    // no reaction runs. A sorted list holds them in the order adding them one at a time
    // would give.
    void setItems(QStringList items);
    // Inserts at `row` as given, even in a sorted list (the caller knows the place); the
    // same item stays selected.
    void insertItem(int row, const QString &text);

    int selectedIndex() const { return m_selected; }
    // Values outside -1 … count - 1 are ignored.
    void setSelectedIndex(int row);
    // Leaves no row selected without running the reaction, as a bulk load does.
    void dropSelection() { changeSelectionSilently(-1); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // Any change of the selected index, by a setter or by an edit of the items; an edit
    // that leaves it as it was (a list without selection emptied) emits nothing.
    void selectedIndexChanged(int row);

private:
    int compareItems(const QString &a, const QString &b) const;
    int sortedPosition(const QString &text) const;
    void sortItems();
    void changeSelectionSilently(int row);

    QStringList m_items;
    int m_selected = -1;
    bool m_sorted = false;
    PhraseOrder m_order;
    std::function<void()> m_reaction;
    std::function<bool(int row)> m_shownCut;
};
