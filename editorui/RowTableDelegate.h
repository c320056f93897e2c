#pragma once

#include <QStyledItemDelegate>

// The cells of the editor's rows table over a RowTableModel: phrase cells edited in a line
// (stored at every key, Escape puts the cell back), the explanation in an ExplanationEdit
// (Enter commits, Shift+Enter or Alt+Enter starts a new line, Escape cancels), the picture
// column as a thumbnail, its name when it cannot be shown, or "—"; each cell marked as
// ProblemColours says, with its problems as its tooltip. An explanation's cell shows and is
// measured on up to MaxShownLines lines.
class RowTableDelegate : public QStyledItemDelegate
{
public:
    static constexpr int MaxShownLines = 4;
    static constexpr int ThumbnailHeight = 48; // pixels; a row with a picture is this high at least

    explicit RowTableDelegate(QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};
