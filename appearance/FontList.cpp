#include "FontList.h"

#include <algorithm>

FontList::FontList(QObject *parent)
    : QAbstractListModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

QString FontList::item(int row) const
{
    return m_items.value(row);
}

void FontList::addItem(const QString &text)
{
    int row = count();
    if (m_sorted) {
        const auto less = [this](const QString &a, const QString &b) {
            if (a.isEmpty() || b.isEmpty())
                return a.isEmpty() && !b.isEmpty();
            return m_collator.compare(a, b) < 0;
        };
        row = int(std::upper_bound(m_items.cbegin(), m_items.cend(), text, less) - m_items.cbegin());
    }
    beginInsertRows(QModelIndex(), row, row);
    m_items.insert(row, text);
    endInsertRows();
    if (m_selected >= row) {
        ++m_selected;
        Q_EMIT selectedIndexChanged(m_selected);
    }
}

void FontList::clear()
{
    beginResetModel();
    m_items.clear();
    const bool hadSelection = m_selected != -1;
    m_selected = -1;
    endResetModel();
    if (hadSelection)
        Q_EMIT selectedIndexChanged(-1);
}

void FontList::setSelectedIndex(int row)
{
    if (row < -1 || row >= count() || row == m_selected)
        return;
    m_selected = row;
    Q_EMIT selectedIndexChanged(row);
    if (m_reaction)
        m_reaction();
}

int FontList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant FontList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_items.at(index.row());
    return {};
}
