#include "EditorTable.h"

#include "RowTableDelegate.h"
#include "RowTableModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>

namespace EditorTable {

namespace {

bool needsOwnHeight(const QAbstractItemModel *model, int row)
{
    return model->index(row, RowTableModel::ExplanationColumn).data().toString().contains(u'\n')
        || !model->index(row, RowTableModel::PictureColumn).data(RowTableModel::PictureBytesRole).toByteArray().isEmpty();
}

// Rows with several lines or a picture take their contents' height; the others the default,
// so a row that lost its lines shrinks again.
void fitRows(QTableView *view, int first, int last)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    last = std::min(last, model->rowCount() - 1);
    const int standard = view->verticalHeader()->defaultSectionSize();
    for (int r = std::max(0, first); r <= last; ++r) {
        if (needsOwnHeight(model, r))
            view->resizeRowToContents(r);
        else if (view->rowHeight(r) != standard)
            view->setRowHeight(r, standard);
    }
}

} // namespace

void install(QTableView *view)
{
    view->setItemDelegate(new RowTableDelegate(view));
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setTabKeyNavigation(true);
    view->setWordWrap(false);
    view->setAccessibleName(QCoreApplication::translate("EditorTable", "Rows of the test"));
    view->setAccessibleDescription(QCoreApplication::translate("EditorTable", "One row for each question: left phrase, right phrase, explanation lines and "
                                      "picture. Type into a cell to change it; F2 edits the cell."));

    QHeaderView *columns = view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(false);
    for (int c : {RowTableModel::LeftColumn, RowTableModel::RightColumn, RowTableModel::ExplanationColumn})
        columns->setSectionResizeMode(c, QHeaderView::Stretch);
    columns->setSectionResizeMode(RowTableModel::PictureColumn, QHeaderView::Fixed);
    columns->resizeSection(RowTableModel::PictureColumn, RowTableDelegate::ThumbnailHeight * 2);

    QAbstractItemModel *model = view->model();
    if (!model)
        return;
    QObject::connect(model, &QAbstractItemModel::dataChanged, view,
                     [view](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) {
                         // Problems only tint; text and pictures change the height.
                         if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole))
                             fitRows(view, topLeft.row(), bottomRight.row());
                     });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view,
                     [view](const QModelIndex &, int first, int last) { fitRows(view, first, last); });
    QObject::connect(model, &QAbstractItemModel::rowsMoved, view,
                     [view](const QModelIndex &, int, int, const QModelIndex &, int) {
                         fitRows(view, 0, view->model()->rowCount() - 1);
                     });
    QObject::connect(model, &QAbstractItemModel::modelReset, view,
                     [view] { fitRows(view, 0, view->model()->rowCount() - 1); });
    fitRows(view, 0, model->rowCount() - 1);
}

} // namespace EditorTable
