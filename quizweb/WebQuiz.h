#pragma once

#include "Kaz.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <memory>

class ContentStore;

// One learner's run of a test in a web page: the test window's model over the test the page
// carries, and the window's state as the page shows it. The page forwards each of the
// learner's actions to one call here and gets back, as JSON, what that action changed: the
// parts of the window (Kaz::Change) and the lists' edits row by row, so that an action in a
// list of 10,000 phrases sends a few rows, not the lists. Plain QtCore: the browser's engine
// (programs/kazweb.cpp) binds it to the page, and the tests drive it without a browser.
class WebQuiz
{
public:
    // `packedTest` is the test as the page carries it: the payload and trailer kazpack appends
    // to a runner (PackedQuiz::tail), checked as a program checks its own. `fonts` are the font
    // families the page offers, which the appearance dialog's hidden font list holds.
    explicit WebQuiz(const QByteArray &packedTest, const QStringList &fonts = {});
    ~WebQuiz();
    WebQuiz(const WebQuiz &) = delete;
    WebQuiz &operator=(const WebQuiz &) = delete;

    // Why the test cannot be played, in the learner's words; empty when it can.
    QString message() const { return m_message; }
    bool ok() const { return m_model != nullptr; }

    // The whole window after its load handler, lists and all, with the window's and the
    // appearance dialog's layouts. Called once, first.
    QByteArray start();
    // The learner selects `row` of the visible list `list` (0 left, 1 right, 2 pairs).
    QByteArray select(int list, int row);
    // The learner presses button `index` (0 "Избрах", 1 "Върни", 2 "Оцени", 3 "Обясни").
    QByteArray press(int index);
    // The learner clicks the question's picture.
    QByteArray clickPicture();
    // The menu's "Exit": the update holds "exit": true.
    QByteArray exit();

    // The menu's "Color": the appearance dialog opens, or stays open; the update holds its
    // whole state as "dialog". The dialog's actions below do nothing while it is closed.
    QByteArray colour();
    // Option button `index` of the colour groups is chosen.
    QByteArray chooseOption(int index);
    // Slider `index` (0 red, 1 green, 2 blue) is moved to `value`.
    QByteArray moveSlider(int index, int value);
    // Row `row` of the list of sizes is chosen.
    QByteArray chooseSize(int row);
    // The dialog's "Запис" and "Отказ": it closes ("dialog": {"open": false}); "Запис" gives the
    // window its new looks.
    QByteArray save();
    QByteArray cancel();

    // The graded result as the model holds it, for a learning platform the page reports to:
    // {"graded": bool, "percent": N (the N of the counter's "Верни: N%", null before grading),
    //  "pairs": [{"left", "right", "correct"}, ...]} with each pair made, in the order made,
    // "correct" as its verdict ("ДА"/"НЕ") shows it. Changes nothing.
    QByteArray result();

    // The bytes of the picture `source` names (the thumbnail, the picture window's), empty
    // when the test has none of that name.
    QByteArray picture(const QString &source) const;

    // The model, for the tests that compare the page with it.
    const Kaz *model() const { return m_model.get(); }

private:
    void watch(int list);
    QByteArray update(Kaz::Changes what, const QJsonObject &extra = {});
    QJsonObject parts(Kaz::Changes what) const;
    QJsonObject dialog() const;
    // Runs `action` on the open dialog, then answers; nothing when it is closed.
    template <typename Action>
    QByteArray onDialog(Action action);

    QString m_message;
    std::shared_ptr<const ContentStore> m_content;
    std::unique_ptr<Kaz> m_model;
    Kaz::Changes m_changes;
    bool m_exit = false;
    bool m_dialogChanged = false;
    QJsonArray m_listEdits[3];
};
