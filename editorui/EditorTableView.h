#pragma once

#include "DocumentContent.h"

#include <QList>
#include <QTableView>

class QuizDocument;

// The table of a QuizDocument's rows (EditorTable's delegates, picture files dropped on the
// picture column) with the edit operations on rows: cut, copy, paste, add, delete and move.
// Each operation is one call of the document, so one undo step; the view only chooses the
// rows it acts on and selects what it changed. Tab goes from cell to cell; Ctrl+Tab and
// Ctrl+Shift+Tab leave the table.
class EditorTableView : public QTableView
{
    Q_OBJECT

public:
    explicit EditorTableView(QuizDocument *doc, QWidget *parent = nullptr);

    // The rows an operation acts on: every row with a selected cell, else the current row;
    // ascending, each once.
    QList<int> chosenRows() const;

    // The clipboard holds the rows as a spreadsheet's cells (QuizDocument::copy). A paste
    // replaces no row the teacher did not select: with nothing selected it adds the rows at
    // the end; on one selected cell or row it inserts them there; into a selected block of
    // cells it writes that block alone, and lines past it become new rows below. A cell being
    // typed in counts as its cell selected.
    void cutRows();
    void copyRows();
    void pasteRows();
    // Whether a paste into `focus`, a cell being typed in, goes onto the rows (pasteRows) instead:
    // a clipboard of several cells, or of several lines in a phrase's cell (an explanation takes
    // lines). Ctrl+V in the cell decides so by itself; the Edit menu's Paste asks here.
    bool pastesOntoRows(const QWidget *focus) const;
    // An empty row below the current one (at the end without one), its left cell open for typing;
    // a cell being typed in keeps what was typed. Typing into a table without rows adds the first.
    void addRow();
    void deleteRows();
    // The chosen rows, one row up (by < 0) or down; rows apart from each other move the
    // current row alone. Rows at the edge stay.
    void moveRows(int by);

    // Puts the cursor on a cell, scrolled into view and opened for typing, in an explanation
    // at line `line` (from 0; -1: where the editor puts it). `row` past the end means the last
    // row: between an edit that removes rows and the next check a problem may name one.
    void goToCell(int row, DocumentField field, int line = -1);
    using QTableView::edit;

Q_SIGNALS:
    // What an operation did, or why it did nothing, for the status bar.
    void told(const QString &message);

protected:
    bool event(QEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Stores and closes the cell being typed in; false when none is.
    bool finishTyping();
    struct Target
    {
        enum Kind { End, Cell, Block, Apart } kind = End; // Apart: cells not in one block
        int row = 0;
        int column = 0;
        int rows = 0;
        int lastColumn = 0;
    };
    Target targetOf(const QModelIndexList &selected) const;
    void selectBlock(int first, int count, int firstColumn, int lastColumn, int column);

    QuizDocument *m_doc;
};
