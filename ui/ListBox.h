#pragma once

#include <QListView>

class ListModel;

// A plain list box over a ListModel, for the test window's lists and the appearance
// dialog's: a click or an arrow key selects exactly one row and sets the model's selected
// index (which runs the list's reaction); a selection the model changes, also by a reset,
// shows at once. A modifier click cannot leave the list without a selection.
class ListBox : public QListView
{
    Q_OBJECT

public:
    explicit ListBox(ListModel *model, QWidget *parent = nullptr);

    // Whether a row the view makes current without an input event is selected as well.
    // Off (the phrase lists): only the learner's clicks and keys select. The view also
    // moves its current row by itself when the model removes the selected row, and that
    // must select nothing; typing the start of a phrase only moves the current row.
    // On (the font lists, which never lose a row): typing the start of an entry (the
    // view's keyboard search, which comes without an event) selects it.
    void setSelectsCurrentRow(bool selects) { m_selectsCurrentRow = selects; }
    bool selectsCurrentRow() const { return m_selectsCurrentRow; }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    void showModelSelection(int row);
    void forwardViewSelection();

    ListModel *m_model;
    bool m_syncing = false;
    bool m_selectsCurrentRow = false;
};
