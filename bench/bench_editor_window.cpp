// The test editor's window (offscreen) on a generated test of 10,000 phrases a side, with
// explanations on questions 1 … 30 and pictures on 1 … 10: opening the folder until the table
// has painted it, each keystroke typed into a cell with the problems checked as it is typed
// (the key, the events it leaves and a repaint of the table), and the time from the last
// keystroke of a phrase that is there already until the problems list shows it.
#include "DocumentCheck.h"
#include "EditorWindow.h"
#include "GeneratedContent.h"
#include "RowTableModel.h"
#include "DocumentClipboard.h"
#include "QuizDocument.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QThreadPool>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int Phrases = GeneratedContent::EditorPhrases;
constexpr int Keystrokes = 200;

const QString &testFolder() { return GeneratedContent::editorQuizFolder(); }

// Runs the event loop until a pass delivers nothing new: the layouts, timers that are due and
// repaints an action caused are then done. Timers not yet due (the check's delay) are not
// waited for.
void settle()
{
    for (int pass = 0; pass < 50; ++pass) {
        QCoreApplication::sendPostedEvents();
        if (!QCoreApplication::instance()->eventDispatcher()->processEvents(QEventLoop::AllEvents))
            return;
    }
}

// The table as the screen would show it now: a paint of the whole viewport, its editor with it.
void paintTable(EditorWindow &w) { (void)w.table()->viewport()->grab(); }

// A window shown, that asks nothing (the generated test opens without a question).
std::unique_ptr<EditorWindow> shownWindow()
{
    auto w = std::make_unique<EditorWindow>();
    w->ask = [](const EditorWindow::Question &q) { return int(q.buttons.size()) - 1; }; // Cancel, or OK
    w->setRecoveryDelay(60 * 60 * 1000); // the copy for after a crash is not what is measured
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        qFatal("the editor's window was not shown");
    settle();
    return w;
}

// The window goes without closing: closing would offer to save the edits into the shared test.
void finish(std::unique_ptr<EditorWindow> &w)
{
    w.reset();
    QThreadPool::globalInstance()->waitForDone();
    settle();
}

// (a) File, Open folder once the folder is chosen: the document read and checked, the table,
// the picture panel and the problems list filled, and the table painted.
void openFolderInWindow(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto w = shownWindow();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        if (!w->openFolderPath(testFolder()))
            state.SkipWithError("the generated test did not open");
        settle();
        paintTable(*w);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (w->table()->model()->rowCount() != Phrases)
            state.SkipWithError("the table does not show the test");
        state.PauseTiming();
        finish(w);
        state.ResumeTiming();
    }
}

// Processor time of this thread, in ms: unlike the wall clock, it does not count the time
// other programs had the processor.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5)));
}

// The cell's editor open on a row with lines and a picture, at the top of the view.
QLineEdit *openCell(EditorWindow &w, int row, int column)
{
    const QModelIndex cell = w.document()->model()->index(row, column);
    w.table()->setFocus();
    w.table()->scrollTo(cell, QAbstractItemView::PositionAtTop);
    w.table()->setCurrentIndex(cell);
    w.table()->edit(cell);
    settle();
    // The open editor; closed ones wait for their deletion beside it.
    for (QLineEdit *editor : w.table()->viewport()->findChildren<QLineEdit *>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// (b) Typing: each keystroke into the open editor of a phrase cell, the events it leaves (the
// phrase stored, the row's problems and height, the picture panel) and a repaint of the table.
// Keys come faster than the check's delay, as in quick typing; every 20 keys the typist pauses
// long enough for a check to run and its problems to be shown, so that keystrokes also meet
// the moment a check's result arrives.
// Every row of the test repeating the phrases of another: a problem for nearly every row.
QString rowsOfTwins(const QString &word)
{
    QString rows;
    for (int r = 0; r < Phrases; ++r)
        rows += QStringLiteral("%1 %2\t%1 %2\n").arg(word).arg(r % 2);
    return rows;
}

void typeInACell(benchmark::State &state, bool manyProblems)
{
    auto w = shownWindow();
    w->openFolderPath(testFolder());
    if (manyProblems) {
        DocumentClipboard(*w->document()).paste(0, DocumentField::Left, rowsOfTwins(QStringLiteral("Same")));
        w->document()->checkNow();
    }
    settle();
    std::vector<double> ms, cpu;
    for (auto _ : state) {
        QLineEdit *editor = openCell(*w, 5, RowTableModel::RightColumn);
        if (editor)
            editor->end(false);
        if (!editor) {
            state.SkipWithError("no editor opened in the cell");
            break;
        }
        ms.clear();
        cpu.clear();
        int worst = 0;
        for (int k = 0; k < Keystrokes; ++k) {
            if (k % 20 == 19)
                QTest::qWait(QuizDocument::CheckDelayMs + 100);
            const auto letter = Qt::Key(Qt::Key_A + k % 26);
            const double startCpu = threadMs();
            QElapsedTimer clock;
            clock.start();
            QTest::keyClick(editor, letter);
            settle();
            paintTable(*w);
            ms.push_back(clock.nsecsElapsed() / 1e6);
            cpu.push_back(threadMs() - startCpu);
            if (ms.back() > ms.at(worst))
                worst = k;
        }
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        double total = 0;
        for (double t : ms)
            total += t;
        state.SetIterationTime(total / 1e3 / double(ms.size()));
        state.counters["median_ms"] = percentile(ms, 0.5);
        state.counters["p95_ms"] = percentile(ms, 0.95);
        state.counters["worst_ms"] = ms.at(worst);
        state.counters["worst_key"] = worst; // 19, 39 …: the first key after a pause
        state.counters["cpu_median_ms"] = percentile(cpu, 0.5);
        state.counters["cpu_worst_ms"] = *std::max_element(cpu.begin(), cpu.end());
        if (w->document()->row(5).right.size() < Keystrokes)
            state.SkipWithError("the typed phrase was not stored");
        w->document()->undoStack()->undo();
        settle();
    }
    finish(w);
}

// (c) A phrase typed into row 2's left cell that row 1 already has: from its last keystroke
// until the problems list shows the problem, painted. Between samples the phrase is taken
// back and the list is empty again.
void problemAfterLastKeystroke(benchmark::State &state)
{
    auto w = shownWindow();
    w->openFolderPath(testFolder());
    settle();
    // Typed as keys, so in Latin letters: row 1 gets a Latin phrase first.
    const QString twin = QStringLiteral("Dvoyna fraza");
    w->document()->setCell(0, DocumentField::Left, twin);
    w->document()->checkNow();
    settle();
    for (auto _ : state) {
        state.PauseTiming();
        QLineEdit *editor = openCell(*w, 1, RowTableModel::LeftColumn);
        if (!editor) {
            state.ResumeTiming();
            state.SkipWithError("no editor opened in the cell");
            break;
        }
        editor->selectAll();
        QTest::keyClicks(editor, twin.chopped(1));
        settle();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        QTest::keyClicks(editor, twin.right(1));
        while (w->problemsList()->count() == 0 && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        (void)w->problemsList()->viewport()->grab();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (w->problemsList()->count() == 0) {
            state.SkipWithError("the problems list did not show the problem within 5 s");
            break;
        }
        state.PauseTiming();
        QTest::keyClick(editor, Qt::Key_Escape); // the cell back as it was
        settle();
        w->document()->checkNow();
        settle();
        state.ResumeTiming();
        if (w->problemsList()->count() != 0) {
            state.SkipWithError("the problem stayed after Escape");
            break;
        }
    }
    finish(w);
}

// A test where every row repeats the phrases of another: a problem for nearly every row, all
// listed. One check's result shown: the list filled, the cells tinted, both painted.
void manyProblemsShown(benchmark::State &state)
{
    auto w = shownWindow();
    w->openFolderPath(testFolder());
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Each sample a different text, so that the check has new problems to show.
        DocumentClipboard(*w->document()).paste(0, DocumentField::Left, rowsOfTwins(n++ % 2 ? QStringLiteral("Same") : QStringLiteral("Twin")));
        settle();
        QElapsedTimer checkClock;
        checkClock.start();
        const QList<DocumentProblem> found = DocumentCheck::run(w->document()->content());
        state.counters["check_alone_ms"] = checkClock.nsecsElapsed() / 1e6;
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        w->document()->checkNow();
        settle();
        (void)w->problemsList()->viewport()->grab();
        paintTable(*w);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        state.counters["problems"] = w->problemsList()->count();
    }
    finish(w);
}

} // namespace

BENCHMARK(manyProblemsShown)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(openFolderInWindow)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeInACell, few_problems, false)->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeInACell, a_problem_on_every_row, true)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(problemAfterLastKeystroke)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // settings and recovery files go to a scratch place
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
