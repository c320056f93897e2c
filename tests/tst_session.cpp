// One whole session of the running program, by mouse and menu, from start to "Exit":
// pairing, taking back, the hint, grading, explanations, the picture window, and the
// appearance dialog opened and closed three times (by "Отказ", by its frame, by "Запис").
// The sanitizer build runs it with LeakSanitizer, so every window and model made on the
// way must be gone when the program has ended.
#include "CwiatDialog.h"
#include "Kaz.h"
#include "KazProgram.h"
#include "KazView.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "ShownState.h"
#include "TestContent.h"
#include "WindowsDiffers.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>

namespace {

void clickMenu(QMainWindow *window, QAction *action)
{
    QMenuBar *bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
}

class Player
{
public:
    explicit Player(KazProgram &program)
        : m_program(program)
    {
    }

    KazView &view() { return *m_program.view(); }
    Kaz &kaz() { return *m_program.model(); }

    void clickRow(int list, int row)
    {
        ListBox *box = view().Slowo(list);
        const QModelIndex index = box->model()->index(row, 0);
        box->scrollTo(index);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualRect(index).center());
    }
    void clickButton(int i) { QTest::mouseClick(view().Uprawl(i), Qt::LeftButton); }

    // Pairs the left and right phrases of content positions l and r.
    void pair(int l, int r)
    {
        const ContentStore &c = kaz().KAZ_danni();
        clickRow(0, TestContent::rowOf(kaz().Slowo(0), c.Danni(0).at(l)));
        clickRow(1, TestContent::rowOf(kaz().Slowo(1), c.Danni(1).at(r)));
        clickButton(0);
    }

    CwiatDialog *openDialog()
    {
        clickMenu(&view(), view().Cwqt());
        CwiatDialog *d = view().Cwiat();
        return d && QTest::qWaitForWindowExposed(d) ? d : nullptr;
    }

private:
    KazProgram &m_program;
};

QString brokenAfter(Kaz &kaz, const char *step)
{
    const QString broken = TestContent::brokenInvariant(kaz);
    return broken.isEmpty() ? QString() : QStringLiteral("after %1: %2").arg(QLatin1StringView(step), broken);
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The offscreen platform cannot raise the picture window and says so; nothing else may warn.
    void init() { kazFailOnWarningsBut(QStringLiteral("This plugin does not support raise\\(\\)")); }
    void wholeSessionToExit_data();
    void wholeSessionToExit();
    void exitWithEveryWindowOpen();
    void randomClicksOnTheWindows_data();
    void randomClicksOnTheWindows();
};

void TestSession::wholeSessionToExit_data()
{
    QTest::addColumn<QString>("test");
    QTest::addRow("istoriya") << u"quizzes/istoriya/test.kaz"_qs;
    QTest::addRow("figuri_pictures_and_explanations") << u"quizzes/figuri/test.kaz"_qs;
}

void TestSession::wholeSessionToExit()
{
    QFETCH(QString, test);
    KazProgram program(TestContent::sourcePath(test));
    Player p(program);
    Kaz &kaz = p.kaz();
    KazView &view = p.view();
    view.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const int L = int(kaz.KAZ_danni().Danni(0).size());
    const int R = int(kaz.KAZ_danni().Danni(1).size());
    const int N = std::min(L, R);
    QVERIFY(N >= 3);

    // A right pair, a wrong pair taken back, the hint on a right pair.
    p.pair(0, 0);
    p.pair(1, 2);
    p.clickRow(2, 1);
    p.clickButton(1);
    QCOMPARE(kaz.Slowo(2).count(), 1);
    QVERIFY2(brokenAfter(kaz, "taking back").isEmpty(), qPrintable(brokenAfter(kaz, "taking back")));
    const ContentStore &c = kaz.KAZ_danni();
    p.clickRow(0, TestContent::rowOf(kaz.Slowo(0), c.Danni(0).at(1)));
    p.clickRow(1, TestContent::rowOf(kaz.Slowo(1), c.Danni(1).at(1)));
    p.clickButton(3);
    QVERIFY(view.Prowerka0()->toPlainText().contains(u" е във връзка с "_qs));
    QVERIFY(!view.Uprawl(3)->isEnabled());

    // The thumbnail of the current question, clicked: opens the picture window where the
    // question has a picture.
    p.clickRow(0, 0);
    QTest::mouseClick(view.Grafika0(), Qt::LeftButton, {}, view.Grafika0()->rect().center());

    // Every other phrase with its partner, the last two crossed; then the rule's click and grading.
    for (int k = 2; k < N - 2; ++k)
        p.pair(k, k);
    p.pair(N - 2, N - 1);
    p.pair(N - 1, N - 2);
    QVERIFY2(brokenAfter(kaz, "pairing").isEmpty(), qPrintable(brokenAfter(kaz, "pairing")));
    p.clickButton(0); // no phrase selected after the last pair: no pair, but "Оцени" is offered
    QVERIFY(view.Uprawl(2)->isEnabled());
    p.clickButton(2);
    const int right = N - 2;
    QCOMPARE(kaz.Broj_werni(), right);
    QCOMPARE(view.Ndapis()->text(), QStringLiteral("Верни: %1%").arg(qRound(right * 100.0 / N)));
    p.clickRow(2, N - 1);
    QCOMPARE(kaz.prowerkaText(1), u"НЕ"_qs);
    p.clickButton(3);
    QVERIFY(view.Prowerka0()->toPlainText().contains(u" е във връзка с "_qs));

    // The appearance dialog three times: "Отказ", the frame, "Запис".
    CwiatDialog *d = p.openDialog();
    QVERIFY(d);
    d->Slider1(0)->setFocus();
    QTest::keyClick(d->Slider1(0), Qt::Key_PageUp);
    clickMenu(d, d->mnu_Otkaz());
    QTRY_VERIFY(!view.Cwiat());
    QVERIFY(!kaz.cwiat());

    d = p.openDialog();
    QVERIFY(d);
    d->close();
    QTRY_VERIFY(!view.Cwiat());
    QVERIFY(!kaz.cwiat());

    d = p.openDialog();
    QVERIFY(d);
    clickMenu(d, d->mnu_zapis());
    QTRY_VERIFY(!view.Cwiat());
    QCOMPARE(kaz.windowLook().background, kaz.Cweta().integer(3));
    QVERIFY2(brokenAfter(kaz, "the dialog").isEmpty(), qPrintable(brokenAfter(kaz, "the dialog")));

    // "Exit" ends the event loop with status 0.
    QTimer::singleShot(0, &view, [&view] { clickMenu(&view, view.Izhod()); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

// "Exit" while the picture window and the appearance dialog are open ends the program with
// them; they go with the test window, the picture window first, without the dialog's
// closing reaction, and no widget is left.
void TestSession::exitWithEveryWindowOpen()
{
    QStringList gone;
    const auto watch = [this, &gone](QObject *object, const QString &name) {
        connect(object, &QObject::destroyed, this, [&gone, name] { gone.append(name); });
    };
    {
        KazProgram program(TestContent::sourcePath(u"quizzes/figuri/test.kaz"_qs));
        Player p(program);
        KazView &view = p.view();
        view.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (int row = 0; row < p.kaz().Slowo(0).count() && p.kaz().thumbnail().isEmpty(); ++row)
            p.clickRow(0, row);
        QVERIFY(!p.kaz().thumbnail().isEmpty());
        QTest::mouseClick(view.Grafika0(), Qt::LeftButton, {}, view.Grafika0()->rect().center());
        QVERIFY(view.KAZ_Graphika() && view.KAZ_Graphika()->isVisible());
        CwiatDialog *d = p.openDialog();
        QVERIFY(d);
        d->Slider1(2)->setFocus();
        QTest::keyClick(d->Slider1(2), Qt::Key_Right);
        const QStringList stored = p.kaz().Cweta().items();
        watch(view.KAZ_Graphika(), u"picture window"_qs);
        watch(d, u"dialog"_qs);
        watch(&view, u"test window"_qs);
        QTimer::singleShot(0, &view, [&view] { clickMenu(&view, view.Izhod()); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(view.Cwiat() && p.kaz().cwiat()); // "Exit" ran no "Отказ"
        QCOMPARE(p.kaz().Cweta().items(), stored);
    }
    QCOMPARE(gone, QStringList({u"picture window"_qs, u"dialog"_qs, u"test window"_qs}));
    QCOMPARE(QApplication::allWidgets().size(), 0);
}

void TestSession::randomClicksOnTheWindows_data()
{
    QTest::addColumn<QString>("test");
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {11, 12, 13})
        QTest::addRow("istoriya_seed_%llu", seed) << u"quizzes/istoriya/test.kaz"_qs << seed;
    for (quint64 seed : {21, 22})
        QTest::addRow("figuri_seed_%llu", seed) << u"quizzes/figuri/test.kaz"_qs << seed;
}

// Clicks and keys at random on the real windows, disabled buttons included; after each the
// window must show what its model holds, having brought itself up to date at most once per
// click or key, with what the model announced.
void TestSession::randomClicksOnTheWindows()
{
    QFETCH(QString, test);
    QFETCH(quint64, seed);
    KazProgram program(TestContent::sourcePath(test));
    Player p(program);
    KazView &view = p.view();
    Kaz &kaz = p.kaz();
    view.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QRandomGenerator rng(seed);
    QStringList log;
    QSignalSpy announced(&kaz, &Kaz::changed);
    const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Space};
    for (int n = 0; n < 250; ++n) {
        const int what = rng.bounded(kaz.Slowo(2).count() > 0 ? 12 : 10);
        const int updatesBefore = view.updates();
        announced.clear();
        if (what < 3) {
            const int list = what;
            if (kaz.Slowo(list).count() == 0)
                continue;
            const int row = rng.bounded(kaz.Slowo(list).count());
            log << QStringLiteral("click Slowo(%1) row %2").arg(list).arg(row);
            p.clickRow(list, row);
        } else if (what < 7) {
            const int b = what == 3 ? rng.bounded(4) : rng.bounded(2); // "Избрах" and "Върни" most
            log << QStringLiteral("click Uprawl(%1)%2").arg(b).arg(view.Uprawl(b)->isEnabled() ? u""_qs : u" (disabled)"_qs);
            p.clickButton(b);
        } else if (what == 7) {
            const int list = rng.bounded(2);
            const Qt::Key key = keys[rng.bounded(6)];
            log << QStringLiteral("key %1 in Slowo(%2)").arg(int(key), 0, 16).arg(list);
            view.Slowo(list)->setFocus();
            QTest::keyClick(view.Slowo(list), key);
        } else if (what == 8) {
            log << u"Color"_qs;
            clickMenu(&view, view.Cwqt());
        } else if (what == 9) {
            CwiatDialog *d = view.Cwiat();
            if (!d)
                continue;
            switch (rng.bounded(4)) {
            case 0:
                log << u"key on a slider"_qs;
                QTest::keyClick(d->Slider1(rng.bounded(3)), rng.bounded(2) ? Qt::Key_PageUp : Qt::Key_Left);
                break;
            case 1:
                log << u"Запис"_qs;
                clickMenu(d, d->mnu_zapis());
                break;
            case 2:
                log << u"Отказ"_qs;
                clickMenu(d, d->mnu_Otkaz());
                break;
            default:
                log << u"close the dialog"_qs;
                d->close();
                break;
            }
            QTRY_VERIFY(bool(view.Cwiat()) == bool(kaz.cwiat()));
        } else {
            log << u"click Slowo(2) twice"_qs;
            const int row = rng.bounded(kaz.Slowo(2).count());
            p.clickRow(2, row);
            p.clickRow(2, row);
        }
        QString differs = ShownState::viewDiffers(view, kaz);
        const int inputs = what >= 10 ? 2 : 1;
        if (view.updates() - updatesBefore > inputs || view.updates() - updatesBefore != announced.count())
            differs = QStringLiteral("%1 updates of the window for %2 change sets announced")
                          .arg(view.updates() - updatesBefore).arg(announced.count());
        else if (!announced.isEmpty() && view.lastUpdate() != announced.last().at(0).value<Kaz::Changes>())
            differs = u"the window re-applied other parts than the model announced"_qs;
        if (!differs.isEmpty())
            QFAIL(qPrintable(differs + u"\n  "_qs + log.join(u"\n  "_qs)));
    }
    QTimer::singleShot(0, &view, [&view] { clickMenu(&view, view.Izhod()); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
