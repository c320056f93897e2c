#include "EditorTableView.h"

#include "EditorTable.h"
#include "RowTableModel.h"
#include "TestDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>

EditorTableView::EditorTableView(TestDocument *doc, QWidget *parent)
    : QTableView(parent)
    , m_doc(doc)
{
    setModel(doc->model());
    EditorTable::install(this);
    EditorTable::acceptPictureDrops(this, doc);
    setAccessibleDescription(accessibleDescription() + u' ' + tr("Ctrl+Tab and Ctrl+Shift+Tab leave the table."));
}

QList<int> EditorTableView::chosenRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    if (rows.isEmpty() && currentIndex().isValid())
        rows.append(currentIndex().row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// Rows first … first + count - 1 selected from `firstColumn` to `lastColumn`, the current cell on
// the first of them in `column`.
void EditorTableView::selectBlock(int first, int count, int firstColumn, int lastColumn, int column)
{
    const QAbstractItemModel *rows = model();
    if (count <= 0 || first < 0 || first >= rows->rowCount())
        return;
    const int last = std::min(first + count, rows->rowCount()) - 1;
    selectionModel()->setCurrentIndex(rows->index(first, column), QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(rows->index(first, firstColumn), rows->index(last, lastColumn)),
                             QItemSelectionModel::ClearAndSelect);
}

void EditorTableView::cutRows()
{
    const QList<int> rows = chosenRows();
    if (rows.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(m_doc->cut(rows));
    Q_EMIT told(tr("Cut %n row(s).", nullptr, int(rows.size())));
}

void EditorTableView::copyRows()
{
    const QList<int> rows = chosenRows();
    if (rows.isEmpty()) {
        Q_EMIT told(tr("Choose the rows to copy first."));
        return;
    }
    QGuiApplication::clipboard()->setText(m_doc->copy(rows));
    Q_EMIT told(tr("Copied %n row(s).", nullptr, int(rows.size())));
}

void EditorTableView::pasteRows()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        Q_EMIT told(tr("There is no text to paste. Copy cells in a spreadsheet or in this table first."));
        return;
    }
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : m_doc->rowCount();
    // A paste on the picture column goes into the explanations: pictures are not text.
    const int column = current.isValid() ? std::min(current.column(), int(RowTableModel::ExplanationColumn))
                                         : int(RowTableModel::LeftColumn);
    const TestDocument::Pasted pasted = m_doc->paste(row, RowTableModel::fieldOf(column), text);
    if (pasted.rows <= 0)
        return;
    selectBlock(pasted.firstRow, pasted.rows, column, std::max(column, int(RowTableModel::ExplanationColumn)), column);
    QString message = tr("Pasted %n row(s).", nullptr, pasted.rows);
    if (pasted.columnsLeftOut > 0)
        message += u' '
                   + tr("%n cell(s) of each row fell past the explanation column and were left out.", nullptr,
                        pasted.columnsLeftOut);
    Q_EMIT told(message);
}

void EditorTableView::addRow()
{
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() + 1 : m_doc->rowCount();
    m_doc->insertRows(row, 1);
    const QModelIndex cell = model()->index(row, RowTableModel::LeftColumn);
    setFocus(Qt::OtherFocusReason);
    setCurrentIndex(cell);
    edit(cell);
}

void EditorTableView::deleteRows()
{
    const QList<int> rows = chosenRows();
    if (rows.isEmpty())
        return;
    m_doc->removeRowSet(rows);
    if (m_doc->rowCount() > 0)
        setCurrentIndex(model()->index(std::min(rows.first(), m_doc->rowCount() - 1), std::max(currentIndex().column(), 0)));
    Q_EMIT told(tr("Deleted %n row(s). Undo brings them back.", nullptr, int(rows.size())));
}

void EditorTableView::moveRows(int by)
{
    QList<int> rows = chosenRows();
    if (rows.isEmpty())
        return;
    // Rows apart from each other do not move as one block: the current row moves alone.
    if (rows.last() - rows.first() + 1 != rows.size())
        rows = {currentIndex().row()};
    const int first = rows.first();
    const int count = int(rows.size());
    const int column = std::max(currentIndex().column(), 0);
    const int lastColumn = model()->columnCount() - 1;
    if (by < 0 && first > 0) {
        m_doc->moveRows(first, count, first - 1);
        selectBlock(first - 1, count, 0, lastColumn, column);
    } else if (by > 0 && first + count < m_doc->rowCount()) {
        m_doc->moveRows(first, count, first + count + 1);
        selectBlock(first + 1, count, 0, lastColumn, column);
    }
}

void EditorTableView::goToCell(int row, DocumentField field, int line)
{
    if (row < 0 || m_doc->rowCount() == 0)
        return;
    const QModelIndex cell
        = model()->index(std::min(row, m_doc->rowCount() - 1), std::max(RowTableModel::columnOf(field), 0));
    setFocus(Qt::OtherFocusReason);
    scrollTo(cell);
    setCurrentIndex(cell);
    // A picture is edited beside the table, not in its cell.
    if (field == DocumentField::Picture)
        return;
    edit(cell);
    EditorTable::moveCursorToLine(QApplication::focusWidget(), line);
}

bool EditorTableView::event(QEvent *event)
{
    // Tab moves between the cells; Ctrl+Tab and Ctrl+Shift+Tab go on to the next or previous
    // control, as in other programs whose control takes Tab for itself.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier)) {
            QWidget::focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QTableView::event(event);
}
