// The appearance dialog as a model: opening on the store, the colour composer, the font
// lists, "Запис" and "Отказ", driven through the test window that owns it.
#include "AppearanceStore.h"
#include "ContentStore.h"
#include "Cwiat.h"
#include "Kaz.h"
#include "ScreenFonts.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString CodePrefix = QStringLiteral("Цвят в 10/16-тичен код = ");
const QString TNR = QStringLiteral("Times New Roman");
constexpr qint32 White = 16777215;

std::shared_ptr<const ContentStore> smallTest()
{
    auto store = std::make_shared<ContentStore>();
    store->setDanni(0, {QStringLiteral("Пловдив"), QStringLiteral("Варна"), QStringLiteral("Бургас")});
    store->setDanni(1, {QStringLiteral("Филипопол"), QStringLiteral("Одесос"), QStringLiteral("Пиргос")});
    store->setDanni(3, {QStringLiteral("Градове"), QStringLiteral("11250"), QStringLiteral("120"),
                        QStringLiteral("3135"), QStringLiteral("3360"), QStringLiteral("6575")});
    store->setUkazanie(QStringLiteral("Указания\r\n"));
    return store;
}

// A started test window whose screen offers `fonts`, shown at the sizes `shown` gives.
class Run
{
public:
    explicit Run(QStringList fonts = {QStringLiteral("Arial"), TNR, QStringLiteral("Courier New")},
                 FixedScreenFonts::SizeRule shown = {})
        : kaz([] { return smallTest(); })
    {
        kaz.setScreenFonts(std::make_shared<FixedScreenFonts>(std::move(fonts), std::move(shown)));
        kaz.Form_Load();
    }

    Cwiat &open()
    {
        kaz.Cwqt_Click();
        return *kaz.cwiat();
    }
    QString item(int i) const { return kaz.Cweta().item(i); }

    Kaz kaz;
};

struct Looks
{
    KazLook window, slowo[3], prowerka, ndapis;
};

Looks looksOf(const Kaz &kaz)
{
    return {kaz.windowLook(),
            {kaz.slowoLook(0), kaz.slowoLook(1), kaz.slowoLook(2)},
            kaz.prowerkaLook(),
            kaz.ndapisLook()};
}

bool sameLook(const KazLook &a, const KazLook &b)
{
    return a.background == b.background && a.foreground == b.foreground && a.fontName == b.fontName
           && a.fontSize == b.fontSize;
}

bool sameLooks(const Looks &a, const Looks &b)
{
    return sameLook(a.window, b.window) && sameLook(a.slowo[0], b.slowo[0]) && sameLook(a.slowo[1], b.slowo[1])
           && sameLook(a.slowo[2], b.slowo[2]) && sameLook(a.prowerka, b.prowerka) && sameLook(a.ndapis, b.ndapis);
}

} // namespace

class TestCwiat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeAfterOpening_data();
    void storeAfterOpening();
    void openingShowsStoredValues();
    void sliderMoveWritesItsGroup_data();
    void sliderMoveWritesItsGroup();
    void codeAndValueLabels_data();
    void codeAndValueLabels();
    void choosingGroupOnlyLoadsSliders_data();
    void choosingGroupOnlyLoadsSliders();
    void dialogBackgroundKeepsLastGroup0Colour();
    void componentsSplit_data();
    void componentsSplit();
    void sizeChoiceThenSave_data();
    void sizeChoiceThenSave();
    void saveOnShippedStore();
    void saveTwiceInARow();
    void saveChangesOnlyColoursAndFonts();
    void cancelKeepsEditsForNextOpening();
    void colorAgainDoesNotReload();
    void storedFontNotOffered_data();
    void storedFontNotOffered();
    void storedSizeNotOffered();
    void fontNameChoice();
    void lastMatchingFontStaysSelected();
};

// ---------------------------------------------------------------- opening

void TestCwiat::storeAfterOpening_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("text");
    const QStringList expected = {QStringLiteral("всичко това е за управление на цветове"),
                                  TNR,
                                  QStringLiteral("12"),
                                  QStringLiteral("128"), QStringLiteral("128"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("16777215"), QStringLiteral("255"), QStringLiteral("255"),
                                  QStringLiteral("255"),
                                  QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("192"), QStringLiteral("192"), QStringLiteral("0"), QStringLiteral("0")};
    for (int i = 0; i < AppearanceStore::Count; ++i)
        QTest::addRow("item_%02d", i) << i << expected.at(i);
}

void TestCwiat::storeAfterOpening()
{
    QFETCH(int, item);
    QFETCH(QString, text);
    Run run;
    run.open();
    QCOMPARE(run.item(item), text);
}

void TestCwiat::openingShowsStoredValues()
{
    Run run;
    const Cwiat &d = run.open();

    QCOMPARE(d.List_font(0).item(d.List_font(0).selectedIndex()), TNR);
    QCOMPARE(d.List_font(1).item(d.List_font(1).selectedIndex()), QStringLiteral("12"));
    QVERIFY(d.Option1Value(0));
    QVERIFY(!d.Option1Value(1) && !d.Option1Value(2) && !d.Option1Value(3));
    QCOMPARE(d.Slider1Value(0), 128);
    QCOMPARE(d.Slider1Value(1), 0);
    QCOMPARE(d.Slider1Value(2), 0);

    QCOMPARE(d.picColorBackColor(), 128);
    QCOMPARE(d.Option1BackColor(0), 128);
    QCOMPARE(d.Option1BackColor(1), White);
    QCOMPARE(d.Option1BackColor(2), 8);
    QCOMPARE(d.Option1BackColor(3), 192);
    QCOMPARE(d.Text_Cv().background, White);
    QCOMPARE(d.Text_Cv().foreground, 8);
    QCOMPARE(d.Text_Cv().fontName, TNR);
    QCOMPARE(d.Text_Cv().fontSize, 12.0);

    // Nothing is composed until the learner acts: the labels and background keep the layout.
    QCOMPARE(d.Label_ST(0), QStringLiteral("R"));
    QCOMPARE(d.Label_ST(1), QStringLiteral("G"));
    QCOMPARE(d.Label_ST(2), QStringLiteral("B"));
    QCOMPARE(d.Label_Cv(3), QStringLiteral("Цвят"));
    QCOMPARE(d.BackColor(), qint64(0x808080));
    QCOMPARE(d.Tekusht_cwqt(), 0);
    QCOMPARE(d.Izbor(), quint8(0));
}

// ---------------------------------------------------------------- colour composer

void TestCwiat::sliderMoveWritesItsGroup_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<qint32>("whole");

    QTest::addRow("red_200_on_white_group_1") << 1 << 0 << 200 << qint32(200 + 256 * 255 + 65536 * 255);
    QTest::addRow("green_64_on_group_0") << 0 << 1 << 64 << qint32(128 + 256 * 64);
    QTest::addRow("blue_255_on_group_2") << 2 << 2 << 255 << qint32(8 + 65536 * 255);
    QTest::addRow("red_0_on_group_3") << 3 << 0 << 0 << qint32(0);
}

void TestCwiat::sliderMoveWritesItsGroup()
{
    QFETCH(int, group);
    QFETCH(int, slider);
    QFETCH(int, value);
    QFETCH(qint32, whole);
    Run run;
    Cwiat &d = run.open();
    const QStringList before = run.kaz.Cweta().items();

    d.chooseOption(group);
    d.moveSlider(slider, value);

    const int j = 4 * group + 3;
    for (int i = 0; i < AppearanceStore::Count; ++i) {
        if (i == j)
            QCOMPARE(run.item(i), QString::number(whole));
        else if (i == j + 1 + slider)
            QCOMPARE(run.item(i), QString::number(value));
        else
            QCOMPARE(run.item(i), before.at(i));
    }
    QCOMPARE(d.Label_ST(slider), QString::number(value));
    QCOMPARE(d.Label_Cv(3), CodePrefix + QString::number(whole) + QStringLiteral(" /H")
                                + QString::number(whole, 16).toUpper());
    QCOMPARE(d.picColorBackColor(), whole);
    QCOMPARE(d.Option1BackColor(group), whole);

    // Each group previews in its own place and leaves the others' previews alone.
    QCOMPARE(d.BackColor(), group == 0 ? qint64(whole) : qint64(0x808080));
    QCOMPARE(d.Text_Cv().background, group == 1 ? qint64(whole) : qint64(White));
    QCOMPARE(d.Text_Cv().foreground, group == 2 ? qint64(whole) : qint64(8));
    for (int k = 0; k < 4; ++k)
        if (k != group)
            QCOMPARE(d.Option1BackColor(k), run.kaz.Cweta().integer(4 * k + 3));
}

void TestCwiat::codeAndValueLabels_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("code");

    QTest::addRow("red_128") << 128 << 0 << 0 << QStringLiteral("128 /H80");
    QTest::addRow("black") << 0 << 0 << 0 << QStringLiteral("0 /H0");
    QTest::addRow("white") << 255 << 255 << 255 << QStringLiteral("16777215 /HFFFFFF");
    QTest::addRow("blue_255_alone") << 0 << 0 << 255 << QStringLiteral("16711680 /HFF0000");
    QTest::addRow("green_1_alone") << 0 << 1 << 0 << QStringLiteral("256 /H100");
    QTest::addRow("mixed_digits") << 10 << 171 << 9 << QStringLiteral("633610 /H9AB0A");
}

void TestCwiat::codeAndValueLabels()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, code);
    Run run;
    Cwiat &d = run.open();
    d.moveSlider(0, red);
    d.moveSlider(1, green);
    d.moveSlider(2, blue);
    QCOMPARE(d.Label_Cv(3), CodePrefix + code);
    QCOMPARE(d.Label_ST(0), QString::number(red));
    QCOMPARE(d.Label_ST(1), QString::number(green));
    QCOMPARE(d.Label_ST(2), QString::number(blue));
    QCOMPARE(run.item(3), code.section(u' ', 0, 0));
}

void TestCwiat::choosingGroupOnlyLoadsSliders_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");

    QTest::addRow("group_0_window") << 0 << 128 << 0 << 0;
    QTest::addRow("group_1_text_background") << 1 << 255 << 255 << 255;
    QTest::addRow("group_2_text_colour") << 2 << 8 << 0 << 0;
    QTest::addRow("group_3_buttons") << 3 << 192 << 0 << 0;
}

void TestCwiat::choosingGroupOnlyLoadsSliders()
{
    QFETCH(int, group);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    Run run;
    Cwiat &d = run.open();
    const QStringList before = run.kaz.Cweta().items();

    d.chooseOption(group);

    QCOMPARE(run.kaz.Cweta().items(), before);
    QVERIFY(d.Option1Value(group));
    QCOMPARE(d.Izbor(), quint8(group));
    QCOMPARE(d.Slider1Value(0), red);
    QCOMPARE(d.Slider1Value(1), green);
    QCOMPARE(d.Slider1Value(2), blue);
    const qint32 colour = red + 256 * green + 65536 * blue;
    QCOMPARE(d.Tekusht_cwqt(), colour);
    QCOMPARE(d.picColorBackColor(), colour);
    QCOMPARE(d.Option1BackColor(group), colour);
    if (group == 2)
        QCOMPARE(d.Text_Cv().foreground, colour);
    QCOMPARE(d.Label_ST(0), QString::number(red));
}

void TestCwiat::dialogBackgroundKeepsLastGroup0Colour()
{
    Run run;
    Cwiat &d = run.open();
    d.moveSlider(0, 50);
    QCOMPARE(d.BackColor(), 50);
    d.moveSlider(2, 1);
    QCOMPARE(d.BackColor(), 50 + 65536);

    d.chooseOption(1);
    d.moveSlider(1, 17);
    d.chooseOption(2);
    d.moveSlider(0, 99);
    QCOMPARE(d.BackColor(), 50 + 65536);
    QCOMPARE(run.item(3), QStringLiteral("65586"));
}

void TestCwiat::componentsSplit_data()
{
    QTest::addColumn<qint32>("colour");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");

    QTest::addRow("white") << qint32(White) << 255 << 255 << 255;
    QTest::addRow("bytes_in_order") << qint32(0x00123456) << 0x56 << 0x34 << 0x12;
    QTest::addRow("top_byte_ignored") << qint32(0x7F00FF01) << 0x01 << 0xFF << 0x00;
}

void TestCwiat::componentsSplit()
{
    QFETCH(qint32, colour);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    Run run;
    Cwiat &d = run.open();
    const qint32 given = colour;
    d.cwetowe_RGB(colour);
    QCOMPARE(colour, given);
    QCOMPARE(d.Sastawka_R(), red);
    QCOMPARE(d.Sastawka_G(), green);
    QCOMPARE(int(d.Sastawka_B()), blue);
}

// ---------------------------------------------------------------- fonts and "Запис"

void TestCwiat::sizeChoiceThenSave_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("shown");
    QTest::addColumn<QString>("stored");

    QTest::addRow("size_14") << 6 << 14.0 << QStringLiteral("14");
    QTest::addRow("size_8_shown_as_8_25") << 0 << 8.25 << QStringLiteral("8");
    QTest::addRow("shown_12_5_goes_to_even_12") << 5 << 12.5 << QStringLiteral("12");
    QTest::addRow("shown_13_5_goes_to_even_14") << 5 << 13.5 << QStringLiteral("14");
}

void TestCwiat::sizeChoiceThenSave()
{
    QFETCH(int, row);
    QFETCH(double, shown);
    QFETCH(QString, stored);
    const double requested = QString(CwiatLayout::sizes().at(row)).toDouble();
    Run run({TNR}, [=](double points) { return points == requested ? shown : points; });
    Cwiat &d = run.open();
    const KazLook ndapis = run.kaz.ndapisLook();

    d.List_font(1).setSelectedIndex(row);
    QCOMPARE(d.Text_Cv().fontSize, shown);
    QCOMPARE(run.item(2), stored);
    // A size choice reaches the test window only through "Запис".
    QCOMPARE(run.kaz.slowoLook(0).fontSize, 12.0);

    d.mnu_zapis_Click();
    QVERIFY(!run.kaz.cwiat());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(run.kaz.slowoLook(i).fontSize, stored.toDouble());
    QCOMPARE(run.kaz.prowerkaLook().fontSize, stored.toDouble());
    QCOMPARE(run.kaz.ndapisLook().fontSize, ndapis.fontSize);
    QCOMPARE(run.kaz.ndapisLook().fontName, ndapis.fontName);
}

void TestCwiat::saveOnShippedStore()
{
    Run run;
    QCOMPARE(run.kaz.windowLook().background, 0x008000); // the layout's, until "Запис"
    run.open().mnu_zapis_Click();

    QCOMPARE(run.kaz.windowLook().background, 128);
    const KazLook text[] = {run.kaz.slowoLook(0), run.kaz.slowoLook(1), run.kaz.slowoLook(2), run.kaz.prowerkaLook()};
    for (const KazLook &look : text) {
        QCOMPARE(look.background, White);
        QCOMPARE(look.foreground, 8);
        QCOMPARE(look.fontName, TNR);
        QCOMPARE(look.fontSize, 12.0);
    }
    QCOMPARE(run.kaz.ndapisLook().background, White);
    QCOMPARE(run.kaz.ndapisLook().foreground, 8);
}

void TestCwiat::saveTwiceInARow()
{
    Run run;
    Cwiat &d = run.open();
    d.chooseOption(2);
    d.moveSlider(1, 200);
    d.List_font(1).setSelectedIndex(1);
    d.mnu_zapis_Click();
    const Looks first = looksOf(run.kaz);
    const QStringList store = run.kaz.Cweta().items();

    QSignalSpy changes(&run.kaz, &Kaz::changed);
    run.open().mnu_zapis_Click();
    QVERIFY(sameLooks(looksOf(run.kaz), first));
    QCOMPARE(run.kaz.Cweta().items(), store);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(run.kaz.slowoLook(0).foreground, 8 + 256 * 200);
}

void TestCwiat::saveChangesOnlyColoursAndFonts()
{
    Run run;
    run.kaz.Slowo(1).setSelectedIndex(2);
    run.kaz.Uprawl_Click(0);
    const QStringList slowo[] = {run.kaz.Slowo(0).items(), run.kaz.Slowo(1).items(), run.kaz.Slowo(2).items()};
    const int selected[] = {run.kaz.Slowo(0).selectedIndex(), run.kaz.Slowo(1).selectedIndex(),
                            run.kaz.Slowo(2).selectedIndex()};
    const QStringList codes = run.kaz.dum_N(2).items();
    const QString ndapis = run.kaz.ndapis();
    const QString prowerka = run.kaz.prowerkaText(0);
    const bool enabled[] = {run.kaz.uprawlEnabled(0), run.kaz.uprawlEnabled(1), run.kaz.uprawlEnabled(2),
                            run.kaz.uprawlEnabled(3)};

    Cwiat &d = run.open();
    d.chooseOption(3); // the button colour is edited but never applied
    d.moveSlider(1, 255);
    d.mnu_zapis_Click();

    for (int i = 0; i < 3; ++i) {
        QCOMPARE(run.kaz.Slowo(i).items(), slowo[i]);
        QCOMPARE(run.kaz.Slowo(i).selectedIndex(), selected[i]);
    }
    QCOMPARE(run.kaz.dum_N(2).items(), codes);
    QCOMPARE(run.kaz.ndapis(), ndapis);
    QCOMPARE(run.kaz.prowerkaText(0), prowerka);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(run.kaz.uprawlEnabled(i), enabled[i]);
    QCOMPARE(run.kaz.Cweta().item(15), QString::number(192 + 256 * 255));
}

void TestCwiat::cancelKeepsEditsForNextOpening()
{
    Run run;
    const Looks layout = looksOf(run.kaz);
    Cwiat &d = run.open();
    d.chooseOption(2);
    d.moveSlider(2, 40);
    d.chooseOption(0);
    d.moveSlider(1, 7);
    d.mnu_Otkaz_Click();

    QVERIFY(!run.kaz.cwiat());
    QVERIFY(sameLooks(looksOf(run.kaz), layout));

    Cwiat &again = run.open();
    QVERIFY(again.Option1Value(0));
    QCOMPARE(again.Izbor(), quint8(0));
    QCOMPARE(again.Tekusht_cwqt(), 0);
    QCOMPARE(again.Slider1Value(0), 128);
    QCOMPARE(again.Slider1Value(1), 7);
    QCOMPARE(again.Slider1Value(2), 0);
    QCOMPARE(again.Option1BackColor(2), 8 + 65536 * 40);
    QCOMPARE(again.Text_Cv().foreground, 8 + 65536 * 40);

    // A movement now edits group 0 again.
    again.moveSlider(2, 1);
    QCOMPARE(run.item(3), QString::number(128 + 256 * 7 + 65536));
    QCOMPARE(run.item(6), QStringLiteral("1"));
    QCOMPARE(run.item(11), QString::number(8 + 65536 * 40));

    again.mnu_zapis_Click();
    QCOMPARE(run.kaz.windowLook().background, 128 + 256 * 7 + 65536);
    QCOMPARE(run.kaz.prowerkaLook().foreground, 8 + 65536 * 40);
    QCOMPARE(run.kaz.ndapisLook().foreground, 8 + 65536 * 40);
}

void TestCwiat::colorAgainDoesNotReload()
{
    Run run;
    QSignalSpy shown(&run.kaz, &Kaz::appearanceRequested);
    Cwiat &d = run.open();
    d.chooseOption(1);
    d.moveSlider(0, 3);
    const QStringList store = run.kaz.Cweta().items();

    run.kaz.Cwqt_Click();
    QCOMPARE(run.kaz.cwiat(), &d);
    QCOMPARE(shown.count(), 2);
    QCOMPARE(d.Izbor(), quint8(1));
    QCOMPARE(d.Slider1Value(0), 3);
    QCOMPARE(d.Label_ST(0), QStringLiteral("3"));
    QCOMPARE(run.kaz.Cweta().items(), store);
}

void TestCwiat::storedFontNotOffered_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("not_installed") << QStringLiteral("Garamond Classic");
    QTest::addRow("differs_in_letter_case") << QStringLiteral("times new roman");
}

void TestCwiat::storedFontNotOffered()
{
    QFETCH(QString, name);
    Run run;
    run.kaz.Cweta().setItem(1, name);
    const Cwiat &d = run.open();

    QCOMPARE(d.List_font(0).selectedIndex(), -1);
    QCOMPARE(d.List_font(0).count(), 3);
    QCOMPARE(d.FontName(), name);
    QCOMPARE(d.Text_Cv().fontName, TNR);
    QCOMPARE(run.item(1), name);
}

void TestCwiat::storedSizeNotOffered()
{
    Run run;
    run.kaz.Cweta().setItem(2, QStringLiteral("20"));
    const Cwiat &d = run.open();
    QCOMPARE(d.List_font(1).selectedIndex(), -1);
    QCOMPARE(d.Text_Cv().fontSize, 20.0);
    QCOMPARE(run.item(2), QStringLiteral("20"));
}

void TestCwiat::fontNameChoice()
{
    Run run({QStringLiteral("Verdana"), QStringLiteral("arial"), TNR, QStringLiteral("Courier New")});
    Cwiat &d = run.open();
    QCOMPARE(d.List_font(0).items(),
             QStringList({QStringLiteral("arial"), QStringLiteral("Courier New"), TNR, QStringLiteral("Verdana")}));
    QCOMPARE(d.List_font(0).selectedIndex(), 2);

    d.List_font(0).setSelectedIndex(0);
    QCOMPARE(d.Text_Cv().fontName, QStringLiteral("arial"));
    QCOMPARE(run.item(1), QStringLiteral("arial"));
    QCOMPARE(run.kaz.slowoLook(0).fontName, TNR);

    d.mnu_zapis_Click();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(run.kaz.slowoLook(i).fontName, QStringLiteral("arial"));
    QCOMPARE(run.kaz.prowerkaLook().fontName, QStringLiteral("arial"));
}

void TestCwiat::lastMatchingFontStaysSelected()
{
    Run run({TNR, QStringLiteral("Arial"), TNR});
    const Cwiat &d = run.open();
    QCOMPARE(d.List_font(0).count(), 3);
    QCOMPARE(d.List_font(0).selectedIndex(), 2);
    QCOMPARE(d.List_font(0).item(1), TNR);
}

QTEST_GUILESS_MAIN(TestCwiat)
#include "tst_cwiat.moc"
