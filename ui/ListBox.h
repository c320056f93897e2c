#pragma once

#include <QListView>

class ListModel;

// A plain list box over a ListModel: a click or an arrow key selects exactly one row and
// sets the model's selected index (which runs the list's reaction); a selection the
// model changes shows at once. A modifier click cannot leave the list without a selection.
class ListBox : public QListView
{
    Q_OBJECT

public:
    explicit ListBox(ListModel *model, QWidget *parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    void showModelSelection(int row);
    void forwardViewSelection();

    ListModel *m_model;
    bool m_syncing = false;
};
