// The test window as a learner meets it: real widgets, mouse clicks and keys.
#include "Kaz.h"
#include "KazProgram.h"
#include "KazView.h"
#include "ListBox.h"
#include "ListText.h"
#include "PictureBox.h"
#include "PictureWindow.h"
#include "ShownState.h"
#include "TestContent.h"
#include "Cwiat.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QWindow>

namespace {

using TestFiles::shippedTest;

// Types `text` as a learner does, a key with its letter at a time (QTest::keyClicks
// types Latin-1 only).
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

struct Window
{
    Kaz model;
    KazView view{&model};

    explicit Window(const QString &test = shippedTest())
        : model([test] { return KazProgram::load(test); })
    {
        model.Form_Load();
        view.showCentred();
    }

    void clickRow(int list, int row)
    {
        ListBox *box = view.Slowo(list);
        const QModelIndex index = box->model()->index(row, 0);
        box->scrollTo(index);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualRect(index).center());
    }
    void clickButton(int i) { QTest::mouseClick(view.Uprawl(i), Qt::LeftButton); }
    int rowOf(int list, const QString &text) const { return int(model.Slowo(list).items().indexOf(text)); }
    void pair(const QString &left, const QString &right)
    {
        clickRow(0, rowOf(0, left));
        clickRow(1, rowOf(1, right));
        clickButton(0);
    }
    QString shownText() const { return view.Prowerka0()->toPlainText(); }
    int selectedRow(int list) const
    {
        const QModelIndexList rows = view.Slowo(list)->selectionModel()->selectedIndexes();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
};

const QStringList Left = {u"Асеновград"_qs, u"Белоградчик"_qs, u"Благоевград"_qs, u"Ботевград"_qs, u"Варна"_qs,
                          u"Велико Търново"_qs, u"Видин"_qs, u"Кула"_qs, u"Лом"_qs, u"Монтана"_qs, u"Несебър"_qs,
                          u"Плевен"_qs, u"Пловдив"_qs, u"Поморие"_qs, u"Русе"_qs, u"Смолян"_qs, u"Созопол"_qs,
                          u"София"_qs, u"Стара Загора"_qs, u"Търговище"_qs, u"Ямбол"_qs};
const QStringList Right = {u"Станимака"_qs, u"Белградин"_qs, u"Горна Джумая"_qs, u"Орхание"_qs, u"Одесос"_qs,
                           u"Царев град."_qs, u"Бдин"_qs, u"Кастра Мартис"_qs, u"Алмус"_qs, u"Монтанезиум"_qs,
                           u"Месамбрия"_qs, u"Сторгозия"_qs, u"Филипополис"_qs, u"Анхиало"_qs, u"Русчук"_qs,
                           u"Езерово"_qs, u"Аполония"_qs, u"Сердика"_qs, u"Берое"_qs, u"Ески Джумая"_qs,
                           u"Дианополис"_qs};

} // namespace

class TestKazView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void startupShowsTheShippedTest()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        QVERIFY(w.view.windowTitle().endsWith(u" KAZ по История - стари названия на градове"_qs));
        QCOMPARE(w.view.Slowo(0)->model()->rowCount(), 21);
        QCOMPARE(w.view.Slowo(1)->model()->index(0, 0).data().toString(), u"Алмус"_qs);
        QCOMPARE(w.selectedRow(0), 0);
        QCOMPARE(w.selectedRow(1), 0);
        QCOMPARE(w.selectedRow(2), -1);
        QCOMPARE(w.view.Ndapis()->text(), u"Оставащи:"_qs);
        QVERIFY(w.shownText().startsWith(u"Това е релационен тест.\n"_qs));
        QVERIFY(w.view.Uprawl(0)->isEnabled());
        QVERIFY(w.view.Uprawl(1)->isEnabled());
        QVERIFY(!w.view.Uprawl(2)->isEnabled());
        QVERIFY(w.view.Uprawl(3)->isEnabled());
        QVERIFY(!w.view.Prowerka1()->isVisible());
        // 11250 twips outer width, the frame's share taken off: 742 pixels of client.
        QCOMPARE(w.view.centralWidget()->width(), 742);
        QCOMPARE(w.view.Slowo(0)->geometry(), QRect(8, 32, 209, 137));
        QCOMPARE(w.view.Slowo(1)->geometry(), QRect(224, 32, 438, 137));
        // The window keeps its size.
        QCOMPARE(w.view.minimumSize(), w.view.maximumSize());
        QVERIFY(!(w.view.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(w.view.windowFlags() & Qt::WindowMinimizeButtonHint));
    }

    void wholeTestWithTheMouse()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));

        w.pair(u"Асеновград"_qs, u"Станимака"_qs);
        QCOMPARE(w.view.Ndapis()->text(), u"Остават: 20"_qs);
        QCOMPARE(w.view.Slowo(2)->model()->index(0, 0).data().toString(), u"Асеновград Станимака"_qs);
        QCOMPARE(w.selectedRow(0), -1);
        QCOMPARE(w.selectedRow(1), -1);

        // A wrong pair, then taken back: both phrases return to their places.
        w.pair(u"Варна"_qs, u"Бдин"_qs);
        QCOMPARE(w.view.Ndapis()->text(), u"Остават: 19"_qs);
        w.clickRow(2, 1);
        w.clickButton(1);
        QCOMPARE(w.view.Ndapis()->text(), u"Остават: 20"_qs);
        QCOMPARE(w.view.Slowo(2)->model()->rowCount(), 1);
        QVERIFY(w.rowOf(0, u"Варна"_qs) >= 0);
        QVERIFY(w.rowOf(1, u"Бдин"_qs) >= 0);
        QVERIFY(!w.model.Slowo(0).items().contains(QString()));
        QCOMPARE(w.selectedRow(2), 0); // the last remaining pair is selected

        // Fifteen more right pairs: 16 in all, 5 right phrases left.
        for (int k = 1; k < 16; ++k)
            w.pair(Left[k], Right[k]);
        QVERIFY(!w.view.Uprawl(2)->isEnabled()); // the rule runs at the next click only
        w.clickButton(0);                        // nothing selected: no pair, but the rule runs
        QVERIFY(w.view.Uprawl(2)->isEnabled());

        w.clickButton(2);
        QCOMPARE(w.view.Ndapis()->text(), u"Верни: 76%"_qs);
        QVERIFY(!w.view.Uprawl(0)->isEnabled());
        QVERIFY(!w.view.Uprawl(1)->isEnabled());
        QVERIFY(!w.view.Uprawl(2)->isEnabled());
        QVERIFY(w.view.Uprawl(3)->isEnabled());
        QVERIFY(w.view.Prowerka1()->isVisible());
        QCOMPARE(w.view.Prowerka1()->text(), u"ДА"_qs);
        QCOMPARE(w.view.Prowerka1()->palette().color(QPalette::Base), QColor(0, 255, 0));
        QCOMPARE(w.selectedRow(2), 0);

        // Explaining the third pair.
        w.clickRow(2, 2);
        QCOMPARE(w.view.Prowerka1()->text(), u"ДА"_qs);
        QCOMPARE(w.shownText(), QString());
        w.clickButton(3);
        QCOMPARE(w.shownText(), u"\n\"Благоевград\" е във връзка с \"Горна Джумая\""_qs);
        QVERIFY(!w.view.Uprawl(2)->isEnabled());
    }

    // "Оцени" clicked with the mouse has the keyboard focus when grading disables it; the
    // focus moves on to the verdict box, which grading has shown by then.
    void gradingHandsFocusToVerdict()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        QApplication::setActiveWindow(&w.view);
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        for (int k = 0; k < 21; ++k)
            w.pair(Left[k], Right[k]);
        QVERIFY(w.view.Uprawl(2)->isEnabled());
        w.clickButton(2);
        QVERIFY(w.view.Prowerka1()->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.view.Prowerka1());
    }

    // Grading hands the focus from "Оцени" to the verdict box, whose text is not left
    // selected, also when the first pair's verdict was on show before.
    void verdictNotLeftSelected_data()
    {
        QTest::addColumn<bool>("pairSelectedBefore");
        QTest::addRow("new_verdict") << false;
        QTest::addRow("same_verdict_as_before") << true;
    }
    void verdictNotLeftSelected()
    {
        QFETCH(bool, pairSelectedBefore);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        QApplication::setActiveWindow(&w.view);
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        for (int k = 0; k < 21; ++k)
            w.pair(Left[k], Right[k]);
        if (pairSelectedBefore)
            w.clickRow(2, 0);
        QCOMPARE(w.model.prowerkaText(1), pairSelectedBefore ? u"ДА"_qs : QString());
        w.clickButton(2);
        QCOMPARE(QApplication::focusWidget(), w.view.Prowerka1());
        QCOMPARE(w.view.Prowerka1()->text(), u"ДА"_qs);
        QVERIFY(!w.view.Prowerka1()->hasSelectedText());
    }

    void wrongPairShowsRedAfterGrading()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        w.clickButton(0); // row 0 of each side: "Асеновград" with "Алмус"
        QCOMPARE(w.view.Slowo(2)->model()->index(0, 0).data().toString(), u"Асеновград Алмус"_qs);
        w.pair(u"Лом"_qs, u"Станимака"_qs);
        for (int k = 1; k < 21; ++k)
            if (k != 8)
                w.pair(Left[k], Right[k]);
        QCOMPARE(w.model.Slowo(1).count(), 0);
        // The rule ran at the last "Избрах" with 20 pairs against one right phrase.
        QVERIFY(w.view.Uprawl(2)->isEnabled());
        w.clickButton(2);
        QCOMPARE(w.view.Ndapis()->text(), u"Верни: 90%"_qs);
        QCOMPARE(w.view.Prowerka1()->text(), u"НЕ"_qs);
        QCOMPARE(w.view.Prowerka1()->palette().color(QPalette::Base), QColor(255, 0, 0));
    }

    // The verdict is written in the window's font, and the box shows all of it: the ink of
    // "ДА" or "НЕ" in the box is as wide as the same text drawn on a free canvas, centred,
    // with background between it and the frame on both sides.
    // Each button in its own colour with black text, grey text when disabled, and a thicker
    // frame while it has the keyboard focus; nothing of the window uses a style sheet.
    void buttonsInTheirColours()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        const QColor colours[4] = {QColor(255, 128, 0), QColor(255, 255, 128), QColor(192, 192, 255),
                                   QColor(0, 192, 0)};
        // Counts the pixels of the button's face in `c` and the text pixels (dark, or the
        // disabled grey) inside its frame.
        const auto look = [](QPushButton *b, const QColor &face) {
            const QImage img = b->grab().toImage();
            int faceCount = 0, dark = 0, grey = 0;
            for (int y = 3; y < img.height() - 3; ++y)
                for (int x = 3; x < img.width() - 3; ++x) {
                    const QColor c = img.pixelColor(x, y);
                    if (c == face)
                        ++faceCount;
                    else if (c.red() < 60 && c.green() < 60 && c.blue() < 60)
                        ++dark;
                    else if (std::abs(c.red() - 0x7a) < 12 && std::abs(c.green() - 0x7a) < 12
                             && std::abs(c.blue() - 0x7a) < 12)
                        ++grey;
                }
            return std::tuple{faceCount, dark, grey, img};
        };
        for (int i = 0; i < 4; ++i) {
            QPushButton *b = w.view.Uprawl(i);
            const auto [face, dark, grey, img] = look(b, colours[i]);
            const int inner = (img.width() - 6) * (img.height() - 6);
            QVERIFY2(face > inner / 2, qPrintable(u"button %1: %2 of %3 pixels in its colour"_qs.arg(i).arg(face).arg(inner)));
            if (b->isEnabled())
                QVERIFY2(dark > 20 && grey == 0, qPrintable(u"button %1: %2 dark, %3 grey"_qs.arg(i).arg(dark).arg(grey)));
            else
                QVERIFY2(dark == 0 && grey > 20, qPrintable(u"button %1: %2 dark, %3 grey"_qs.arg(i).arg(dark).arg(grey)));
            QVERIFY(b->styleSheet().isEmpty());
        }
        QVERIFY(!w.view.Uprawl(2)->isEnabled()); // so the grey text above was looked at
        QVERIFY(qApp->styleSheet().isEmpty());

        // The focus frame: the pixel just inside the outer edge turns black.
        QPushButton *b = w.view.Uprawl(0);
        const QPoint inside(b->width() / 2, 1);
        QVERIFY(b->grab().toImage().pixelColor(inside) != QColor(Qt::black));
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());
        QCOMPARE(b->grab().toImage().pixelColor(inside), QColor(Qt::black));
    }
    void verdictInWindowFontFitsItsBox_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("verdict");
        QTest::addRow("right_pair_da") << true << u"ДА"_qs;
        QTest::addRow("wrong_pair_ne") << false << u"НЕ"_qs;
    }
    void verdictInWindowFontFitsItsBox()
    {
        QFETCH(bool, right);
        QFETCH(QString, verdict);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        Kaz &kaz = w.model;
        // The first pair crossed with the second for a wrong verdict; the rest right.
        const auto pairTexts = [&kaz](const QString &left, const QString &right) {
            kaz.Slowo(0).setSelectedIndex(int(kaz.Slowo(0).items().indexOf(left)));
            kaz.Slowo(1).setSelectedIndex(int(kaz.Slowo(1).items().indexOf(right)));
            kaz.Uprawl_Click(0);
        };
        pairTexts(Left[0], Right[right ? 0 : 1]);
        pairTexts(Left[1], Right[right ? 1 : 0]);
        for (int k = 2; k < 21; ++k)
            pairTexts(Left[k], Right[k]);
        kaz.Uprawl_Click(0);
        kaz.Uprawl_Click(2);
        QLineEdit *box = w.view.Prowerka1();
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), verdict);
        QCOMPARE(box->size(), QSize(33, 33)); // 495 × 495 twips

        const QFont windowFont = w.view.centralWidget()->font();
        QCOMPARE(box->font().family(), windowFont.family());
        QCOMPARE(box->font().pixelSize(), 16); // 12 pt at 96 per inch
        QCOMPARE(box->font().pixelSize(), w.view.Uprawl(0)->font().pixelSize());

        // Columns holding near-black text pixels, left and right; (-1, -1) for none.
        const auto inkColumns = [](const QImage &image) {
            int first = -1;
            int last = -1;
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.red() < 80 && c.green() < 80 && c.blue() < 80) {
                        if (first < 0)
                            first = x;
                        last = x;
                        break;
                    }
                }
            return std::pair{first, last};
        };
        QImage canvas(200, 60, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        {
            QPainter painter(&canvas);
            painter.setFont(box->font());
            painter.setPen(Qt::black);
            painter.drawText(canvas.rect(), Qt::AlignCenter, verdict);
        }
        const auto [canvasFirst, canvasLast] = inkColumns(canvas);
        QVERIFY(canvasFirst > 0);
        const int canvasSkew = canvasFirst - (canvas.width() - 1 - canvasLast);

        const QImage shown = box->grab().toImage();
        const auto [first, last] = inkColumns(shown);
        QVERIFY2(first >= 0, "no text in the verdict box");
        QCOMPARE(last - first, canvasLast - canvasFirst);
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        const int leftGap = first - frame;
        const int rightGap = shown.width() - frame - 1 - last;
        QVERIFY2(leftGap > 0 && rightGap > 0, qPrintable(u"gaps %1 and %2"_qs.arg(leftGap).arg(rightGap)));
        // Centred as on the canvas, give or take the pixel an odd width leaves over.
        QVERIFY2(std::abs(leftGap - rightGap - canvasSkew) <= 1,
                 qPrintable(u"gaps %1 and %2, on the canvas %3 apart"_qs.arg(leftGap).arg(rightGap).arg(canvasSkew)));
    }

    void keyboardAlone()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        QApplication::setActiveWindow(&w.view);
        w.view.Slowo(0)->setFocus();
        QTRY_VERIFY(w.view.Slowo(0)->hasFocus());

        // Down selects "Белоградчик" on the left; Tab, then Down twice selects the third right phrase.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(w.model.Slowo(0).selectedIndex(), 1);
        QCOMPARE(w.model.Nomer_wypros(), qint16(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.view.Slowo(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(w.model.Slowo(1).selectedIndex(), 2);

        // Tab on to "Избрах" (past the chosen-pairs list) and press it with Space.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.view.Slowo(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.view.Uprawl(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(w.model.Slowo(2).items(), QStringList{u"Белоградчик Аполония"_qs});

        // Pair every remaining phrase from the keyboard. After a pair nothing is selected on
        // either side: Home goes to the first row and Space selects it where Home did not move.
        for (int guard = 0; guard < 25 && w.model.Slowo(1).count() > 0; ++guard) {
            w.view.Slowo(0)->setFocus();
            QTest::keyClick(w.view.Slowo(0), Qt::Key_Home);
            QTest::keyClick(w.view.Slowo(0), Qt::Key_Space);
            QCOMPARE(w.model.Slowo(0).selectedIndex(), 0);
            w.view.Slowo(1)->setFocus();
            QTest::keyClick(w.view.Slowo(1), Qt::Key_Home);
            QTest::keyClick(w.view.Slowo(1), Qt::Key_Space);
            QCOMPARE(w.model.Slowo(1).selectedIndex(), 0);
            QTest::keyClick(w.view.Slowo(1), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w.view.Uprawl(0));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QCOMPARE(w.model.Slowo(2).count(), 21);

        // "Оцени" is offered at the next button press: Tab to "Върни", press Space on "Избрах" first.
        w.view.Uprawl(0)->setFocus();
        QTest::keyClick(w.view.Uprawl(0), Qt::Key_Space);
        QVERIFY(w.view.Uprawl(2)->isEnabled());
        QTest::keyClick(w.view.Uprawl(0), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.view.Uprawl(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(w.view.Ndapis()->text().startsWith(u"Верни: "_qs));
        QVERIFY(w.view.Prowerka1()->isVisible());

        // Walk the pairs with the arrow keys and explain one with "Обясни".
        w.view.Slowo(2)->setFocus();
        QTest::keyClick(w.view.Slowo(2), Qt::Key_Down);
        QCOMPARE(w.model.Slowo(2).selectedIndex(), 1);
        w.view.Uprawl(3)->setFocus();
        QTest::keyClick(w.view.Uprawl(3), Qt::Key_Space);
        QVERIFY(w.shownText().contains(u" е във връзка с "_qs));
    }

    void modifierClickKeepsTheSelection()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        ListBox *box = w.view.Slowo(0);
        const QRect row0 = box->visualRect(box->model()->index(0, 0));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ControlModifier, row0.center());
        QCOMPARE(w.model.Slowo(0).selectedIndex(), 0);
        QCOMPARE(w.selectedRow(0), 0);
        const QRect row3 = box->visualRect(box->model()->index(3, 0));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ShiftModifier, row3.center());
        QCOMPARE(w.model.Slowo(0).selectedIndex(), 3);
        QCOMPARE(box->selectionModel()->selectedIndexes().size(), 1);
        QCOMPARE(w.model.dum_N(0).selectedIndex(), 3);
    }

    void screenReaderNames()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        const auto name = [](QObject *o) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
            return a ? a->text(QAccessible::Name) : QString();
        };
        const auto value = [](QObject *o) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
            return a ? a->text(QAccessible::Value) : QString();
        };
        QCOMPARE(name(w.view.Uprawl(0)), u"Избрах"_qs);
        QCOMPARE(name(w.view.Uprawl(2)), u"Оцени"_qs);
        QCOMPARE(name(w.view.Slowo(0)), u"Посочете елемента в релацията"_qs);
        QCOMPARE(name(w.view.Slowo(2)), u"Набор от вече въведени отговори"_qs);
        QCOMPARE(name(w.view.Ndapis()), u"Оставащи:"_qs);
        QVERIFY(value(w.view.Prowerka0()).startsWith(u"Това е релационен тест."_qs));

        w.clickButton(0);
        QCOMPARE(name(w.view.Ndapis()), u"Остават: 20"_qs);
        while (w.model.Slowo(1).count() > 0) {
            w.clickRow(0, 0);
            w.clickRow(1, 0);
            w.clickButton(0);
        }
        w.clickButton(1); // nothing selected to take back; offers "Оцени"
        w.clickButton(2);
        QVERIFY(w.view.Prowerka1()->isVisible());
        QCOMPARE(value(w.view.Prowerka1()), u"НЕ"_qs);
        QVERIFY(name(w.view.Ndapis()).startsWith(u"Верни: "_qs));
    }

    // The title bar shows the caption as written: Qt's "[*]" mark of unsaved changes has no
    // say in it. The picture window's title, from the caption's address, likewise.
    void captionShownAsWritten_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addRow("placeholder_at_end") << u"https://kaz.test Тест [*]"_qs;
        QTest::addRow("two_placeholders_in_a_row") << u"https://kaz.test [*][*] Тест"_qs;
        QTest::addRow("three_placeholders_in_a_row") << u"https://kaz.test [*][*][*]"_qs;
        QTest::addRow("placeholder_in_address") << u"https://kaz.test/[*] Тест"_qs;
        QTest::addRow("placeholder_inside_brackets") << u"https://kaz.test [[*]] [*]]"_qs;
        QTest::addRow("brackets_without_placeholder") << u"https://kaz.test [a] [* *]"_qs;
    }
    void captionShownAsWritten()
    {
        QFETCH(QString, caption);
        TestContent::Content c;
        c.left = QStringList{u"Лом"_qs};
        c.right = QStringList{u"Алмус"_qs};
        c.parameters[0] = caption;
        c.flags = QStringList{u"flags"_qs, u"1"_qs};
        TestContent::Window content(c.build());
        KazView view(&content.kaz);
        content.kaz.Form_Load();
        view.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(content.kaz.caption(), caption);
        QCOMPARE(view.windowHandle()->title(), caption);
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(window);
        QCOMPARE(window->text(QAccessible::Name), caption);

        // Qt raises a window it shows for the first time, and the picture window raises
        // itself; the offscreen platform says it cannot, each time.
        if (QGuiApplication::platformName() == u"offscreen")
            for (int i = 0; i < 2; ++i)
                QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        content.kaz.Grafika_Click(0);
        PictureWindow *pictures = view.KAZ_Graphika();
        QVERIFY(pictures && pictures->isVisible());
        QCOMPARE(pictures->windowHandle()->title(), caption.section(u' ', 0, 0) + u" - KAZ picture"_qs);
    }

    // The list cuts a phrase exactly where ListText, which the editor and gift2kaz measure with,
    // says: in a list as narrow as the phrase needs it shows whole, one pixel narrower it is cut;
    // with the scroll bar too. The list's place, row height and text area are ListText's.
    void listTextIsTheWindows_data()
    {
        QTest::addColumn<int>("phrases");
        QTest::addColumn<int>("narrower"); // twips less than the phrase needs
        // The application's style: the one this platform gives, or Windows' classic one (a
        // wider frame and scroll bar), which the lists must not take on.
        QTest::addColumn<QString>("style");
        const int shown = ListText::Measure().rowsShown();
        for (const QString &style : {QString(), u"Windows"_qs}) {
            const char *under = style.isEmpty() ? "" : "_under_windows_style";
            QTest::addRow("alone_fits%s", under) << 3 << 0 << style;
            QTest::addRow("alone_one_pixel_short%s", under) << 3 << 15 << style;
            QTest::addRow("every_row_shown_fits%s", under) << shown << 0 << style;
            QTest::addRow("every_row_shown_one_pixel_short%s", under) << shown << 15 << style;
            QTest::addRow("scroll_bar_fits%s", under) << shown + 1 << 0 << style;
            QTest::addRow("scroll_bar_one_pixel_short%s", under) << shown + 1 << 15 << style;
        }
    }
    void listTextIsTheWindows()
    {
        QFETCH(int, phrases);
        QFETCH(int, narrower);
        QFETCH(QString, style);
        const QString ownStyle = QApplication::style()->name();
        const auto restore = qScopeGuard([&ownStyle] { QApplication::setStyle(ownStyle); });
        if (!style.isEmpty())
            QVERIFY(QApplication::setStyle(style));
        const ListText::Measure m;
        // Sorted last, so that it is neither selected nor current.
        const QString phrase = u"Яма от записи, които се пазят дълго време в банка"_qs;
        TestContent::Content c;
        for (int i = 1; i < phrases; ++i) {
            c.left.append(u"А%1"_qs.arg(i));
            c.right.append(u"Б%1"_qs.arg(i));
        }
        c.left.append(phrase);
        c.right.append(u"Б"_qs);
        const int width = m.listWidthFor(m.width(phrase), phrases) - narrower;
        c.parameters[3] = QString::number(width);
        c.parameters[4] = QString::number(120 + width + 105);
        c.parameters[1] = QString::number(120 + width + 105 + 6575 + 240);
        TestContent::Window content(c.build());
        KazView view(&content.kaz);
        content.kaz.Form_Load();
        view.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        ListBox *box = view.Slowo(0);
        QCOMPARE(box->width(), ListText::pixels(width));
        const QModelIndex index = box->model()->index(int(content.kaz.Slowo(0).items().indexOf(phrase)), 0);
        QCOMPARE(index.row(), phrases - 1);
        box->scrollTo(index);
        const QRect row = box->visualRect(index);
        QCOMPARE(row.height(), m.rowHeight());
        QCOMPARE(box->verticalScrollBar()->isVisible(), phrases > m.rowsShown());
        const int area = m.textWidth(width, phrases);
        QCOMPARE(box->viewport()->width(), area + 2 * ListText::TextMargin);

        // The row's text as shown, against the same row in a list wide enough for anything.
        const QRect text(0, row.top(), ListText::TextMargin + area, row.height());
        const QImage shownNow = box->viewport()->grab(text).toImage();
        box->resize(box->width() + 200, box->height());
        QTRY_COMPARE(box->viewport()->width(), area + 2 * ListText::TextMargin + 200);
        const QImage whole = box->viewport()->grab(text).toImage();
        QCOMPARE(shownNow == whole, narrower == 0);
    }

    // The counter keeps the window's 12 pt where it fits its label and is written smaller
    // where it would be cut; the label keeps its place and size.
    void counterFitsItsLabel_data()
    {
        QTest::addColumn<int>("phrases"); // on each side, paired with their partners in order
        QTest::addColumn<QString>("steps"); // after start-up: "pair", "back" (take back), "grade"
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("windowFont");
        QTest::addRow("layout_text") << 21 << QString() << u"Оставащи:"_qs << true;
        QTest::addRow("twenty_left") << 21 << u"pair"_qs << u"Остават: 20"_qs << true;
        QTest::addRow("score_of_all") << 3 << u"pair pair pair grade"_qs << u"Верни: 100%"_qs << true;
        QTest::addRow("ten_thousand_left") << 10001 << u"pair"_qs << u"Остават: 10000"_qs << false;
        QTest::addRow("largest_side_paired") << 32767 << u"pair"_qs << u"Остават: 32766"_qs << false;
        QTest::addRow("largest_side_taken_back") << 32767 << u"pair back"_qs << u"Остават: 32767"_qs << false;
    }
    void counterFitsItsLabel()
    {
        QFETCH(int, phrases);
        QFETCH(QString, steps);
        QFETCH(QString, text);
        QFETCH(bool, windowFont);
        TestContent::Content c;
        for (int i = 1; i <= phrases; ++i) {
            c.left.append(u"Ляво %1"_qs.arg(i, 5, 10, QLatin1Char('0')));
            c.right.append(u"Дясно %1"_qs.arg(i, 5, 10, QLatin1Char('0')));
        }
        TestContent::Window content(c.build());
        Kaz &kaz = content.kaz;
        KazView view(&kaz);
        kaz.Form_Load();
        view.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"pair") {
                kaz.Slowo(0).setSelectedIndex(0);
                kaz.Slowo(1).setSelectedIndex(0);
                kaz.Uprawl_Click(0);
            } else if (step == u"back") {
                kaz.Slowo(2).setSelectedIndex(0);
                kaz.Uprawl_Click(1);
            } else if (step == u"grade") {
                kaz.Uprawl_Click(0); // the rule offers "Оцени"
                kaz.Uprawl_Click(2);
            }
        }
        QLabel *label = view.Ndapis();
        QCOMPARE(label->text(), text);
        QCOMPARE(label->geometry(), QRect(296, 0, 97, 25)); // 4440, 0, 1455 × 375 twips
        const int room = label->contentsRect().width() - 2 * label->margin();
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(text) <= room,
                 qPrintable(u"%1 pixels wide in a label of %2"_qs.arg(QFontMetrics(label->font()).horizontalAdvance(text)).arg(room)));
        QCOMPARE(label->font().family(), view.centralWidget()->font().family());
        if (windowFont) {
            QCOMPARE(label->font().pixelSize(), 16); // 12 pt at 96 per inch
        } else {
            QVERIFY(label->font().pixelSize() < 16);
            // Smaller by no more than it takes: a pixel more would not fit.
            QFont larger = label->font();
            larger.setPixelSize(larger.pixelSize() + 1);
            QVERIFY(QFontMetrics(larger).horizontalAdvance(text) > room);
        }
    }

    // Each click brings the window up to date once, re-applying exactly the parts of the
    // model's state that the click changed, and nothing at all where it changed none of them.
    // Steps, separated by spaces: "left:K" and "right:K" click the phrase Left[K] or
    // Right[K], "row:K" row K of the chosen pairs, "button:B" Uprawl(B), "pairs:K" pairs
    // Left[k] with Right[k] for k < K where both are still listed, "cross" pairs Left[1]
    // with Right[2] and Left[2] with Right[1], "thumbnail" clicks the thumbnail, "color" opens the appearance dialog,
    // "save:O:S:V" moves its slider S to V for option O and saves.
    void eachClickUpdatesOnceWhatChanged_data()
    {
        using C = Kaz::Change;
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("click");
        QTest::addColumn<Kaz::Changes>("changes");
        const QString graded = u"pairs:21 button:2"_qs;
        QTest::addRow("select_left_phrase") << QString() << u"left:3"_qs << Kaz::Changes();
        QTest::addRow("select_right_phrase") << QString() << u"right:3"_qs << Kaz::Changes();
        QTest::addRow("pair") << u"left:2 right:2"_qs << u"button:0"_qs << Kaz::Changes(C::Ndapis);
        QTest::addRow("pair_nothing_selected_offers_grading")
            << u"pairs:16"_qs << u"button:0"_qs << Kaz::Changes(C::Uprawl2);
        QTest::addRow("select_pair_while_pairing")
            << u"pairs:2"_qs << u"row:1"_qs << (C::Prowerka0 | C::Verdict);
        QTest::addRow("take_back_only_pair") << u"pairs:1 row:0"_qs << u"button:1"_qs << Kaz::Changes(C::Ndapis);
        QTest::addRow("take_back_selects_wrong_pair")
            << u"pairs:1 cross row:0"_qs << u"button:1"_qs << (C::Ndapis | C::Verdict);
        QTest::addRow("hint") << u"left:4 right:4"_qs << u"button:3"_qs
                              << (C::Ndapis | C::Prowerka0 | C::Uprawl3);
        QTest::addRow("grade") << u"pairs:21"_qs << u"button:2"_qs
                               << (C::Uprawl0 | C::Uprawl1 | C::Uprawl2 | C::Ndapis | C::Prowerka0 | C::Verdict
                                   | C::VerdictShown);
        QTest::addRow("grade_after_hint")
            << u"left:0 right:0 button:3 pairs:21"_qs << u"button:2"_qs
            << (C::Uprawl0 | C::Uprawl1 | C::Uprawl2 | C::Uprawl3 | C::Ndapis | C::Prowerka0 | C::Verdict
                | C::VerdictShown);
        QTest::addRow("explain_after_grading") << graded + u" row:2"_qs << u"button:3"_qs << Kaz::Changes(C::Prowerka0);
        QTest::addRow("explain_same_pair_again_shows_it_afresh")
            << graded + u" row:2 button:3"_qs << u"button:3"_qs << Kaz::Changes(C::Prowerka0);
        QTest::addRow("select_pair_after_explanation")
            << graded + u" row:2 button:3"_qs << u"row:3"_qs << Kaz::Changes(C::Prowerka0);
        QTest::addRow("select_pair_with_same_verdict") << graded << u"row:3"_qs << Kaz::Changes();
        QTest::addRow("select_wrong_pair_after_grading")
            << u"cross pairs:21 button:2"_qs << u"row:2"_qs << Kaz::Changes(C::Verdict);
        QTest::addRow("thumbnail_without_picture") << QString() << u"thumbnail"_qs << Kaz::Changes();
        QTest::addRow("open_appearance_dialog") << QString() << u"color"_qs << Kaz::Changes();
        QTest::addRow("save_window_colour")
            << u"color save:0:0:0 color"_qs << u"save:0:1:200"_qs << Kaz::Changes(C::FormLook);
        QTest::addRow("save_list_colour")
            << u"color save:0:0:0 color"_qs << u"save:1:2:100"_qs
            << (C::Slowo0Look | C::Slowo1Look | C::Slowo2Look | C::ProwerkaLook | C::NdapisLook);
        QTest::addRow("save_unchanged") << u"color save:0:0:0 color"_qs << u"save:0:0:0"_qs << Kaz::Changes();
    }
    void eachClickUpdatesOnceWhatChanged()
    {
        QFETCH(QString, before);
        QFETCH(QString, click);
        QFETCH(Kaz::Changes, changes);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        const auto run = [&w](const QString &step) {
            const QStringList a = step.split(u':');
            const int k = a.size() > 1 ? a.at(1).toInt() : 0;
            if (a[0] == u"left") {
                w.clickRow(0, w.rowOf(0, Left[k]));
            } else if (a[0] == u"right") {
                w.clickRow(1, w.rowOf(1, Right[k]));
            } else if (a[0] == u"row") {
                w.clickRow(2, k);
            } else if (a[0] == u"button") {
                w.clickButton(k);
            } else if (a[0] == u"pairs") {
                for (int i = 0; i < k; ++i)
                    if (w.rowOf(0, Left[i]) >= 0 && w.rowOf(1, Right[i]) >= 0)
                        w.pair(Left[i], Right[i]);
            } else if (a[0] == u"cross") {
                w.pair(Left[1], Right[2]);
                w.pair(Left[2], Right[1]);
            } else if (a[0] == u"thumbnail") {
                QTest::mouseClick(w.view.Grafika0(), Qt::LeftButton, {}, w.view.Grafika0()->rect().center());
            } else if (a[0] == u"color") {
                w.view.Cwqt()->trigger();
            } else if (a[0] == u"save") {
                w.model.cwiat()->chooseOption(k);
                w.model.cwiat()->moveSlider(a.at(2).toInt(), a.at(3).toInt());
                w.model.cwiat()->mnu_zapis_Click();
                QTRY_VERIFY(!w.view.Cwiat());
            }
        };
        for (const QString &step : before.split(u' ', Qt::SkipEmptyParts))
            run(step);
        QCOMPARE(ShownState::viewDiffers(w.view, w.model), QString());

        QSignalSpy announced(&w.model, &Kaz::changed);
        const int updates = w.view.updates();
        run(click);
        QCOMPARE(announced.count(), changes ? 1 : 0);
        QCOMPARE(w.view.updates() - updates, changes ? 1 : 0);
        if (changes) {
            QCOMPARE(announced.at(0).at(0).value<Kaz::Changes>(), changes);
            QCOMPARE(w.view.lastUpdate(), changes);
        }
        QCOMPARE(ShownState::viewDiffers(w.view, w.model), QString());
    }

    // Typing the start of a phrase selects it, and the window then shows what a click on
    // that phrase shows: the same selections, question, thumbnail and text.
    void typingSelectsAsAClick_data()
    {
        QTest::addColumn<QString>("test");
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("phrase");
        QTest::addRow("left_phrase") << u"istoriya"_qs << 0 << u"Пло"_qs << u"Пловдив"_qs;
        QTest::addRow("right_phrase") << u"istoriya"_qs << 1 << u"Сер"_qs << u"Сердика"_qs;
        QTest::addRow("phrase_with_picture") << u"figuri"_qs << 0 << u"Тр"_qs << u"Трапец"_qs;
    }
    void typingSelectsAsAClick()
    {
        QFETCH(QString, test);
        QFETCH(int, list);
        QFETCH(QString, typed);
        QFETCH(QString, phrase);
        Window typing(shippedTest(test));
        Window clicking(shippedTest(test));
        QVERIFY(QTest::qWaitForWindowExposed(&typing.view));
        QApplication::setActiveWindow(&typing.view);
        QVERIFY(QTest::qWaitForWindowActive(&typing.view));
        typing.view.Slowo(list)->setFocus();
        const QString thumbnailBefore = typing.model.thumbnail();
        type(typing.view.Slowo(list), typed);
        clicking.clickRow(list, clicking.rowOf(list, phrase));

        QCOMPARE(typing.selectedRow(list), typing.rowOf(list, phrase));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(typing.model.Slowo(i).selectedIndex(), clicking.model.Slowo(i).selectedIndex());
        QCOMPARE(typing.model.Nomer_wypros(), clicking.model.Nomer_wypros());
        QCOMPARE(typing.model.thumbnail(), clicking.model.thumbnail());
        QCOMPARE(typing.model.prowerkaText(0), clicking.model.prowerkaText(0));
        QCOMPARE(ShownState::viewDiffers(typing.view, typing.model), QString());
        if (test == u"figuri") // from the first phrase's picture to the typed one's
            QVERIFY(typing.model.thumbnail() != thumbnailBefore && !typing.model.thumbnail().isEmpty());
    }

    // F10, or Alt pressed and released alone, gives the menu bar the keyboard on "Exit";
    // Right goes on to "Color"; Esc (or the same key again) gives the keyboard back to the
    // list that had it; Enter runs the command highlighted.
    void menuBarByKeyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("active"); // the menu command highlighted at the end, or none
        QTest::addColumn<bool>("inMenuBar");
        QTest::addColumn<int>("exits");
        QTest::addRow("f10") << u"f10"_qs << u"Izhod"_qs << true << 0;
        QTest::addRow("alt_alone") << u"alt"_qs << u"Izhod"_qs << true << 0;
        QTest::addRow("f10_right") << u"f10 right"_qs << u"Cwqt"_qs << true << 0;
        QTest::addRow("alt_escape") << u"alt escape"_qs << QString() << false << 0;
        QTest::addRow("f10_twice") << u"f10 f10"_qs << QString() << false << 0;
        QTest::addRow("f10_escape") << u"f10 escape"_qs << QString() << false << 0;
        QTest::addRow("f10_enter_on_exit") << u"f10 enter"_qs << QString() << false << 1;
        QTest::addRow("alt_with_a_letter_is_no_lone_alt") << u"alt_f"_qs << QString() << false << 0;
    }
    void menuBarByKeyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, active);
        QFETCH(bool, inMenuBar);
        QFETCH(int, exits);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        QApplication::setActiveWindow(&w.view);
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QSignalSpy exitRequests(&w.model, &Kaz::exitRequested);
        w.view.Slowo(1)->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w.view.Slowo(1));
        for (const QString &k : keys.split(u' ')) {
            QWidget *focus = QApplication::focusWidget();
            if (k == u"f10") {
                QTest::keyClick(focus, Qt::Key_F10);
            } else if (k == u"alt") {
                QTest::keyPress(focus, Qt::Key_Alt, Qt::AltModifier);
                QTest::keyRelease(focus, Qt::Key_Alt, Qt::NoModifier);
            } else if (k == u"alt_f") {
                QTest::keyPress(focus, Qt::Key_Alt, Qt::AltModifier);
                QTest::keyClick(focus, Qt::Key_F, Qt::AltModifier);
                QTest::keyRelease(focus, Qt::Key_Alt, Qt::NoModifier);
            } else {
                const QMap<QString, Qt::Key> named = {
                    {u"right"_qs, Qt::Key_Right}, {u"escape"_qs, Qt::Key_Escape}, {u"enter"_qs, Qt::Key_Return}};
                QTest::keyClick(focus, named.value(k));
            }
        }
        QMenuBar *bar = w.view.menuBar();
        QCOMPARE(bar->activeAction() ? bar->activeAction()->objectName() : QString(), active);
        // The command the keyboard is on is drawn pressed, in the selection's colour.
        const QImage drawn = bar->grab().toImage();
        for (QAction *command : {w.view.Izhod(), w.view.Cwqt()}) {
            const QRect place = bar->actionGeometry(command);
            const QColor face = drawn.pixelColor(place.left() + 3, place.center().y());
            QCOMPARE(face == bar->palette().color(QPalette::Highlight), command->objectName() == active);
        }
        QCOMPARE(QApplication::focusWidget() == bar, inMenuBar);
        if (!inMenuBar)
            QCOMPARE(QApplication::focusWidget(), w.view.Slowo(1));
        QCOMPARE(exitRequests.size(), exits);
        QCOMPARE(w.view.Izhod()->text(), u"Exit"_qs);
    }

    void exitAndCloseEndTheProgram()
    {
        Window w;
        QSignalSpy exits(&w.model, &Kaz::exitRequested);
        w.view.Izhod()->trigger();
        QCOMPARE(exits.size(), 1);
        w.view.close();
        QCOMPARE(exits.size(), 2);
    }
};

QTEST_MAIN(TestKazView)
#include "tst_kazview.moc"
