// The list box over a bare list model: which moves of its current row select, and what the
// model's edits show; the frame of the keyboard focus; rows cut short.
#include "ListBox.h"
#include "ListModel.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <cmath>
#include <map>

namespace {

// A shown list box over the sizes of the appearance dialog, "12" selected.
struct Box
{
    explicit Box(bool selectsCurrentRow)
    {
        model.setItems({u"8"_qs, u"9"_qs, u"10"_qs, u"11"_qs, u"12"_qs, u"13"_qs, u"14"_qs});
        model.setSelectedIndex(4);
        model.setClickReaction([this] { runs.append(model.selectedIndex()); });
        box.setSelectsCurrentRow(selectsCurrentRow);
        box.resize(120, 200);
        box.show();
    }
    int shownRow() const
    {
        const QModelIndexList rows = box.selectionModel()->selectedIndexes();
        return rows.size() == 1 ? rows.first().row() : -1;
    }

    ListModel model;
    ListBox box{&model};
    QList<int> runs; // the selection each run of the click reaction found
};

// The list box and a stock QListView set up the same way, side by side over the same rows,
// in the test window's font and the size of Slowo(0).
struct Twins
{
    explicit Twins(const QStringList &rows)
    {
        model.setItems(rows);
        stock.setModel(&model);
        stock.setSelectionMode(QAbstractItemView::SingleSelection);
        stock.setEditTriggers(QAbstractItemView::NoEditTriggers);
        stock.setUniformItemSizes(true);
        stock.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto *layout = new QHBoxLayout(&window);
        for (QListView *view : {static_cast<QListView *>(&box), &stock}) {
            view->setFixedSize(209, 137);
            QFont font(u"Times New Roman"_qs);
            font.setPixelSize(16);
            view->setFont(font);
            layout->addWidget(view);
        }
        layout->addWidget(&elsewhere);
        window.show();
    }

    // The stock view given the list box's current row and selection, and its scroll
    // position where `scroll`.
    void follow(bool scroll)
    {
        stock.setAutoScroll(false);
        stock.selectionModel()->setCurrentIndex(box.currentIndex(), QItemSelectionModel::NoUpdate);
        stock.selectionModel()->select(box.selectionModel()->selection(), QItemSelectionModel::ClearAndSelect);
        stock.setAutoScroll(true);
        if (scroll)
            stock.verticalScrollBar()->setValue(box.verticalScrollBar()->value());
        QCoreApplication::processEvents();
    }

    // The first way the two differ: scroll bars, rows' places, what is under the mouse, pixels.
    QString differs()
    {
        elsewhere.setFocus();
        QCoreApplication::processEvents();
        const QListView *views[2] = {&box, &stock};
        const auto bar = [](const QListView *v) {
            const QScrollBar *b = v->verticalScrollBar();
            return QStringLiteral("%1..%2 page %3 step %4 at %5%6, horizontal %7..%8 page %9")
                .arg(b->minimum()).arg(b->maximum()).arg(b->pageStep()).arg(b->singleStep()).arg(b->value())
                .arg(b->isVisibleTo(v) ? u" shown"_qs : u""_qs)
                .arg(v->horizontalScrollBar()->minimum()).arg(v->horizontalScrollBar()->maximum())
                .arg(v->horizontalScrollBar()->pageStep());
        };
        if (bar(views[0]) != bar(views[1]))
            return u"scroll bar "_qs + bar(views[0]) + u" against "_qs + bar(views[1]);
        if (box.currentIndex() != stock.currentIndex())
            return QStringLiteral("current row %1 against %2").arg(box.currentIndex().row()).arg(stock.currentIndex().row());
        // Which rows a click selects is the list box's own rule (selectionCommand), not
        // QListView's: the stock view takes its selection.
        follow(false);
        if (bar(views[0]) != bar(views[1]))
            return u"scroll bar "_qs + bar(views[0]) + u" against "_qs + bar(views[1]);
        for (int row = 0; row < model.count(); ++row) {
            const QModelIndex i = model.index(row);
            if (box.visualRect(i) != stock.visualRect(i))
                return QStringLiteral("row %1 at (%2, %3, %4 x %5), QListView (%6, %7, %8 x %9)")
                    .arg(row).arg(box.visualRect(i).x()).arg(box.visualRect(i).y()).arg(box.visualRect(i).width())
                    .arg(box.visualRect(i).height()).arg(stock.visualRect(i).x()).arg(stock.visualRect(i).y())
                    .arg(stock.visualRect(i).width()).arg(stock.visualRect(i).height());
            if (row == 60 && model.count() > 120)
                row = model.count() - 60;
        }
        for (int y = -3; y < box.viewport()->height() + 3; ++y)
            for (int x : {-1, 0, 5, box.viewport()->width() - 1, box.viewport()->width()})
                if (box.indexAt(QPoint(x, y)) != stock.indexAt(QPoint(x, y)))
                    return QStringLiteral("at (%1, %2) row %3, QListView row %4")
                        .arg(x).arg(y).arg(box.indexAt(QPoint(x, y)).row()).arg(stock.indexAt(QPoint(x, y)).row());
        if (box.grab().toImage() != stock.grab().toImage())
            return u"the pixels differ"_qs;
        return {};
    }

    ListModel model;
    QWidget window;
    ListBox box{&model};
    QListView stock;
    QPushButton elsewhere; // holds the keyboard focus while the two are compared
};

QStringList phrases(int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(u"Фраза %1"_qs.arg(i, 5, 10, QLatin1Char('0')));
    return rows;
}

QFont windowFont(int pixels = 16)
{
    QFont font(u"Times New Roman"_qs);
    font.setPixelSize(pixels);
    return font;
}

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    // Values, not std::minmax's references, which would outlive the temporaries they name.
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A shown window of a list box, with room below its rows, and a button after it.
struct Focusable
{
    explicit Focusable(int rows = 3)
    {
        model.setItems(phrases(rows));
        box.setFont(windowFont());
        box.setFixedSize(209, 137);
        auto *layout = new QHBoxLayout(&window);
        layout->addWidget(&box);
        layout->addWidget(&after);
        window.show();
    }
    ListModel model;
    QWidget window;
    ListBox box{&model};
    QPushButton after{u"После"_qs};
};

} // namespace

class TestListBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void currentRowMoves_data()
    {
        QTest::addColumn<bool>("selectsCurrentRow");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("runs");

        // Typing "1" goes on to the next entry that starts with it, "13", and selects it:
        // typing is the learner's choice as much as a click.
        QTest::addRow("phrase_list_typing_selects") << false << u"type"_qs << 5 << 5 << QList<int>{5};
        QTest::addRow("font_list_typing_selects") << true << u"type"_qs << 5 << 5 << QList<int>{5};
        QTest::addRow("phrase_list_typing_what_no_entry_starts_with") << false << u"type_x"_qs << 4 << 4 << QList<int>{};
        QTest::addRow("phrase_list_arrow_key_selects") << false << u"down"_qs << 5 << 5 << QList<int>{5};
        QTest::addRow("font_list_arrow_key_selects") << true << u"down"_qs << 5 << 5 << QList<int>{5};
        // The view makes the next row current; nothing is selected and no reaction runs.
        QTest::addRow("phrase_list_selected_row_removed") << false << u"remove"_qs << 4 << -1 << QList<int>{};
        // A key that highlights a row selects it, also where there is no other row to go
        // to: the last row after the selected one was removed below it ("14" selected, run
        // once), the only row highlighted, unselected, as the list took the focus.
        QTest::addRow("phrase_list_down_on_last_row_left") << false << u"remove_last_down"_qs << 5 << 5 << QList<int>{6, 5};
        QTest::addRow("phrase_list_down_on_only_row") << false << u"only_row_down"_qs << 0 << 0 << QList<int>{0};
        QTest::addRow("phrase_list_right_on_only_row_chooses_nothing") << false << u"only_row_right"_qs << 0 << -1 << QList<int>{};
        QTest::addRow("phrase_list_reset") << false << u"reset"_qs << -1 << -1 << QList<int>{};
        QTest::addRow("font_list_reset") << true << u"reset"_qs << -1 << -1 << QList<int>{};
    }
    void currentRowMoves()
    {
        QFETCH(bool, selectsCurrentRow);
        QFETCH(QString, action);
        QFETCH(int, current);
        QFETCH(int, selected);
        QFETCH(QList<int>, runs);

        Box b(selectsCurrentRow);
        QVERIFY(QTest::qWaitForWindowExposed(&b.box));
        QCOMPARE(b.shownRow(), 4);
        b.box.setFocus();
        if (action == u"type")
            QTest::keyClick(&b.box, '1');
        else if (action == u"type_x")
            QTest::keyClick(&b.box, 'x');
        else if (action == u"down")
            QTest::keyClick(&b.box, Qt::Key_Down);
        else if (action == u"remove")
            b.model.removeItem(4);
        else if (action == u"remove_last_down") {
            b.model.setSelectedIndex(6);
            b.model.removeItem(6);
            QTest::keyClick(&b.box, Qt::Key_Down);
        } else if (action.startsWith(u"only_row")) {
            b.model.setItems({u"8"_qs});
            b.box.clearFocus();
            b.box.setFocus();
            QTest::keyClick(&b.box, action.endsWith(u"down") ? Qt::Key_Down : Qt::Key_Right);
        }
        else
            b.model.setItems({u"8"_qs, u"9"_qs});

        QCOMPARE(b.box.currentIndex().row(), current);
        QCOMPARE(b.model.selectedIndex(), selected);
        QCOMPARE(b.shownRow(), selected);
        QCOMPARE(b.runs, runs);
    }

    // The frame of the keyboard focus shows where the learner reached the list or used it
    // by the keyboard, never for the mouse alone: `steps` in a window that gives the list
    // the focus as it opens.
    void focusFrameForTheKeyboard_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("shown");
        QTest::addRow("window_opened") << QString() << false;
        QTest::addRow("arrow_key") << u"down"_qs << true;
        QTest::addRow("back_by_shift_tab") << u"tab backtab"_qs << true;
        QTest::addRow("click_after_keys") << u"down click"_qs << false;
        QTest::addRow("other_window_and_back") << u"down other back"_qs << true;
        QTest::addRow("focus_set_by_the_program") << u"down focus_button focus_list"_qs << false;
        // A button disabled under the focus hands it on as Tab does, but no key was pressed.
        QTest::addRow("handed_on_by_a_disabled_button") << u"click_button disable_button"_qs << false;
    }
    void focusFrameForTheKeyboard()
    {
        QFETCH(QString, steps);
        QFETCH(bool, shown);
        Focusable f;
        QWidget other;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTRY_VERIFY(f.box.hasFocus());
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"down" || step == u"tab")
                QTest::keyClick(&f.box, step == u"tab" ? Qt::Key_Tab : Qt::Key_Down);
            else if (step == u"backtab")
                QTest::keyClick(&f.after, Qt::Key_Backtab);
            else if (step == u"click")
                QTest::mouseClick(f.box.viewport(), Qt::LeftButton, {}, QPoint(20, 5));
            else if (step == u"click_button")
                QTest::mouseClick(&f.after, Qt::LeftButton);
            else if (step == u"disable_button")
                f.after.setEnabled(false);
            else if (step.startsWith(u"focus"))
                (step == u"focus_list" ? static_cast<QWidget &>(f.box) : f.after).setFocus();
            else if (step == u"other" || step == u"back") {
                QWidget *w = step == u"other" ? &other : &f.window;
                w->show();
                QApplication::setActiveWindow(w);
                QVERIFY(QTest::qWaitForWindowActive(w));
            }
        }
        QCOMPARE(f.box.showsKeyboardFocus(), shown);
        // Black, white and black at the edge, the list's own colour without the frame.
        const QImage image = f.box.viewport()->grab().toImage();
        const QColor base = f.box.palette().color(QPalette::Base);
        const QList<QColor> edge = {image.pixelColor(100, image.height() - 1), image.pixelColor(100, image.height() - 2),
                                    image.pixelColor(100, image.height() - 3)};
        QCOMPARE(edge, (shown ? QList<QColor>{Qt::black, Qt::white, Qt::black} : QList<QColor>{base, base, base}));
    }

    // The frame stands out on any colour the list may be given, by WCAG's 3 to 1 for the
    // parts of a control, over empty rows and the selected one alike, and changes no pixel
    // but its own.
    void focusFrameStandsOutOnAnyColour_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addRow("white") << QColor(Qt::white);
        QTest::addRow("black") << QColor(Qt::black);
        QTest::addRow("middle_grey") << QColor(119, 119, 119);
        QTest::addRow("red") << QColor(Qt::red);
        QTest::addRow("blue") << QColor(Qt::blue);
        QTest::addRow("selection_colour") << QApplication::palette().color(QPalette::Highlight);
    }
    void focusFrameStandsOutOnAnyColour()
    {
        QFETCH(QColor, background);
        Focusable f(2);
        QPalette palette = f.box.palette();
        palette.setColor(QPalette::Base, background);
        f.box.setPalette(palette);
        f.model.setSelectedIndex(0);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTRY_VERIFY(f.box.hasFocus());
        const QImage before = f.box.viewport()->grab().toImage();
        QTest::keyClick(&f.box, Qt::Key_Shift);
        const QImage framed = f.box.viewport()->grab().toImage();
        const int d = ListBox::FocusFrameWidth;
        const QRect inside = framed.rect().adjusted(d, d, -d, -d);
        QCOMPARE(framed.copy(inside), before.copy(inside));
        // At every place along each side, one of the frame's lines against what was there.
        double worst = 21;
        const auto across = [&](QPoint p, QPoint step) {
            double best = 0;
            for (int i = 0; i < d; ++i, p += step)
                best = std::max(best, contrast(framed.pixelColor(p), before.pixelColor(p)));
            worst = std::min(worst, best);
        };
        for (int x = d; x < inside.right(); ++x) {
            across({x, 0}, {0, 1});
            across({x, framed.height() - 1}, {0, -1});
        }
        for (int y = d; y < inside.bottom(); ++y) {
            across({0, y}, {1, 0});
            across({framed.width() - 1, y}, {-1, 0});
        }
        QVERIFY2(worst >= 3.0, qPrintable(u"contrast %1 to 1"_qs.arg(worst)));
    }

    // A row is called cut exactly where it is drawn cut ("…"): a row drawn whole looks as in
    // a list 300 pixels wider. A cut row shows its whole text in its tool tip (hover) and
    // its accessible description; one drawn whole shows the list's tool tip and has none.
    void cutRowsShowTheirWholeText()
    {
        const QString text = u"Банка от записи, която пази всичко"_qs;
        const QString listTip = u"Посочете елемента в релацията"_qs;
        ListModel model;
        model.setItems({text});
        ListBox box(&model);
        ListModel wideModel;
        wideModel.setItems({text});
        ListBox wide(&wideModel);
        box.setToolTip(listTip);
        for (ListBox *b : {&box, &wide}) {
            b->setFont(windowFont());
            b->setFixedHeight(60);
            b->show();
            QVERIFY(QTest::qWaitForWindowExposed(b));
        }
        QAccessibleInterface *row = QAccessible::queryAccessibleInterface(&box)->child(0);
        const QPoint at(20, box.visualRect(model.index(0)).center().y());
        const int advance = QFontMetrics(windowFont()).horizontalAdvance(text);
        QList<bool> seen;
        for (int width = advance - 4; width < advance + 20; ++width) {
            box.setFixedWidth(width);
            wide.setFixedWidth(width + 300);
            QCoreApplication::processEvents();
            const QRect shown = box.visualRect(model.index(0)).intersected(box.viewport()->rect());
            const bool cut = box.viewport()->grab().toImage().copy(shown) != wide.viewport()->grab().toImage().copy(shown);
            QVERIFY2(box.isRowShownCut(0) == cut, qPrintable(u"%1 pixels: drawn cut %2"_qs.arg(width).arg(cut)));
            QCOMPARE(row->text(QAccessible::Name), text);
            QCOMPARE(row->text(QAccessible::Description), cut ? text : QString());
            if (!seen.contains(cut)) {
                QHelpEvent hover(QEvent::ToolTip, at, box.viewport()->mapToGlobal(at));
                QApplication::sendEvent(box.viewport(), &hover);
                QTRY_VERIFY(QToolTip::isVisible());
                QCOMPARE(QToolTip::text(), cut ? text : listTip);
                seen.append(cut);
            }
        }
        QCOMPARE(seen.size(), 2);
    }

    // The list box places its rows itself; where they are, what a key, a click, a scroll or
    // an edit of the rows does, and every pixel are as in QListView. `rows` is the list's
    // length ("long_last" and "empty_last" change its last row), the list starts with
    // `selected` selected and `top` scrolled to the top, then `action` happens, in the list
    // box with the keyboard focus.
    void sameAsQListView_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("action");
        const struct
        {
            const char *name;
            int rows;
            const char *last;
            int selected, top;
            const char *action;
        } cases[] = {
            {"few_rows_shown", 3, "", 1, 0, ""},
            {"rows_fill_the_box", 6, "", 5, 0, ""},
            {"one_row_too_many", 7, "", 6, 0, ""},
            {"many_rows_scrolled", 3000, "", 1500, 1497, ""},
            {"last_row_wider_than_box", 40, "long", 3, 0, ""},
            {"last_row_empty", 40, "empty", 3, 0, ""},
            {"no_rows", 0, "", -1, 0, ""},
            {"down", 40, "", 5, 0, "key_down"},
            {"down_past_view", 40, "", 5, 0, "key_down key_down key_down key_down key_down"},
            {"up_past_view", 40, "", 20, 20, "key_up key_up"},
            {"up_at_first", 40, "", 0, 0, "key_up"},
            {"down_at_last", 40, "", 39, 34, "key_down"},
            {"page_down", 40, "", 2, 0, "key_pagedown"},
            {"page_down_three_times", 40, "", 2, 0, "key_pagedown key_pagedown key_pagedown"},
            {"page_down_near_end", 40, "", 36, 34, "key_pagedown"},
            {"page_up", 40, "", 30, 28, "key_pageup"},
            {"page_up_near_start", 40, "", 3, 0, "key_pageup"},
            {"page_down_in_short_list", 3, "", 0, 0, "key_pagedown"},
            {"home", 3000, "", 2000, 1998, "key_home"},
            {"end", 3000, "", 5, 0, "key_end"},
            {"left_and_right", 40, "", 7, 3, "key_left key_right"},
            {"down_without_selection", 40, "", -1, 0, "key_down"},
            {"click_row", 40, "", 2, 10, "click_30"},
            {"click_partly_shown_row", 40, "", 2, 10, "click_130"},
            {"click_below_rows", 3, "", 0, 0, "click_120"},
            {"scroll_to_top", 3000, "", 10, 0, "scroll_top_2500"},
            {"scroll_to_bottom", 3000, "", 10, 0, "scroll_bottom_2500"},
            {"scroll_to_centre", 3000, "", 10, 0, "scroll_centre_2500"},
            {"ensure_visible_below", 3000, "", 10, 0, "scroll_ensure_2500"},
            {"ensure_visible_above", 3000, "", 10, 2000, "scroll_ensure_1500"},
            {"scroll_bar_step", 3000, "", 10, 100, "bar_plus_1"},
            {"scroll_bar_page", 3000, "", 10, 100, "bar_minus_page"},
            {"selected_row_removed", 40, "", 12, 10, "remove_12"},
            {"row_above_view_removed", 3000, "", 1500, 1497, "remove_3"},
            {"last_rows_removed_while_at_end", 40, "", 39, 34, "remove_39 remove_38 remove_37"},
            {"rows_shrink_below_the_box", 7, "", 6, 1, "remove_0 remove_0"},
            {"rows_grow_past_the_box", 6, "", 0, 0, "insert_3 insert_3"},
            {"last_row_made_wider", 40, "", 3, 0, "set_last_long"},
            {"all_rows_replaced", 3000, "", 1500, 1497, "replace_5"},
            {"larger_font", 40, "", 20, 18, "font_22"},
        };
        for (const auto &c : cases)
            QTest::newRow(c.name) << c.rows << QString::fromLatin1(c.last) << c.selected << c.top
                                  << QString::fromLatin1(c.action);
        // A page up or down lands on the row QListView finds a pixel at a time: from every
        // row near either end, in three sizes of font.
        for (int size : {13, 16, 20})
            for (int row = 0; row < 12; ++row) {
                QTest::addRow("page_down_from_%d_at_%dpx", row, size)
                    << 40 << QString() << row << 0 << u"font_%1 key_pagedown"_qs.arg(size);
                QTest::addRow("page_up_from_%d_at_%dpx", 39 - row, size)
                    << 40 << QString() << 39 - row << 28 << u"font_%1 key_pageup"_qs.arg(size);
                QTest::addRow("page_up_near_start_from_%d_at_%dpx", row, size)
                    << 40 << QString() << row << 0 << u"font_%1 key_pageup"_qs.arg(size);
            }
    }
    void sameAsQListView()
    {
        QFETCH(int, rows);
        QFETCH(QString, last);
        QFETCH(int, selected);
        QFETCH(int, top);
        QFETCH(QString, action);
        QStringList items = phrases(rows);
        const QString wide = u"Една много дълга фраза, по-широка от кутията, в която е"_qs;
        if (last == u"long")
            items.last() = wide;
        else if (last == u"empty")
            items.last() = QString();
        Twins t(items);
        QVERIFY(QTest::qWaitForWindowExposed(&t.window));
        QApplication::setActiveWindow(&t.window);
        if (selected >= 0)
            t.model.setSelectedIndex(selected);
        if (rows > 0)
            t.box.scrollTo(t.model.index(top), QAbstractItemView::PositionAtTop);
        t.follow(true);
        QCOMPARE(t.differs(), QString());

        for (const QString &step : action.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList a = step.split(u'_');
            const int n = a.last().toInt();
            if (a[0] == u"key" || a[0] == u"click" || a[0] == u"scroll" || a[0] == u"bar") {
                // The same input to each, starting from the same state.
                for (QListView *view : {static_cast<QListView *>(&t.box), &t.stock}) {
                    view->setFocus();
                    QVERIFY(QTest::qWaitForWindowActive(&t.window));
                    if (a[0] == u"key") {
                        const std::map<QString, Qt::Key> keys = {
                            {u"down"_qs, Qt::Key_Down}, {u"up"_qs, Qt::Key_Up},     {u"pagedown"_qs, Qt::Key_PageDown},
                            {u"pageup"_qs, Qt::Key_PageUp}, {u"home"_qs, Qt::Key_Home}, {u"end"_qs, Qt::Key_End},
                            {u"left"_qs, Qt::Key_Left}, {u"right"_qs, Qt::Key_Right}};
                        QTest::keyClick(view, keys.at(a[1]));
                    } else if (a[0] == u"click") {
                        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, n));
                    } else if (a[0] == u"scroll") {
                        const std::map<QString, QAbstractItemView::ScrollHint> hints = {
                            {u"top"_qs, QAbstractItemView::PositionAtTop},
                            {u"bottom"_qs, QAbstractItemView::PositionAtBottom},
                            {u"centre"_qs, QAbstractItemView::PositionAtCenter},
                            {u"ensure"_qs, QAbstractItemView::EnsureVisible}};
                        view->scrollTo(t.model.index(n), hints.at(a[1]));
                    } else {
                        QScrollBar *bar = view->verticalScrollBar();
                        bar->triggerAction(a[1] == u"plus" ? QAbstractSlider::SliderSingleStepAdd
                                                           : QAbstractSlider::SliderPageStepSub);
                    }
                    QCoreApplication::processEvents();
                }
            } else if (a[0] == u"remove") {
                t.model.removeItem(n);
            } else if (a[0] == u"insert") {
                t.model.insertItem(n, u"Вмъкната"_qs);
            } else if (a[0] == u"set") {
                t.model.setItem(t.model.count() - 1, wide);
            } else if (a[0] == u"replace") {
                t.model.setItems(phrases(n));
            } else if (a[0] == u"font") {
                for (QListView *view : {static_cast<QListView *>(&t.box), &t.stock}) {
                    QFont font = view->font();
                    font.setPixelSize(n);
                    view->setFont(font);
                }
            }
            QCOMPARE(t.differs(), QString());
        }
        // The same with the keyboard focus, where the current row has its frame.
        t.box.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&t.window));
        const QImage focused = t.box.grab().toImage();
        t.stock.setFocus();
        QCOMPARE(focused, t.stock.grab().toImage());
    }
};

QTEST_MAIN(TestListBox)
#include "tst_listbox.moc"
