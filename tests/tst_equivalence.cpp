// The test window finds codes, sorts phrase lists and grades with hashes and sort keys.
// These tests run the same steps with the plain searches written out below (every row
// looked up from the top of the content, every phrase inserted one at a time, every pair
// compared with every key row) and require the very same lists, selections and counts.
#include "PhraseOrder.h"
#include "TestContent.h"

#include <QTest>

#include <algorithm>
#include <random>

using TestContent::Content;

namespace {

// One list box, kept the plain way.
struct PlainList
{
    QStringList items;
    int selected = -1;

    QString item(int row) const { return row >= 0 && row < items.size() ? items.at(row) : QString(); }
    void insert(int row, const QString &text)
    {
        items.insert(row, text);
        if (selected >= row)
            ++selected;
    }
    void append(const QString &text) { insert(int(items.size()), text); }
    void remove(int row)
    {
        if (row < 0 || row >= items.size())
            return;
        items.removeAt(row);
        if (selected == row)
            selected = -1;
        else if (selected > row)
            --selected;
    }
};

// Alphabetical place of `text`: after every row that does not sort after it, the empty
// text before all others, found by walking the list from the top.
void addSorted(PlainList &list, const QString &text, const PhraseOrder &order)
{
    int row = 0;
    while (row < list.items.size()) {
        const QString &at = list.items.at(row);
        const bool textFirst = text.isEmpty() || at.isEmpty() ? text.isEmpty() && !at.isEmpty()
                                                               : order.compare(text, at) < 0;
        if (textFirst)
            break;
        ++row;
    }
    list.insert(row, text);
}

// The test window's working lists, changed step by step with linear searches only.
struct PlainKaz
{
    explicit PlainKaz(const ContentStore &content)
        : danni{content.Danni(0), content.Danni(1)}
    {
        for (int side = 0; side < 2; ++side) {
            for (int copy = 0; copy < 2; ++copy)
                for (int i = 1; i <= danni[side].size(); ++i)
                    dum[4 + side].append(QString::number(i));
            for (const QString &phrase : danni[side])
                addSorted(slowo[side], phrase, order);
        }
        nomerirai();
        for (int side = 0; side < 2; ++side)
            if (!slowo[side].items.isEmpty())
                slowo[side].selected = dum[side].selected = 0;
    }

    void nomerirai()
    {
        for (int side = 0; side < 2; ++side) {
            dum[side] = PlainList();
            for (const QString &row : slowo[side].items) {
                int k = 0;
                while (ContentStore::item(danni[side], k) != row)
                    ++k;
                dum[side].append(dum[4 + side].item(k));
            }
        }
    }

    // The learner or the program selects a row of a phrase list; only a change runs the
    // list's reaction, which moves the code list's selection along.
    void select(int side, int row)
    {
        if (slowo[side].selected == row)
            return;
        slowo[side].selected = dum[side].selected = row;
    }

    void dobawi()
    {
        const int l = slowo[0].selected, r = slowo[1].selected;
        if (l < 0 || r < 0)
            return;
        slowo[2].append(slowo[0].item(l) + u' ' + slowo[1].item(r));
        dum[2].append(dum[0].item(l));
        dum[3].append(dum[1].item(r));
        slowo[0].remove(l);
        slowo[1].remove(r);
        dum[0].remove(l);
        dum[1].remove(r);
    }

    void wyrni()
    {
        const int s = slowo[2].selected;
        if (s < 0)
            return;
        for (int side = 0; side < 2; ++side)
            for (int j = 0; j < dum[4 + side].items.size(); ++j)
                if (dum[4 + side].item(j) == dum[2 + side].item(s))
                    addSorted(slowo[side], ContentStore::item(danni[side], j), order);
        dum[2].remove(s);
        dum[3].remove(s);
        slowo[2].remove(slowo[2].selected);
        if (slowo[2].items.size() > s)
            slowo[2].selected = s;
        nomerirai();
        for (PlainList *list : {&slowo[0], &slowo[1], &dum[0], &dum[1]})
            list->remove(0);
        if (slowo[2].selected < 0 && !slowo[2].items.isEmpty())
            slowo[2].selected = int(slowo[2].items.size()) - 1;
    }

    int brojWerni() const
    {
        const int N = int(std::min(danni[0].size(), danni[1].size()));
        int count = 0;
        for (int i = 0; i < slowo[2].items.size(); ++i)
            for (int j = 0; j <= N - 1; ++j)
                if (dum[2].item(i) == dum[4].item(j) && dum[3].item(i) == dum[5].item(j))
                    ++count;
        return count;
    }

    PhraseOrder order; // the test window's lists' order, the same on every machine
    QStringList danni[2];
    PlainList slowo[3];
    PlainList dum[6];
};

// The first difference between the test window and the plain lists, or an empty text.
QString difference(const Kaz &kaz, const PlainKaz &plain)
{
    for (int i = 0; i < 3; ++i) {
        if (kaz.Slowo(i).items() != plain.slowo[i].items)
            return QStringLiteral("rows of Slowo(%1)").arg(i);
        if (kaz.Slowo(i).selectedIndex() != plain.slowo[i].selected)
            return QStringLiteral("selection of Slowo(%1): %2, plainly %3")
                .arg(i).arg(kaz.Slowo(i).selectedIndex()).arg(plain.slowo[i].selected);
    }
    for (int i = 0; i < 6; ++i)
        if (kaz.dum_N(i).items() != plain.dum[i].items)
            return QStringLiteral("rows of dum_N(%1)").arg(i);
    for (int i = 0; i < 2; ++i)
        if (kaz.dum_N(i).selectedIndex() != plain.dum[i].selected)
            return QStringLiteral("selection of dum_N(%1): %2, plainly %3")
                .arg(i).arg(kaz.dum_N(i).selectedIndex()).arg(plain.dum[i].selected);
    return {};
}

QStringList words(std::initializer_list<const char16_t *> texts)
{
    QStringList out;
    for (const char16_t *t : texts)
        out.append(QString::fromUtf16(t));
    return out;
}

// `n` phrases drawn from a small alphabet, so that prefixes, case variants and (when
// `duplicates`) equal texts turn up.
QStringList drawn(int n, bool duplicates, std::mt19937 &random)
{
    static const QString letters = QStringLiteral("абвБВ я");
    std::uniform_int_distribution<int> letter(0, int(letters.size()) - 1);
    std::uniform_int_distribution<int> length(1, 4);
    QStringList out;
    while (out.size() < n) {
        QString phrase = QStringLiteral("Г");
        for (int k = length(random); k > 0; --k)
            phrase += letters.at(letter(random));
        if (duplicates || !out.contains(phrase))
            out.append(phrase);
    }
    return out;
}

// Selects row l on the left and row r on the right of both and pairs them.
void pairOnBoth(Kaz &kaz, PlainKaz &plain, int l, int r)
{
    kaz.Slowo(0).setSelectedIndex(l);
    kaz.Slowo(1).setSelectedIndex(r);
    plain.select(0, l);
    plain.select(1, r);
    kaz.Dobawi_dwojka();
    plain.dobawi();
}

// Random selections, pairs and take-backs on both; the first difference, or an empty text.
QString playRandomly(Kaz &kaz, PlainKaz &plain, unsigned seed)
{
    std::mt19937 random(seed);
    for (int step = 0; step < 300; ++step) {
        const int what = std::uniform_int_distribution<int>(0, 9)(random);
        if (what < 4) {
            const int side = what % 2;
            const int rows = kaz.Slowo(side).count();
            if (rows == 0)
                continue;
            const int row = std::uniform_int_distribution<int>(0, rows - 1)(random);
            kaz.Slowo(side).setSelectedIndex(row);
            plain.select(side, row);
        } else if (what < 7) {
            kaz.Dobawi_dwojka();
            plain.dobawi();
        } else {
            const int rows = kaz.Slowo(2).count();
            if (rows > 0 && what == 9) {
                const int row = std::uniform_int_distribution<int>(0, rows - 1)(random);
                kaz.Slowo(2).setSelectedIndex(row);
                plain.slowo[2].selected = row;
            }
            kaz.Wyrni_dwojka();
            plain.wyrni();
        }
        const QString diff = difference(kaz, plain);
        if (!diff.isEmpty())
            return QStringLiteral("step %1: %2").arg(step).arg(diff);
    }
    return {};
}

} // namespace

class TestEquivalence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    // Each content twice: on a machine set to the "C" locale and on a Bulgarian one.
    void sameAsPlainSteps_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<QLocale>("locale");

        const auto add = [](const char *name, const QStringList &left, const QStringList &right) {
            QTest::addRow("%s_c", name) << left << right << QLocale::c();
            QTest::addRow("%s_bg", name) << left << right << QLocale(QLocale::Bulgarian, QLocale::Bulgaria);
        };
        std::mt19937 random(7);
        add("shipped", TestContent::shipped()->Danni(0), TestContent::shipped()->Danni(1));
        add("equal_sides_distinct", drawn(40, false, random), drawn(40, false, random));
        add("more_left", drawn(31, false, random), drawn(9, false, random));
        add("more_right", drawn(6, false, random), drawn(25, false, random));
        add("duplicates_both_sides", drawn(40, true, random), drawn(35, true, random));
        add("case_variants_and_repeats", words({u"бор", u"Бор", u"БОР", u"бор", u"Ан", u"ан", u"Бор"}),
            words({u"Ела", u"ела", u"Ела", u"Дъб", u"дъб"}));
        add("one_phrase_each", words({u"Бор"}), words({u"Ела"}));
        add("empty_phrase_inside", words({u"Бор", u"", u"Ан"}), words({u"Ела", u"Дъб", u""}));
    }

    // Random selections, pairs and take-backs, then grading, on both; after every step
    // the lists, selections and codes must agree.
    void sameAsPlainSteps()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Content c;
        c.left = left;
        c.right = right;
        const auto w = TestContent::started(c.build());
        Kaz &kaz = w->kaz;
        PlainKaz plain(*w->content);
        QCOMPARE(difference(kaz, plain), QString());

        QCOMPARE(playRandomly(kaz, plain, 11), QString());
        // Pair everything still pairable, then grade.
        while (kaz.Slowo(0).count() > 0 && kaz.Slowo(1).count() > 0) {
            kaz.Slowo(0).setSelectedIndex(0);
            kaz.Slowo(1).setSelectedIndex(kaz.Slowo(1).count() - 1);
            plain.select(0, 0);
            plain.select(1, int(plain.slowo[1].items.size()) - 1);
            kaz.Dobawi_dwojka();
            plain.dobawi();
        }
        QCOMPARE(difference(kaz, plain), QString());
        if (kaz.Slowo(2).count() > 0) {
            kaz.Formirai_ocenka();
            QCOMPARE(kaz.Broj_werni(), plain.brojWerni());
        }
    }

    // Key lists changed after start-up (which the window itself never does), with texts
    // that look alike but differ: "1", "01", "+1", " 1". Taking back and grading must still
    // find exactly the equal texts.
    void editedKeyLists_data()
    {
        QTest::addColumn<QStringList>("leftKey");
        QTest::addColumn<QStringList>("rightKey");

        QTest::addRow("look_alike_numbers")
            << words({u"1", u"01", u"2", u"+1", u" 1", u"3", u"1", u"2", u"03", u"4"})
            << words({u"1", u"2", u"02", u"3", u"1", u"4", u"5", u"1", u"2", u"3"});
        QTest::addRow("repeats_and_other_texts")
            << words({u"1", u"1", u"2", u"x", u"3", u"3", u"", u"4", u"99999999999", u"5"})
            << words({u"2", u"1", u"1", u"3", u"3", u"y", u"4", u"5", u"5", u"-1"});
        QTest::addRow("digits_and_their_neighbours")
            << words({u"9", u"1/", u"2", u"1/", u"9", u"3", u"10", u"4", u"5", u"1"})
            << words({u"1", u"9", u"1/", u"3", u"2", u"1/", u"4", u"5", u"9", u"10"});
        QTest::addRow("shorter_keys") << words({u"2", u"1"}) << words({u"1", u"2", u"1"});
    }
    void editedKeyLists()
    {
        QFETCH(QStringList, leftKey);
        QFETCH(QStringList, rightKey);
        Content c;
        c.left = words({u"Ан", u"Бор", u"Вяра", u"Гора", u"Дъб"});
        c.right = words({u"Ела", u"Жито", u"Зора", u"Ива", u"Йод"});
        const auto w = TestContent::started(c.build());
        Kaz &kaz = w->kaz;
        PlainKaz plain(*w->content);
        kaz.dum_N(4).setItems(leftKey);
        kaz.dum_N(5).setItems(rightKey);
        plain.dum[4].items = leftKey;
        plain.dum[5].items = rightKey;
        QCOMPARE(playRandomly(kaz, plain, 17), QString());
        while (kaz.Slowo(0).count() > 0 && kaz.Slowo(1).count() > 0)
            pairOnBoth(kaz, plain, 0, 0);
        QCOMPARE(difference(kaz, plain), QString());
        kaz.Formirai_ocenka();
        QCOMPARE(kaz.Broj_werni(), plain.brojWerni());
    }

    // Grading compares the pairs' codes by the numbers kept beside dum_N(2) and dum_N(3);
    // edited by hand in any way, the lists still grade as their texts do. Each edit is
    // "list:operation:row:text" on dum_N(list): set, insert, remove, or replace all with
    // the texts separated by "/".
    void editedPairCodes_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addRow("codes_set_to_look_alikes")
            << QStringList{u"2:set:0:01"_qs, u"3:set:1:2 "_qs, u"2:set:2:3"_qs, u"3:set:2:3"_qs, u"3:set:3:x"_qs};
        QTest::addRow("codes_inserted_and_removed")
            << QStringList{u"2:insert:0:4"_qs, u"3:insert:0:4"_qs, u"2:remove:5:"_qs, u"3:remove:2:"_qs};
        QTest::addRow("left_codes_moved_round") << QStringList{u"2:remove:0:"_qs, u"2:insert:5:1"_qs};
        QTest::addRow("left_code_inserted_first") << QStringList{u"2:insert:0:6"_qs};
        QTest::addRow("lists_replaced_shorter")
            << QStringList{u"2:replace:0:1/2/3"_qs, u"3:replace:0:1/2/x"_qs};
        QTest::addRow("numbers_past_the_key")
            << QStringList{u"2:set:0:99999"_qs, u"3:set:0:99999"_qs, u"2:set:1:1234567890"_qs,
                           u"3:set:1:1234567890"_qs, u"2:set:2:12345678901"_qs, u"3:set:2:12345678901"_qs};
    }
    void editedPairCodes()
    {
        QFETCH(QStringList, edits);
        Content c;
        c.left = words({u"Ан", u"Бор", u"Вяра", u"Гора", u"Дъб", u"Ела"});
        c.right = words({u"Жито", u"Зора", u"Ива", u"Йод", u"Кос", u"Лен"});
        const auto w = TestContent::started(c.build());
        Kaz &kaz = w->kaz;
        PlainKaz plain(*w->content);
        // Each left phrase with its own partner: every pair right until edited.
        for (int k = 0; k < 6; ++k) {
            pairOnBoth(kaz, plain, int(kaz.Slowo(0).items().indexOf(c.left.at(k))),
                       int(kaz.Slowo(1).items().indexOf(c.right.at(k))));
        }
        for (const QString &edit : edits) {
            const QStringList e = edit.split(u':');
            const int list = e[0].toInt();
            const int row = e[2].toInt();
            ListModel &codes = kaz.dum_N(list);
            QStringList &mirror = plain.dum[list].items;
            if (e[1] == u"set") {
                codes.setItem(row, e[3]);
                mirror[row] = e[3];
            } else if (e[1] == u"insert") {
                codes.insertItem(row, e[3]);
                mirror.insert(row, e[3]);
            } else if (e[1] == u"remove") {
                codes.removeItem(row);
                mirror.removeAt(row);
            } else {
                codes.setItems(e[3].split(u'/'));
                mirror = e[3].split(u'/');
            }
        }
        kaz.Formirai_ocenka();
        QCOMPARE(kaz.Broj_werni(), plain.brojWerni());
    }

    // A sorted list filled in one go holds the rows that adding the texts one at a time
    // gives: equal texts (also equal but for case) in the order they came.
    void bulkLoadLikeOneByOne_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("texts");

        std::mt19937 random(5);
        QStringList mixed = drawn(300, true, random);
        mixed += words({u"", u"Zebra", u"zebra", u"éclair", u"Eclair", u"10 града", u"9 града", u"-тире", u"тире",
                        u"Ёж", u"еж", u"İstanbul", u"istanbul", u"", u"ǅ", u"Ĳ"});
        std::shuffle(mixed.begin(), mixed.end(), random);
        for (const auto &[name, locale] : {std::pair{"c", QLocale::c()},
                                           std::pair{"bg", QLocale(QLocale::Bulgarian, QLocale::Bulgaria)},
                                           std::pair{"en", QLocale(QLocale::English, QLocale::UnitedStates)},
                                           std::pair{"tr", QLocale(QLocale::Turkish, QLocale::Turkey)}}) {
            QTest::addRow("mixed_%s", name) << locale << mixed;
            QTest::addRow("shipped_right_%s", name) << locale << TestContent::shipped()->Danni(1);
        }
    }
    void bulkLoadLikeOneByOne()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, texts);
        QLocale::setDefault(locale);
        const PhraseOrder order;
        PlainList plain;
        for (const QString &text : texts)
            addSorted(plain, text, order);
        ListModel bulk;
        bulk.setSorted(true);
        bulk.setItems(texts);
        QCOMPARE(bulk.items(), plain.items);
        // Added to a list that already has rows, one at a time.
        ListModel added;
        added.setSorted(true);
        added.setItems(texts.mid(0, texts.size() / 2));
        for (const QString &text : texts.mid(texts.size() / 2))
            added.addItem(text);
        QCOMPARE(added.items(), plain.items);
    }

    // Grading counts exactly the pairs the plain double loop counts, also when equal
    // texts give several rows the same code and when only some pairs are right.
    void gradingCountsLikeDoubleLoop_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<int>("seed");

        std::mt19937 random(3);
        for (int seed = 1; seed <= 6; ++seed)
            QTest::addRow("distinct_%d", seed) << drawn(20 + seed, false, random) << drawn(26 - seed, false, random)
                                                << seed;
        for (int seed = 1; seed <= 6; ++seed)
            QTest::addRow("duplicates_%d", seed) << drawn(15, true, random) << drawn(15, true, random) << seed;
    }
    void gradingCountsLikeDoubleLoop()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(int, seed);
        Content c;
        c.left = left;
        c.right = right;
        const auto w = TestContent::started(c.build());
        Kaz &kaz = w->kaz;
        PlainKaz plain(*w->content);
        std::mt19937 random(seed);
        // Right pairs where a row's code matches, otherwise a random partner.
        while (kaz.Slowo(0).count() > 0 && kaz.Slowo(1).count() > 0) {
            const int l = std::uniform_int_distribution<int>(0, kaz.Slowo(0).count() - 1)(random);
            int r = int(kaz.dum_N(1).items().indexOf(kaz.dum_N(0).item(l)));
            if (r < 0 || seed % 2)
                r = std::uniform_int_distribution<int>(0, kaz.Slowo(1).count() - 1)(random);
            pairOnBoth(kaz, plain, l, r);
        }
        QCOMPARE(difference(kaz, plain), QString());
        kaz.Formirai_ocenka();
        QCOMPARE(kaz.Broj_werni(), plain.brojWerni());
    }
};

QTEST_GUILESS_MAIN(TestEquivalence)
#include "tst_equivalence.moc"
