#include "ExplanationEdit.h"

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextCursor>

ExplanationEdit::ExplanationEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setAccessibleName(QCoreApplication::translate("EditorTable", "Explanation lines"));
    setAccessibleDescription(QCoreApplication::translate("EditorTable", "Enter keeps the lines, Shift+Enter starts a new line, Escape cancels."));
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFrameShape(QFrame::Box);
}

void ExplanationEdit::moveCursorToLine(QWidget *editor, int line)
{
    auto *text = qobject_cast<QPlainTextEdit *>(editor);
    if (!text || line < 0)
        return;
    const QTextBlock block = text->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    text->setTextCursor(QTextCursor(block));
    text->ensureCursorVisible();
}
