#include "ListBox.h"

#include "ListModel.h"

#include <QAccessible>
#include <QHoverEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTextLayout>

#include <algorithm>

namespace {

// The focus went, or comes back, from another window, a menu or the menu bar, as it left.
bool focusComesBack(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
           || reason == Qt::MenuBarFocusReason;
}

// The style of every list box, whatever the platform's or the desktop's: the frame, scroll bar
// and text margins that ListText counts on (and with it the editor's warning of phrases cut
// short) are then those of every system, and a list shows the same on Windows as on Linux.
QStyle *listStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

ListBox::ListBox(ListModel *model, QWidget *parent)
    : QListView(parent)
    , m_model(model)
{
    setModel(model);
    setStyle(listStyle());
    verticalScrollBar()->setStyle(listStyle());
    horizontalScrollBar()->setStyle(listStyle());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(model, &ListModel::selectedIndexChanged, this, &ListBox::showModelSelection);
    connect(model, &QAbstractItemModel::modelReset, this, [this] { showModelSelection(m_model->selectedIndex()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListBox::forwardViewSelection);
    // The layout a removal asks for is cheap here: done at once, the removal's repaint is
    // one paint, not one before the layout and one after it.
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { executeDelayedItemsLayout(); });
    model->setRowShownCut([this](int row) { return isRowShownCut(row); });
    showModelSelection(model->selectedIndex());
}

ListBox::~ListBox()
{
    // The model may outlive the list box (the test window's lists), or go first (the
    // appearance dialog's, whose window closes later); then the view holds an empty model.
    if (model() == m_model)
        m_model->setRowShownCut({});
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // Without an event the view moved its current row by itself, or by a keyboard search:
    // see setSelectsCurrentRow.
    if (!index.isValid() || (!event && !m_selectsCurrentRow && !m_searching))
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
}

void ListBox::keyboardSearch(const QString &search)
{
    const QScopedValueRollback searching(m_searching, true);
    QListView::keyboardSearch(search);
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    setKeyboardFocus(true);
    QListView::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    default:
        return;
    }
    // The key found no other row to go to: Down on the only row, or Up on the first, where
    // the focus put the highlight without selecting. The row it highlights is the choice.
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current) && (model()->flags(current) & Qt::ItemIsEnabled))
        selectionModel()->select(current, selectionCommand(current, event));
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    setKeyboardFocus(false);
    QListView::mousePressEvent(event);
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    const bool byKey = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                       || reason == Qt::ShortcutFocusReason;
    // Qt marks the window once the Tab key or a shortcut has moved the focus in it; a button
    // disabled under the focus hands it on as Tab would, and a learner who never pressed a
    // key must not see the frame for it.
    if (byKey && window()->testAttribute(Qt::WA_KeyboardFocusChange))
        m_keyboardFocus = true;
    else if (!byKey && !focusComesBack(reason))
        m_keyboardFocus = false;
    QListView::focusInEvent(event);
    if (m_keyboardFocus)
        updateFocusFrame();
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    if (m_keyboardFocus)
        updateFocusFrame();
    if (!focusComesBack(event->reason()))
        m_keyboardFocus = false;
    QListView::focusOutEvent(event);
}

void ListBox::setKeyboardFocus(bool keyboard)
{
    if (keyboard == m_keyboardFocus)
        return;
    m_keyboardFocus = keyboard;
    if (hasFocus())
        updateFocusFrame();
}

void ListBox::updateFocusFrame()
{
    const QRect all = viewport()->rect();
    viewport()->update(QRegion(all).subtracted(all.adjusted(FocusFrameWidth, FocusFrameWidth, -FocusFrameWidth, -FocusFrameWidth)));
}

bool ListBox::isRowShownCut(int row) const
{
    const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return false;
    // The room the style gives the text of the row as paintEvent draws it, and its test for
    // drawing the text elided: the line's natural width against that room.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.rect.setWidth(std::min(viewport()->width(), option.rect.width()));
    option.text = text;
    option.features |= QStyleOptionViewItem::HasDisplay;
    const QStyle *s = style();
    const int margin = s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room = s->subElementRect(QStyle::SE_ItemViewItemText, &option, this).width() - 2 * margin;
    QTextLayout layout(text, option.font);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(room);
    const qreal width = line.naturalTextWidth();
    layout.endLayout();
    return width > room;
}

void ListBox::showModelSelection(int row)
{
    if (m_syncing)
        return;
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else {
        const QModelIndex i = m_model->index(row);
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        scrollTo(i);
    }
    m_syncing = false;
}

void ListBox::forwardViewSelection()
{
    if (m_syncing)
        return;
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    if (rows.size() != 1) {
        // The view lost its selection through an edit of the model; the model already knows.
        return;
    }
    m_syncing = true;
    m_model->setSelectedIndex(rows.first().row());
    m_syncing = false;
    // The reaction may have moved the selection elsewhere; show what the model holds.
    const int modelRow = m_model->selectedIndex();
    if (modelRow != rows.first().row())
        showModelSelection(modelRow);
}

// ---------------------------------------------------------------- rows by arithmetic

int ListBox::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QSize ListBox::itemSize() const
{
    // QListView takes the last row's size for every row once it has laid them out, and lays
    // them out afresh after every change of the rows or of the font.
    if (!m_itemSize.isValid()) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex last = model()->index(rowCount() - 1, modelColumn(), rootIndex());
        const QAbstractItemDelegate *delegate = itemDelegateForIndex(last);
        m_itemSize = delegate ? delegate->sizeHint(option, last) : QSize();
    }
    return m_itemSize;
}

QRect ListBox::rowRect(int row) const
{
    // As wide as the viewport, or as the item where that is wider.
    const QSize size = itemSize();
    return QRect(0, row * size.height(), std::max(size.width(), viewport()->width()), size.height());
}

std::pair<int, int> ListBox::rowsMeeting(const QRect &area) const
{
    const int n = rowCount();
    const int h = itemSize().height();
    if (n == 0 || area.right() < 0 || area.top() > n * h || area.bottom() < 0)
        return {0, -1};
    // From the last row starting at or above the area's top, down to the last row starting
    // at or above its bottom.
    const int first = area.top() < 0 ? 0 : h > 0 ? std::min(n - 1, area.top() / h) : n - 1;
    const int last = h > 0 ? std::min(n - 1, area.bottom() / h) : n - 1;
    return {first, first * h <= area.bottom() ? last : first - 1};
}

QModelIndex ListBox::closestRow(const QRect &target, int first, int last) const
{
    // The row whose centre is nearest the target's, the upper one of two as near.
    QModelIndex closest;
    int shortest = INT_MAX;
    for (int row = first; row <= last; ++row) {
        const QRect r = rowRect(row);
        int distance;
        if ((target.center().x() >= r.x() && target.center().x() < r.right())
            || (r.center().x() >= target.x() && r.center().x() < target.right()))
            distance = std::abs(r.center().y() - target.center().y());
        else if ((target.center().y() >= r.y() && target.center().y() < r.bottom())
                 || (r.center().y() >= target.y() && r.center().y() < target.bottom()))
            distance = std::abs(r.center().x() - target.center().x());
        else
            distance = (r.center() - target.center()).manhattanLength();
        if (distance < shortest) {
            shortest = distance;
            closest = model()->index(row, modelColumn(), rootIndex());
        }
    }
    return closest;
}

void ListBox::layOutPending() const
{
    // Where QListView lays its rows out before answering, so does this: the layout asked
    // for by a change of the rows then comes before the next paint, not after it.
    const_cast<ListBox *>(this)->executeDelayedItemsLayout();
}

QRect ListBox::visualRect(const QModelIndex &index) const
{
    layOutPending();
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex()
        || index.column() != modelColumn())
        return {};
    return rowRect(index.row()).translated(-horizontalOffset(), -verticalOffset());
}

QModelIndex ListBox::indexAt(const QPoint &point) const
{
    layOutPending();
    const auto [first, last] = rowsMeeting(QRect(point.x() + horizontalOffset(), point.y() + verticalOffset(), 1, 1));
    if (last < first)
        return {};
    const QModelIndex index = model()->index(last, modelColumn(), rootIndex());
    return visualRect(index).contains(point) ? index : QModelIndex();
}

int ListBox::verticalOffset() const
{
    return verticalScrollBar()->value() * itemSize().height();
}

void ListBox::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (index.parent() != rootIndex() || index.column() != modelColumn())
        return;
    const QRect rect = visualRect(index);
    if (!rect.isValid())
        return;
    const QRect area = viewport()->rect();
    if (hint == EnsureVisible && area.contains(rect)) {
        viewport()->update(rect);
        return;
    }
    if (hint == EnsureVisible && rect.top() < area.top())
        hint = PositionAtTop;
    else if (hint == EnsureVisible && rect.bottom() > area.bottom())
        hint = PositionAtBottom;
    const int row = index.row();
    // The rows that fit from `row` upwards, at least the row itself.
    const int h = rect.height();
    int top = row;
    while (top > 0 && (row - top + 2) * h <= area.height())
        --top;
    const int fitting = row - top + 1;
    int value = std::clamp(verticalScrollBar()->value(), 0, rowCount());
    switch (hint) {
    case PositionAtTop:
        value = row;
        break;
    case PositionAtBottom:
        value = row - fitting + 1;
        break;
    case PositionAtCenter:
        value = row - fitting / 2;
        break;
    case EnsureVisible:
        break;
    }
    verticalScrollBar()->setValue(value);
}

QModelIndex ListBox::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const int n = rowCount();
    const auto available = [this](int row) {
        return (model()->flags(model()->index(row, modelColumn(), rootIndex())) & Qt::ItemIsEnabled) != 0;
    };
    const auto at = [this](int row) { return model()->index(row, modelColumn(), rootIndex()); };
    layOutPending();
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        for (int row = 0; row < n; ++row)
            if (available(row))
                return at(row);
        return {};
    }
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        for (int row = current.row() - 1; row >= 0; --row)
            if (available(row))
                return at(row);
        return current;
    case MoveDown:
    case MoveNext:
        for (int row = current.row() + 1; row < n; ++row)
            if (available(row))
                return at(row);
        return current;
    case MoveHome:
        return at(0);
    case MoveEnd:
        return at(n - 1);
    case MoveLeft:
    case MoveRight:
        // Every row fills the width: there is nothing beside it.
        return current;
    case MovePageUp:
    case MovePageDown:
        break;
    }

    // A page: the row nearest one viewport away that still shares a pixel with the page,
    // found a pixel at a time as QListView does.
    const QRect initial = rowRect(current.row());
    if (initial.isEmpty())
        return at(0);
    const int page = viewport()->height();
    const int contentsHeight = n * initial.height();
    QRect rect = initial;
    QModelIndex found = current;
    bool none = true;
    if (cursorAction == MovePageUp) {
        if (rect.height() >= page)
            return moveCursor(MoveUp, modifiers);
        rect.moveTop(rect.top() - page + 1);
        if (rect.top() < rect.height()) {
            rect.setTop(0);
            rect.setBottom(1);
        }
        while (none || rowRect(found.row()).top() <= initial.bottom() - page || rect.top() <= 0) {
            rect.translate(0, 1);
            if (rect.bottom() <= 0)
                return current;
            const auto [first, last] = rowsMeeting(rect);
            none = last < first;
            found = closestRow(initial, first, last);
        }
        return found;
    }
    if (rect.height() >= page)
        return moveCursor(MoveDown, modifiers);
    rect.moveTop(rect.top() + page - 1);
    if (rect.bottom() > contentsHeight - rect.height()) {
        rect.setTop(contentsHeight - 1);
        rect.setBottom(contentsHeight);
    }
    while (none || rowRect(found.row()).bottom() >= page + initial.top() || rect.bottom() > contentsHeight) {
        rect.translate(0, -1);
        if (rect.top() >= contentsHeight)
            return current;
        const auto [first, last] = rowsMeeting(rect);
        none = last < first;
        found = closestRow(initial, first, last);
    }
    return found;
}

void ListBox::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    layOutPending();
    // A click, a drag or a key in a single-selection list: the row under the rectangle's
    // corners, and those between.
    const QPoint offset(horizontalOffset(), verticalOffset());
    const auto [top, topLast] = rowsMeeting(QRect(rect.topLeft() + offset, QSize(1, 1)));
    const auto [bottom, bottomLast] = rowsMeeting(QRect(rect.bottomRight() + offset, QSize(1, 1)));
    QItemSelection selection;
    if (topLast >= top && bottomLast >= bottom) {
        const int from = std::min(topLast, bottomLast);
        const int to = std::max(topLast, bottomLast);
        const QModelIndex a = model()->index(from, modelColumn(), rootIndex());
        const QModelIndex b = model()->index(to, modelColumn(), rootIndex());
        if ((model()->flags(a) & Qt::ItemIsEnabled) && (model()->flags(b) & Qt::ItemIsEnabled))
            selection.select(a, b);
    }
    selectionModel()->select(selection, command);
}

void ListBox::updateGeometries()
{
    const int n = rowCount();
    const int h = itemSize().height();
    QScrollBar *bar = verticalScrollBar();
    if (geometry().isEmpty() || n <= 0 || !model() || model()->columnCount(rootIndex()) <= 0) {
        bar->setRange(0, 0);
    } else {
        // A row at a time; the page is the rows that fit whole, or all of them and one more
        // where every row fits.
        const int page = viewport()->height();
        const int pageRows = n * h <= page ? n + 1 : h > 0 ? page / h : 0;
        bar->setSingleStep(1);
        bar->setPageStep(pageRows);
        bar->setRange(0, n - pageRows);
        horizontalScrollBar()->setPageStep(viewport()->width());
    }
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
    // Shows or hides the scroll bar now, not once the event loop is back, as QListView does.
    setViewportMargins(viewportMargins());
}

void ListBox::doItemsLayout()
{
    m_itemSize = QSize();
    // Showing the scroll bar resizes the viewport, which must not ask for another layout.
    const State before = state();
    setState(ExpandingState);
    QAbstractItemView::doItemsLayout();
    setState(before);
}

void ListBox::scrollContentsBy(int dx, int dy)
{
    // QListView's own stops a pending scroll to a clicked row; without its layout it
    // scrolls nothing itself.
    QListView::scrollContentsBy(dx, 0);
    const int value = verticalScrollBar()->value();
    const int n = rowCount();
    const int before = std::clamp(value + dy, 0, n);
    const int pixels = (before - std::clamp(value, 0, n)) * itemSize().height();
    QAbstractItemView::scrollContentsBy(isRightToLeft() ? -dx : dx, pixels);
}

void ListBox::paintEvent(QPaintEvent *event)
{
    if (!itemDelegate())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QPainter painter(viewport());
    const auto [first, last] = rowsMeeting(event->rect().translated(horizontalOffset(), verticalOffset()));
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QStyle::State state = option.state;
    const bool enabled = (state & QStyle::State_Enabled) != 0;
    const int width = viewport()->width();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, modelColumn(), rootIndex());
        option.rect = visualRect(index);
        option.rect.setWidth(std::min(width, option.rect.width()));
        option.state = state;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (enabled) {
            const bool itemEnabled = (model()->flags(index) & Qt::ItemIsEnabled) != 0;
            if (!itemEnabled)
                option.state &= ~QStyle::State_Enabled;
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal : QPalette::Disabled);
        }
        if (focus && current == index) {
            option.state |= QStyle::State_HasFocus;
            if (this->state() == EditingState)
                option.state |= QStyle::State_Editing;
        }
        option.state.setFlag(QStyle::State_MouseOver, index == m_hover);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
    if (showsKeyboardFocus()) {
        // Black, white, black: on any colour one of them stands out. Within the rows' text
        // margins, so no text is covered.
        const QColor lines[FocusFrameWidth] = {Qt::black, Qt::white, Qt::black};
        QRect r = viewport()->rect();
        for (const QColor &colour : lines) {
            painter.setPen(colour);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
    }
}

bool ListBox::viewportEvent(QEvent *event)
{
    // The item view keeps the row under the mouse to itself; this one paints it.
    switch (event->type()) {
    case QEvent::HoverMove:
    case QEvent::HoverEnter:
        m_hover = indexAt(static_cast<QHoverEvent *>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        m_hover = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QListView::viewportEvent(event);
}

bool ListBox::event(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_itemSize = QSize();
    return QListView::event(event);
}

void ListBox::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // A screen reader hears of the row that took the focus (QListView would name a row
    // from its own layout).
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current.row());
        QAccessible::updateAccessibility(&focus);
    }
    QAbstractItemView::currentChanged(current, previous);
}

void ListBox::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    if (QAccessible::isActive()) {
        if (const QModelIndex row = selected.indexes().value(0); row.isValid()) {
            QAccessibleEvent added(this, QAccessible::SelectionAdd);
            added.setChild(row.row());
            QAccessible::updateAccessibility(&added);
        }
        if (const QModelIndex row = deselected.indexes().value(0); row.isValid()) {
            QAccessibleEvent removed(this, QAccessible::SelectionRemove);
            removed.setChild(row.row());
            QAccessible::updateAccessibility(&removed);
        }
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}

void ListBox::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    m_itemSize = QSize();
    QListView::dataChanged(topLeft, bottomRight, roles);
    executeDelayedItemsLayout();
}

void ListBox::rowsInserted(const QModelIndex &parent, int start, int end)
{
    m_itemSize = QSize();
    QListView::rowsInserted(parent, start, end);
    executeDelayedItemsLayout();
}

void ListBox::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    m_itemSize = QSize();
    QListView::rowsAboutToBeRemoved(parent, start, end);
}
