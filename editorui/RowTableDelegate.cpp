#include "RowTableDelegate.h"

#include "ExplanationEdit.h"
#include "PictureThumbnails.h"
#include "ProblemColours.h"
#include "RowTableModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTableView>
#include <QToolTip>

namespace {

bool isExplanation(const QModelIndex &index) { return index.column() == RowTableModel::ExplanationColumn; }
bool isPicture(const QModelIndex &index) { return index.column() == RowTableModel::PictureColumn; }

// The lines of an explanation cell that the table shows: the first MaxShownLines, the last of
// them ending in "…" when there are more. The cell is drawn and measured with these alone.
QString shownLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.size() > RowTableDelegate::MaxShownLines) {
        lines = lines.mid(0, RowTableDelegate::MaxShownLines);
        lines.last() += QChar(0x2026);
    }
    return lines.join(QChar::LineSeparator);
}

// The text a phrase cell had when its editor opened, kept on the editor.
constexpr char OriginalText[] = "kazOriginalText";

} // namespace

RowTableDelegate::RowTableDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QWidget *RowTableDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (isExplanation(index))
        return new ExplanationEdit(parent);
    if (index.column() == RowTableModel::LeftColumn || index.column() == RowTableModel::RightColumn) {
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAccessibleName(index.column() == RowTableModel::LeftColumn ? QCoreApplication::translate("EditorTable", "Left phrase")
                                                                            : QCoreApplication::translate("EditorTable", "Right phrase"));
        // A phrase is stored at every keystroke (the document merges them into one undo
        // step), so its problems show while it is typed; Escape puts the cell back.
        edit->setProperty(OriginalText, index.data(Qt::EditRole));
        // createEditor is const; storing the text is what this delegate's signal is for.
        auto *self = const_cast<RowTableDelegate *>(this);
        connect(edit, &QLineEdit::textEdited, self, [self, edit] { Q_EMIT self->commitData(edit); });
        return edit;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void RowTableDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *edit = dynamic_cast<ExplanationEdit *>(editor)) {
        const QString text = index.data(Qt::EditRole).toString();
        if (edit->toPlainText() != text) {
            edit->setPlainText(text);
            // As in a phrase cell: what is typed first replaces the cell.
            edit->selectAll();
        }
        return;
    }
    // The cell changes under a phrase being typed (it is stored at every key, and its
    // problems come and go): setting the same text again would move the cursor to the end.
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        if (const QString text = index.data(Qt::EditRole).toString(); edit->text() != text)
            edit->setText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void RowTableDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *edit = dynamic_cast<ExplanationEdit *>(editor)) {
        model->setData(index, edit->toPlainText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void RowTableDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    if (!dynamic_cast<ExplanationEdit *>(editor)) {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        return;
    }
    // Room for a few lines whatever the row's height, kept inside the view.
    QRect r = option.rect;
    const int lines = option.fontMetrics.lineSpacing() * (MaxShownLines + 1) + 12;
    r.setHeight(std::max(r.height(), lines));
    if (const QWidget *area = editor->parentWidget(); area && r.bottom() > area->height())
        r.moveBottom(std::max(r.height() - 1, area->height() - 1));
    editor->setGeometry(r);
}

void RowTableDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const ProblemColours::CellMarks marks = ProblemColours::cellMarks(index);
    if (!(opt.state & QStyle::State_Selected) && marks.tint.isValid())
        opt.backgroundBrush = marks.tint;
    if (isExplanation(index))
        opt.text = shownLines(index.data(Qt::DisplayRole).toString());
    QByteArray bytes;
    if (isPicture(index)) {
        bytes = index.data(RowTableModel::PictureBytesRole).toByteArray();
        const QString name = index.data(Qt::DisplayRole).toString();
        // A picture that cannot be shown keeps its name in the cell; none is a dash.
        opt.text = name.isEmpty() ? QStringLiteral("—") : (PictureThumbnails::picture(bytes).isNull() ? name : QString());
        opt.displayAlignment = Qt::AlignCenter;
    }
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    if (isPicture(index) && opt.text.isEmpty()) {
        const QRect box = opt.rect.adjusted(3, 3, -3, -3);
        const QPixmap thumb = PictureThumbnails::scaled(bytes, box.size());
        if (!thumb.isNull()) {
            const QRect place = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                    thumb.deviceIndependentSize().toSize(), box);
            painter->drawPixmap(place, thumb);
        }
    }
    if (marks.underline.style() != Qt::NoPen) {
        painter->save();
        painter->setPen(marks.underline);
        const int y = opt.rect.bottom() - 1;
        painter->drawLine(opt.rect.left() + 2, y, opt.rect.right() - 2, y);
        painter->restore();
    }
}

QSize RowTableDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (isExplanation(index)) {
        // Measured on the lines shown: laying out thousands of lines would hold up opening.
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text = shownLines(index.data(Qt::DisplayRole).toString());
        const QWidget *widget = option.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), widget);
        // A row of one line is as high as the view's rows, and each further line adds a line.
        const int shown = int(opt.text.count(QChar::LineSeparator)) + 1;
        const int line = option.fontMetrics.lineSpacing();
        int one = size.height() - (shown - 1) * line;
        if (const auto *table = qobject_cast<const QTableView *>(widget))
            one = std::max(one, table->verticalHeader()->defaultSectionSize());
        size.setHeight(one + (shown - 1) * line);
        return size;
    }
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (isPicture(index) && !index.data(RowTableModel::PictureBytesRole).toByteArray().isEmpty())
        size = size.expandedTo(QSize(ThumbnailHeight * 4 / 3, ThumbnailHeight));
    return size;
}

bool RowTableDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                 const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStringList tip = ProblemColours::cellMarks(index).tooltip;
    if (isPicture(index) && !index.data().toString().isEmpty())
        tip.prepend(index.data().toString());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), tip.join(u'\n'), view, option.rect);
    return true;
}

bool RowTableDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (auto *line = qobject_cast<QLineEdit *>(object); line && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        const QVariant original = line->property(OriginalText);
        if (original.isValid() && line->text() != original.toString()) {
            line->setText(original.toString());
            Q_EMIT commitData(line); // typed back to where it started: no undo step is left
        }
    }
    auto *edit = dynamic_cast<ExplanationEdit *>(object);
    if (edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier)) {
                edit->textCursor().insertText(QStringLiteral("\n"));
                edit->ensureCursorVisible();
            } else {
                Q_EMIT commitData(edit);
                Q_EMIT closeEditor(edit, QAbstractItemDelegate::NoHint);
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
