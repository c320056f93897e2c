// The parts of the editor's window on their own: the table view's operations on rows, the
// problems list replacing only the items that changed, and the Undo and Redo menu items
// naming the step they take back or do again, in English and in Bulgarian.
#include "EditorProblemsList.h"
#include "EditorSupport.h"
#include "EditorTableView.h"
#include "EditorWindow.h"
#include "RowTableModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QUndoStack>
#include <functional>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

using Edit = std::function<void(QuizDocument &)>;

const QString fourRows = u"Варна\tОдесос\nПловдив\tФилипополис\nСофия\tСердика\nРусе\tПриста\n"_s;
const QStringList four{u"Варна|Одесос"_s, u"Пловдив|Филипополис"_s, u"София|Сердика"_s, u"Русе|Приста"_s};

// Problems written "row:message" (row -1: a field of the whole test).
QList<DocumentProblem> problems(const QStringList &written)
{
    QList<DocumentProblem> out;
    for (const QString &w : written)
        out.append({w.section(u':', 1), w.section(u':', 0, 0).toInt()});
    return out;
}

QList<DocumentProblem> numbered(int count, const QString &message)
{
    QList<DocumentProblem> out;
    for (int i = 0; i < count; ++i)
        out.append({message, i});
    return out;
}

QStringList itemTexts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

} // namespace

class TestEditorParts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void undoAndRedoNameTheStep_data();
    void undoAndRedoNameTheStep();
    void problemsListReplacesOnlyWhatChanged_data();
    void problemsListReplacesOnlyWhatChanged();
    void choosingAProblemNamesIt();
    void rowOperationsOfTheView_data();
    void rowOperationsOfTheView();
    void pasteGoesWhereTheSelectionSays_data();
    void pasteGoesWhereTheSelectionSays();
    void goToCellPastTheEndTakesTheLastRow();
    void captionLineNamesTheLearnersWindows_data();
    void captionLineNamesTheLearnersWindows();
};

// ---------------------------------------------------------------- Undo and Redo

// Each edit starts from four rows and an empty undo stack; what it does before the step it is
// named for is taken off the stack.
void TestEditorParts::undoAndRedoNameTheStep_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("bulgarian");

    const auto before = [](Edit setUp, Edit step) {
        return Edit([setUp, step](QuizDocument &d) {
            setUp(d);
            d.undoStack()->clear();
            step(d);
        });
    };
    const Edit withPicture = [](QuizDocument &d) { d.setPicture(0, u"karta.png"_s, png(4, 4)); };
    QTest::addRow("typing_a_left_phrase") << Edit([](QuizDocument &d) {
        d.setCell(0, DocumentField::Left, u"Бур"_s);
        d.setCell(0, DocumentField::Left, u"Бургас"_s);
    }) << u"typing a left phrase"_s << u"писане на лява фраза"_s;
    QTest::addRow("typing_an_explanation") << Edit([](QuizDocument &d) {
        d.setCell(1, DocumentField::Explanation, u"древно име"_s);
    }) << u"typing an explanation"_s << u"писане на обяснение"_s;
    QTest::addRow("typing_the_title") << Edit([](QuizDocument &d) {
        d.setField(DocumentField::Title, u"Градове"_s);
    }) << u"typing the title"_s << u"писане на заглавието"_s;
    QTest::addRow("typing_the_window_width") << Edit([](QuizDocument &d) {
        d.setField(DocumentField::WindowWidth, u"9000"_s);
    }) << u"typing the window's width"_s << u"писане на ширината на прозореца"_s;
    QTest::addRow("explanation_switched_off")
        << before([](QuizDocument &d) { d.setCell(1, DocumentField::Explanation, u"древно име"_s); },
                  [](QuizDocument &d) { d.setExplanationShown(1, false); })
        << u"switching an explanation off"_s << u"изключване на обяснение"_s;
    QTest::addRow("picture_added") << withPicture << u"adding a picture"_s << u"добавяне на картинка"_s;
    QTest::addRow("picture_replaced")
        << before(withPicture, [](QuizDocument &d) { d.setPicture(0, u"drug.png"_s, png(6, 6)); })
        << u"replacing a picture"_s << u"смяна на картинка"_s;
    QTest::addRow("picture_removed") << before(withPicture, [](QuizDocument &d) { d.clearPicture(0); })
                                     << u"removing a picture"_s << u"махане на картинка"_s;
    QTest::addRow("picture_box") << before(withPicture, [](QuizDocument &d) { d.setPictureBox(0, 300, 450); })
                                 << u"changing a picture's box"_s << u"промяна на полето на картинка"_s;
    QTest::addRow("picture_mode")
        << before(withPicture, [](QuizDocument &d) { d.setPictureMode(0, PictureMode::ThumbnailOnly); })
        << u"changing how a picture is shown"_s << u"промяна на показването на картинка"_s;
    QTest::addRow("one_row_added") << Edit([](QuizDocument &d) { d.insertRows(1, 1); })
                                   << u"adding 1 row(s)"_s << u"добавяне на 1 ред"_s;
    QTest::addRow("rows_apart_deleted") << Edit([](QuizDocument &d) { d.removeRowSet({0, 2}); })
                                        << u"deleting 2 row(s)"_s << u"изтриване на 2 реда"_s;
    QTest::addRow("one_row_cut") << Edit([](QuizDocument &d) { DocumentClipboard(d).cut({1}); }) << u"cutting 1 row(s)"_s
                                 << u"изрязване на 1 ред"_s;
    QTest::addRow("four_rows_pasted") << Edit([](QuizDocument &d) {
        DocumentClipboard(d).paste(2, DocumentField::Left, u"а\tб\nв\tг\nд\tе\nж\tз\n"_s);
    }) << u"pasting 4 row(s)"_s << u"поставяне на 4 реда"_s;
    QTest::addRow("two_rows_moved_up") << Edit([](QuizDocument &d) { d.moveRows(2, 2, 1); })
                                       << u"moving 2 row(s) up"_s << u"преместване на 2 реда нагоре"_s;
    QTest::addRow("one_row_moved_down") << Edit([](QuizDocument &d) { d.moveRows(0, 1, 2); })
                                        << u"moving 1 row(s) down"_s << u"преместване на 1 ред надолу"_s;
}

void TestEditorParts::undoAndRedoNameTheStep()
{
    QFETCH(Edit, edit);
    QFETCH(QString, english);
    QFETCH(QString, bulgarian);
    for (const bool inBulgarian : {false, true}) {
        // The window's texts are translated as it is made, the step's as it is taken.
        QTranslator translator;
        if (inBulgarian) {
            QVERIFY(translator.load(u":/i18n/kaz_bg.qm"_s));
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        const QString undo = inBulgarian ? u"&Отмени"_s : u"&Undo"_s;
        const QString redo = inBulgarian ? u"&Повтори"_s : u"&Redo"_s;
        // "%1" is the item's own word: Undo or Redo.
        const QString named = inBulgarian ? u"%1: "_s + bulgarian : u"%1 "_s + english;
        EditorWindow w;
        w.setRecoveryDelay(3600 * 1000);
        setRows(*w.document(), fourRows);
        const QAction *undoAction = w.actions().undo;
        const QAction *redoAction = w.actions().redo;
        QCOMPARE(undoAction->text(), undo);
        QVERIFY(!undoAction->isEnabled());

        edit(*w.document());
        QCOMPARE(w.document()->undoStack()->count(), 1);
        QCOMPARE(undoAction->text(), named.arg(undo));
        QVERIFY(undoAction->isEnabled());
        QCOMPARE(redoAction->text(), redo);
        QVERIFY(!redoAction->isEnabled());

        w.actions().undo->trigger();
        QCOMPARE(undoAction->text(), undo);
        QCOMPARE(redoAction->text(), named.arg(redo));
        QVERIFY(redoAction->isEnabled());
        w.actions().redo->trigger();
        QCOMPARE(undoAction->text(), named.arg(undo));
        if (inBulgarian)
            QCoreApplication::removeTranslator(&translator);
    }
}

// ---------------------------------------------------------------- the problems list

void TestEditorParts::problemsListReplacesOnlyWhatChanged_data()
{
    QTest::addColumn<QList<DocumentProblem>>("before");
    QTest::addColumn<QList<DocumentProblem>>("after");
    QTest::addColumn<int>("kept"); // items of `before` still shown, not made again

    const QStringList abc{u"-1:адрес"_s, u"0:а"_s, u"1:б"_s, u"2:в"_s};
    QTest::addRow("the_same") << problems(abc) << problems(abc) << 4;
    QTest::addRow("one_in_the_middle_changed")
        << problems(abc) << problems({u"-1:адрес"_s, u"0:а"_s, u"1:друго"_s, u"2:в"_s}) << 3;
    QTest::addRow("one_added_at_the_end") << problems(abc) << problems(abc + QStringList{u"5:г"_s}) << 4;
    QTest::addRow("first_removed") << problems(abc) << problems(abc.mid(1)) << 3;
    QTest::addRow("two_in_the_middle_became_one")
        << problems(abc) << problems({u"-1:адрес"_s, u"1:нов"_s, u"2:в"_s}) << 2;
    QTest::addRow("all_replaced") << problems(abc) << problems({u"7:х"_s, u"8:у"_s}) << 0;
    QTest::addRow("all_gone") << problems(abc) << QList<DocumentProblem>() << 0;
    QTest::addRow("from_none") << QList<DocumentProblem>() << problems(abc) << 0;
    // Past the listed ones only the note tells of a change.
    QList<DocumentProblem> many = numbered(EditorProblemsList::MaxListed + 30, u"същото"_s);
    QList<DocumentProblem> changedPast = many;
    changedPast[EditorProblemsList::MaxListed + 10].message = u"друго"_s;
    changedPast.append({u"още"_s, 999});
    QTest::addRow("more_than_listed_changed_past_them") << many << changedPast << int(EditorProblemsList::MaxListed);
    QList<DocumentProblem> changedInside = many;
    changedInside[5].message = u"друго"_s;
    QTest::addRow("more_than_listed_changed_inside")
        << many << changedInside << int(EditorProblemsList::MaxListed - 1);
}

void TestEditorParts::problemsListReplacesOnlyWhatChanged()
{
    QFETCH(QList<DocumentProblem>, before);
    QFETCH(QList<DocumentProblem>, after);
    QFETCH(int, kept);
    EditorProblemsList shown;
    QListWidget *list = shown.list();
    shown.setProblems(before);
    list->setCurrentRow(std::min(2, list->count() - 1));
    const int current = list->currentRow();
    // Marked, as a new item may take the place in memory of one deleted.
    constexpr int Old = Qt::UserRole + 100;
    for (int i = 0; i < shown.listed().size(); ++i)
        list->item(i)->setData(Old, true);

    shown.setProblems(after);
    // What a list made afresh shows, its label too.
    EditorProblemsList fresh;
    fresh.setProblems(after);
    QCOMPARE(itemTexts(list), itemTexts(fresh.list()));
    QCOMPARE(shown.label()->text(), fresh.label()->text());
    QCOMPARE(shown.label()->text(), after.isEmpty() ? u"&Problems: none"_s : u"&Problems (%1):"_s.arg(after.size()));
    QCOMPARE(shown.listed(), after.mid(0, EditorProblemsList::MaxListed));
    int stayed = 0;
    for (int i = 0; i < shown.listed().size(); ++i)
        stayed += list->item(i)->data(Old).toBool() ? 1 : 0;
    QCOMPARE(stayed, kept);
    QCOMPARE(list->currentRow(), list->count() == 0 ? -1 : std::min(current, list->count() - 1));
}

// A click or Enter on a problem names it to whoever takes the cursor there; the note of the
// problems not listed names none.
void TestEditorParts::choosingAProblemNamesIt()
{
    EditorProblemsList shown;
    QList<DocumentProblem> all = numbered(EditorProblemsList::MaxListed + 1, u"същото"_s);
    all[3] = {u"третият"_s, 3, DocumentField::Right, -1, 1};
    all[3].rowName = u"Row 4"_s;
    shown.setProblems(all);
    shown.resize(400, 300);
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    QSignalSpy chosen(&shown, &EditorProblemsList::problemChosen);
    QListWidget *list = shown.list();
    QCOMPARE(list->item(3)->text(), u"Row 4: третият"_s);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().value<DocumentProblem>(), all.at(3));
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.last().first().value<DocumentProblem>(), all.at(0));
    QListWidgetItem *note = list->item(list->count() - 1);
    QVERIFY(note->text().startsWith(u"…and 1 more problem"_s));
    list->scrollToItem(note);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(note).center());
    QCOMPARE(chosen.size(), 2);
}

// ---------------------------------------------------------------- the table view

void TestEditorParts::rowOperationsOfTheView_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<int>>("selected"); // rows; the first has the current cell
    QTest::addColumn<int>("column");          // of the current cell
    QTest::addColumn<QString>("clipboard");   // before the operation; after it for cut and copy
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QList<int>>("chosen"); // the rows selected after it; after a cut, Qt's choice
    QTest::addColumn<QString>("told");

    const QString none;
    QTest::addRow("cut_two_rows") << u"cut"_s << QList<int>{1, 2} << 0 << u"Пловдив\tФилипополис\r\nСофия\tСердика\r\n"_s
                                  << QStringList{four[0], four[3]} << QList<int>{} << u"Cut 2 row(s)."_s;
    QTest::addRow("copy_rows_apart") << u"copy"_s << QList<int>{3, 0} << 1 << u"Варна\tОдесос\r\nРусе\tПриста\r\n"_s
                                     << four << QList<int>{0, 3} << u"Copied 2 row(s)."_s;
    QTest::addRow("paste_on_the_last_row_inserts_before_it")
        << u"paste"_s << QList<int>{3} << 1 << u"Средец\nБонония"_s
        << QStringList{four[0], four[1], four[2], u"|Средец"_s, u"|Бонония"_s, four[3]} << QList<int>{3, 4}
        << u"Inserted 2 pasted row(s) at the selected row; no row was replaced. Ctrl+Z undoes the paste."_s;
    QTest::addRow("paste_on_the_picture_column_into_the_explanation")
        << u"paste"_s << QList<int>{0} << int(RowTableModel::PictureColumn) << u"ред\tизлишно"_s
        << QStringList{u"||ред"_s, four[0], four[1], four[2], four[3]} << QList<int>{0}
        << u"Inserted 1 pasted row(s) at the selected row; no row was replaced. 1 cell(s) of each row fell past "
           "the explanation column and were left out. Ctrl+Z undoes the paste."_s;
    QTest::addRow("paste_nothing") << u"paste"_s << QList<int>{0} << 0 << none << four << QList<int>{0}
                                   << u"There is no text to paste. Copy cells in a spreadsheet or in this table first."_s;
    QTest::addRow("paste_more_rows_than_a_test_holds")
        << u"paste"_s << QList<int>{0} << 0 << u"Средец\n"_s.repeated(32768) << four << QList<int>{0}
        << u"Nothing was pasted: the copied text has more than 32767 lines, more than a test can hold. Copy fewer "
           "rows."_s;
    QTest::addRow("add_below_the_current") << u"add"_s << QList<int>{1} << 1 << none
                                           << QStringList{four[0], four[1], u"|"_s, four[2], four[3]} << QList<int>{2}
                                           << none;
    QTest::addRow("delete_rows_apart") << u"delete"_s << QList<int>{1, 3} << 0 << none
                                       << QStringList{four[0], four[2]} << QList<int>{1}
                                       << u"Deleted 2 row(s). Undo brings them back."_s;
    QTest::addRow("two_rows_up") << u"up"_s << QList<int>{2, 3} << 1 << none
                                 << QStringList{four[0], four[2], four[3], four[1]} << QList<int>{1, 2} << none;
    QTest::addRow("rows_apart_down_move_the_current_alone")
        << u"down"_s << QList<int>{2, 0} << 0 << none << QStringList{four[0], four[1], four[3], four[2]}
        << QList<int>{3} << none;
    QTest::addRow("last_row_down_stays") << u"down"_s << QList<int>{3} << 0 << none << four << QList<int>{3} << none;
}

void TestEditorParts::rowOperationsOfTheView()
{
    QFETCH(QString, operation);
    QFETCH(QList<int>, selected);
    QFETCH(int, column);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, chosen);
    QFETCH(QString, told);
    QuizDocument d;
    setRows(d, fourRows);
    EditorTableView view(&d);
    view.resize(600, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentIndex(d.model()->index(selected.first(), column));
    for (int row : selected)
        view.selectionModel()->select(d.model()->index(row, column), QItemSelectionModel::Select);
    QList<int> ascending = selected;
    std::sort(ascending.begin(), ascending.end());
    QCOMPARE(view.chosenRows(), ascending);
    const bool toClipboard = operation == u"cut" || operation == u"copy";
    if (!toClipboard)
        QGuiApplication::clipboard()->setText(clipboard);
    QSignalSpy messages(&view, &EditorTableView::told);

    const std::function<void()> operations[] = {
        [&] { view.cutRows(); },    [&] { view.copyRows(); },    [&] { view.pasteRows(); },
        [&] { view.addRow(); },     [&] { view.deleteRows(); },  [&] { view.moveRows(-1); },
        [&] { view.moveRows(1); },
    };
    const QStringList names{u"cut"_s, u"copy"_s, u"paste"_s, u"add"_s, u"delete"_s, u"up"_s, u"down"_s};
    QVERIFY(names.contains(operation));
    operations[names.indexOf(operation)]();

    QCOMPARE(flat(d), after);
    QCOMPARE(d.undoStack()->count(), after == four ? 0 : 1);
    if (toClipboard)
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    if (operation != u"cut")
        QCOMPARE(view.chosenRows(), chosen);
    QCOMPARE(messages.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QCOMPARE(messages.first().first().toString(), told);
    if (operation == u"add") // the new row's left cell is open for typing
        QVERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
}

// A paste replaces no row the teacher did not select: it appends, inserts, or fills the
// selected block alone; the status bar says which.
void TestEditorParts::pasteGoesWhereTheSelectionSays_data()
{
    QTest::addColumn<QList<QPoint>>("cells"); // selected, as (column, row); the first is current
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QList<int>>("chosen");
    QTest::addColumn<QString>("told");

    const QString three = u"Бургас\tПиргос\nВидин\tБонония\nЛом\tАлмус\n"_s;
    const QString burgas = u"Бургас|Пиргос"_s, vidin = u"Видин|Бонония"_s, lom = u"Лом|Алмус"_s;
    const QString undo = u" Ctrl+Z undoes the paste."_s;
    QTest::addRow("nothing_selected_appends")
        << QList<QPoint>{} << three << QStringList{four[0], four[1], four[2], four[3], burgas, vidin, lom}
        << QList<int>{4, 5, 6} << u"Added 3 pasted row(s) at the end of the table."_s + undo;
    QTest::addRow("one_cell_inserts") << QList<QPoint>{{0, 1}} << three
                                      << QStringList{four[0], burgas, vidin, lom, four[1], four[2], four[3]}
                                      << QList<int>{1, 2, 3}
                                      << u"Inserted 3 pasted row(s) at the selected row; no row was replaced."_s + undo;
    QTest::addRow("a_whole_row_inserts") << QList<QPoint>{{0, 2}, {1, 2}, {2, 2}, {3, 2}} << three
                                         << QStringList{four[0], four[1], burgas, vidin, lom, four[2], four[3]}
                                         << QList<int>{2, 3, 4}
                                         << u"Inserted 3 pasted row(s) at the selected row; no row was replaced."_s + undo;
    QTest::addRow("block_replaces_only_its_cells")
        << QList<QPoint>{{0, 1}, {1, 1}, {0, 2}, {1, 2}} << three
        << QStringList{four[0], burgas, vidin, lom, four[3]} << QList<int>{1, 2, 3}
        << u"Replaced the selected cells of 2 row(s). 1 more line(s) did not fit in the selection and were "
           "inserted below it."_s + undo;
    QTest::addRow("block_of_left_phrases_leaves_the_right_ones")
        << QList<QPoint>{{0, 0}, {0, 1}} << u"Бургас\tПиргос\nВидин\tБонония\n"_s
        << QStringList{u"Бургас|Одесос"_s, u"Видин|Филипополис"_s, four[2], four[3]} << QList<int>{0, 1}
        << u"Replaced the selected cells of 2 row(s). 1 cell(s) of each line fell outside the selected cells and "
           "were left out."_s + undo;
    QTest::addRow("two_whole_rows_replaced")
        << QList<QPoint>{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}
        << u"Бургас\tПиргос\tпристанище\nВидин\tБонония\n"_s
        << QStringList{four[0], four[1], burgas + u"|пристанище"_s, vidin} << QList<int>{2, 3}
        << u"Replaced the selected cells of 2 row(s)."_s + undo;
    QTest::addRow("cells_apart_paste_nothing")
        << QList<QPoint>{{0, 0}, {1, 2}} << three << four << QList<int>{0, 2}
        << u"The selected cells are not one block. Select one block of cells to replace them, or one cell to "
           "insert the rows there."_s;
    QTest::addRow("same_text_changes_nothing")
        << QList<QPoint>{{0, 0}, {1, 0}} << u"Варна\tОдесос"_s << four << QList<int>{0}
        << u"The table already holds the pasted text; nothing changed."_s;
}

void TestEditorParts::pasteGoesWhereTheSelectionSays()
{
    QFETCH(QList<QPoint>, cells);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, chosen);
    QFETCH(QString, told);
    QuizDocument d;
    setRows(d, fourRows);
    EditorTableView view(&d);
    view.resize(600, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // As a click below the rows leaves it: a current cell, nothing selected.
    view.setCurrentIndex(d.model()->index(0, 0));
    view.clearSelection();
    for (const QPoint &cell : cells)
        view.selectionModel()->select(d.model()->index(cell.y(), cell.x()), QItemSelectionModel::Select);
    if (!cells.isEmpty())
        view.selectionModel()->setCurrentIndex(d.model()->index(cells.first().y(), cells.first().x()),
                                               QItemSelectionModel::NoUpdate);
    QGuiApplication::clipboard()->setText(clipboard);
    QSignalSpy messages(&view, &EditorTableView::told);
    view.pasteRows();
    QCOMPARE(flat(d), after);
    QCOMPARE(d.undoStack()->count(), after == four ? 0 : 1);
    QCOMPARE(view.chosenRows(), chosen);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().first().toString(), told);
}

// Between an edit that removes rows and the next check a problem may name a row that is gone.
void TestEditorParts::goToCellPastTheEndTakesTheLastRow()
{
    QuizDocument d;
    setRows(d, fourRows);
    EditorTableView view(&d);
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    view.goToCell(7, DocumentField::Right);
    QCOMPARE(view.currentIndex(), d.model()->index(3, RowTableModel::RightColumn));
    QVERIFY(view.viewport()->isAncestorOf(QApplication::focusWidget()));
}

void TestEditorParts::captionLineNamesTheLearnersWindows_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("line");

    const QString said = u"The test window will be called \"%1\", its picture window \"%2\"."_s;
    QTest::addRow("web_address_and_title") << u"https://kaz.bg"_s << u"Столици"_s
                                           << said.arg(u"https://kaz.bg Столици"_s, u"https://kaz.bg - KAZ picture"_s);
    QTest::addRow("title_alone_keeps_its_first_word")
        << QString() << u"Столици на Европа"_s
        << said.arg(u"Столици на Европа"_s, u"Столици на Европа - KAZ picture"_s);
    QTest::addRow("address_alone") << u"www.kaz.bg"_s << QString()
                                   << said.arg(u"www.kaz.bg"_s, u"www.kaz.bg - KAZ picture"_s);
    QTest::addRow("school_name_is_read_as_the_title")
        << u"СУ-Вазов"_s << u"Столици"_s
        << said.arg(u"СУ-Вазов Столици"_s, u"СУ-Вазов Столици - KAZ picture"_s)
               + u"\n\"СУ-Вазов\" is not read as a web address: when the test is opened again, it is the start of "
                 u"the title."_s;
    // The problems list tells of the space; the line says what the windows would be called.
    QTest::addRow("address_with_a_space") << u"kaz.bg 7a"_s << u"Столици"_s
                                          << said.arg(u"kaz.bg 7a Столици"_s, u"kaz.bg - KAZ picture"_s);
    QTest::addRow("nothing_yet") << QString() << QString() << QString();
}

// Under the title the teacher reads what the learner's windows will be called, as the test
// window takes the caption apart, at every edit of the two fields.
void TestEditorParts::captionLineNamesTheLearnersWindows()
{
    QFETCH(QString, address);
    QFETCH(QString, title);
    QFETCH(QString, line);
    EditorWindow w;
    w.setRecoveryDelay(3600 * 1000);
    const QLabel *shown = w.findChild<QLabel *>(u"captionPreview"_s);
    QVERIFY(shown);
    w.document()->setField(DocumentField::Title, u"Проба"_s);
    w.document()->endTyping();
    w.document()->setField(DocumentField::Address, address);
    w.document()->endTyping();
    w.document()->setField(DocumentField::Title, title);
    QCOMPARE(shown->text(), line);
}

QTEST_MAIN(TestEditorParts)
#include "tst_editor_parts.moc"
