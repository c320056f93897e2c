// The seams of the editor's document: the undo commands on an edits target of their own, and
// the table model kept in step with the document by its signals alone, through a long run of
// random edits, undos and redos.
#include "CheckSchedule.h"
#include "DocumentClipboard.h"
#include "EditCommands.h"
#include "EditorSupport.h"
#include "RowTableModel.h"
#include "QuizDocument.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QThreadPool>
#include <QTest>
#include <QUndoStack>
#include <functional>

using namespace EditorSupport;
using namespace Qt::StringLiterals;

namespace {

// Rows and fields in memory: what the commands see of a document.
class FakeEdits : public DocumentEdits
{
public:
    explicit FakeEdits(const QString &lefts)
    {
        for (const QString &left : lefts.split(u' ', Qt::SkipEmptyParts))
            rows.append(row(left));
    }
    static DocumentRow row(const QString &left)
    {
        DocumentRow r;
        r.left = left;
        return r;
    }
    QString lefts() const
    {
        QStringList out;
        for (const DocumentRow &r : rows)
            out.append(r.left);
        return out.join(u' ');
    }

    void applyRow(int r, const DocumentRow &value) override { rows[r] = value; }
    void applyRows(int position, int removed, const QList<DocumentRow> &inserted) override
    {
        rows.remove(position, removed);
        for (qsizetype i = 0; i < inserted.size(); ++i)
            rows.insert(position + i, inserted.at(i));
    }
    void applyMove(int from, int count, int to) override
    {
        const QList<DocumentRow> block = rows.mid(from, count);
        rows.remove(from, count);
        const int at = to > from ? to - count : to;
        for (int i = 0; i < count; ++i)
            rows.insert(at + i, block.at(i));
    }
    void applyField(DocumentField field, const QString &text) override { fields[field] = text; }

    QList<DocumentRow> rows;
    QMap<DocumentField, QString> fields;
};

using MakeCommand = std::function<QUndoCommand *(FakeEdits &)>;

// What a row of the model shows: its cells, the explanation's check box and its number.
QStringList shown(const QAbstractItemModel &m, int r)
{
    QStringList out;
    for (int c = 0; c < RowTableModel::ColumnCount; ++c)
        out.append(m.data(m.index(r, c)).toString());
    out.append(m.data(m.index(r, RowTableModel::ExplanationColumn), Qt::CheckStateRole).toString());
    out.append(m.headerData(r, Qt::Vertical).toString());
    return out;
}

// What the same row must show: read from the document, not the model.
QStringList expected(const QuizDocument &d, int r)
{
    const DocumentRow &row = d.row(r);
    const int q = d.questionOf(r);
    return {row.left,
            row.right,
            row.explanation.join(u'\n'),
            row.picture.name,
            row.explanation.isEmpty() ? QString() : QVariant(int(row.explanationShown ? Qt::Checked : Qt::Unchecked)).toString(),
            q > 0 ? QString::number(q) : QString()};
}

// A view's copy of the model, kept only by the model's signals: what a view that reads no row
// it was not told of would show.
class Mirror
{
public:
    explicit Mirror(const QAbstractItemModel &m)
        : m_model(m)
    {
        readAll();
        QObject::connect(&m, &QAbstractItemModel::modelReset, &m_context, [this] { readAll(); });
        QObject::connect(&m, &QAbstractItemModel::rowsInserted, &m_context, [this](const QModelIndex &, int first, int last) {
            for (int r = first; r <= last; ++r)
                rows.insert(r, shown(m_model, r));
        });
        QObject::connect(&m, &QAbstractItemModel::rowsRemoved, &m_context, [this](const QModelIndex &, int first, int last) {
            rows.remove(first, last - first + 1);
        });
        QObject::connect(&m, &QAbstractItemModel::rowsMoved, &m_context,
                         [this](const QModelIndex &, int first, int last, const QModelIndex &, int to) {
                             const int count = last - first + 1;
                             const QList<QStringList> block = rows.mid(first, count);
                             rows.remove(first, count);
                             const int at = to > first ? to - count : to;
                             for (int i = 0; i < count; ++i)
                                 rows.insert(at + i, block.at(i));
                         });
        QObject::connect(&m, &QAbstractItemModel::dataChanged, &m_context,
                         [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                             for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
                                 for (int c = 0; c < RowTableModel::ColumnCount + 1; ++c)
                                     rows[r][c] = shown(m_model, r).at(c);
                         });
        QObject::connect(&m, &QAbstractItemModel::headerDataChanged, &m_context,
                         [this](Qt::Orientation orientation, int first, int last) {
                             if (orientation == Qt::Vertical)
                                 for (int r = first; r <= last; ++r)
                                     rows[r].last() = shown(m_model, r).last();
                         });
    }

    QList<QStringList> rows;

private:
    void readAll()
    {
        rows.clear();
        for (int r = 0; r < m_model.rowCount(); ++r)
            rows.append(shown(m_model, r));
    }

    const QAbstractItemModel &m_model;
    QObject m_context;
};

} // namespace

class TestEditorCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandsPutValuesBack_data();
    void commandsPutValuesBack();
    void typingMergesWithinOneSession_data();
    void typingMergesWithinOneSession();
    void modelFollowsTheDocument();
    void checkKeepsOnlyTheCurrentResult();
    void checkEndsWithItsSchedule();
};

void TestEditorCommands::commandsPutValuesBack_data()
{
    QTest::addColumn<MakeCommand>("make");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::addRow("row") << MakeCommand([](FakeEdits &e) {
        return new RowEditCommand(e, 1, e.rows.at(1), FakeEdits::row(u"Б"_s), -1, 0, {});
    }) << u"а б в"_s << u"а Б в"_s;
    QTest::addRow("rows_inserted") << MakeCommand([](FakeEdits &e) {
        return new RowsCommand(e, 1, {}, {FakeEdits::row(u"х"_s), FakeEdits::row(u"у"_s)}, {});
    }) << u"а б в"_s << u"а х у б в"_s;
    QTest::addRow("rows_removed") << MakeCommand([](FakeEdits &e) {
        return new RowsCommand(e, 0, e.rows.mid(0, 2), {}, {});
    }) << u"а б в"_s << u"в"_s;
    QTest::addRow("rows_replaced_by_more") << MakeCommand([](FakeEdits &e) {
        return new RowsCommand(e, 2, e.rows.mid(2, 1), {FakeEdits::row(u"х"_s), FakeEdits::row(u"у"_s)}, {});
    }) << u"а б в г"_s << u"а б х у г"_s;
    QTest::addRow("moved_down") << MakeCommand([](FakeEdits &e) {
        return new MoveRowsCommand(e, 0, 2, 4, {});
    }) << u"а б в г д"_s << u"в г а б д"_s;
    QTest::addRow("moved_down_to_the_end") << MakeCommand([](FakeEdits &e) {
        return new MoveRowsCommand(e, 1, 1, 5, {});
    }) << u"а б в г д"_s << u"а в г д б"_s;
    QTest::addRow("moved_up") << MakeCommand([](FakeEdits &e) {
        return new MoveRowsCommand(e, 3, 2, 1, {});
    }) << u"а б в г д"_s << u"а г д б в"_s;
    QTest::addRow("moved_to_the_top") << MakeCommand([](FakeEdits &e) {
        return new MoveRowsCommand(e, 4, 1, 0, {});
    }) << u"а б в г д"_s << u"д а б в г"_s;
}

// Each command done, undone and done again on a target of its own: it keeps what it changes and
// nothing of a document's.
void TestEditorCommands::commandsPutValuesBack()
{
    QFETCH(MakeCommand, make);
    QFETCH(QString, before);
    QFETCH(QString, after);
    FakeEdits edits(before);
    QUndoStack stack;
    stack.push(make(edits));
    QCOMPARE(edits.lefts(), after);
    stack.undo();
    QCOMPARE(edits.lefts(), before);
    stack.redo();
    QCOMPARE(edits.lefts(), after);
    stack.undo();
    QCOMPARE(edits.lefts(), before);
}

void TestEditorCommands::typingMergesWithinOneSession_data()
{
    // Three typed steps: each row, kind and session; a field's steps have no row or kind.
    QTest::addColumn<bool>("field");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<QList<int>>("sessions");
    QTest::addColumn<int>("steps");

    QTest::addRow("one_cell") << false << QList<int>{0, 0, 0} << QList<int>{0, 0, 0} << QList<int>{1, 1, 1} << 1;
    QTest::addRow("another_session") << false << QList<int>{0, 0, 0} << QList<int>{0, 0, 0} << QList<int>{1, 1, 2} << 2;
    QTest::addRow("another_row") << false << QList<int>{0, 1, 1} << QList<int>{0, 0, 0} << QList<int>{1, 1, 1} << 2;
    QTest::addRow("another_cell_of_the_row") << false << QList<int>{0, 0, 0} << QList<int>{0, 1, 0} << QList<int>{1, 1, 1} << 3;
    QTest::addRow("never_merging") << false << QList<int>{0, 0, 0} << QList<int>{-1, -1, -1} << QList<int>{1, 1, 1} << 3;
    QTest::addRow("one_field") << true << QList<int>{} << QList<int>{} << QList<int>{1, 1, 1} << 1;
    QTest::addRow("field_another_session") << true << QList<int>{} << QList<int>{} << QList<int>{1, 2, 2} << 2;
}

// Consecutive typing of one cell or field in one session is one step, whose undo puts back the
// value before its first keystroke; typed back to where it started, the step is gone.
void TestEditorCommands::typingMergesWithinOneSession()
{
    QFETCH(bool, field);
    QFETCH(QList<int>, rows);
    QFETCH(QList<int>, kinds);
    QFETCH(QList<int>, sessions);
    QFETCH(int, steps);
    FakeEdits edits(u"а б"_s);
    QUndoStack stack;
    const QStringList typed{u"х"_s, u"ху"_s, u"хую"_s};
    for (int i = 0; i < 3; ++i) {
        if (field) {
            stack.push(new FieldEditCommand(edits, DocumentField::Title, edits.fields.value(DocumentField::Title), typed.at(i),
                                            sessions.at(i), {}));
        } else {
            const int r = rows.at(i);
            stack.push(new RowEditCommand(edits, r, edits.rows.at(r), FakeEdits::row(typed.at(i)), kinds.at(i),
                                          sessions.at(i), {}));
        }
    }
    QCOMPARE(stack.count(), steps);
    while (stack.canUndo())
        stack.undo();
    QCOMPARE(edits.lefts(), u"а б"_s);
    QCOMPARE(edits.fields.value(DocumentField::Title), QString());

    // Typed back in the same session: no step is left.
    FakeEdits back(u"а"_s);
    QUndoStack again;
    if (field) {
        again.push(new FieldEditCommand(back, DocumentField::Title, {}, u"х"_s, 7, {}));
        again.push(new FieldEditCommand(back, DocumentField::Title, u"х"_s, {}, 7, {}));
    } else {
        again.push(new RowEditCommand(back, 0, back.rows.at(0), FakeEdits::row(u"х"_s), 0, 7, {}));
        again.push(new RowEditCommand(back, 0, back.rows.at(0), FakeEdits::row(u"а"_s), 0, 7, {}));
    }
    QCOMPARE(again.count(), 0);
    QCOMPARE(back.lefts(), u"а"_s);
}

// A random run of every kind of edit, undo and redo: after each step the model shows the
// document's rows, and a view that only follows the model's signals shows them too.
void TestEditorCommands::modelFollowsTheDocument()
{
    QuizDocument d;
    setRows(d, u"Варна\tОдесос\nПловдив\tФилипополис\n\tдистрактор\nСофия\tСердика\t\"ред 1\nред 2\"\n"_s);
    QAbstractItemModelTester tester(d.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Mirror mirror(*d.model());
    QRandomGenerator random(31);
    const QStringList words{QString(), u"Русе"_s, u"Видин"_s, u"Лом"_s, u"ред\nдруг ред"_s};
    const auto word = [&] { return words.at(random.bounded(int(words.size()))); };
    const auto anyRow = [&] { return d.rowCount() > 0 ? random.bounded(d.rowCount()) : 0; };
    for (int step = 0; step < 600; ++step) {
        const int n = d.rowCount();
        switch (random.bounded(10)) {
        case 0:
        case 1:
            if (n > 0)
                d.setCell(anyRow(), DocumentField(random.bounded(3)), word());
            break;
        case 2:
            d.insertRows(random.bounded(n + 1), 1 + random.bounded(3));
            break;
        case 3:
            if (n > 0) {
                const int first = anyRow();
                d.removeRows(first, 1 + random.bounded(n - first));
            }
            break;
        case 4:
            d.removeRowSet({anyRow(), anyRow(), anyRow()});
            break;
        case 5:
            if (n > 1) {
                const int from = anyRow();
                const int count = 1 + random.bounded(n - from);
                const int to = random.bounded(n + 1);
                d.moveRows(from, count, to);
            }
            break;
        case 6:
            DocumentClipboard(d).pasteInto(random.bounded(n + 1), DocumentField::Left, random.bounded(3), 2,
                                           word() + u'\t' + word() + u'\n' + word());
            break;
        case 7:
            if (n > 0)
                d.setExplanationShown(anyRow(), random.bounded(2) == 0);
            break;
        case 8:
            d.undoStack()->undo();
            break;
        case 9:
            d.undoStack()->redo();
            break;
        }
        if (random.bounded(4) == 0)
            d.endTyping();
        QCOMPARE(d.model()->rowCount(), d.rowCount());
        QCOMPARE(mirror.rows.size(), d.rowCount());
        for (int r = 0; r < d.rowCount(); ++r) {
            QCOMPARE(shown(*d.model(), r), expected(d, r));
            QCOMPARE(mirror.rows.at(r), expected(d, r));
        }
    }
    QVERIFY(d.undoStack()->count() > 20);
}

// Edits while a check runs: its result is dropped and the next check, of the content as it is
// then, gives the one result; edits close together start one check.
void TestEditorCommands::checkKeepsOnlyTheCurrentResult()
{
    DocumentContent content;
    content.rows = {DocumentRow{}, DocumentRow{}};
    CheckSchedule schedule(content);
    QSignalSpy started(&schedule, &CheckSchedule::started);
    QSignalSpy checked(&schedule, &CheckSchedule::checked);
    schedule.replaced();
    QCOMPARE(started.count(), 1);
    for (const QString &left : {u"Варна"_s, u"Пловдив"_s, u"София"_s}) {
        content.rows[0].left = left;
        schedule.edited();
        QVERIFY(!schedule.isCurrent());
    }
    QTRY_VERIFY(schedule.isCurrent());
    QCOMPARE(started.count(), 2);
    QCOMPARE(checked.count(), 1);
    QCOMPARE(checked.at(0).at(0).value<QList<DocumentProblem>>(), DocumentCheck::run(content));
    // Current: checking again gives nothing new.
    schedule.checkNow();
    QCOMPARE(checked.count(), 1);
    content.rows[1].right = u"Сердика"_s;
    schedule.edited();
    schedule.checkNow();
    QVERIFY(schedule.isCurrent());
    QCOMPARE(checked.count(), 2);
    QCOMPARE(checked.at(1).at(0).value<QList<DocumentProblem>>(), DocumentCheck::run(content));
    QTest::qWait(CheckSchedule::DelayMs + 50);
    QCOMPARE(started.count(), 2);
}

// A schedule that goes while its check runs waits for it: no worker is left reading text after
// its document, or running while the program ends.
void TestEditorCommands::checkEndsWithItsSchedule()
{
    DocumentContent content;
    for (int i = 0; i < 20000; ++i) {
        DocumentRow row;
        row.left = u"Ляво %1"_s.arg(i);
        row.right = u"Дясно %1"_s.arg(i % 7000);
        content.rows.append(row);
    }
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->waitForDone();
    QElapsedTimer check;
    check.start();
    DocumentCheck::run(content);
    const qint64 checkMs = check.elapsed();
    {
        CheckSchedule schedule(content);
        QSignalSpy started(&schedule, &CheckSchedule::started);
        schedule.replaced();
        QCOMPARE(started.count(), 1);
        QCOMPARE(pool->activeThreadCount(), 1);
    }
    // The worker's thread goes back to the pool a moment after its check ends; a check left
    // running would hold it for about as long as a whole check takes.
    QVERIFY2(pool->waitForDone(int(checkMs / 4)), qPrintable(u"a check of %1 ms still ran"_s.arg(checkMs)));
}

QTEST_GUILESS_MAIN(TestEditorCommands)
#include "tst_editor_commands.moc"
