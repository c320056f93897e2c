#pragma once

#include <QPlainTextEdit>

// The editor of an explanation cell of the rows table: several lines, no wrapping, Tab leaves
// it. Its keys (Enter keeps the lines, Shift+Enter or Alt+Enter starts a new line) are the
// table's delegate's, which commits and closes it.
class ExplanationEdit : public QPlainTextEdit
{
public:
    explicit ExplanationEdit(QWidget *parent);

    // Puts the cursor of a multi-line editor (this one or any QPlainTextEdit) at the start of
    // line `line` (from 0), scrolled into view; anything else, or a line it does not have, is
    // left as it is.
    static void moveCursorToLine(QWidget *editor, int line);
};
