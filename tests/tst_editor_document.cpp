// The test editor's document without any window: every edit and its undo and redo, the merging
// of keystrokes, rows to the file's lists, problems on their rows and fields, the check off the
// typing path, the modified flag, the table model and the window sketch.
#include "Caption.h"
#include "EditorSupport.h"
#include "FileMapping.h"
#include "RowTableModel.h"
#include "Sketch.h"
#include "QuizDocument.h"
#include "TestFiles.h"
#include "QuizFolder.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <utility>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

using Edit = std::function<void(QuizDocument &)>;
Q_DECLARE_METATYPE(Edit)

namespace {

const QString threeRows = QStringLiteral("Варна\tОдесос\nПловдив\tФилипополис\tПулпудева\n"
                                         "София\tСердика\t\"Сердика\nСредец\"\n");

} // namespace

class TestEditorDocument : public QObject
{
    Q_OBJECT

private slots:
    void editsUndoAndRedo_data();
    void editsUndoAndRedo();
    void keystrokesMerge_data();
    void keystrokesMerge();
    void newLinesShown_data();
    void newLinesShown();
    void rowsToFile_data();
    void rowsToFile();
    void problemsOnRowsAndFields_data();
    void problemsOnRowsAndFields();
    void picturesRefusedInTheCheckersWords_data();
    void picturesRefusedInTheCheckersWords();
    void problemsNameRowsAsTheHeader_data();
    void problemsNameRowsAsTheHeader();
    void unplacedIsWhatTheRowsLose_data();
    void unplacedIsWhatTheRowsLose();
    void checkRunsAfterTyping();
    void editDuringCheckEndsWithCurrentProblems();
    void modifiedFollowsUndoStack();
    void modelShowsAndEditsRows();
    void modelHeaderShowsQuestions();
    void sketchOfGeometry_data();
    void sketchOfGeometry();
    void captionSplitsBack_data();
    void captionSplitsBack();
};

// ---------------------------------------------------------------- edits, undo, redo

void TestEditorDocument::editsUndoAndRedo_data()
{
    QTest::addColumn<Edit>("edit");
    const QByteArray picture = png(20, 10);
    QTest::addRow("type_left") << Edit(
        [](QuizDocument &d) { d.setCell(0, DocumentField::Left, QStringLiteral("Стара Варна")); });
    QTest::addRow("type_right") << Edit(
        [](QuizDocument &d) { d.setCell(1, DocumentField::Right, QStringLiteral("Тримонциум")); });
    QTest::addRow("type_explanation") << Edit(
        [](QuizDocument &d) { d.setCell(0, DocumentField::Explanation, QStringLiteral("ред\nвтори")); });
    QTest::addRow("clear_explanation") << Edit(
        [](QuizDocument &d) { d.setCell(2, DocumentField::Explanation, QString()); });
    QTest::addRow("switch_explanation_off") << Edit([](QuizDocument &d) { d.setExplanationShown(1, false); });
    QTest::addRow("set_picture") << Edit(
        [picture](QuizDocument &d) { d.setPicture(0, QStringLiteral("karta.png"), picture); });
    QTest::addRow("clear_picture") << Edit([](QuizDocument &d) { d.clearPicture(2); });
    QTest::addRow("picture_box") << Edit([](QuizDocument &d) { d.setPictureBox(2, 3000, 2000); });
    QTest::addRow("picture_thumbnail_only")
        << Edit([](QuizDocument &d) { d.setPictureMode(2, PictureMode::ThumbnailOnly); });
    QTest::addRow("address") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::Address, QStringLiteral("https://school.bg")); });
    QTest::addRow("title") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::Title, QStringLiteral("Градове")); });
    QTest::addRow("window_width") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::WindowWidth, QStringLiteral("12000")); });
    QTest::addRow("right_list_width") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::RightListWidth, QStringLiteral("7000")); });
    QTest::addRow("instructions") << Edit([](QuizDocument &d) {
        d.setField(DocumentField::Instructions, QStringLiteral("Свържете.\n\nПосле оценете."));
    });
    QTest::addRow("explanation_label") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::ExplanationLabel, QStringLiteral("Обяснения")); });
    QTest::addRow("insert_rows") << Edit([](QuizDocument &d) { d.insertRows(1, 3); });
    QTest::addRow("insert_rows_at_end") << Edit([](QuizDocument &d) { d.insertRows(3, 1); });
    QTest::addRow("remove_rows") << Edit([](QuizDocument &d) { d.removeRows(0, 2); });
    QTest::addRow("remove_row_set") << Edit([](QuizDocument &d) { d.removeRowSet({2, 0}); });
    QTest::addRow("move_row_down") << Edit([](QuizDocument &d) { d.moveRows(0, 1, 3); });
    QTest::addRow("move_rows_up") << Edit([](QuizDocument &d) { d.moveRows(1, 2, 0); });
    QTest::addRow("paste_over_and_past_end") << Edit([](QuizDocument &d) {
        DocumentClipboard(d).paste(2, DocumentField::Left, QStringLiteral("Русе\tРусчук\nВидин\tБдин\nЛом\tАлмус\n"));
    });
    QTest::addRow("model_set_data") << Edit([](QuizDocument &d) {
        d.model()->setData(d.model()->index(1, RowTableModel::LeftColumn), QStringLiteral("Пловдив (град)"));
    });
    QTest::addRow("model_remove_rows") << Edit([](QuizDocument &d) { d.model()->removeRows(1, 2); });
    QTest::addRow("model_move_rows") << Edit([](QuizDocument &d) { d.model()->moveRows({}, 2, 1, {}, 0); });
}

void TestEditorDocument::editsUndoAndRedo()
{
    QFETCH(Edit, edit);
    QuizDocument d;
    QAbstractItemModelTester tester(d.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    setRows(d, threeRows);
    d.setPicture(2, QStringLiteral("serdika.png"), png(30, 30));
    d.undoStack()->clear();
    const DocumentContent before = d.content();
    const QString textBefore = d.text();

    edit(d);
    const DocumentContent after = d.content();
    QVERIFY(after != before);
    QCOMPARE(d.undoStack()->count(), 1);
    QCOMPARE(d.model()->rowCount(), d.rowCount());

    d.undoStack()->undo();
    QVERIFY(d.content() == before);
    QCOMPARE(d.text(), textBefore);
    QCOMPARE(d.model()->rowCount(), int(before.rows.size()));
    d.undoStack()->redo();
    QVERIFY(d.content() == after);
    d.undoStack()->undo();
    QVERIFY(d.content() == before);
}

// Steps: "L0=text" types into row 0's left cell (R right, E explanation), "T=text" into the
// title, "end" ends the typing, "undo", "save" marks the stack clean.
void TestEditorDocument::keystrokesMerge_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("steps_on_stack");
    QTest::addColumn<QStringList>("after_one_undo"); // rows after undoing the last step

    const QStringList start{QStringLiteral("Варна|Одесос"), QStringLiteral("Пловдив|Филипополис|Пулпудева"),
                            QStringLiteral("София|Сердика|Сердика/Средец")};
    QTest::addRow("keystrokes_in_one_cell") << QStringList{u"L0=В"_s, u"L0=Ва"_s, u"L0=Вар"_s} << 1 << start;
    QTest::addRow("keystrokes_in_an_explanation") << QStringList{u"E1=П"_s, u"E1=Пу"_s, u"E1=Пу\nл"_s} << 1 << start;
    QTest::addRow("two_cells") << QStringList{u"L0=В"_s, u"R0=О"_s} << 2
                               << QStringList{QStringLiteral("В|Одесос"), start.at(1), start.at(2)};
    QTest::addRow("back_to_the_first_cell") << QStringList{u"L0=В"_s, u"R0=О"_s, u"L0=Ва"_s} << 3
                                            << QStringList{QStringLiteral("В|О"), start.at(1), start.at(2)};
    QTest::addRow("end_of_typing_splits") << QStringList{u"L0=В"_s, u"end"_s, u"L0=Ва"_s} << 2
                                          << QStringList{QStringLiteral("В|Одесос"), start.at(1), start.at(2)};
    QTest::addRow("typed_back_to_the_start_leaves_no_step") << QStringList{u"L0=В"_s, u"L0=Варна"_s} << 0 << start;
    QTest::addRow("title_keystrokes") << QStringList{u"T=Г"_s, u"T=Гр"_s, u"T=Гра"_s} << 1 << start;
    QTest::addRow("no_merge_after_undo") << QStringList{u"L0=В"_s, u"L1=П"_s, u"undo"_s, u"L0=Ва"_s} << 2
                                         << QStringList{QStringLiteral("В|Одесос"), start.at(1), start.at(2)};
    QTest::addRow("no_merge_across_save") << QStringList{u"L0=В"_s, u"save"_s, u"L0=Ва"_s} << 2
                                          << QStringList{QStringLiteral("В|Одесос"), start.at(1), start.at(2)};
}

void TestEditorDocument::keystrokesMerge()
{
    QFETCH(QStringList, steps);
    QFETCH(int, steps_on_stack);
    QFETCH(QStringList, after_one_undo);
    QuizDocument d;
    setRows(d, threeRows);
    for (const QString &step : steps) {
        if (step == u"end") {
            d.endTyping();
        } else if (step == u"undo") {
            d.undoStack()->undo();
        } else if (step == u"save") {
            d.undoStack()->setClean(); // what saving does to the stack, without a folder
            d.endTyping();
        } else {
            const QString value = step.section(u'=', 1);
            if (step.startsWith(u'T')) {
                d.setField(DocumentField::Title, value);
                continue;
            }
            const int row = step.mid(1, 1).toInt();
            const DocumentField field = step.startsWith(u'L') ? DocumentField::Left
                : step.startsWith(u'R')                       ? DocumentField::Right
                                                              : DocumentField::Explanation;
            d.setCell(row, field, value);
        }
    }
    QCOMPARE(d.undoStack()->index(), steps_on_stack);
    if (steps_on_stack > 0)
        d.undoStack()->undo();
    QCOMPARE(flat(d), after_one_undo);
}

void TestEditorDocument::newLinesShown_data()
{
    QTest::addColumn<bool>("hidden_before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addRow("first_lines_are_shown") << false << QStringLiteral("нов ред") << QStringLiteral("a|b|нов ред");
    QTest::addRow("hidden_lines_stay_hidden_when_edited")
        << true << QStringLiteral("стар ред, поправен") << QStringLiteral("a|b|стар ред, поправен(off)");
    QTest::addRow("lines_typed_again_after_clearing_are_shown") << true << QString() << QStringLiteral("a|b|отново");
}

void TestEditorDocument::newLinesShown()
{
    QFETCH(bool, hidden_before);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QuizDocument d;
    setRows(d, QStringLiteral("a\tb\tстар ред\n"));
    if (hidden_before)
        d.setExplanationShown(0, false);
    d.setCell(0, DocumentField::Explanation, typed);
    if (typed.isEmpty())
        d.setCell(0, DocumentField::Explanation, QStringLiteral("отново"));
    QCOMPARE(flat(d), QStringList{expected});
}

// ---------------------------------------------------------------- rows to the file

void TestEditorDocument::rowsToFile_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("right");
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QStringList>("questions"); // question of each row
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QString>("says"); // a piece of the messages

    const Edit none = [](QuizDocument &) {};
    const QString sw = QStringLiteral("Ima li obqsneniq");
    const QString fl = QStringLiteral("Utochnenie dali ima grafika - 30 br");

    QTest::addRow("pairs_only") << QStringLiteral("a\tA\nb\tB") << none << QStringList{u"a"_s, u"b"_s}
                                << QStringList{u"A"_s, u"B"_s} << QStringList{} << QStringList{fl, u"0"_s, u"0"_s}
                                << QStringList{u"1"_s, u"2"_s} << QStringList{} << QString();
    // One extra right phrase takes three pairs: with fewer, the test could never be graded.
    QTest::addRow("distractor_row_written_after_the_pairs")
        << QStringLiteral("a\tA\n\tX\nb\tB\nc\tC") << none << QStringList{u"a"_s, u"b"_s, u"c"_s}
        << QStringList{u"A"_s, u"B"_s, u"C"_s, u"X"_s} << QStringList{} << QStringList{fl, u"0"_s, u"0"_s, u"0"_s}
        << QStringList{u"1"_s, u"0"_s, u"2"_s, u"3"_s} << QStringList{} << QString();
    QTest::addRow("too_many_distractors_for_the_pairs")
        << QStringLiteral("a\tA\n\tX\nb\tB") << none << QStringList{u"a"_s, u"b"_s}
        << QStringList{u"A"_s, u"B"_s, u"X"_s} << QStringList{} << QStringList{fl, u"0"_s, u"0"_s}
        << QStringList{u"1"_s, u"0"_s, u"2"_s} << QStringList{u"-1:Right"_s} << QStringLiteral("could never be graded");
    QTest::addRow("left_only_row_written_after_the_pairs")
        << QStringLiteral("a\tA\nc\t\nb\tB") << none << QStringList{u"a"_s, u"b"_s, u"c"_s}
        << QStringList{u"A"_s, u"B"_s} << QStringList{} << QStringList{fl, u"0"_s, u"0"_s, u"0"_s}
        << QStringList{u"1"_s, u"2"_s, u"3"_s} << QStringList{} << QString();
    QTest::addRow("both_kinds_of_unpaired_rows")
        << QStringLiteral("a\tA\nc\t\n\tX") << none << QStringList{u"a"_s, u"c"_s} << QStringList{u"A"_s, u"X"_s}
        << QStringList{} << QStringList{fl, u"0"_s, u"0"_s} << QStringList{u"1"_s, u"2"_s, u"0"_s}
        << QStringList{u"1:Right"_s, u"2:Left"_s} << QStringLiteral("while the unnumbered row below row 2 has a right phrase but no left one");
    QTest::addRow("blank_row_not_written")
        << QStringLiteral("a\tA\n\t\nb\tB") << none << QStringList{u"a"_s, u"b"_s} << QStringList{u"A"_s, u"B"_s}
        << QStringList{} << QStringList{fl, u"0"_s, u"0"_s} << QStringList{u"1"_s, u"0"_s, u"2"_s} << QStringList{}
        << QString();
    QTest::addRow("explanation_switched_on_by_its_lines")
        << QStringLiteral("a\tA\nb\tB\t\"ред 1\nред 2\"") << none << QStringList{u"a"_s, u"b"_s}
        << QStringList{u"A"_s, u"B"_s} << QStringList{sw, u"0"_s, u"1"_s} << QStringList{fl, u"0"_s, u"0"_s}
        << QStringList{u"1"_s, u"2"_s} << QStringList{} << QString();
    QTest::addRow("hidden_lines_kept_with_switch_off")
        << QStringLiteral("a\tA\tред\nb\tB") << Edit([](QuizDocument &d) { d.setExplanationShown(0, false); })
        << QStringList{u"a"_s, u"b"_s} << QStringList{u"A"_s, u"B"_s} << QStringList{sw, u"0"_s, u"0"_s}
        << QStringList{fl, u"0"_s, u"0"_s} << QStringList{u"1"_s, u"2"_s} << QStringList{} << QString();
    QTest::addRow("picture_in_window") << QStringLiteral("a\tA\nb\tB") << Edit([](QuizDocument &d) {
        d.setPicture(1, QStringLiteral("b.png"), png(10, 10));
    }) << QStringList{u"a"_s, u"b"_s} << QStringList{u"A"_s, u"B"_s}
                                       << QStringList{} << QStringList{fl, u"0"_s, u"1"_s}
                                       << QStringList{u"1"_s, u"2"_s} << QStringList{} << QString();
    QTest::addRow("picture_thumbnail_only") << QStringLiteral("a\tA\nb\tB") << Edit([](QuizDocument &d) {
        d.setPicture(0, QStringLiteral("a.png"), png(10, 10));
        d.setPictureMode(0, PictureMode::ThumbnailOnly);
    }) << QStringList{u"a"_s, u"b"_s} << QStringList{u"A"_s, u"B"_s}
                                            << QStringList{} << QStringList{fl, u"-1"_s, u"0"_s}
                                            << QStringList{u"1"_s, u"2"_s} << QStringList{} << QString();
    QTest::addRow("picture_kept_but_hidden") << QStringLiteral("a\tA") << Edit([](QuizDocument &d) {
        d.setPicture(0, QStringLiteral("a.png"), png(10, 10));
        d.setPictureMode(0, PictureMode::Hidden);
    }) << QStringList{u"a"_s} << QStringList{u"A"_s}
                                             << QStringList{} << QStringList{fl, u"0"_s} << QStringList{u"1"_s}
                                             << QStringList{} << QString();
    const QStringList abc{u"a"_s, u"b"_s, u"c"_s}, abcx{u"A"_s, u"B"_s, u"C"_s, u"X"_s};
    QTest::addRow("explanation_on_a_distractor_row")
        << QStringLiteral("a\tA\n\tX\tред\nb\tB\nc\tC") << none << abc << abcx << QStringList{}
        << QStringList{fl, u"0"_s, u"0"_s, u"0"_s} << QStringList{u"1"_s, u"0"_s, u"2"_s, u"3"_s}
        << QStringList{u"1:Explanation"_s}
        << QStringLiteral("no left phrase, so it is no question and its explanation lines");
    QTest::addRow("picture_on_a_distractor_row")
        << QStringLiteral("a\tA\n\tX\nb\tB\nc\tC")
        << Edit([](QuizDocument &d) { d.setPicture(1, QStringLiteral("x.png"), png(10, 10)); }) << abc << abcx
        << QStringList{} << QStringList{fl, u"0"_s, u"0"_s, u"0"_s} << QStringList{u"1"_s, u"0"_s, u"2"_s, u"3"_s}
        << QStringList{u"1:Picture"_s} << QStringLiteral("or remove the picture");

    // Rows past question 30: a switch and a flag each, never on; lines and pictures not written.
    QString many;
    QStringList left, right, zeros{fl}, questions;
    for (int i = 1; i <= 31; ++i) {
        many += QStringLiteral("л%1\tд%1\n").arg(i);
        left.append(QStringLiteral("л%1").arg(i));
        right.append(QStringLiteral("д%1").arg(i));
        zeros.append(QStringLiteral("0"));
        questions.append(QString::number(i));
    }
    QStringList switches30{sw};
    for (int i = 1; i <= 31; ++i)
        switches30.append(i == 30 ? QStringLiteral("1") : QStringLiteral("0"));
    QTest::addRow("question_31_with_explanation")
        << many << Edit([](QuizDocument &d) { d.setCell(30, DocumentField::Explanation, QStringLiteral("ред")); })
        << left << right << QStringList{} << zeros << questions << QStringList{u"30:Explanation"_s}
        << QStringLiteral("question 31, but only questions 1 to 30 can have explanation lines, so these are not saved; "
                          "move the row up");
    QTest::addRow("question_31_with_picture")
        << many << Edit([](QuizDocument &d) { d.setPicture(30, QStringLiteral("p.png"), png(10, 10)); }) << left
        << right << QStringList{} << zeros << questions << QStringList{u"30:Picture"_s}
        << QStringLiteral("can have a picture, so it is not saved; move the row up among the first 30 questions");
    // A left phrase without a right one is asked after the pairs: numbered 1 at the top, it is
    // question 31 of the file, too late for lines.
    QStringList inPlace{u"1"_s}, zeros31{fl};
    for (int i = 1; i <= 31; ++i) {
        inPlace.append(QString::number(i + 1));
        zeros31.append(u"0"_s);
    }
    inPlace.removeLast();
    QTest::addRow("left_only_row_at_the_top_is_question_31")
        << QString(u"х\t\tред\n"_s + many.section(u'\n', 0, 29) + u'\n') << none << (left.mid(0, 30) + QStringList{u"х"_s})
        << right.mid(0, 30) << QStringList{} << zeros31 << inPlace << QStringList{u"0:Explanation"_s}
        << QStringLiteral("this row has no right phrase, so the test asks it after all the pairs, as question 31, but only "
                          "questions 1 to 30 can have explanation lines");
    QTest::addRow("question_30_with_explanation")
        << many << Edit([](QuizDocument &d) { d.setCell(29, DocumentField::Explanation, QStringLiteral("ред")); })
        << left << right << switches30 << zeros << questions << QStringList{} << QString();
    QTest::addRow("row_moved_up_to_question_30_is_saved")
        << many << Edit([](QuizDocument &d) {
               d.setCell(30, DocumentField::Explanation, QStringLiteral("ред"));
               d.moveRows(30, 1, 29);
           })
        << (left.mid(0, 29) + QStringList{left.at(30), left.at(29)})
        << (right.mid(0, 29) + QStringList{right.at(30), right.at(29)}) << switches30 << zeros << questions
        << QStringList{} << QString();
}

void TestEditorDocument::rowsToFile()
{
    QFETCH(QString, rows);
    QFETCH(Edit, edit);
    QFETCH(QStringList, left);
    QFETCH(QStringList, right);
    QFETCH(QStringList, switches);
    QFETCH(QStringList, flags);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, problems);
    QFETCH(QString, says);
    QuizDocument d;
    setRows(d, rows);
    edit(d);
    const FileMapping::Written w = FileMapping::toStore(d.content());
    QCOMPARE(w.store.Danni(0), left);
    QCOMPARE(w.store.Danni(1), right);
    QCOMPARE(w.store.Otgowor(0), switches);
    QCOMPARE(w.store.Spis_graf(), flags);
    QStringList q;
    for (int r = 0; r < d.rowCount(); ++r)
        q.append(QString::number(d.questionOf(r)));
    QCOMPARE(q, questions);
    for (int r = 0; r < d.rowCount(); ++r)
        if (d.questionOf(r) > 0)
            QCOMPARE(d.rowOfQuestion(d.questionOf(r)), r);
    d.checkNow();
    QVERIFY2(places(d.problems()) == problems, qPrintable(messages(d.problems())));
    QVERIFY2(messages(d.problems()).contains(says), qPrintable(messages(d.problems())));
    // What the file holds reads back as the store it came from.
    const ContentReader::Result read = ContentReader::read(d.text());
    QCOMPARE(read.store.Danni(0), left);
    QCOMPARE(read.store.Otgowor(0), switches);
    QCOMPARE(read.store.Spis_graf(), flags);
}

// ---------------------------------------------------------------- problems

void TestEditorDocument::problemsOnRowsAndFields_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("where"); // "row:Field[:part]"
    QTest::addColumn<QString>("says");  // a piece of the message

    QTest::addRow("left_phrase_typed_twice")
        << Edit([](QuizDocument &d) { d.setCell(2, DocumentField::Left, QStringLiteral("Варна")); })
        << QStringLiteral("2:Left") << QStringLiteral("is already on row 1; phrases of one column must differ");
    QTest::addRow("right_phrase_typed_twice")
        << Edit([](QuizDocument &d) { d.setCell(0, DocumentField::Right, QStringLiteral("Сердика")); })
        << QStringLiteral("2:Right") << QStringLiteral("the phrase \"Сердика\" is already");
    QTest::addRow("phrases_differ_in_end_spaces_only")
        << Edit([](QuizDocument &d) { d.setCell(1, DocumentField::Left, QStringLiteral("Варна ")); })
        << QStringLiteral("1:Left") << QStringLiteral("differ only in spaces");
    QTest::addRow("tab_in_a_phrase") << Edit([](QuizDocument &d) {
        d.setCell(1, DocumentField::Right, QStringLiteral("Фили\tпополис"));
    }) << QStringLiteral("1:Right") << QStringLiteral("tab character");
    QTest::addRow("control_character_in_a_phrase")
        << Edit([](QuizDocument &d) { d.setCell(0, DocumentField::Left, QStringLiteral("Вар\u0007на")); })
        << QStringLiteral("0:Left") << QStringLiteral("invisible control character");
    QTest::addRow("explanation_line_too_long") << Edit([](QuizDocument &d) {
        d.setCell(1, DocumentField::Explanation, QStringLiteral("кратък\n") + QString(1001, u'я'));
    }) << QStringLiteral("1:Explanation:1") << QStringLiteral("1001 characters");
    QTest::addRow("instructions_line_with_control_character")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::Instructions, QStringLiteral("първи\nвто\u0001ри")); })
        << QStringLiteral("-1:Instructions:1") << QStringLiteral("control character");
    QTest::addRow("window_too_narrow") << Edit([](QuizDocument &d) {
        d.setField(DocumentField::WindowWidth, QStringLiteral("9000"));
    }) << QStringLiteral("-1:WindowWidth")
                                       << QStringLiteral("the window width 9000 is too small");
    QTest::addRow("window_width_not_a_number")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::WindowWidth, QStringLiteral("11 250")); })
        << QStringLiteral("-1:WindowWidth") << QStringLiteral("not a usable number");
    QTest::addRow("lists_overlap") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::LeftListWidth, QStringLiteral("4000")); })
                                   << QStringLiteral("-1:LeftListWidth") << QStringLiteral("would overlap");
    QTest::addRow("right_list_past_the_window")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::RightListWidth, QStringLiteral("9000")); })
        << QStringLiteral("-1:RightListWidth") << QStringLiteral("would be cut off");
    QTest::addRow("list_too_narrow") << Edit(
        [](QuizDocument &d) { d.setField(DocumentField::LeftListWidth, QStringLiteral("300")); })
                                     << QStringLiteral("-1:LeftListWidth") << QStringLiteral("too small");
    QTest::addRow("address_with_a_space")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::Address, QStringLiteral("https://kaz.bg/a b")); })
        << QStringLiteral("-1:Address") << QStringLiteral("without spaces");
    QTest::addRow("control_character_in_the_address")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::Address, QStringLiteral("https://kaz\u0002.bg")); })
        << QStringLiteral("-1:Address") << QStringLiteral("control character");
    QTest::addRow("title_too_long") << Edit([](QuizDocument &d) {
        d.setField(DocumentField::Title, QString(1001, u'т'));
    }) << QStringLiteral("-1:Title") << QStringLiteral("a line may hold at most 1000");
    QTest::addRow("explanation_label_reads_as_a_number")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::ExplanationLabel, QStringLiteral("1")); })
        << QStringLiteral("-1:ExplanationLabel") << QStringLiteral("this label is a number (\"1\")");
    QTest::addRow("picture_label_reads_as_a_number")
        << Edit([](QuizDocument &d) { d.setField(DocumentField::PictureLabel, QStringLiteral("0")); })
        << QStringLiteral("-1:PictureLabel") << QStringLiteral("this label is a number (\"0\")");
    QTest::addRow("picture_larger_than_its_box") << Edit([](QuizDocument &d) {
        d.setPicture(1, QStringLiteral("plovdiv.png"), png(200, 100));
        d.setPictureBox(1, 1500, 1500);
    }) << QStringLiteral("1:Picture") << QStringLiteral("larger than its box of 100 × 100 pixels, so part of it would be cut off; make the box at least 200 × 100 pixels");
    QTest::addRow("picture_that_is_no_picture")
        << Edit([](QuizDocument &d) { d.setPicture(0, QStringLiteral("karta.png"), QByteArray("not a picture")); })
        << QStringLiteral("0:Picture") << QStringLiteral("not a picture that can be shown");
    QTest::addRow("picture_with_an_unknown_ending")
        << Edit([](QuizDocument &d) { d.setPicture(0, QStringLiteral("karta.webp"), png(10, 10)); })
        << QStringLiteral("0:Picture") << QStringLiteral("must end in .png");
    QTest::addRow("no_rows_at_all") << Edit([](QuizDocument &d) { d.removeRows(0, 3); }) << QStringLiteral("-1:Left")
                                    << QStringLiteral("no row has a phrase in the column \"Left phrase\"");
    QTest::addRow("instructions_too_long") << Edit([](QuizDocument &d) {
        d.setField(DocumentField::Instructions, u"ред\n"_s.repeated(ContentReader::MaxTextLines + 1));
    }) << QStringLiteral("-1:Instructions") << QStringLiteral("the instructions have 1001 lines, but may have at most 1000");
    QTest::addRow("explanation_too_long") << Edit([](QuizDocument &d) {
        d.setCell(1, DocumentField::Explanation, u"ред\n"_s.repeated(ContentReader::MaxTextLines) + u"ред"_s);
    }) << QStringLiteral("1:Explanation") << QStringLiteral("this explanation has 1001 lines");
    QTest::addRow("right_phrase_of_an_extra_row_twice") << Edit([](QuizDocument &d) {
        d.insertRows(3, 1);
        d.setCell(3, DocumentField::Right, QStringLiteral("Одесос"));
    }) << QStringLiteral("3:Right") << QStringLiteral("the phrase \"Одесос\" is already on row 1;");
}

void TestEditorDocument::problemsOnRowsAndFields()
{
    QFETCH(Edit, edit);
    QFETCH(QString, where);
    QFETCH(QString, says);
    QuizDocument d;
    setRows(d, threeRows);
    d.checkNow();
    QVERIFY2(d.problems().isEmpty(), qPrintable(messages(d.problems())));
    edit(d);
    d.checkNow();
    QVERIFY(d.problemsCurrent());
    QVERIFY2(places(d.problems()).contains(where), qPrintable(messages(d.problems())));
    const DocumentProblem p = d.problems().at(places(d.problems()).indexOf(where));
    QVERIFY2(p.message.contains(says), qPrintable(p.message));
    // The table has columns and rows: a section or a line of the file is named by no problem.
    for (const DocumentProblem &any : d.problems())
        QVERIFY2(!any.message.contains(u'['), qPrintable(any.message));
    // The model shows it on its cell.
    const int column = RowTableModel::columnOf(p.field);
    if (p.row >= 0 && column >= 0)
        QVERIFY(d.model()
                    ->data(d.model()->index(p.row, column), RowTableModel::ProblemsRole)
                    .toStringList()
                    .contains(p.message));
    // Undone, the problem goes with the next check.
    d.undoStack()->setIndex(0);
    d.checkNow();
    QVERIFY2(d.problems().isEmpty(), qPrintable(messages(d.problems())));
}

// A picture the build would refuse is refused in the editor with the words kazcheck prints
// for the same file on disk.
void TestEditorDocument::picturesRefusedInTheCheckersWords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("allocationLimit"); // in MB; 0: as it is
    QTest::addColumn<QString>("says");        // the start of the checker's words

    QTest::addRow("not_a_picture") << QByteArray("GIF89a, but no more") << 0
                                   << u"the file is not a picture that can be shown"_s;
    QTest::addRow("too_many_pixels") << TestPictures::bmpClaiming(6000, 6000) << 0
                                     << u"the picture is 6000 × 6000 pixels, too many to load"_s;
    QTest::addRow("file_too_large") << png(20, 10) + QByteArray(1024 * 1024, '\0') << 1
                                    << u"the file is too large: it is 1048677 bytes, larger than 1048576 bytes"_s;
}

void TestEditorDocument::picturesRefusedInTheCheckersWords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, allocationLimit);
    QFETCH(QString, says);
    const TestPictures::AllocationLimit limit(allocationLimit > 0 ? allocationLimit
                                                                  : QImageReader::allocationLimit());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"karta.png"_s);
    QVERIFY(TestFiles::write(path, bytes));
    const QString fromDisk = QuizFolder::checkPicture(path).problem;
    QVERIFY2(fromDisk.startsWith(says), qPrintable(fromDisk));

    QuizDocument d;
    setRows(d, threeRows);
    d.setPicture(1, u"karta.png"_s, bytes);
    QCOMPARE(d.row(1).picture.problem, fromDisk);
    QVERIFY(!d.row(1).picture.pixels.isValid());
    d.checkNow();
    QCOMPARE(places(d.problems()), QStringList{u"1:Picture"_s});
    QCOMPARE(d.problems().constFirst().message, u"picture \"karta.png\" of question 2 cannot be used: "_s + fromDisk);
}

// A problem names its row, and the row its message names, as the vertical header numbers
// them: questions by their number, a row without one by the numbered row above it.
void TestEditorDocument::problemsNameRowsAsTheHeader_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("where");   // "row:Field" of the problem looked at
    QTest::addColumn<QString>("rowName"); // how the list names its row
    QTest::addColumn<int>("otherRow");
    QTest::addColumn<QString>("says");

    // Table row 4 is question 3, the extra right phrase above it has no number.
    QTest::addRow("below_an_extra_right_phrase")
        << u"a\tA\n\tX\nb\tB\nc\tC\n"_s << Edit([](QuizDocument &d) { d.setCell(3, DocumentField::Left, u"b"_s); })
        << u"3:Left"_s << u"Row 3"_s << 2 << u"the phrase \"b\" is already on row 2;"_s;
    // A row with a left phrase only is numbered where it stands, though the file asks it last.
    QTest::addRow("left_only_row_numbered_in_place")
        << u"a\tA\nb\nc\tC\n"_s << Edit([](QuizDocument &d) { d.setCell(2, DocumentField::Left, u"b"_s); })
        << u"1:Left"_s << u"Row 2"_s << 2 << u"is already on row 3;"_s;
    QTest::addRow("on_the_extra_row_itself")
        << u"a\tA\n\tX\nb\tB\n"_s << Edit([](QuizDocument &d) { d.setCell(1, DocumentField::Right, u"A"_s); })
        << u"1:Right"_s << u"Unnumbered row below row 1"_s << 0 << u"is already on row 1;"_s;
    QTest::addRow("extra_row_at_the_top")
        << u"\tX\na\tA\nb\tB\n"_s << Edit([](QuizDocument &d) { d.setCell(2, DocumentField::Right, u"X"_s); })
        << u"0:Right"_s << u"Unnumbered row above row 1"_s << 2 << u"is already on row 2;"_s;
    QTest::addRow("naming_an_extra_row_at_the_top")
        << u"\tX\na\nb\tB\n"_s << Edit([](QuizDocument &) {}) << u"1:Right"_s << u"Row 1"_s << 0
        << u"while the unnumbered row above row 1 has a right phrase"_s;
    QTest::addRow("extra_rows_of_both_sides")
        << u"a\tA\nb\n\tX\nc\tC\n"_s << Edit([](QuizDocument &) {}) << u"1:Right"_s << u"Row 2"_s << 2
        << u"while the unnumbered row below row 2 has a right phrase"_s;
    // Unnumbered rows together are told apart by their place among them.
    QTest::addRow("two_extra_rows_under_one_row")
        << u"a\tA\n\tX\n\tX\nb\tB\n"_s << Edit([](QuizDocument &) {}) << u"2:Right"_s
        << u"Unnumbered row 2 of 2 below row 1"_s << 1 << u"is already on the unnumbered row 1 of 2 below row 1;"_s;
    QTest::addRow("three_extra_rows_at_the_top")
        << u"\tX\n\tY\n\tX\na\tA\nb\tB\nc\tC\nd\tD\ne\tE\nf\tF\ng\tG\nh\tH\ni\tI\n"_s
        << Edit([](QuizDocument &) {}) << u"2:Right"_s << u"Unnumbered row 3 of 3 above row 1"_s << 0
        << u"is already on the unnumbered row 1 of 3 above row 1;"_s;
    QTest::addRow("extra_rows_apart_keep_the_short_name")
        << u"a\tA\n\tX\nb\tB\n\tX\nc\tC\nd\tD\ne\tE\nf\tF\n"_s << Edit([](QuizDocument &) {})
        << u"3:Right"_s << u"Unnumbered row below row 2"_s << 1 << u"is already on the unnumbered row below row 1;"_s;
}

void TestEditorDocument::problemsNameRowsAsTheHeader()
{
    QFETCH(QString, rows);
    QFETCH(Edit, edit);
    QFETCH(QString, where);
    QFETCH(QString, rowName);
    QFETCH(int, otherRow);
    QFETCH(QString, says);
    QuizDocument d;
    setRows(d, rows);
    edit(d);
    d.checkNow();
    const QStringList at = places(d.problems());
    QVERIFY2(at.contains(where), qPrintable(messages(d.problems())));
    const DocumentProblem p = d.problems().at(at.indexOf(where));
    QCOMPARE(p.rowName, rowName);
    QCOMPARE(p.otherRow, otherRow);
    QVERIFY2(p.message.contains(says), qPrintable(p.message));
    // The header shows the number the problem says.
    const QVariant header = d.model()->headerData(p.row, Qt::Vertical);
    QCOMPARE(rowName.startsWith(u"Row "_s), !header.toString().isEmpty());
    if (rowName.startsWith(u"Row "_s))
        QCOMPARE(u"Row "_s + header.toString(), rowName);
}

// What opening a file loses: its problems that the document's check does not find again with
// the same rule on the same row and field.
void TestEditorDocument::unplacedIsWhatTheRowsLose_data()
{
    QTest::addColumn<QStringList>("change"); // lines of a sound file replaced: "line=text"
    QTest::addColumn<QList<int>>("lost");    // the lines of the problems told lost

    QTest::addRow("phrase_twice_found_again") << QStringList{u"10=Лом"_s} << QList<int>{};
    QTest::addRow("window_too_narrow_found_again") << QStringList{u"3=9000"_s} << QList<int>{};
    // Opening shows a control character as a replacement character: the file's problem is gone.
    QTest::addRow("control_character_replaced_told")
        << QStringList{u"2=https://kaz.test Про\u0002ба"_s} << QList<int>{2};
    QTest::addRow("unknown_section_lost") << QStringList{u"14=[нищо]\n[picture flags]"_s} << QList<int>{14};
    // The same words, a line too long, on a phrase the rows keep and on a line they lose: only
    // the one found again on its own place is left out.
    QTest::addRow("long_line_lost_while_a_long_phrase_is_kept")
        << QStringList{u"10="_s + QString(1001, u'я'), u"14=[нищо]\n"_s + QString(1002, u'я') + u"\n[picture flags]"_s}
        << QList<int>{14, 15};
    QTest::addRow("empty_phrase_lost") << QStringList{u"10=\\"_s} << QList<int>{10};
}

void TestEditorDocument::unplacedIsWhatTheRowsLose()
{
    QFETCH(QStringList, change);
    QFETCH(QList<int>, lost);
    QStringList lines{u"[parameters]"_s, u"https://kaz.test Проба"_s, u"11250"_s, u"120"_s, u"3135"_s, u"3360"_s,
                      u"6575"_s,         u"[left]"_s,  u"Лом"_s,     u"Варна"_s, u"[right]"_s, u"Алмус"_s,
                      u"Одесос"_s,       u"[picture flags]"_s, u"Флагове"_s, u"0"_s, u"0"_s};
    for (const QString &c : std::as_const(change))
        lines[c.section(u'=', 0, 0).toInt() - 1] = c.section(u'=', 1);
    QTemporaryDir dir;
    QVERIFY(TestFiles::write(dir.filePath(u"test.kaz"_s), lines.join(u'\n').toUtf8()));
    QuizDocument d;
    const QuizDocument::Opened opened = d.openFolder(dir.path());
    QVERIFY2(opened.ok(), qPrintable(opened.error));
    QVERIFY(!opened.problems.isEmpty());
    d.checkNow();
    QList<int> told;
    for (const ContentReader::Problem &p :
         DocumentCheck::unplaced(opened.problems, opened.leftRows, opened.rightRows, d.problems()))
        told.append(p.line);
    QCOMPARE(told, lost);
}

void TestEditorDocument::checkRunsAfterTyping()
{
    QuizDocument d;
    setRows(d, threeRows);
    QTRY_VERIFY(d.problemsCurrent());
    QSignalSpy changed(&d, &QuizDocument::problemsChanged);
    const QString typed = QStringLiteral("Одесос");
    QElapsedTimer clock;
    for (int i = 1; i <= typed.size(); ++i) {
        d.setCell(1, DocumentField::Right, typed.left(i));
        QVERIFY(!d.problemsCurrent());
        clock.start();
    }
    // The list follows within half a second of the last keystroke, without any call.
    QTRY_VERIFY_WITH_TIMEOUT(d.problemsCurrent(), 500);
    QVERIFY2(clock.elapsed() <= 500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(places(d.problems()), QStringList{u"1:Right"_s});
    // Three pairs: the note of the extra click stands apart from the problems.
    QCOMPARE(d.notes().size(), 1);
    QCOMPARE(d.notes() + d.problems(), DocumentCheck::run(d.content()));
}

void TestEditorDocument::editDuringCheckEndsWithCurrentProblems()
{
    QuizDocument d;
    setRows(d, threeRows);
    QTRY_VERIFY(d.problemsCurrent());
    // The check of the duplicate starts; an edit during it makes its result stale.
    bool edited = false;
    connect(&d, &QuizDocument::checkStarted, this, [&d, &edited] {
        if (!std::exchange(edited, true))
            d.setCell(1, DocumentField::Left, QStringLiteral("Варна 2"));
    });
    d.setCell(1, DocumentField::Left, QStringLiteral("Варна"));
    QTRY_VERIFY(edited);
    QTRY_VERIFY(d.problemsCurrent());
    QVERIFY2(d.problems().isEmpty(), qPrintable(messages(d.problems())));
}

void TestEditorDocument::modifiedFollowsUndoStack()
{
    QuizDocument d;
    QSignalSpy spy(&d, &QuizDocument::modifiedChanged);
    QVERIFY(!d.isModified());
    d.insertRows(0, 1);
    QVERIFY(d.isModified());
    d.setCell(0, DocumentField::Left, QStringLiteral("а"));
    d.undoStack()->undo();
    QVERIFY(d.isModified());
    d.undoStack()->undo();
    QVERIFY(!d.isModified());
    d.undoStack()->redo();
    QVERIFY(d.isModified());
    d.undoStack()->setClean();
    QVERIFY(!d.isModified());
    d.setCell(0, DocumentField::Left, QStringLiteral("б"));
    QVERIFY(d.isModified());
    d.newTest();
    QVERIFY(!d.isModified());
    QCOMPARE(spy.count(), 6);
    QCOMPARE(spy.last().at(0).toBool(), false);
}

// ---------------------------------------------------------------- the table model

void TestEditorDocument::modelShowsAndEditsRows()
{
    QuizDocument d;
    QAbstractItemModelTester tester(d.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    setRows(d, threeRows);
    RowTableModel *m = d.model();
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->columnCount(), 4);
    QCOMPARE(m->data(m->index(2, RowTableModel::ExplanationColumn)).toString(), QStringLiteral("Сердика\nСредец"));
    QCOMPARE(m->data(m->index(2, RowTableModel::ExplanationColumn), Qt::CheckStateRole).value<Qt::CheckState>(),
             Qt::Checked);
    QVERIFY(!m->data(m->index(0, RowTableModel::ExplanationColumn), Qt::CheckStateRole).isValid());
    QVERIFY(m->flags(m->index(2, RowTableModel::ExplanationColumn)) & Qt::ItemIsUserCheckable);
    QVERIFY(!(m->flags(m->index(0, RowTableModel::ExplanationColumn)) & Qt::ItemIsUserCheckable));
    QVERIFY(!(m->flags(m->index(0, RowTableModel::PictureColumn)) & Qt::ItemIsEditable));

    QSignalSpy changed(m, &QAbstractItemModel::dataChanged);
    QVERIFY(m->setData(m->index(2, RowTableModel::ExplanationColumn), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).value<QModelIndex>().row(), 2);
    QVERIFY(!d.row(2).explanationShown);

    d.setPicture(0, QStringLiteral("varna.png"), png(40, 20));
    QCOMPARE(m->data(m->index(0, RowTableModel::PictureColumn)).toString(), QStringLiteral("varna.png"));
    QCOMPARE(m->data(m->index(0, RowTableModel::PictureColumn), RowTableModel::PicturePixelsRole).toSize(),
             QSize(40, 20));
    // A new picture's box is the picture's own size.
    QCOMPARE(m->data(m->index(0, RowTableModel::PictureColumn), RowTableModel::PictureBoxRole).toSize(),
             QSize(600, 300));
    QVERIFY(m->setData(m->index(0, RowTableModel::PictureColumn), QSize(900, 450), RowTableModel::PictureBoxRole));
    QVERIFY(m->setData(m->index(0, RowTableModel::PictureColumn), int(PictureMode::ThumbnailOnly),
                       RowTableModel::PictureModeRole));
    QCOMPARE(d.row(0).picture.width, 900);
    QCOMPARE(d.row(0).pictureMode, PictureMode::ThumbnailOnly);
    QVERIFY(!m->setData(m->index(0, RowTableModel::PictureColumn), QStringLiteral("x.png")));
    QCOMPARE(d.undoStack()->count(), 4);

    // A line break typed into a phrase cannot stand in the file's line.
    QVERIFY(m->setData(m->index(1, RowTableModel::LeftColumn), QStringLiteral("Пло\r\nвдив")));
    QCOMPARE(d.row(1).left, QStringLiteral("Пло вдив"));
}

void TestEditorDocument::modelHeaderShowsQuestions()
{
    QuizDocument d;
    QAbstractItemModelTester tester(d.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    setRows(d, QStringLiteral("a\tA\n\tX\nb\tB\n"));
    RowTableModel *m = d.model();
    const auto header = [m] {
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r)
            out.append(m->headerData(r, Qt::Vertical).toString());
        return out;
    };
    QCOMPARE(header(), (QStringList{u"1"_s, u""_s, u"2"_s}));
    QSignalSpy headers(m, &QAbstractItemModel::headerDataChanged);
    d.setCell(1, DocumentField::Left, QStringLiteral("x"));
    QCOMPARE(header(), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    QCOMPARE(headers.count(), 1);
    // Typing on in a cell that stays filled leaves the numbers alone.
    d.setCell(1, DocumentField::Left, QStringLiteral("xy"));
    QCOMPARE(headers.count(), 1);
    // A row that loses its right phrase keeps its number where it stands.
    d.setCell(0, DocumentField::Right, QString());
    QCOMPARE(header(), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    QCOMPARE(headers.count(), 1);

    // A row added in the middle is numbered in place at its first letter, the rows below it
    // renumbered, though the file asks it after the pairs until it has a right phrase.
    setRows(d, u"a\tA\nb\tB\nc\tC\nd\tD\ne\tE\nf\tF\ng\tG\n"_s);
    d.insertRows(1, 1);
    QCOMPARE(header(), (QStringList{u"1"_s, u""_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s}));
    headers.clear();
    d.setCell(1, DocumentField::Left, u"н"_s);
    QCOMPARE(header(), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}));
    QCOMPARE(headers.count(), 1);
    QCOMPARE(headers.at(0).at(1).toInt(), 1);
    QCOMPARE(headers.at(0).at(2).toInt(), 7);
    QCOMPARE(FileMapping::toStore(d.content()).store.Danni(0).last(), u"н"_s);
    d.setCell(1, DocumentField::Right, u"Н"_s);
    QCOMPARE(header(), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}));
    QCOMPARE(FileMapping::toStore(d.content()).store.Danni(0).at(1), u"н"_s);
}

// ---------------------------------------------------------------- geometry

void TestEditorDocument::sketchOfGeometry_data()
{
    QTest::addColumn<QStringList>("geometry");
    QTest::addColumn<QRect>("window_px");
    QTest::addColumn<QRect>("left_px");
    QTest::addColumn<QRect>("right_px");
    QTest::addColumn<QStringList>("problems");
    QTest::addRow("towns_test") << QStringList{u"11250"_s, u"120"_s, u"3135"_s, u"3360"_s, u"6575"_s}
                                << QRect(0, 0, 742, 467) << QRect(8, 32, 209, 137) << QRect(224, 32, 438, 137)
                                << QStringList{};
    QTest::addRow("wide_right_list") << QStringList{u"14000"_s, u"120"_s, u"3135"_s, u"3360"_s, u"10000"_s}
                                     << QRect(0, 0, 925, 467) << QRect(8, 32, 209, 137) << QRect(224, 32, 667, 137)
                                     << QStringList{};
    QTest::addRow("window_too_narrow") << QStringList{u"9000"_s, u"120"_s, u"3135"_s, u"3360"_s, u"5000"_s}
                                       << QRect(0, 0, 592, 467) << QRect(8, 32, 209, 137) << QRect(224, 32, 333, 137)
                                       << QStringList{u"-1:WindowWidth"_s};
    QTest::addRow("lists_overlap_and_right_cut_off")
        << QStringList{u"11250"_s, u"120"_s, u"4000"_s, u"3360"_s, u"8000"_s} << QRect(0, 0, 742, 467)
        << QRect(8, 32, 267, 137) << QRect(224, 32, 533, 137)
        << QStringList{u"-1:LeftListWidth"_s, u"-1:RightListWidth"_s};
    QTest::addRow("not_numbers") << QStringList{u"широк"_s, u"120"_s, u"3135"_s, u"3360"_s, u"6575"_s}
                                 << QRect(0, 0, 0, 467) << QRect(8, 32, 209, 137) << QRect(224, 32, 438, 137)
                                 << QStringList{u"-1:WindowWidth"_s};
}

void TestEditorDocument::sketchOfGeometry()
{
    QFETCH(QStringList, geometry);
    QFETCH(QRect, window_px);
    QFETCH(QRect, left_px);
    QFETCH(QRect, right_px);
    QFETCH(QStringList, problems);
    QuizDocument d;
    for (int i = 0; i < geometry.size(); ++i)
        d.setField(DocumentField(int(DocumentField::WindowWidth) + i), geometry.at(i));
    const Sketch::Geometry g = Sketch::of(d.content());
    QCOMPARE(g.pixels.window, window_px);
    QCOMPARE(g.pixels.leftList, left_px);
    QCOMPARE(g.pixels.rightList, right_px);
    QCOMPARE(g.twips.leftList.width(), geometry.at(2).toInt());
    QCOMPARE(g.pixels.controls.size(), g.twips.controls.size());
    QVERIFY2(places(g.problems) == problems, qPrintable(messages(g.problems)));
}

void TestEditorDocument::captionSplitsBack_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("title");
    QTest::addRow("address_and_title") << QStringLiteral("https://kaz.bg KAZ по История")
                                       << QStringLiteral("https://kaz.bg") << QStringLiteral("KAZ по История");
    QTest::addRow("host_name") << QStringLiteral("school.example.bg Столици") << QStringLiteral("school.example.bg")
                               << QStringLiteral("Столици");
    QTest::addRow("www") << QStringLiteral("www.kaz.bg Тест") << QStringLiteral("www.kaz.bg") << QStringLiteral("Тест");
    QTest::addRow("title_only") << QStringLiteral("Столици на Европа") << QString()
                                << QStringLiteral("Столици на Европа");
    QTest::addRow("number_is_no_address")
        << QStringLiteral("5.1 Уравнения") << QString() << QStringLiteral("5.1 Уравнения");
    QTest::addRow("address_only") << QStringLiteral("https://kaz.bg") << QStringLiteral("https://kaz.bg") << QString();
    QTest::addRow("address_and_a_trailing_space")
        << QStringLiteral("kaz.bg ") << QString() << QStringLiteral("kaz.bg ");
    QTest::addRow("two_spaces") << QStringLiteral("kaz.bg  Тест") << QStringLiteral("kaz.bg")
                                << QStringLiteral(" Тест");
    QTest::addRow("empty") << QString() << QString() << QString();
}

void TestEditorDocument::captionSplitsBack()
{
    QFETCH(QString, caption);
    QFETCH(QString, address);
    QFETCH(QString, title);
    const Caption::Parts c = Caption::split(caption);
    QCOMPARE(c.address, address);
    QCOMPARE(c.title, title);
    QCOMPARE(Caption::join(c.address, c.title), caption);
}

QTEST_GUILESS_MAIN(TestEditorDocument)
#include "tst_editor_document.moc"
