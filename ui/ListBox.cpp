#include "ListBox.h"

#include "ListModel.h"

ListBox::ListBox(ListModel *model, QWidget *parent)
    : QListView(parent)
    , m_model(model)
{
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(model, &ListModel::selectedIndexChanged, this, &ListBox::showModelSelection);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { showModelSelection(m_model->selectedIndex()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListBox::forwardViewSelection);
    showModelSelection(model->selectedIndex());
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // Without an event the view moved its current row by itself, or by a keyboard search:
    // see setSelectsCurrentRow.
    if (!index.isValid() || (!event && !m_selectsCurrentRow))
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

void ListBox::showModelSelection(int row)
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

void ListBox::forwardViewSelection()
{
    if (m_syncing)
        return;
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    if (rows.size() != 1) {
        // The view lost its selection through an edit of the model; the model already knows.
        return;
    }
    m_syncing = true;
    m_model->setSelectedIndex(rows.first().row());
    m_syncing = false;
    // The reaction may have moved the selection elsewhere; show what the model holds.
    const int modelRow = m_model->selectedIndex();
    if (modelRow != rows.first().row())
        showModelSelection(modelRow);
}
