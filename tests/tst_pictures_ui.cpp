// The thumbnail and the picture window, driven through the real widgets with the
// plane-figures test (quizzes/figuri), whose questions have pictures of several sizes.
#include "ContentStore.h"
#include "Kaz.h"
#include "KazProgram.h"
#include "KazView.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "PictureWindow.h"
#include "WindowPlace.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

constexpr int ThumbWidth = 105; // 1575 × 1335 twips at 15 twips a pixel
constexpr int ThumbHeight = 89;

QString folder()
{
    return qEnvironmentVariable("KAZ_SOURCE_DIR") + QStringLiteral("/quizzes/figuri/");
}

QColor boxColour(const QWidget *w)
{
    return QApplication::palette(w).color(QPalette::Button);
}

} // namespace

class PicturesUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void everyPictureMatchesItsBox();
    void thumbnailShowsPictureUnscaled_data();
    void thumbnailShowsPictureUnscaled();
    void flagZeroLeavesThumbnailEmpty();
    void flagMinusOneShowsThumbnailButOpensNothing();
    void clickOpensPictureWindow_data();
    void clickOpensPictureWindow();
    void nextLeftSelectionHidesWindow();
    void clickWhileOpenRefreshesWindow();
    void pictureWindowOpensBesideTheTestWindow();
    void placeBesideTheOwner_data();
    void placeBesideTheOwner();
    void hintHidesWindowAndShowsExplanationLines();

private:
    void selectLeft(const QString &phrase);
    void selectRight(const QString &phrase);
    void clickThumbnail();
    QImage picture(int q) const;
    PictureWindow *window() const { return m_program->view()->KAZ_Graphika(); }
    bool windowOpen() const { return window() && window()->isVisible(); }

    std::unique_ptr<KazProgram> m_program;
    std::shared_ptr<const ContentStore> m_content;
};

void PicturesUi::init()
{
    const QString path = folder() + QStringLiteral("test.kaz");
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + QStringLiteral(" is missing; is KAZ_SOURCE_DIR set?")));
    m_content = KazProgram::load(path);
    m_program = std::make_unique<KazProgram>(path);
    m_program->view()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->view()));
}

void PicturesUi::cleanup()
{
    m_program.reset();
    m_content.reset();
}

void PicturesUi::selectLeft(const QString &phrase)
{
    ListBox *list = m_program->view()->Slowo(0);
    const int row = int(m_program->model()->Slowo(0).items().indexOf(phrase));
    QVERIFY2(row >= 0, qPrintable(phrase));
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCOMPARE(m_program->model()->Slowo(0).selectedIndex(), row);
}

void PicturesUi::selectRight(const QString &phrase)
{
    ListBox *list = m_program->view()->Slowo(1);
    const int row = int(m_program->model()->Slowo(1).items().indexOf(phrase));
    QVERIFY2(row >= 0, qPrintable(phrase));
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QCOMPARE(m_program->model()->Slowo(1).selectedIndex(), row);
}

void PicturesUi::clickThumbnail()
{
    PictureBox *thumb = m_program->view()->Grafika0();
    QTest::mouseClick(thumb, Qt::LeftButton, {}, thumb->rect().center());
}

QImage PicturesUi::picture(int q) const
{
    const QImage image(m_content->Graphika(q).source);
    return image.convertToFormat(QImage::Format_RGB32);
}

// The drawing script and test.kaz must agree: a picture is as large as its box.
void PicturesUi::everyPictureMatchesItsBox()
{
    int pictures = 0;
    for (int q = 1; q <= m_content->Danni(0).size(); ++q) {
        const ContentStore::Picture &box = m_content->Graphika(q);
        if (box.source.isEmpty())
            continue;
        ++pictures;
        const QImage image(box.source);
        QVERIFY2(!image.isNull(), qPrintable(box.source));
        QCOMPARE(image.size(), QSize(box.width / 15, box.height / 15));
    }
    QCOMPARE(pictures, 8);
}

void PicturesUi::thumbnailShowsPictureUnscaled_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("question");
    QTest::newRow("larger than the thumbnail") << QStringLiteral("Квадрат") << 1;
    QTest::newRow("much larger") << QStringLiteral("Окръжност") << 10;
    QTest::newRow("default box") << QStringLiteral("Делтоид") << 6;
    QTest::newRow("smaller, flag -1") << QStringLiteral("Равностранен триъгълник") << 7;
}

void PicturesUi::thumbnailShowsPictureUnscaled()
{
    QFETCH(QString, phrase);
    QFETCH(int, question);
    // Start from a question without a picture, so that the thumbnail has to change.
    selectLeft(QStringLiteral("Успоредник"));
    selectLeft(phrase);
    QCOMPARE(int(m_program->model()->Nomer_wypros()), question);

    PictureBox *thumb = m_program->view()->Grafika0();
    QVERIFY(!thumb->pixmap().isNull());
    QCOMPARE(thumb->size(), QSize(ThumbWidth, ThumbHeight));
    QVERIFY(!thumb->hasFocus()); // no focus frame over the picture

    const QImage shown = thumb->grab().toImage();
    const QImage pic = picture(question);
    QCOMPARE(shown.size(), QSize(ThumbWidth, ThumbHeight));
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(pic.pixel(0, 0)));
    // Every pixel the picture covers shows the picture's pixel at the same place: drawn
    // from the top-left corner, neither scaled nor moved; the rest is cut off.
    const int w = std::min(ThumbWidth, pic.width());
    const int h = std::min(ThumbHeight, pic.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (shown.pixel(x, y) != pic.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("thumbnail differs from the picture at %1,%2").arg(x).arg(y)));
    // Beside a smaller picture the box shows its own colour, not the window's.
    if (pic.width() < ThumbWidth)
        QCOMPARE(QColor(shown.pixel(ThumbWidth - 1, 0)), boxColour(thumb));
    if (pic.height() < ThumbHeight)
        QCOMPARE(QColor(shown.pixel(0, ThumbHeight - 1)), boxColour(thumb));
}

void PicturesUi::flagZeroLeavesThumbnailEmpty()
{
    selectLeft(QStringLiteral("Квадрат"));
    PictureBox *thumb = m_program->view()->Grafika0();
    QVERIFY(!thumb->pixmap().isNull());

    for (const QString &phrase : {QStringLiteral("Успоредник"), QStringLiteral("Равнобедрен триъгълник")}) {
        selectLeft(phrase);
        QVERIFY(thumb->pixmap().isNull());
        QVERIFY(m_program->model()->thumbnail().isEmpty());
        // An empty box is one colour all over, and visibly a box on the green window.
        const QImage shown = thumb->grab().toImage();
        const QColor face = boxColour(thumb);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (QColor(shown.pixel(x, y)) != face)
                    QFAIL(qPrintable(QStringLiteral("empty thumbnail not plain at %1,%2").arg(x).arg(y)));
        QVERIFY(face != m_program->view()->centralWidget()->palette().color(QPalette::Window));

        clickThumbnail();
        QVERIFY(!windowOpen());
        QVERIFY(!m_program->model()->KAZ_Graphika()->visible);
    }
}

void PicturesUi::flagMinusOneShowsThumbnailButOpensNothing()
{
    // Open the window for another question first: the selection hides it, the click does not
    // bring it back.
    selectLeft(QStringLiteral("Правоъгълник"));
    clickThumbnail();
    QVERIFY(windowOpen());

    selectLeft(QStringLiteral("Равностранен триъгълник"));
    QVERIFY(!windowOpen());
    PictureBox *thumb = m_program->view()->Grafika0();
    QVERIFY(!thumb->pixmap().isNull());
    QCOMPARE(thumb->pixmap().size(), QSize(100, 87));

    QSignalSpy changes(m_program->model(), &Kaz::changed);
    clickThumbnail();
    clickThumbnail();
    QCOMPARE(changes.count(), 0);
    QVERIFY(!windowOpen());
    // The window keeps what it last showed; nothing of question 7 reached it.
    QCOMPARE(window()->size(), QSize(240, 140));
    QVERIFY(window()->box()->source() != m_content->Graphika(7).source);
}

void PicturesUi::clickOpensPictureWindow_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<int>("question");
    QTest::addColumn<QSize>("size");
    QTest::newRow("square 2400 x 2400") << QStringLiteral("Квадрат") << 1 << QSize(160, 160);
    QTest::newRow("rectangle 3600 x 2100") << QStringLiteral("Правоъгълник") << 2 << QSize(240, 140);
    QTest::newRow("kite, default box") << QStringLiteral("Делтоид") << 6 << QSize(113, 121);
    QTest::newRow("circle 4500 x 3750") << QStringLiteral("Окръжност") << 10 << QSize(300, 250);
}

void PicturesUi::clickOpensPictureWindow()
{
    QFETCH(QString, phrase);
    QFETCH(int, question);
    QFETCH(QSize, size);
    selectLeft(phrase);
    QVERIFY(!windowOpen());
    clickThumbnail();
    QVERIFY(windowOpen());

    PictureWindow *w = window();
    QVERIFY(w->isWindow());
    QCOMPARE(w->parentWidget(), nullptr); // no owner
    QCOMPARE(w->windowType(), Qt::Tool);
    QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!w->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(w->windowTitle(), QStringLiteral("https://kaz.bg - KAZ picture"));
    // Client size = box size; the model's outer size adds the frame's 100 × 250 twips.
    QCOMPARE(w->size(), size);
    QCOMPARE(w->minimumSize(), size);
    QCOMPARE(w->maximumSize(), size);
    const KazGraphika *state = m_program->model()->KAZ_Graphika();
    QCOMPARE(state->width, size.width() * 15 + 100);
    QCOMPARE(state->height, size.height() * 15 + 250);

    QCOMPARE(w->box()->geometry(), QRect(QPoint(0, 0), size));
    const QImage pic = picture(question);
    QCOMPARE(w->box()->pixmap().toImage().convertToFormat(QImage::Format_RGB32), pic);
    const QImage shown = w->box()->grab().toImage();
    QCOMPARE(shown.size(), size);
    for (const QPoint p : {QPoint(0, 0), QPoint(size.width() / 2, size.height() / 2),
                           QPoint(size.width() - 1, size.height() - 1)})
        QCOMPARE(QColor(shown.pixel(p)), QColor(pic.pixel(p)));

    // The test window goes on working while the picture is open.
    selectRight(m_content->Danni(1).at(3));
    QVERIFY(windowOpen());
}

void PicturesUi::nextLeftSelectionHidesWindow()
{
    selectLeft(QStringLiteral("Квадрат"));
    clickThumbnail();
    QVERIFY(windowOpen());

    // A click in the right list does not change the question: the window stays.
    selectRight(QStringLiteral("успоредник с един прав ъгъл"));
    QVERIFY(windowOpen());

    selectLeft(QStringLiteral("Ромб"));
    QVERIFY(!windowOpen());
    QCOMPARE(m_program->view()->Grafika0()->source(), m_content->Graphika(3).source);

    // Reopened, it shows the new question at its own size.
    clickThumbnail();
    QVERIFY(windowOpen());
    QCOMPARE(window()->size(), QSize(180, 150));
    QCOMPARE(window()->box()->pixmap().toImage().convertToFormat(QImage::Format_RGB32), picture(3));

    // Selecting the phrase that is already selected is no new selection.
    selectLeft(QStringLiteral("Ромб"));
    QVERIFY(windowOpen());
    // Keys move the selection as clicks do.
    m_program->view()->Slowo(0)->setFocus();
    QTest::keyClick(m_program->view()->Slowo(0), Qt::Key_Down);
    QVERIFY(m_program->model()->Nomer_wypros() != 3);
    QVERIFY(!windowOpen());
}

void PicturesUi::clickWhileOpenRefreshesWindow()
{
    selectLeft(QStringLiteral("Трапец"));
    clickThumbnail();
    QVERIFY(windowOpen());
    PictureWindow *first = window();

    // Spoil what the window shows; a second click sets box, picture and size afresh.
    first->box()->setSource(QString(), QByteArray());
    first->setFixedSize(40, 30);
    clickThumbnail();
    QCOMPARE(window(), first); // the same window, not a second one
    QVERIFY(windowOpen());
    QCOMPARE(window()->size(), QSize(200, 120));
    QCOMPARE(window()->box()->source(), m_content->Graphika(5).source);
    QVERIFY(!window()->box()->pixmap().isNull());

    // Closed by its frame, the window opens again at the next click.
    window()->close();
    QVERIFY(!windowOpen());
    clickThumbnail();
    QVERIFY(windowOpen());
    QCOMPARE(window()->size(), QSize(200, 120));
    // Space on the focused thumbnail acts as a click.
    window()->close();
    m_program->view()->Grafika0()->setFocus();
    QTest::keyClick(m_program->view()->Grafika0(), Qt::Key_Space);
    QVERIFY(windowOpen());
}

// The picture window opens beside the test window, on its screen, not over it in a corner;
// moved by the learner while open, it stays there when shown afresh.
void PicturesUi::pictureWindowOpensBesideTheTestWindow()
{
    KazView *view = m_program->view();
    const QRect area = view->screen()->availableGeometry();
    view->move(area.topLeft() + QPoint(20, 30));
    QTRY_COMPARE(view->frameGeometry().topLeft(), area.topLeft() + QPoint(20, 30));
    selectLeft(QStringLiteral("Квадрат"));
    clickThumbnail();
    QVERIFY(windowOpen());
    const QRect test = view->frameGeometry();
    QTRY_VERIFY(area.contains(window()->frameGeometry()));
    const QRect picture = window()->frameGeometry();
    QVERIFY2(!picture.intersects(test) || area.right() - test.right() < picture.width(),
             qPrintable(QStringLiteral("test window %1,%2 %3×%4, picture window %5,%6")
                            .arg(test.x()).arg(test.y()).arg(test.width()).arg(test.height())
                            .arg(picture.x()).arg(picture.y())));
    QCOMPARE(picture.top(), test.top());

    window()->move(picture.topLeft() + QPoint(0, 40));
    QTRY_COMPARE(window()->frameGeometry().topLeft(), picture.topLeft() + QPoint(0, 40));
    clickThumbnail();
    QCOMPARE(window()->frameGeometry().topLeft(), picture.topLeft() + QPoint(0, 40));
}

void PicturesUi::placeBesideTheOwner_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("expected");
    // On a screen of 1366 × 768 less a panel of 40 (placeBesideTheOwner).
    QTest::addRow("right_of_it") << QRect(100, 50, 600, 400) << QSize(300, 250) << QPoint(700, 50);
    QTest::addRow("left_of_it_at_the_right_edge") << QRect(700, 50, 600, 400) << QSize(300, 250) << QPoint(400, 50);
    QTest::addRow("no_room_either_side_more_right") << QRect(0, 0, 1100, 700) << QSize(900, 700) << QPoint(466, 0);
    QTest::addRow("no_room_either_side_more_left") << QRect(300, 0, 1066, 700) << QSize(900, 700) << QPoint(0, 0);
    QTest::addRow("raised_to_fit_above_the_bottom") << QRect(100, 500, 600, 200) << QSize(300, 300) << QPoint(700, 428);
    QTest::addRow("taller_than_the_screen_at_its_top") << QRect(100, 50, 600, 400) << QSize(300, 900) << QPoint(700, 0);
    QTest::addRow("owner_partly_off_screen") << QRect(-200, -50, 600, 400) << QSize(300, 250) << QPoint(400, 0);
}

void PicturesUi::placeBesideTheOwner()
{
    QFETCH(QRect, owner);
    QFETCH(QSize, size);
    QFETCH(QPoint, expected);
    const QRect screen(0, 0, 1366, 728);
    const QPoint at = WindowPlace::beside(owner, size, screen);
    QCOMPARE(at, expected);
    if (size.height() <= screen.height())
        QVERIFY(screen.contains(QRect(at, size)));
}

void PicturesUi::hintHidesWindowAndShowsExplanationLines()
{
    selectLeft(QStringLiteral("Правоъгълен триъгълник"));
    clickThumbnail();
    QVERIFY(windowOpen());
    selectRight(QStringLiteral("триъгълник с един тъп ъгъл")); // a wrong partner

    QTest::mouseClick(m_program->view()->Uprawl(3), Qt::LeftButton);
    QVERIFY(!windowOpen());
    QCOMPARE(m_program->view()->Grafika0()->source(), m_content->Graphika(9).source);
    QCOMPARE(m_program->view()->Prowerka0()->toPlainText(),
             QStringLiteral("\n\"Правоъгълен триъгълник\" е във връзка с \"триъгълник с един прав ъгъл\"\n"
                            "Страните при правия ъгъл са катети, а страната срещу него е хипотенуза.\n"
                            "Питагорова теорема: c² = a² + b².\n"
                            "Другите два ъгъла са остри и сборът им е 90°."));
    // The hint paired the selected phrases, wrong as they are.
    QCOMPARE(m_program->model()->Slowo(2).items(),
             QStringList{QStringLiteral("Правоъгълен триъгълник триъгълник с един тъп ъгъл")});
    // The picture of the explained question still opens.
    clickThumbnail();
    QVERIFY(windowOpen());
    QCOMPARE(window()->size(), QSize(180, 120));
}

QTEST_MAIN(PicturesUi)
#include "tst_pictures_ui.moc"
