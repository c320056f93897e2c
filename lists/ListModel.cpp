#include "ListModel.h"

#include <algorithm>

ListModel::ListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

QString ListModel::item(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items.at(row) : QString();
}

int ListModel::compareItems(const QString &a, const QString &b) const
{
    return m_order.compare(a, b);
}

int ListModel::sortedPosition(const QString &text) const
{
    // After every item that sorts equal, so equal items keep the order they came in.
    const auto less = [this](const QString &a, const QString &b) { return compareItems(a, b) < 0; };
    return int(std::upper_bound(m_items.cbegin(), m_items.cend(), text, less) - m_items.cbegin());
}

void ListModel::sortItems()
{
    // Stable, so equal items stay in the order they came in, as when added one at a time.
    // (Sorting by collation keys instead was measured no faster: making the keys costs
    // about as much as the comparisons it saves.)
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const QString &a, const QString &b) { return compareItems(a, b) < 0; });
}

int ListModel::addItem(const QString &text)
{
    const int row = m_sorted ? sortedPosition(text) : count();
    insertItem(row, text);
    return row;
}

void ListModel::insertItem(int row, const QString &text)
{
    if (row < 0 || row > count())
        return;
    beginInsertRows(QModelIndex(), row, row);
    m_items.insert(row, text);
    endInsertRows();
    if (m_selected >= row)
        changeSelectionSilently(m_selected + 1);
}

void ListModel::removeItem(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_items.removeAt(row);
    endRemoveRows();
    if (m_selected == row)
        changeSelectionSilently(-1);
    else if (m_selected > row)
        changeSelectionSilently(m_selected - 1);
}

void ListModel::setItem(int row, const QString &text)
{
    if (row < 0 || row >= count())
        return;
    m_items[row] = text;
    const QModelIndex i = index(row);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

void ListModel::clear()
{
    setItems({});
}

void ListModel::setItems(QStringList items)
{
    beginResetModel();
    m_items = std::move(items);
    if (m_sorted)
        sortItems();
    const bool hadSelection = m_selected != -1;
    m_selected = -1;
    endResetModel();
    if (hadSelection)
        Q_EMIT selectedIndexChanged(-1);
}

void ListModel::setSelectedIndex(int row)
{
    if (row < -1 || row >= count() || row == m_selected)
        return;
    m_selected = row;
    Q_EMIT selectedIndexChanged(row);
    if (m_reaction)
        m_reaction();
}

void ListModel::changeSelectionSilently(int row)
{
    if (row == m_selected)
        return;
    m_selected = row;
    Q_EMIT selectedIndexChanged(row);
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_items.at(index.row());
    if ((role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) && m_shownCut && m_shownCut(index.row()))
        return m_items.at(index.row());
    return {};
}
