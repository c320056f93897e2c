#include "FontListBox.h"

#include "FontList.h"

FontListBox::FontListBox(FontList *model, QWidget *parent)
    : QListView(parent)
    , m_model(model)
{
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(model, &FontList::selectedIndexChanged, this, &FontListBox::showModelSelection);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { showModelSelection(m_model->selectedIndex()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FontListBox::forwardViewSelection);
    showModelSelection(model->selectedIndex());
}

QItemSelectionModel::SelectionFlags FontListBox::selectionCommand(const QModelIndex &index, const QEvent *) const
{
    return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
}

void FontListBox::showModelSelection(int row)
{
    if (m_syncing)
        return;
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const QModelIndex i = m_model->index(row);
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        scrollTo(i);
    }
    m_syncing = false;
}

void FontListBox::forwardViewSelection()
{
    if (m_syncing)
        return;
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    if (rows.size() != 1)
        return;
    m_syncing = true;
    m_model->setSelectedIndex(rows.first().row());
    m_syncing = false;
}
