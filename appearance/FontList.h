#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QStringList>
#include <functional>

// One of the dialog's two list boxes as data: text items, optionally kept in alphabetical
// order, and a selected index (-1: none). Setting the selected index to a new value runs
// the list's click reaction before the setter returns; the value it already has runs
// nothing. Adding and clearing items never run it.
class FontList : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FontList(QObject *parent = nullptr);

    // A sorted list puts each added item at its alphabetical place, compared without
    // regard to letter case; the empty text comes first, equal texts keep their order.
    void setSorted(bool sorted) { m_sorted = sorted; }
    bool isSorted() const { return m_sorted; }
    void setClickReaction(std::function<void()> reaction) { m_reaction = std::move(reaction); }

    int count() const { return int(m_items.size()); }
    // The item at `row`; a row outside the list yields the empty text.
    QString item(int row) const;
    const QStringList &items() const { return m_items; }
    void addItem(const QString &text);
    // Empties the list; nothing stays selected.
    void clear();

    int selectedIndex() const { return m_selected; }
    // Values outside -1 … count - 1 are ignored.
    void setSelectedIndex(int row);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void selectedIndexChanged(int row);

private:
    QStringList m_items;
    int m_selected = -1;
    bool m_sorted = false;
    QCollator m_collator;
    std::function<void()> m_reaction;
};
