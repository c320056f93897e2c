#include "EditorTable.h"

#include "EditorDialogs.h"
#include "RowTableModel.h"
#include "TestDocument.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCache>
#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTableView>
#include <QTextCursor>
#include <QToolTip>
#include <QUrl>

namespace EditorTable {

namespace {

struct ScaledKey
{
    QByteArray bytes;
    QSize size;
    friend bool operator==(const ScaledKey &, const ScaledKey &) = default;
};
size_t qHash(const ScaledKey &key, size_t seed = 0) { return qHashMulti(seed, key.bytes, key.size.width(), key.size.height()); }

// Pictures are a test's few dozen files at most; the thumbnails are small. The pixmaps go
// with the application, before the platform that holds them.
struct Caches
{
    QCache<QByteArray, QPixmap> decoded{64 * 1024 * 1024}; // cost: bytes of pixels
    QCache<ScaledKey, QPixmap> scaled{16 * 1024 * 1024};
};

Caches &caches()
{
    static Caches c;
    static const bool cleared = [] {
        qAddPostRoutine([] {
            caches().decoded.clear();
            caches().scaled.clear();
        });
        return true;
    }();
    Q_UNUSED(cleared);
    return c;
}

qsizetype costOf(const QPixmap &p) { return std::max<qsizetype>(1, qsizetype(p.width()) * p.height() * 4); }

bool isExplanation(const QModelIndex &index) { return index.column() == RowTableModel::ExplanationColumn; }
bool isPicture(const QModelIndex &index) { return index.column() == RowTableModel::PictureColumn; }

QStringList problemsOf(const QModelIndex &index) { return index.data(RowTableModel::ProblemsRole).toStringList(); }
QStringList warningsOf(const QModelIndex &index) { return index.data(RowTableModel::WarningsRole).toStringList(); }

// The lines of an explanation cell that the table shows: the first MaxShownLines, the last of
// them ending in "…" when there are more. The cell is drawn and measured with these alone.
QString shownLines(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.size() > MaxShownLines) {
        lines = lines.mid(0, MaxShownLines);
        lines.last() += QChar(0x2026);
    }
    return lines.join(QChar::LineSeparator);
}

// Why a row stands without a partner, for its tint and tooltip; empty for a pair or a blank row.
QString partnerNote(const QModelIndex &index)
{
    const bool left = !index.siblingAtColumn(RowTableModel::LeftColumn).data().toString().isEmpty();
    const bool right = !index.siblingAtColumn(RowTableModel::RightColumn).data().toString().isEmpty();
    if (left && !right)
        return QCoreApplication::translate("EditorTable", "Left phrase without a partner");
    if (right && !left)
        return QCoreApplication::translate("EditorTable", "Extra right phrase (no left partner)");
    return {};
}

const QColor UnpairedTint(255, 244, 206);

// The text a phrase cell had when its editor opened, kept on the editor.
constexpr char OriginalText[] = "kazOriginalText";

class ExplanationEdit : public QPlainTextEdit
{
public:
    explicit ExplanationEdit(QWidget *parent)
        : QPlainTextEdit(parent)
    {
        setAccessibleName(QCoreApplication::translate("EditorTable", "Explanation lines"));
        setAccessibleDescription(QCoreApplication::translate("EditorTable", "Enter keeps the lines, Shift+Enter starts a new line, Escape cancels."));
        setTabChangesFocus(true);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setFrameShape(QFrame::Box);
    }
};

class TableDelegate : public QStyledItemDelegate
{
public:
    explicit TableDelegate(QObject *parent)
        : QStyledItemDelegate(parent)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
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
            auto *self = const_cast<TableDelegate *>(this);
            connect(edit, &QLineEdit::textEdited, self, [self, edit] { Q_EMIT self->commitData(edit); });
            return edit;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
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

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *edit = dynamic_cast<ExplanationEdit *>(editor)) {
            model->setData(index, edit->toPlainText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override
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

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const bool problem = !problemsOf(index).isEmpty();
        const bool warning = !problem && !warningsOf(index).isEmpty();
        if (!(opt.state & QStyle::State_Selected)) {
            if (problem)
                opt.backgroundBrush = QColor(ProblemTint);
            else if (warning)
                opt.backgroundBrush = QColor(WarningTint);
            else if (!partnerNote(index).isEmpty())
                opt.backgroundBrush = UnpairedTint;
        }
        if (isExplanation(index))
            opt.text = shownLines(index.data(Qt::DisplayRole).toString());
        QByteArray bytes;
        if (isPicture(index)) {
            bytes = index.data(RowTableModel::PictureBytesRole).toByteArray();
            const QString name = index.data(Qt::DisplayRole).toString();
            // A picture that cannot be shown keeps its name in the cell; none is a dash.
            opt.text = name.isEmpty() ? QStringLiteral("—") : (picture(bytes).isNull() ? name : QString());
            opt.displayAlignment = Qt::AlignCenter;
        }
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        if (isPicture(index) && opt.text.isEmpty()) {
            const QRect box = opt.rect.adjusted(3, 3, -3, -3);
            const QPixmap thumb = scaledPicture(bytes, box.size());
            if (!thumb.isNull()) {
                const QRect place = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                        thumb.deviceIndependentSize().toSize(), box);
                painter->drawPixmap(place, thumb);
            }
        }
        if (problem || warning) {
            painter->save();
            painter->setPen(QPen(QColor(problem ? ProblemRed : WarningOrange), 2, problem ? Qt::SolidLine : Qt::DashLine));
            const int y = opt.rect.bottom() - 1;
            painter->drawLine(opt.rect.left() + 2, y, opt.rect.right() - 2, y);
            painter->restore();
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
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

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStringList tip = problemsOf(index);
        for (const QString &w : warningsOf(index))
            tip.append(RowTableModel::tr("Warning: %1").arg(w));
        if (const QString note = partnerNote(index); !note.isEmpty())
            tip.append(note);
        if (isPicture(index) && !index.data().toString().isEmpty())
            tip.prepend(index.data().toString());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            return true;
        }
        QToolTip::showText(event->globalPos(), tip.join(u'\n'), view, option.rect);
        return true;
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
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
};

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

// Drops of a picture file onto the picture column, watched on the view's viewport.
class PictureDrop : public QObject
{
public:
    PictureDrop(QTableView *view, TestDocument *doc)
        : QObject(view)
        , m_view(view)
        , m_doc(doc)
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (rowAt(drag) >= 0)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const int row = rowAt(drop);
            if (row < 0)
                return false;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            m_view->setCurrentIndex(m_view->model()->index(row, RowTableModel::PictureColumn));
            if (const QString why = takePicture(*m_doc, row, droppedFile(drop->mimeData())); !why.isEmpty())
                EditorDialogs::tell(m_view, QMessageBox::Warning, QCoreApplication::translate("EditorTable", "Picture"), why);
            return true;
        }
        default:
            return false;
        }
    }

private:
    int rowAt(const QDropEvent *event) const
    {
        const QModelIndex index = m_view->indexAt(event->position().toPoint());
        if (!index.isValid() || index.column() != RowTableModel::PictureColumn || droppedFile(event->mimeData()).isEmpty())
            return -1;
        return index.row();
    }

    QTableView *m_view;
    TestDocument *m_doc;
};

} // namespace

void acceptPictureDrops(QTableView *view, TestDocument *doc)
{
    view->viewport()->setAcceptDrops(true);
    view->viewport()->installEventFilter(new PictureDrop(view, doc));
}

QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return {};
    return url.toLocalFile();
}

QString takePicture(TestDocument &doc, int row, const QString &path)
{
    if (row < 0 || row >= doc.rowCount())
        return QCoreApplication::translate("EditorTable", "Choose a row of the table first, then its picture.");
    const QString why = doc.setPictureFromFile(row, path);
    if (why.isEmpty())
        return {};
    return QCoreApplication::translate("EditorTable", "This picture cannot be used: %1.").arg(why);
}

void moveCursorToLine(QWidget *editor, int line)
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

QLabel *problemLabel(const QString &accessibleName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleName(accessibleName);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(ProblemRed));
    label->setPalette(red);
    return label;
}

QPixmap picture(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    if (const QPixmap *found = caches().decoded.object(bytes))
        return *found;
    QPixmap pixmap;
    pixmap.loadFromData(bytes); // as PictureBox decodes the quiz's pictures
    caches().decoded.insert(bytes, new QPixmap(pixmap), costOf(pixmap));
    return pixmap;
}

QPixmap scaledPicture(const QByteArray &bytes, QSize size)
{
    if (bytes.isEmpty() || size.isEmpty())
        return {};
    const ScaledKey key{bytes, size};
    if (const QPixmap *found = caches().scaled.object(key))
        return *found;
    const QPixmap whole = picture(bytes);
    if (whole.isNull())
        return {};
    // Never larger than the picture itself: a small picture is shown at its own size.
    const QPixmap fitted = whole.width() <= size.width() && whole.height() <= size.height()
        ? whole
        : whole.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    caches().scaled.insert(key, new QPixmap(fitted), costOf(fitted));
    return fitted;
}

void install(QTableView *view)
{
    view->setItemDelegate(new TableDelegate(view));
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
    columns->resizeSection(RowTableModel::PictureColumn, ThumbnailHeight * 2);

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
