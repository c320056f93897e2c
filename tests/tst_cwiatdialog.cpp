// The appearance dialog on screen, opened from the test window's menu and driven with
// the mouse and keys as a learner drives it.
#include "AppearanceStore.h"
#include "Cwiat.h"
#include "CwiatDialog.h"
#include "Kaz.h"
#include "KazProgram.h"
#include "KazView.h"
#include "ListBox.h"
#include "TestFiles.h"
#include "WindowsDiffers.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

const QString TNR = QStringLiteral("Times New Roman");

using TestFiles::shippedTest;

QColor rgb(qint32 bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void clickMenu(QMainWindow *window, QAction *action)
{
    QMenuBar *bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
}

QRect handleOf(QSlider *s)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.subControls = QStyle::SC_All;
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = s->sliderPosition();
    opt.sliderValue = s->value();
    opt.singleStep = s->singleStep();
    opt.pageStep = s->pageStep();
    opt.tickPosition = s->tickPosition();
    opt.tickInterval = s->tickInterval();
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
}

// The running program with its test window shown and the dialog opened from "Color".
struct Program
{
    KazProgram program{shippedTest()};
    KazView &view = *program.view();
    Kaz &kaz = *program.model();

    Program()
    {
        view.showCentred();
        if (!QTest::qWaitForWindowExposed(&view))
            qFatal("the test window was not shown");
    }

    CwiatDialog *open()
    {
        clickMenu(&view, view.Cwqt());
        CwiatDialog *d = view.Cwiat();
        if (d && !QTest::qWaitForWindowExposed(d))
            return nullptr;
        return d;
    }
    QString item(int i) const { return kaz.Cweta().item(i); }
};

} // namespace

class TestCwiatDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { kazFailOnWarningsBut(); }

    void controlsInPlace_data();
    void controlsInPlace();
    void windowFromColorMenu();
    void sliderKeys_data();
    void sliderKeys();
    void sliderDragAndTrackClick();
    void optionButtonLoadsSliders();
    void sizeChoiceThenSave();
    void typingChoosesSize();
    void closingByFrameIsCancel();
    void colorAgainRaisesTheSameWindow();
    void colorRightAfterClosingOpensNewWindow_data();
    void colorRightAfterClosingOpensNewWindow();
};

void TestCwiatDialog::controlsInPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("tooltip");

    QTest::addRow("picColor") << u"picColor"_qs << QRect(240, 120, 5055, 915) << true << u"Получен изходен цвят"_qs;
    QTest::addRow("label_cv_3_code") << u"Label_Cv(3)"_qs << QRect(795, 1150, 4020, 255) << true
                                     << u"Показва цифровата стойност на формирания цвят в 16-ична бройна система "_qs;
    QTest::addRow("label_cv_0_red_letter") << u"Label_Cv(0)"_qs << QRect(120, 1560, 320, 315) << true << QString();
    QTest::addRow("slider_blue") << u"Slider1(2)"_qs << QRect(440, 2520, 3000, 315) << true
                                 << u"Промяна на стойн остта на синята съставка "_qs;
    QTest::addRow("label_st_1_green_value") << u"Label_ST(1)"_qs << QRect(3440, 2040, 315, 315) << true
                                            << u"Цифрова стойност на зеления цвят в обхвата [0 - 255] "_qs;
    QTest::addRow("option_1_text_background") << u"Option1(1)"_qs << QRect(3860, 2040, 345, 285) << true
                                              << u" За настройване цвета на фона в текстовите полета "_qs;
    QTest::addRow("option_3_hidden") << u"Option1(3)"_qs << QRect(3860, 3000, 345, 285) << false
                                     << u" За настройване цвета на фона на бутоните "_qs;
    QTest::addRow("label_cv_7_text_colour") << u"Label_Cv(7)"_qs << QRect(4200, 2520, 1155, 285) << true
                                            << u" За настройване цвета на текста в текстовите полета "_qs;
    QTest::addRow("label_cv_8_hidden") << u"Label_Cv(8)"_qs << QRect(4200, 3000, 1155, 285) << false
                                       << u" За настройване цвета на фона на бутоните "_qs;
    QTest::addRow("label_cv_4_size") << u"Label_Cv(4)"_qs << QRect(3860, 3450, 1490, 285) << true
                                     << u"Показва размера на буквите във формирания текст "_qs;
    QTest::addRow("font_names_hidden") << u"List_font(0)"_qs << QRect(600, 2900, 2655, 1200) << false
                                       << u" Определя избрания шрифт "_qs;
    QTest::addRow("font_sizes") << u"List_font(1)"_qs << QRect(3840, 3840, 855, 735) << true
                                << u" Определя размера на буквите "_qs;
    QTest::addRow("sample_text") << u"Text_Cv(0)"_qs << QRect(600, 4200, 2655, 405) << true
                                 << u"Полето илюстрира шрифт, размер на букви, цвят и фон на букви "_qs;
}

void TestCwiatDialog::controlsInPlace()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(bool, visible);
    QFETCH(QString, tooltip);
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    QWidget *w = d->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    const QRect expected(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0), qRound(twips.width() / 15.0),
                         qRound(twips.height() / 15.0));
    QCOMPARE(w->geometry(), expected);
    QCOMPARE(w->isVisible(), visible);
    QCOMPARE(w->toolTip(), tooltip);
}

void TestCwiatDialog::windowFromColorMenu()
{
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), u"Формиране на цвят/избор на шрифт"_qs);
    QVERIFY(!(d->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(d->minimumSize(), d->maximumSize());
    QCOMPARE(d->centralWidget()->size(), QSize(369, 314));
    QVERIFY(!d->isModal());
    QVERIFY(!d->parentWidget());
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    // Placed before the frame is known, so the frame may shift it by its margins.
    QVERIFY((d->frameGeometry().center() - screenCentre).manhattanLength() <= 8);
    QCOMPARE(d->mnu_zapis()->text(), u"Запис"_qs);
    QCOMPARE(d->mnu_Otkaz()->text(), u"Отказ"_qs);

    // Opened on the shipped store: previews from the store, labels as laid out.
    QCOMPARE(d->Slider1(0)->value(), 128);
    QCOMPARE(d->Slider1(1)->value(), 0);
    QVERIFY(d->Option1(0)->isChecked());
    QCOMPARE(d->picColor()->palette().color(QPalette::Window), rgb(128));
    QCOMPARE(d->Text_Cv()->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(d->Text_Cv()->palette().color(QPalette::Text), rgb(8));
    QCOMPARE(d->Text_Cv()->text(), u"Шрифт"_qs);
    QCOMPARE(d->Option1(2)->palette().color(d->Option1(2)->backgroundRole()), rgb(8));
    QCOMPARE(d->centralWidget()->palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(d->Label_ST(0)->text(), u"R"_qs);
    QCOMPARE(d->Label_Cv(3)->text(), u"Цвят"_qs);
    QCOMPARE(d->Label_Cv(4)->text(), u"Размер  шрифт"_qs);
    const QModelIndexList size = d->List_font(1)->selectionModel()->selectedIndexes();
    QCOMPARE(size.size(), 1);
    QCOMPARE(size.first().data().toString(), u"12"_qs);
}

void TestCwiatDialog::sliderKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("red");

    QTest::addRow("right_arrow_small_step") << Qt::Key_Right << 129;
    QTest::addRow("left_arrow_small_step") << Qt::Key_Left << 127;
    QTest::addRow("page_up_large_step") << Qt::Key_PageUp << 138;
    QTest::addRow("page_down_large_step") << Qt::Key_PageDown << 118;
    QTest::addRow("home_to_0") << Qt::Key_Home << 0;
    QTest::addRow("end_to_255") << Qt::Key_End << 255;
}

void TestCwiatDialog::sliderKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(int, red);
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    QSlider *s = d->Slider1(0);
    s->setFocus();
    QTest::keyClick(s, key);

    QCOMPARE(s->value(), red);
    QCOMPARE(p.item(4), QString::number(red));
    QCOMPARE(p.item(3), QString::number(red));
    QCOMPARE(d->Label_ST(0)->text(), QString::number(red));
    QCOMPARE(d->Label_ST(1)->text(), u"0"_qs);
    QCOMPARE(d->Label_Cv(3)->text(), u"Цвят в 10/16-тичен код = "_qs + QString::number(red) + u" /H"_qs
                                         + QString::number(red, 16).toUpper());
    QCOMPARE(d->picColor()->palette().color(QPalette::Window), rgb(red));
    QCOMPARE(d->centralWidget()->palette().color(QPalette::Window), rgb(red));
    QCOMPARE(d->Option1(0)->palette().color(d->Option1(0)->backgroundRole()), rgb(red));
}

void TestCwiatDialog::sliderDragAndTrackClick()
{
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    QTest::mouseClick(d->Option1(1), Qt::LeftButton);
    QCOMPARE(d->Slider1(1)->value(), 255);

    // Dragging green down reaches the store at every step, before the button is released.
    QSlider *green = d->Slider1(1);
    const QPoint start = handleOf(green).center();
    QTest::mousePress(green, Qt::LeftButton, {}, start);
    int last = 255;
    for (int dx = 10; dx <= 60; dx += 10) {
        QTest::mouseMove(green, start - QPoint(dx, 0));
        QVERIFY2(green->value() < last, qPrintable(QString::number(green->value())));
        last = green->value();
        QCOMPARE(p.item(9), QString::number(last));
        QCOMPARE(p.item(7), QString::number(255 + 256 * last + 65536 * 255));
        QCOMPARE(d->Label_ST(1)->text(), QString::number(last));
        QCOMPARE(d->Text_Cv()->palette().color(QPalette::Base), QColor(255, last, 255));
    }
    QTest::mouseRelease(green, Qt::LeftButton, {}, start - QPoint(60, 0));
    QCOMPARE(green->value(), last);

    // A click on the track beside the handle moves by the large step.
    QSlider *blue = d->Slider1(2);
    const QRect handle = handleOf(blue);
    QTest::mouseClick(blue, Qt::LeftButton, {}, QPoint(handle.left() - 20, handle.center().y()));
    QCOMPARE(blue->value(), 245);
    QCOMPARE(p.item(10), u"245"_qs);
    QCOMPARE(d->picColor()->palette().color(QPalette::Window), QColor(255, last, 245));
    // The dialog's background belongs to group 0 and is left alone.
    QCOMPARE(d->centralWidget()->palette().color(QPalette::Window), QColor(128, 128, 128));
}

void TestCwiatDialog::optionButtonLoadsSliders()
{
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    const QStringList store = p.kaz.Cweta().items();
    QTest::mouseClick(d->Option1(2), Qt::LeftButton);

    QVERIFY(d->Option1(2)->isChecked());
    QVERIFY(!d->Option1(0)->isChecked());
    QCOMPARE(d->Slider1(0)->value(), 8);
    QCOMPARE(d->Slider1(1)->value(), 0);
    QCOMPARE(d->Slider1(2)->value(), 0);
    QCOMPARE(p.kaz.Cweta().items(), store);
    QCOMPARE(d->Label_ST(0)->text(), u"8"_qs);
    QCOMPARE(d->Text_Cv()->palette().color(QPalette::Text), rgb(8));
    QCOMPARE(d->picColor()->palette().color(QPalette::Window), rgb(8));
}

void TestCwiatDialog::sizeChoiceThenSave()
{
    Program p;
    const int ndapisPixels = p.view.Ndapis()->font().pixelSize();
    const QColor buttonColour = p.view.Uprawl(0)->palette().color(QPalette::Button);
    const QFont buttonFont = p.view.Uprawl(0)->font();
    const QStringList left = p.kaz.Slowo(0).items();
    const int leftRow = p.kaz.Slowo(0).selectedIndex();

    CwiatDialog *d = p.open();
    QVERIFY(d);
    ListBox *sizes = d->List_font(1);
    const QModelIndex row14 = sizes->model()->index(6, 0);
    sizes->scrollTo(row14);
    QTest::mouseClick(sizes->viewport(), Qt::LeftButton, {}, sizes->visualRect(row14).center());
    QCOMPARE(p.item(2), u"14"_qs);
    QCOMPARE(d->Text_Cv()->font().pixelSize(), 19); // 14 pt at 96 per inch
    QCOMPARE(p.view.Slowo(0)->font().pixelSize(), 16);

    QTest::keyClick(d->Slider1(2), Qt::Key_End); // group 0: window background red 128, blue 255
    QPointer<CwiatDialog> closing(d);
    clickMenu(d, d->mnu_zapis());
    QVERIFY(!p.kaz.cwiat());
    QTRY_VERIFY(!closing);

    QCOMPARE(p.view.centralWidget()->palette().color(QPalette::Window), QColor(128, 0, 255));
    for (int i = 0; i < 3; ++i) {
        ListBox *list = p.view.Slowo(i);
        QCOMPARE(list->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(list->palette().color(QPalette::Text), rgb(8));
        QCOMPARE(list->font().pixelSize(), 19);
        QCOMPARE(list->font().family(), TNR);
    }
    QCOMPARE(p.view.Prowerka0()->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(p.view.Prowerka0()->palette().color(QPalette::Text), rgb(8));
    QCOMPARE(p.view.Prowerka0()->font().pixelSize(), 19);
    QCOMPARE(p.view.Ndapis()->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(p.view.Ndapis()->palette().color(QPalette::WindowText), rgb(8));
    QCOMPARE(p.view.Ndapis()->font().pixelSize(), ndapisPixels);
    // The buttons keep their own colours and the window's font.
    QCOMPARE(p.view.Uprawl(0)->palette().color(QPalette::Button), buttonColour);
    QCOMPARE(p.view.Uprawl(0)->font(), buttonFont);
    QCOMPARE(p.kaz.Slowo(0).items(), left);
    QCOMPARE(p.kaz.Slowo(0).selectedIndex(), leftRow);
}

// Typing the start of a size chooses the next size that starts so, as a click would.
void TestCwiatDialog::typingChoosesSize()
{
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    QCOMPARE(p.item(2), u"12"_qs);
    d->List_font(1)->setFocus();
    QTest::keyClick(d->List_font(1), '1');
    QCOMPARE(p.item(2), u"13"_qs);
    QCOMPARE(d->Text_Cv()->font().pixelSize(), 17); // 13 pt at 96 per inch
    QCOMPARE(d->List_font(1)->selectionModel()->selectedIndexes().size(), 1);
    QCOMPARE(d->List_font(1)->selectionModel()->selectedIndexes().first().data().toString(), u"13"_qs);
}

void TestCwiatDialog::closingByFrameIsCancel()
{
    Program p;
    const QColor before = p.view.centralWidget()->palette().color(QPalette::Window);
    CwiatDialog *d = p.open();
    QVERIFY(d);
    d->Slider1(1)->setFocus();
    QTest::keyClick(d->Slider1(1), Qt::Key_PageUp);
    QCOMPARE(p.item(5), u"10"_qs);

    QPointer<CwiatDialog> closing(d);
    QVERIFY(d->close());
    QVERIFY(!p.kaz.cwiat());
    QTRY_VERIFY(!closing);
    QCOMPARE(p.view.centralWidget()->palette().color(QPalette::Window), before);

    CwiatDialog *again = p.open();
    QVERIFY(again);
    QCOMPARE(again->Slider1(1)->value(), 10);
    QCOMPARE(again->Label_ST(1)->text(), u"G"_qs);
    clickMenu(again, again->mnu_Otkaz());
    QTRY_VERIFY(!p.view.Cwiat());
    QCOMPARE(p.item(5), u"10"_qs);
    QCOMPARE(p.view.centralWidget()->palette().color(QPalette::Window), before);
}

void TestCwiatDialog::colorAgainRaisesTheSameWindow()
{
    Program p;
    CwiatDialog *d = p.open();
    QVERIFY(d);
    QTest::keyClick(d->Slider1(0), Qt::Key_Left);
    if (QGuiApplication::platformName() == u"offscreen")
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
    clickMenu(&p.view, p.view.Cwqt());
    QCOMPARE(p.view.Cwiat(), d);
    QCOMPARE(d->Slider1(0)->value(), 127);
    QCOMPARE(d->Label_ST(0)->text(), u"127"_qs);
    int dialogs = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<CwiatDialog *>(w))
            ++dialogs;
    QCOMPARE(dialogs, 1);
}

// The closed window goes once control is back in the event loop; a "Color" before that
// makes a new window, which stays.
void TestCwiatDialog::colorRightAfterClosingOpensNewWindow_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addRow("otkaz") << u"otkaz"_qs;
    QTest::addRow("zapis") << u"zapis"_qs;
    QTest::addRow("frame") << u"frame"_qs;
}

void TestCwiatDialog::colorRightAfterClosingOpensNewWindow()
{
    QFETCH(QString, ending);
    Program p;
    QPointer<CwiatDialog> first = p.open();
    QVERIFY(first);
    if (ending == u"otkaz")
        first->mnu_Otkaz()->trigger();
    else if (ending == u"zapis")
        first->mnu_zapis()->trigger();
    else
        QVERIFY(first->close());
    QVERIFY(!p.kaz.cwiat());
    QVERIFY(first && !first->isVisible());

    p.kaz.Cwqt_Click();
    QPointer<CwiatDialog> second = p.view.Cwiat();
    QVERIFY(second);
    QVERIFY(second != first);
    QVERIFY(!first); // replaced at once
    QCoreApplication::processEvents(); // the closed window's deletion, still queued
    QVERIFY(second);
    QCOMPARE(p.view.Cwiat(), second.data());
    QVERIFY(second->isVisible());
    QCOMPARE(second->model(), p.kaz.cwiat());
}

QTEST_MAIN(TestCwiatDialog)
#include "tst_cwiatdialog.moc"
