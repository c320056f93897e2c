#include "TestContent.h"

#include <QTest>

using namespace Qt::StringLiterals;
using TestContent::codes;
using TestContent::Content;

namespace {

QStringList list(std::initializer_list<const char16_t *> texts)
{
    QStringList out;
    for (const char16_t *t : texts)
        out.append(QString::fromUtf16(t));
    return out;
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutStateBeforeLoad()
    {
        TestContent::Window w(TestContent::shipped());
        const Kaz &kaz = w.kaz;
        QCOMPARE(w.loads, 0);
        QVERIFY(!kaz.contentLoaded());
        QVERIFY(!kaz.KAZ_Graphika());
        QCOMPARE(kaz.Nastroiki().items(), QStringList{QStringLiteral("Zapiswam po-malkiq broj")});
        QCOMPARE(kaz.ndapis(), QStringLiteral("Оставащи:"));
        QVERIFY(!kaz.uprawlEnabled(2));
        QVERIFY(kaz.uprawlEnabled(0) && kaz.uprawlEnabled(1) && kaz.uprawlEnabled(3));
        QVERIFY(!kaz.verdictVisible());
        QVERIFY(kaz.Slowo(0).isSorted() && kaz.Slowo(1).isSorted() && !kaz.Slowo(2).isSorted());
    }

    void shippedLists()
    {
        const auto w = TestContent::started(TestContent::shipped());
        const Kaz &kaz = w->kaz;
        QCOMPARE(w->loads, 1);
        QCOMPARE(kaz.Nastroiki().items(), QStringList{QStringLiteral("21")});
        QCOMPARE(kaz.dum_N(4).items(), codes(1, 21) + codes(1, 21));
        QCOMPARE(kaz.dum_N(5).items(), codes(1, 21) + codes(1, 21));
        QCOMPARE(kaz.Slowo(0).items(), w->content->Danni(0));
        QCOMPARE(kaz.dum_N(0).items(), codes(1, 21));
        QCOMPARE(kaz.Slowo(1).items(),
                 list({u"Алмус", u"Анхиало", u"Аполония", u"Бдин", u"Белградин", u"Берое", u"Горна Джумая",
                       u"Дианополис", u"Езерово", u"Ески Джумая", u"Кастра Мартис", u"Месамбрия", u"Монтанезиум",
                       u"Одесос", u"Орхание", u"Русчук", u"Сердика", u"Станимака", u"Сторгозия", u"Филипополис",
                       u"Царев град."}));
        QCOMPARE(kaz.dum_N(1).items(), list({u"9", u"14", u"17", u"7", u"2", u"19", u"3", u"21", u"16", u"20", u"8",
                                             u"11", u"10", u"5", u"4", u"15", u"18", u"1", u"12", u"13", u"6"}));
        for (int i : {2, 3})
            QCOMPARE(kaz.dum_N(i).count(), 0);
        QCOMPARE(kaz.Slowo(2).count(), 0);
    }

    void shippedControls()
    {
        const auto w = TestContent::started(TestContent::shipped());
        const Kaz &kaz = w->kaz;
        QCOMPARE(kaz.Slowo(0).selectedIndex(), 0);
        QCOMPARE(kaz.Slowo(1).selectedIndex(), 0);
        QCOMPARE(kaz.dum_N(0).selectedIndex(), 0);
        QCOMPARE(kaz.dum_N(1).selectedIndex(), 0);
        QCOMPARE(kaz.Slowo(2).selectedIndex(), -1);
        QCOMPARE(kaz.Nomer_wypros(), qint16(1));
        QCOMPARE(kaz.Broj_werni(), 0);
        QVERIFY(kaz.uprawlEnabled(0));
        QVERIFY(kaz.uprawlEnabled(1));
        QVERIFY(!kaz.uprawlEnabled(2));
        QVERIFY(kaz.uprawlEnabled(3));
        QVERIFY(!kaz.verdictVisible());
        QCOMPARE(kaz.ndapis(), QStringLiteral("Оставащи:"));
        QCOMPARE(kaz.prowerkaText(0), w->content->Ukazanie());
        QCOMPARE(kaz.prowerkaText(0).size(), 376);
        QCOMPARE(kaz.caption(), w->content->Danni(3).at(0));
        QVERIFY(kaz.thumbnail().isEmpty());
        // The picture window comes into being, hidden, with the first picture lookup.
        QVERIFY(kaz.KAZ_Graphika());
        QVERIFY(!kaz.KAZ_Graphika()->visible);
        QCOMPARE(kaz.KAZ_Graphika()->caption, w->content->address() + QStringLiteral(" - KAZ picture"));
    }

    // The picture window is named after the caption's web address; a caption that starts with
    // no web address names it whole, its first word kept.
    void pictureWindowNamedAfterTheCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");
        QTest::addRow("web_address") << u"https://kaz.bg Столици"_s << u"https://kaz.bg - KAZ picture"_s;
        QTest::addRow("host_name") << u"school.example.bg Столици"_s << u"school.example.bg - KAZ picture"_s;
        QTest::addRow("www") << u"www.kaz.bg Столици"_s << u"www.kaz.bg - KAZ picture"_s;
        QTest::addRow("address_alone") << u"https://kaz.bg"_s << u"https://kaz.bg - KAZ picture"_s;
        QTest::addRow("title_alone") << u"Столици на Европа"_s << u"Столици на Европа - KAZ picture"_s;
        QTest::addRow("one_word_title") << u"Столици"_s << u"Столици - KAZ picture"_s;
        QTest::addRow("school_name_is_no_address") << u"СУ-Вазов Столици"_s << u"СУ-Вазов Столици - KAZ picture"_s;
        QTest::addRow("number_is_no_address") << u"5.1 Уравнения"_s << u"5.1 Уравнения - KAZ picture"_s;
        QTest::addRow("spaces_around_a_title") << u" Столици "_s << u"Столици - KAZ picture"_s;
        QTest::addRow("empty") << QString() << u"KAZ picture"_s;
    }
    void pictureWindowNamedAfterTheCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, expected);
        Content c;
        c.left = list({u"Лом", u"Русе", u"Варна"});
        c.right = list({u"Алмус", u"Русчук", u"Одесос"});
        c.parameters[0] = caption;
        const auto w = TestContent::started(c.build());
        QCOMPARE(w->kaz.caption(), caption);
        QVERIFY(w->kaz.KAZ_Graphika());
        QCOMPARE(w->kaz.KAZ_Graphika()->caption, expected);
    }

    void shippedGeometry()
    {
        const auto w = TestContent::started(TestContent::shipped());
        QCOMPARE(w->kaz.windowWidth(), 11250.0f);
        QCOMPARE(w->kaz.slowoLeft(0), 120.0f);
        QCOMPARE(w->kaz.slowoWidth(0), 3135.0f);
        QCOMPARE(w->kaz.slowoLeft(1), 3360.0f);
        QCOMPARE(w->kaz.slowoWidth(1), 6575.0f);
    }

    void phraseLists_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QStringList>("shownLeft");
        QTest::addColumn<QStringList>("leftCodes");
        QTest::addColumn<QStringList>("rightCodes");
        QTest::addColumn<int>("question");
        QTest::addColumn<bool>("gradeEnabled");

        const QStringList five = list({u"Лом", u"Варна", u"Видин", u"Кула", u"Русе"});
        const QStringList three = list({u"Алмус", u"Одесос", u"Бдин"});
        QTest::addRow("five_left_three_right")
            << five << three << u"3"_s << list({u"Варна", u"Видин", u"Кула", u"Лом", u"Русе"})
            << list({u"2", u"3", u"4", u"1", u"5"}) << list({u"1", u"3", u"2"}) << 2 << false;
        QTest::addRow("three_left_five_right")
            << three << five << u"3"_s << list({u"Алмус", u"Бдин", u"Одесос"}) << list({u"1", u"3", u"2"})
            << list({u"2", u"3", u"4", u"1", u"5"}) << 1 << false;
        QTest::addRow("two_equal_left_texts")
            << list({u"Лом", u"Варна", u"Лом"}) << three << u"3"_s << list({u"Варна", u"Лом", u"Лом"})
            << list({u"2", u"1", u"1"}) << list({u"1", u"3", u"2"}) << 2 << false;
        QTest::addRow("two_equal_right_texts")
            << three << list({u"Одесос", u"Алмус", u"Одесос"}) << u"3"_s << list({u"Алмус", u"Бдин", u"Одесос"})
            << list({u"1", u"3", u"2"}) << list({u"2", u"1", u"1"}) << 1 << false;
        QTest::addRow("one_phrase_each") << list({u"Лом"}) << list({u"Алмус"}) << u"1"_s << list({u"Лом"})
                                         << list({u"1"}) << list({u"1"}) << 1 << false;
        QTest::addRow("empty_left_side") << QStringList() << three << u"0"_s << QStringList() << QStringList()
                                         << list({u"1", u"3", u"2"}) << 0 << false;
        QTest::addRow("empty_right_side") << three << QStringList() << u"0"_s << list({u"Алмус", u"Бдин", u"Одесос"})
                                          << list({u"1", u"3", u"2"}) << QStringList() << 1 << true;
        QTest::addRow("both_sides_empty") << QStringList() << QStringList() << u"0"_s << QStringList() << QStringList()
                                          << QStringList() << 0 << true;
    }
    void phraseLists()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(QString, n);
        QFETCH(QStringList, shownLeft);
        QFETCH(QStringList, leftCodes);
        QFETCH(QStringList, rightCodes);
        QFETCH(int, question);
        QFETCH(bool, gradeEnabled);

        Content content;
        content.left = left;
        content.right = right;
        const auto w = TestContent::started(content.build());
        const Kaz &kaz = w->kaz;

        QCOMPARE(kaz.Nastroiki().items(), QStringList{n});
        QCOMPARE(kaz.dum_N(4).items(), codes(1, int(left.size())) + codes(1, int(left.size())));
        QCOMPARE(kaz.dum_N(5).items(), codes(1, int(right.size())) + codes(1, int(right.size())));
        QCOMPARE(kaz.Slowo(0).items(), shownLeft);
        QCOMPARE(kaz.dum_N(0).items(), leftCodes);
        QCOMPARE(kaz.dum_N(1).items(), rightCodes);
        QCOMPARE(kaz.Slowo(1).count(), right.size());
        // Row 0 is selected where there is one; an empty side has nothing selected.
        for (int side = 0; side < 2; ++side) {
            const int expected = kaz.Slowo(side).count() > 0 ? 0 : -1;
            QCOMPARE(kaz.Slowo(side).selectedIndex(), expected);
            QCOMPARE(kaz.dum_N(side).selectedIndex(), expected);
        }
        QCOMPARE(kaz.Nomer_wypros(), qint16(question));
        QCOMPARE(kaz.uprawlEnabled(2), gradeEnabled);
        QCOMPARE(kaz.ndapis(), QStringLiteral("Оставащи:"));
    }

    void fiveLeftThreeRightKeyLengths()
    {
        Content content;
        content.left = list({u"Лом", u"Варна", u"Видин", u"Кула", u"Русе"});
        content.right = list({u"Алмус", u"Одесос", u"Бдин"});
        const auto w = TestContent::started(content.build());
        QCOMPARE(w->kaz.dum_N(4).count(), 10);
        QCOMPARE(w->kaz.dum_N(5).count(), 6);
    }

    void parameters_data()
    {
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<float>>("geometry"); // window width, left and width of Slowo(0), of Slowo(1)

        const QString title = QStringLiteral("https://kaz.test Проба");
        const auto items = [&title](std::initializer_list<const char16_t *> numbers) {
            return QStringList{title} + list(numbers);
        };
        QTest::addRow("plain_numbers") << items({u"11250", u"120", u"3135", u"3360", u"6575"}) << title
                                       << QList<float>{11250, 120, 3135, 3360, 6575};
        QTest::addRow("width_not_a_number") << items({u"широко", u"120", u"3135", u"3360", u"6575"}) << title
                                            << QList<float>{0, 120, 3135, 3360, 6575};
        QTest::addRow("left_edge_empty") << items({u"11250", u"", u"3135", u"3360", u"6575"}) << title
                                         << QList<float>{11250, 0, 3135, 3360, 6575};
        QTest::addRow("right_width_text_first") << items({u"11250", u"120", u"3135", u"3360", u"ок 6575"}) << title
                                                << QList<float>{11250, 120, 3135, 3360, 0};
        QTest::addRow("blanks_inside_number") << items({u"11 250", u"120", u"3135", u" 3360 ", u"6575"}) << title
                                              << QList<float>{11250, 120, 3135, 3360, 6575};
        QTest::addRow("unit_after_number") << items({u"11250", u"120tw", u"3135", u"3360", u"6575"}) << title
                                           << QList<float>{11250, 120, 3135, 3360, 6575};
        QTest::addRow("fraction") << items({u"11250", u"120", u"3135.5", u"3360", u"6575"}) << title
                                  << QList<float>{11250, 120, 3135.5, 3360, 6575};
        QTest::addRow("only_a_caption") << QStringList{title} << title << QList<float>{0, 0, 0, 0, 0};
        QTest::addRow("no_parameters") << QStringList() << QString() << QList<float>{0, 0, 0, 0, 0};
    }
    void parameters()
    {
        QFETCH(QStringList, parameters);
        QFETCH(QString, caption);
        QFETCH(QList<float>, geometry);

        Content content;
        content.left = list({u"Лом", u"Варна"});
        content.right = list({u"Алмус", u"Одесос"});
        content.parameters = parameters;
        const auto w = TestContent::started(content.build());
        const Kaz &kaz = w->kaz;
        QCOMPARE(kaz.caption(), caption);
        QCOMPARE(kaz.windowWidth(), geometry.at(0));
        QCOMPARE(kaz.slowoLeft(0), geometry.at(1));
        QCOMPARE(kaz.slowoWidth(0), geometry.at(2));
        QCOMPARE(kaz.slowoLeft(1), geometry.at(3));
        QCOMPARE(kaz.slowoWidth(1), geometry.at(4));
        // A bad parameter spoils nothing else of the start-up.
        QCOMPARE(kaz.Slowo(0).selectedIndex(), 0);
        QCOMPARE(kaz.prowerkaText(0), content.instructions);
    }

    // Start-up selects row 0 on the left, which shows that question's picture at once.
    void firstQuestionPictureAtStartUp()
    {
        Content content;
        content.left = list({u"Лом", u"Варна"}); // row 0 is "Варна", code 2
        content.right = list({u"Алмус", u"Одесос"});
        content.flags = list({u"flags", u"0", u"1"});
        content.pictures[2] = {QStringLiteral(":/p/varna.png"), 2000, 1500};
        const auto w = TestContent::started(content.build());
        QCOMPARE(w->kaz.Nomer_wypros(), qint16(2));
        QCOMPARE(w->kaz.thumbnail(), QStringLiteral(":/p/varna.png"));
        QVERIFY(!w->kaz.KAZ_Graphika()->visible);
    }

    void contentReadOnceAndStaysLoaded()
    {
        const auto w = TestContent::started(TestContent::shipped());
        QVERIFY(TestContent::pair(w->kaz, QStringLiteral("Лом"), QStringLiteral("Алмус")));
        w->kaz.Slowo(2).setSelectedIndex(0);
        w->kaz.Uprawl_Click(1);
        QCOMPARE(w->loads, 1);
        QVERIFY(w->kaz.contentLoaded());
        QCOMPARE(&w->kaz.KAZ_danni(), w->content.get());
    }
};

QTEST_GUILESS_MAIN(TestStartUp)
#include "tst_startup.moc"
