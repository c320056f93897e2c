#pragma once

#include <QListView>

class FontList;

// A list box of the appearance dialog over a FontList: a click or an arrow key selects
// one row and sets the list's selected index (which runs its click handler); a selection
// set from code shows at once.
class FontListBox : public QListView
{
    Q_OBJECT

public:
    explicit FontListBox(FontList *model, QWidget *parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    void showModelSelection(int row);
    void forwardViewSelection();

    FontList *m_model;
    bool m_syncing = false;
};
