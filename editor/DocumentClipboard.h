#pragma once

#include "DocumentContent.h"

#include <QList>
#include <QString>

class QuizDocument;

// A document's rows as spreadsheet text (TableText) and such text pasted onto them: what the
// editor's Cut, Copy and Paste of rows do. Each paste and cut is one step of the document's
// undo stack, named for the lines pasted or the rows cut.
class DocumentClipboard
{
public:
    explicit DocumentClipboard(QuizDocument &document);

    // A text of more lines than a test has questions, or one that would take the table past
    // DocumentContent::MaxRows or MaxCharacters, is refused whole before it is split up. A line's
    // cells go from `column` (Left, Right or Explanation) to the right; cells past the
    // explanation column are left out and counted. A block is as wide as its widest line:
    // shorter lines empty the rest of it.
    struct Pasted
    {
        int firstRow = 0;
        int rows = 0;           // the lines pasted: rows replaced, then rows added
        int added = 0;          // of them, rows that are new
        int columns = 0;        // the columns written, from `column`
        int columnsLeftOut = 0; // cells per line that had no column to go to
        bool changed = false;   // false when the rows already held the text: no step was made
        // Why nothing was pasted: the text holds more than a test can, or the table would hold
        // more than DocumentContent's bounds. Empty when the text was taken.
        QString refused;
    };
    // Overwrites the rows from `row` on and adds rows past the end: the spreadsheet's paste at one cell.
    Pasted paste(int row, DocumentField column, const QString &text);
    // New rows before `row` (rowCount(): at the end), replacing no row that holds anything: a
    // blank row at `row` takes the first line.
    Pasted insertPasted(int row, DocumentField column, const QString &text);
    // Into the block of `rows` rows from `row` and `columns` columns from `column` alone: cells
    // past its columns are left out, lines past its rows become new rows below it.
    Pasted pasteInto(int row, DocumentField column, int rows, int columns, const QString &text);

    // The rows as tab-separated text: left, right, and the explanation when any row has one.
    QString copy(QList<int> rows) const;
    // The rows as copy() gives them, removed as one step ("cutting").
    QString cut(QList<int> rows);

private:
    QuizDocument &m_document;
};
