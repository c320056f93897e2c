#include "ListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList list(std::initializer_list<const char16_t *> texts)
{
    QStringList out;
    for (const char16_t *t : texts)
        out.append(QString::fromUtf16(t));
    return out;
}

// A list model that records the selection it finds each time its reaction runs.
struct Watched
{
    explicit Watched(QStringList items, int selected = -1, bool sorted = false)
    {
        model.setSorted(sorted);
        model.setItems(std::move(items));
        model.setSelectedIndex(selected);
        model.setClickReaction([this] { seen.append(model.selectedIndex()); });
    }
    ListModel model;
    QList<int> seen;
};

} // namespace

class TestListModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addItemPlacesText_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");

        QTest::addRow("unsorted_keeps_arrival_order")
            << false << list({u"Ямбол", u"", u"Видин"}) << list({u"Ямбол", u"", u"Видин"});
        QTest::addRow("cyrillic_alphabet")
            << true << list({u"Шумен", u"Ямбол", u"Ъглен", u"Бургас", u"Щит", u"Варна"})
            << list({u"Бургас", u"Варна", u"Шумен", u"Щит", u"Ъглен", u"Ямбол"});
        QTest::addRow("lower_case_initial_sorts_by_letter")
            << true << list({u"Бдин", u"банка", u"Вар", u"аз"}) << list({u"аз", u"банка", u"Бдин", u"Вар"});
        QTest::addRow("case_ignored_inside_word")
            << true << list({u"сТАРА", u"Сливен", u"стан"}) << list({u"Сливен", u"стан", u"сТАРА"});
        QTest::addRow("latin_mixed_case")
            << true << list({u"delta", u"Alpha", u"charlie", u"Bravo"})
            << list({u"Alpha", u"Bravo", u"charlie", u"delta"});
        QTest::addRow("empty_text_first")
            << true << list({u"Бор", u"", u"агне"}) << list({u"", u"агне", u"Бор"});
        QTest::addRow("empty_text_added_last_still_first")
            << true << list({u"агне", u"Бор", u""}) << list({u"", u"агне", u"Бор"});
        QTest::addRow("two_empty_texts")
            << true << list({u"", u"Бор", u""}) << list({u"", u"", u"Бор"});
        QTest::addRow("shorter_word_first")
            << true << list({u"Стара Загора", u"Стара"}) << list({u"Стара", u"Стара Загора"});
        QTest::addRow("old_town_names")
            << true
            << list({u"Станимака", u"Белградин", u"Горна Джумая", u"Орхание", u"Одесос", u"Царев град.", u"Бдин",
                     u"Кастра Мартис", u"Алмус", u"Монтанезиум", u"Месамбрия", u"Сторгозия", u"Филипополис",
                     u"Анхиало", u"Русчук", u"Езерово", u"Аполония", u"Сердика", u"Берое", u"Ески Джумая",
                     u"Дианополис"})
            << list({u"Алмус", u"Анхиало", u"Аполония", u"Бдин", u"Белградин", u"Берое", u"Горна Джумая",
                     u"Дианополис", u"Езерово", u"Ески Джумая", u"Кастра Мартис", u"Месамбрия", u"Монтанезиум",
                     u"Одесос", u"Орхание", u"Русчук", u"Сердика", u"Станимака", u"Сторгозия", u"Филипополис",
                     u"Царев град."});
    }
    void addItemPlacesText()
    {
        QFETCH(bool, sorted);
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);

        ListModel model;
        model.setSorted(sorted);
        for (const QString &text : added) {
            const int row = model.addItem(text);
            QCOMPARE(model.item(row), text);
        }
        QCOMPARE(model.items(), expected);
        QCOMPARE(model.count(), expected.size());
    }

    // Filling in bulk gives the rows that adding one by one gives.
    void setItemsSortsLikeAdding_data() { addItemPlacesText_data(); }
    void setItemsSortsLikeAdding()
    {
        QFETCH(bool, sorted);
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);

        ListModel model;
        model.setSorted(sorted);
        model.setItems(added);
        QCOMPARE(model.items(), expected);
        QCOMPARE(model.selectedIndex(), -1);
    }

    void readOutsideGivesEmptyText_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("row");
        QTest::addRow("at_end") << list({u"Лом", u"Видин"}) << 2;
        QTest::addRow("far_beyond_end") << list({u"Лом", u"Видин"}) << 32767;
        QTest::addRow("below_zero") << list({u"Лом"}) << -1;
        QTest::addRow("empty_list") << QStringList() << 0;
    }
    void readOutsideGivesEmptyText()
    {
        QFETCH(QStringList, items);
        QFETCH(int, row);
        ListModel model;
        model.setItems(items);
        QCOMPARE(model.item(row), QString());
        QCOMPARE(model.items(), items);
    }

    void selectingRunsReactionOnChange_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<QList<int>>("runs"); // selection seen by each run of the reaction
        QTest::addColumn<int>("selected");

        QTest::addRow("none_to_row") << -1 << 1 << QList<int>{1} << 1;
        QTest::addRow("row_to_other_row") << 0 << 2 << QList<int>{2} << 2;
        QTest::addRow("row_to_none") << 1 << -1 << QList<int>{-1} << -1;
        QTest::addRow("same_row_runs_nothing") << 1 << 1 << QList<int>{} << 1;
        QTest::addRow("none_again_runs_nothing") << -1 << -1 << QList<int>{} << -1;
        QTest::addRow("past_end_ignored") << 1 << 3 << QList<int>{} << 1;
        QTest::addRow("below_none_ignored") << 1 << -2 << QList<int>{} << 1;
    }
    void selectingRunsReactionOnChange()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(QList<int>, runs);
        QFETCH(int, selected);

        Watched w(list({u"Лом", u"Видин", u"Кула"}), before);
        QSignalSpy changed(&w.model, &ListModel::selectedIndexChanged);
        w.model.setSelectedIndex(after);
        QCOMPARE(w.seen, runs);
        QCOMPARE(w.model.selectedIndex(), selected);
        QCOMPARE(changed.count(), runs.size());
    }

    // Two lists that mirror each other's selection, as a phrase list and its code list do:
    // each reaction runs once, nested inside the setter that started it.
    void mirroredSelectionRunsEachReactionOnce()
    {
        ListModel phrases;
        ListModel codes;
        phrases.setItems(list({u"Лом", u"Видин", u"Кула"}));
        codes.setItems(list({u"9", u"7", u"8"}));
        QStringList log;
        phrases.setClickReaction([&] {
            log.append(QStringLiteral("phrases in"));
            codes.setSelectedIndex(phrases.selectedIndex());
            log.append(QStringLiteral("phrases out"));
        });
        codes.setClickReaction([&] {
            log.append(QStringLiteral("codes"));
            phrases.setSelectedIndex(codes.selectedIndex());
        });

        phrases.setSelectedIndex(2);
        QCOMPARE(log, QStringList({QStringLiteral("phrases in"), QStringLiteral("codes"), QStringLiteral("phrases out")}));
        QCOMPARE(phrases.selectedIndex(), 2);
        QCOMPARE(codes.selectedIndex(), 2);

        log.clear();
        codes.setSelectedIndex(0);
        QCOMPARE(log, QStringList({QStringLiteral("codes"), QStringLiteral("phrases in"), QStringLiteral("phrases out")}));
        QCOMPARE(phrases.selectedIndex(), 0);

        log.clear();
        phrases.setSelectedIndex(0);
        QVERIFY(log.isEmpty());
    }

    void editsKeepSameItemSelected_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("edit"); // add, remove, clear, set
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expectedItems");
        QTest::addColumn<int>("expectedSelected");

        const QStringList abc = list({u"Бор", u"Габър", u"Дъб"});
        QTest::addRow("remove_selected_row") << false << abc << 1 << QStringLiteral("remove") << QString() << 1
                                             << list({u"Бор", u"Дъб"}) << -1;
        QTest::addRow("remove_row_above") << false << abc << 2 << QStringLiteral("remove") << QString() << 0
                                          << list({u"Габър", u"Дъб"}) << 1;
        QTest::addRow("remove_row_below") << false << abc << 0 << QStringLiteral("remove") << QString() << 2
                                          << list({u"Бор", u"Габър"}) << 0;
        QTest::addRow("remove_past_end_changes_nothing") << false << abc << 1 << QStringLiteral("remove") << QString() << 3
                                                         << abc << 1;
        QTest::addRow("remove_without_selection") << false << abc << -1 << QStringLiteral("remove") << QString() << 0
                                                  << list({u"Габър", u"Дъб"}) << -1;
        QTest::addRow("insert_above_selected") << true << abc << 1 << QStringLiteral("add") << QStringLiteral("Ареш") << -1
                                               << list({u"Ареш", u"Бор", u"Габър", u"Дъб"}) << 2;
        QTest::addRow("insert_at_selected_row") << true << abc << 1 << QStringLiteral("add") << QStringLiteral("Върба") << -1
                                                << list({u"Бор", u"Върба", u"Габър", u"Дъб"}) << 2;
        QTest::addRow("insert_below_selected") << true << abc << 1 << QStringLiteral("add") << QStringLiteral("Явор") << -1
                                               << list({u"Бор", u"Габър", u"Дъб", u"Явор"}) << 1;
        QTest::addRow("insert_empty_text_above_first") << true << abc << 0 << QStringLiteral("add") << QString() << -1
                                                       << list({u"", u"Бор", u"Габър", u"Дъб"}) << 1;
        QTest::addRow("insert_without_selection") << true << abc << -1 << QStringLiteral("add") << QStringLiteral("Ареш") << -1
                                                  << list({u"Ареш", u"Бор", u"Габър", u"Дъб"}) << -1;
        QTest::addRow("append_below_selected") << false << abc << 2 << QStringLiteral("add") << QStringLiteral("Ареш") << -1
                                               << list({u"Бор", u"Габър", u"Дъб", u"Ареш"}) << 2;
        QTest::addRow("clear") << false << abc << 1 << QStringLiteral("clear") << QString() << -1 << QStringList() << -1;
        QTest::addRow("clear_without_selection") << true << abc << -1 << QStringLiteral("clear") << QString() << -1
                                                 << QStringList() << -1;
        QTest::addRow("replace_text_keeps_selection") << false << abc << 1 << QStringLiteral("set") << QStringLiteral("Липа") << 1
                                                      << list({u"Бор", u"Липа", u"Дъб"}) << 1;
    }
    void editsKeepSameItemSelected()
    {
        QFETCH(bool, sorted);
        QFETCH(QStringList, items);
        QFETCH(int, selected);
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(QStringList, expectedItems);
        QFETCH(int, expectedSelected);

        Watched w(items, selected, sorted);
        QAbstractItemModelTester tester(&w.model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&w.model, &ListModel::selectedIndexChanged);
        if (edit == u"add")
            w.model.addItem(text);
        else if (edit == u"remove")
            w.model.removeItem(row);
        else if (edit == u"clear")
            w.model.clear();
        else
            w.model.setItem(row, text);

        QCOMPARE(w.model.items(), expectedItems);
        QCOMPARE(w.model.selectedIndex(), expectedSelected);
        QVERIFY2(w.seen.isEmpty(), "an edit ran the click reaction");
        if (expectedSelected != selected) {
            QCOMPARE(changed.count(), 1);
            QCOMPARE(changed.first().at(0).toInt(), expectedSelected);
        } else {
            QCOMPARE(changed.count(), 0);
        }
    }

    void insertsAndRemovalsAreSignalled()
    {
        ListModel model;
        model.setSorted(true);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy edited(&model, &QAbstractItemModel::dataChanged);

        model.addItem(QStringLiteral("Лом"));
        model.addItem(QStringLiteral("Видин"));
        model.addItem(QStringLiteral("Кула"));
        QCOMPARE(inserted.count(), 3);
        // Each insert reports the one row where the text landed.
        const QList<std::pair<int, int>> rows = {{0, 0}, {0, 0}, {1, 1}};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!inserted.at(i).at(0).toModelIndex().isValid());
            QCOMPARE(inserted.at(i).at(1).toInt(), rows[i].first);
            QCOMPARE(inserted.at(i).at(2).toInt(), rows[i].second);
        }
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(1)).toString(), QStringLiteral("Кула"));

        model.removeItem(2);
        model.removeItem(7);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 2);
        QCOMPARE(removed.first().at(2).toInt(), 2);
        QCOMPARE(model.rowCount(), 2);

        model.setItem(0, QStringLiteral("Бдин"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().at(0).toModelIndex().row(), 0);
        QCOMPARE(model.data(model.index(0)).toString(), QStringLiteral("Бдин"));

        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.clear();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestListModel)
#include "tst_listmodel.moc"
