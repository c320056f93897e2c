#pragma once

#include <QListView>
#include <QPersistentModelIndex>

#include <utility>

class ListModel;

// A plain list box over a ListModel, for the test window's lists and the appearance
// dialog's: a click or an arrow key selects exactly one row and sets the model's selected
// index (which runs the list's reaction); a selection the model changes, also by a reset,
// shows at once. A modifier click cannot leave the list without a selection.
//
// Its rows are one below the other, all as high as the last one, scrolled a row at a time,
// with no row hidden, as in a QListView with uniform item sizes; it places them by
// arithmetic instead of QListView's layout, which walks every row at each added or
// removed one (a pair made in a test of 10,000 phrases a side laid out 20,000 rows).
// Where the rows are, how they paint, scroll and answer the keys and the mouse is
// QListView's, pixel for pixel (tests/tst_listbox.cpp compares the two), but for three
// things a learner at the keyboard needs: typing the start of an entry selects it, a key
// that highlights a row selects it even where there is no row to move to, and the list
// with the keyboard focus is framed once the keyboard is in use.
class ListBox : public QListView
{
    Q_OBJECT

public:
    explicit ListBox(ListModel *model, QWidget *parent = nullptr);
    ~ListBox() override;

    QRect visualRect(const QModelIndex &index) const override;
    QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;
    // Typing the start of an entry selects the entry found, as a click on it does.
    void keyboardSearch(const QString &search) override;

    // Whether a row the view makes current by itself, without the learner, is selected as
    // well. Off (the phrase lists): the view moves its current row by itself when the model
    // removes the selected row, and that must select nothing. On (the font lists, which
    // never lose a row). Typing selects in either case: it is the learner's choice.
    void setSelectsCurrentRow(bool selects) { m_selectsCurrentRow = selects; }
    bool selectsCurrentRow() const { return m_selectsCurrentRow; }

    // Whether the row is drawn cut short: its text is wider than the room the row leaves it.
    // The model gives such a row's whole text as its tool tip and accessible description.
    bool isRowShownCut(int row) const;

    // Whether the list shows that it has the keyboard focus by a frame inside its border, in
    // black and white so that it stands out on any colour the list is given. It shows while
    // the list has the focus and the learner reached it or used it by the keyboard: a key
    // pressed in it, or Tab; a click in it takes the frame away, so that a learner with the
    // mouse sees the list as before. The focus going to another window or to the menu bar
    // and coming back keeps it.
    bool showsKeyboardFocus() const { return m_keyboardFocus && hasFocus(); }
    static constexpr int FocusFrameWidth = 3; // pixels inside the border

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int verticalOffset() const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Repaints the focus frame's strips where it comes or goes.
    void setKeyboardFocus(bool keyboard);
    void updateFocusFrame();
    void showModelSelection(int row);
    void forwardViewSelection();

    void layOutPending() const;
    // The size every row takes: the last row's, as the delegate gives it.
    QSize itemSize() const;
    int rowCount() const;
    // Row `row` in contents coordinates, unscrolled.
    QRect rowRect(int row) const;
    // The first and last rows meeting `area` (contents coordinates); last < first for none.
    std::pair<int, int> rowsMeeting(const QRect &area) const;
    QModelIndex closestRow(const QRect &target, int first, int last) const;

    ListModel *m_model;
    bool m_syncing = false;
    bool m_selectsCurrentRow = false;
    bool m_searching = false;            // within keyboardSearch
    bool m_keyboardFocus = false;        // see showsKeyboardFocus
    mutable QSize m_itemSize;            // invalid until asked for after a change
    QPersistentModelIndex m_hover;       // the row under the mouse, where the style asks for hover
};
