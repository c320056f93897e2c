#include "EditorTableView.h"

#include "DocumentClipboard.h"
#include "EditorTable.h"
#include "ExplanationEdit.h"
#include "PictureDrop.h"
#include "RowTableModel.h"
#include "TableText.h"
#include "QuizDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>

EditorTableView::EditorTableView(QuizDocument *doc, QWidget *parent)
    : QTableView(parent)
    , m_doc(doc)
{
    setModel(doc->model());
    EditorTable::install(this);
    PictureDrop::acceptOn(this, doc);
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
    QGuiApplication::clipboard()->setText(DocumentClipboard(*m_doc).cut(rows));
    Q_EMIT told(tr("Cut %n row(s).", nullptr, int(rows.size())));
}

void EditorTableView::copyRows()
{
    const QList<int> rows = chosenRows();
    if (rows.isEmpty()) {
        Q_EMIT told(tr("Choose the rows to copy first."));
        return;
    }
    QGuiApplication::clipboard()->setText(DocumentClipboard(*m_doc).copy(rows));
    Q_EMIT told(tr("Copied %n row(s).", nullptr, int(rows.size())));
}

void EditorTableView::pasteRows()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        Q_EMIT told(tr("There is no text to paste. Copy cells in a spreadsheet or in this table first."));
        return;
    }
    // A cell being typed in keeps what was typed and closes: the paste goes onto the rows.
    QModelIndexList selected = selectionModel()->selectedIndexes();
    if (finishTyping())
        selected = {currentIndex()};
    const Target target = targetOf(selected);
    if (target.kind == Target::Apart) {
        Q_EMIT told(tr("The selected cells are not one block. Select one block of cells to replace them, or one "
                       "cell to insert the rows there."));
        return;
    }
    const int lastTextColumn = RowTableModel::ExplanationColumn;
    // A paste on the picture column goes into the explanations: pictures are not text.
    const int column = std::min(target.column, lastTextColumn);
    const DocumentField field = RowTableModel::fieldOf(column);
    const DocumentClipboard::Pasted pasted
        = target.kind == Target::Block
        ? DocumentClipboard(*m_doc).pasteInto(target.row, field, target.rows, std::min(target.lastColumn, lastTextColumn) - column + 1, text)
        : DocumentClipboard(*m_doc).insertPasted(target.kind == Target::End ? m_doc->rowCount() : target.row, field, text);
    if (!pasted.refused.isEmpty()) {
        Q_EMIT told(pasted.refused);
        return;
    }
    if (pasted.rows <= 0)
        return;
    selectBlock(pasted.firstRow, pasted.rows, column, column + std::max(pasted.columns, 1) - 1, column);
    scrollTo(model()->index(pasted.firstRow, column));
    if (!pasted.changed) {
        Q_EMIT told(tr("The table already holds the pasted text; nothing changed."));
        return;
    }
    QStringList message;
    switch (target.kind) {
    case Target::End:
        message.append(tr("Added %n pasted row(s) at the end of the table.", nullptr, pasted.rows));
        break;
    case Target::Cell:
        message.append(tr("Inserted %n pasted row(s) at the selected row; no row was replaced.", nullptr, pasted.rows));
        break;
    default:
        message.append(tr("Replaced the selected cells of %n row(s).", nullptr, pasted.rows - pasted.added));
        if (pasted.added > 0)
            message.append(tr("%n more line(s) did not fit in the selection and were inserted below it.", nullptr,
                              pasted.added));
        break;
    }
    if (pasted.columnsLeftOut > 0)
        message.append(target.kind == Target::Block && target.lastColumn < lastTextColumn
                           ? tr("%n cell(s) of each line fell outside the selected cells and were left out.", nullptr,
                                pasted.columnsLeftOut)
                           : tr("%n cell(s) of each row fell past the explanation column and were left out.", nullptr,
                                pasted.columnsLeftOut));
    message.append(tr("Ctrl+Z undoes the paste."));
    Q_EMIT told(message.join(u' '));
}

// Where a paste goes: nothing selected, at the end; one cell or one whole row, new rows there;
// a block of cells, into the block alone.
EditorTableView::Target EditorTableView::targetOf(const QModelIndexList &selected) const
{
    Target target;
    if (selected.isEmpty())
        return target;
    int top = selected.first().row(), bottom = top, left = selected.first().column(), right = left;
    for (const QModelIndex &index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    target.row = top;
    target.column = left;
    target.rows = bottom - top + 1;
    target.lastColumn = right;
    if (qsizetype(target.rows) * (right - left + 1) != selected.size())
        target.kind = Target::Apart;
    else if (selected.size() == 1 || (target.rows == 1 && left == 0 && right == model()->columnCount() - 1))
        target.kind = Target::Cell;
    else
        target.kind = Target::Block;
    return target;
}

bool EditorTableView::pastesOntoRows(const QWidget *focus) const
{
    const QWidget *editor = state() == EditingState ? indexWidget(currentIndex()) : nullptr;
    if (!focus || !editor || (focus != editor && !editor->isAncestorOf(focus)))
        return false;
    // Text too large to read goes onto the rows, whose paste says why it is refused.
    const TableText::Bounded table
        = TableText::parse(QGuiApplication::clipboard()->text(), ContentReader::MaxPhrases, DocumentContent::MaxCharacters);
    if (table.over != TableText::Bounded::Over::Nothing)
        return true;
    const QList<QStringList> &cells = table.rows;
    if (std::any_of(cells.cbegin(), cells.cend(), [](const QStringList &line) { return line.size() > 1; }))
        return true;
    return cells.size() > 1 && currentIndex().column() != RowTableModel::ExplanationColumn;
}

bool EditorTableView::finishTyping()
{
    if (state() != EditingState)
        return false;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    return true;
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
    ExplanationEdit::moveCursorToLine(QApplication::focusWidget(), line);
}

// Each editor the view opens is watched for Ctrl+V (pastesOntoRows).
bool EditorTableView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!QTableView::edit(index, trigger, event))
        return false;
    if (QWidget *editor = indexWidget(index))
        editor->installEventFilter(this);
    return true;
}

bool EditorTableView::eventFilter(QObject *watched, QEvent *event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (key && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) && watched->isWidgetType()
        && pastesOntoRows(static_cast<QWidget *>(watched))) {
        // Taking the override keeps the key from the editor's own paste and from the menu's.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            pasteRows();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

// Typing into a table without rows starts its first row: what is typed goes into its left cell.
void EditorTableView::keyPressEvent(QKeyEvent *event)
{
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed && m_doc->rowCount() == 0 && state() != EditingState) {
        m_doc->insertRows(0, 1);
        setCurrentIndex(model()->index(0, RowTableModel::LeftColumn));
    }
    QTableView::keyPressEvent(event);
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
