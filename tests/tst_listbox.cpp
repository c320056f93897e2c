// The list box over a bare list model: which moves of its current row select, and what the
// model's edits show.
#include "ListBox.h"
#include "ListModel.h"

#include <QTest>

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

        // Typing "1" goes on to the next entry that starts with it: "13".
        QTest::addRow("phrase_list_typing_moves_only") << false << u"type"_qs << 5 << 4 << QList<int>{};
        QTest::addRow("font_list_typing_selects") << true << u"type"_qs << 5 << 5 << QList<int>{5};
        QTest::addRow("phrase_list_arrow_key_selects") << false << u"down"_qs << 5 << 5 << QList<int>{5};
        QTest::addRow("font_list_arrow_key_selects") << true << u"down"_qs << 5 << 5 << QList<int>{5};
        // The view makes the next row current; nothing is selected and no reaction runs.
        QTest::addRow("phrase_list_selected_row_removed") << false << u"remove"_qs << 4 << -1 << QList<int>{};
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
        else if (action == u"down")
            QTest::keyClick(&b.box, Qt::Key_Down);
        else if (action == u"remove")
            b.model.removeItem(4);
        else
            b.model.setItems({u"8"_qs, u"9"_qs});

        QCOMPARE(b.box.currentIndex().row(), current);
        QCOMPARE(b.model.selectedIndex(), selected);
        QCOMPARE(b.shownRow(), selected);
        QCOMPARE(b.runs, runs);
    }
};

QTEST_MAIN(TestListBox)
#include "tst_listbox.moc"
