#pragma once

class QTableView;

// Binds the editor's table view to a QuizDocument's RowTableModel: the cells drawn and edited
// by a RowTableDelegate, the keys that start editing, the columns' widths, and each row's
// height kept fitting its explanation's lines and its picture as the model changes.
namespace EditorTable {

// Sets the view's delegate, edit triggers and row heights; the view's model must be a
// RowTableModel, set before.
void install(QTableView *view);

} // namespace EditorTable
