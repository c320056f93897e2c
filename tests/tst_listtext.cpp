// What the test window's lists show of a phrase, measured without a window, and the lists widened
// to fit the phrases: the arithmetic in twips, and widened geometries that the checker accepts.
#include "ContentReader.h"
#include "ContentStore.h"
#include "ListText.h"

#include <QTest>

#include <algorithm>

Q_DECLARE_METATYPE(ListText::Geometry)

using ListText::Geometry;

namespace {

const Geometry Default = Geometry::fromTexts(ContentStore::defaultGeometry());

// The checker's problems of the geometry in a test's parameters.
QStringList problems(const QStringList &geometry)
{
    const QString text = QStringLiteral("[parameters]\nhttps://kaz.bg Test\n") + geometry.join(u'\n')
        + QStringLiteral("\n[left]\na\nb\nc\n[right]\nx\ny\nz\n");
    QStringList out;
    for (const ContentReader::Problem &p : ContentReader::read(text).problems)
        if (p.rule >= ContentReader::Rule::ParametersMissing && p.rule <= ContentReader::Rule::RightListCutOff)
            out.append(p.message);
    return out;
}

} // namespace

class TestListText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The lists and the window after widening, from needs given in twips.
    void widen_data()
    {
        QTest::addColumn<Geometry>("before");
        QTest::addColumn<int>("leftNeed");
        QTest::addColumn<int>("rightNeed");
        QTest::addColumn<Geometry>("after");
        QTest::addColumn<bool>("whole");

        QTest::addRow("both_fit_nothing_moves") << Default << 1000 << 2000 << Default << true;
        // The window keeps its width while the lists fit it: the right list, wider than its
        // phrases need, gives the left one room and ends where the controls below end.
        QTest::addRow("left_grows_right_list_gives_room")
            << Default << 6000 << 0 << Geometry{11250, 120, 6000, 6225, 4710} << true;
        QTest::addRow("right_grows_left_list_gives_room")
            << Default << 0 << 9000 << Geometry{11250, 120, 1710, 1935, 9000} << true;
        QTest::addRow("wide_window_left_list_gives_room")
            << Geometry{14000, 120, 6000, 6200, 6000} << 1000 << 8000 << Geometry{14000, 120, 5485, 5685, 8000} << true;
        // Past the window's room each list is as wide as it needs, the window as the lists and
        // the default's right margin need.
        QTest::addRow("right_grows_window_follows")
            << Default << 3135 << 9000 << Geometry{12675, 120, 3135, 3360, 9000} << true;
        QTest::addRow("both_grow_right_list_down_to_its_need")
            << Default << 6000 << 5000 << Geometry{11540, 120, 6000, 6225, 5000} << true;
        QTest::addRow("wide_window_keeps_its_width")
            << Geometry{16000, 120, 3135, 3360, 6575} << 0 << 7000 << Geometry{16000, 120, 3135, 3360, 7000} << true;
        QTest::addRow("wide_list_never_narrowed")
            << Geometry{14000, 120, 5000, 5200, 6575} << 900 << 900 << Geometry{14000, 120, 5000, 5200, 6575} << true;
        QTest::addRow("both_fit_just_under_a_1280_pixel_screen")
            << Default << 9000 << 9000 << Geometry{18540, 120, 9000, 9225, 9000} << true;
        QTest::addRow("narrower_need_met_first_at_the_limit")
            << Default << 8000 << 12000 << Geometry{19200, 120, 8000, 8225, 10660} << false;
        QTest::addRow("both_too_wide_share_the_screen")
            << Default << 15000 << 15000 << Geometry{19200, 120, 9330, 9555, 9330} << false;
        QTest::addRow("window_past_the_limit_is_kept")
            << Geometry{24000, 120, 3135, 3360, 6575} << 0 << 30000 << Geometry{24000, 120, 600, 825, 22860} << false;
    }
    void widen()
    {
        QFETCH(Geometry, before);
        QFETCH(int, leftNeed);
        QFETCH(int, rightNeed);
        QFETCH(Geometry, after);
        QFETCH(bool, whole);
        const ListText::Widened w = ListText::widen(before, leftNeed, rightNeed);
        QCOMPARE(w.geometry.toTexts(), after.toTexts());
        QCOMPARE(w.whole, whole);
        QVERIFY2(w.geometry.windowWidth <= std::max(ListText::MaxFittedWindowWidth, before.windowWidth),
                 qPrintable(w.geometry.toTexts().join(u' ')));
        // The test window accepts what widening makes: no overlap, nothing cut off.
        QCOMPARE(problems(w.geometry.toTexts()), QStringList());
        // Laid out with the window's fixed controls: never narrower; a window that grew leaves
        // right of its right list the margin a new test's window leaves right of the controls.
        const Geometry &g = w.geometry;
        const int client = g.windowWidth - ContentReader::FrameWidth;
        QVERIFY(g.windowWidth >= before.windowWidth);
        QVERIFY(client >= ContentReader::ControlsRightEdge);
        if (g.windowWidth > before.windowWidth)
            QCOMPARE(client - (g.rightLeft + g.rightWidth), ListText::rightMargin());
        if (w.whole)
            QVERIFY(g.leftWidth >= leftNeed && g.rightWidth >= rightNeed);
        QCOMPARE(g.rightLeft - (g.leftLeft + g.leftWidth), before.rightLeft - (before.leftLeft + before.leftWidth));
    }

    // A phrase fits the narrowest list made for it and not one pixel less, with and without the
    // scroll bar that a list shows once its rows do not all fit.
    void narrowestListForAPhrase_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("extraRows");

        const ListText::Measure m;
        const QString longPhrase = QStringLiteral("A bank of record entries which are kept for a long time");
        QTest::addRow("alone") << longPhrase << 0;
        QTest::addRow("rows_shown_whole") << longPhrase << m.rowsShown() - 1;
        QTest::addRow("one_row_more_than_shown") << longPhrase << m.rowsShown();
        QTest::addRow("cyrillic_with_scroll_bar") << QStringLiteral("Банка от записи, пазени дълго време в архива") << 20;
        QTest::addRow("trailing_spaces_not_counted") << QStringLiteral("Кастра Мартис   ") << 0;
    }
    void narrowestListForAPhrase()
    {
        QFETCH(QString, phrase);
        QFETCH(int, extraRows);
        const ListText::Measure m;
        const int rows = 1 + extraRows;
        const int twips = m.listWidthFor(m.width(phrase), rows);
        QCOMPARE(twips % 15, 0);
        QVERIFY(m.fits(phrase, twips, rows));
        QCOMPARE(m.shown(phrase, twips, rows), phrase);
        QVERIFY(!m.fits(phrase, twips - 15, rows));
        const QString cut = m.shown(phrase, twips - 15, rows);
        QVERIFY2(cut.endsWith(QChar(0x2026)) && cut.size() < phrase.size(), qPrintable(cut));
        // The scroll bar takes its width from the text only when not every row is shown.
        const int withoutBar = ListText::pixels(twips) - 2 * ListText::FrameWidth - 2 * ListText::TextMargin;
        QCOMPARE(m.textWidth(twips, rows), rows > m.rowsShown() ? withoutBar - ListText::ScrollBarWidth : withoutBar);
    }

    // gift2kaz's and the editor's lists for a new test: every phrase fits, and the test window
    // accepts the geometry.
    void fittedDefault_data()
    {
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<bool>("whole");

        const QStringList shortOnes = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        QTest::addRow("short_phrases_keep_the_default") << shortOnes << shortOnes << true;
        QTest::addRow("long_left_phrase")
            << QStringList{QStringLiteral("A bank of record entries which are kept for a long time"), QStringLiteral("b"),
                           QStringLiteral("c")}
            << shortOnes << true;
        QTest::addRow("long_phrases_on_both_sides")
            << QStringList{QStringLiteral("Съвкупност от записи, които се съхраняват дълго"), QStringLiteral("b"),
                           QStringLiteral("c")}
            << QStringList{QStringLiteral("x"), QStringLiteral("Банка от данни с дълги описания на всеки ред от нея"),
                           QStringLiteral("z")}
            << true;
        QTest::addRow("too_long_for_any_screen")
            << QStringList{QString(120, u'Ш'), QStringLiteral("b"), QStringLiteral("c")} << shortOnes << false;
    }
    void fittedDefault()
    {
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(bool, whole);
        const QStringList texts = ListText::fittedDefault(left, right);
        const Geometry g = Geometry::fromTexts(texts);
        const ListText::Measure m;
        const auto allFit = [&m](const QStringList &phrases, int width) {
            return std::all_of(phrases.cbegin(), phrases.cend(), [&](const QString &p) {
                return m.fits(p, width, int(phrases.size()));
            });
        };
        QCOMPARE(allFit(left, g.leftWidth) && allFit(right, g.rightWidth), whole);
        QVERIFY(g.windowWidth <= ListText::MaxFittedWindowWidth);
        QCOMPARE(problems(texts), QStringList());
        if (whole && allFit(left, Default.leftWidth) && allFit(right, Default.rightWidth))
            QCOMPARE(texts, ContentStore::defaultGeometry());
    }
};

QTEST_MAIN(TestListText)
#include "tst_listtext.moc"
