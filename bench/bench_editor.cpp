// The test editor's document on a generated test of 10,000 phrases a side (explanations on
// questions 1 … 30, pictures on 1 … 10): opening it, one
// keystroke in a cell with the check armed, the full check, and the time from the last
// keystroke until the problem list follows. Then the bounded work: a paste of a million rows
// refused, and the start's search for the recovery copies 2,000 crashed editors left.
#include "DocumentCheck.h"
#include "GeneratedContent.h"
#include "Recovery.h"
#include "DocumentClipboard.h"
#include "QuizDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Phrases = GeneratedContent::EditorPhrases;
constexpr int Pictures = GeneratedContent::EditorPictures;

const QString &testFolder() { return GeneratedContent::editorQuizFolder(); }

// Opening starts the check on a worker thread; it is waited for outside the timing, so that
// it does not take the next opening's processor.
void openFolder(benchmark::State &state)
{
    for (auto _ : state) {
        auto d = std::make_unique<QuizDocument>();
        if (!d->openFolder(testFolder()).ok())
            state.SkipWithError("the generated test did not open");
        state.PauseTiming();
        d.reset();
        QThreadPool::globalInstance()->waitForDone();
        state.ResumeTiming();
    }
}

void openStore(benchmark::State &state)
{
    const auto store = GeneratedContent::make(Phrases, Pictures);
    QHash<QString, QByteArray> pictures;
    for (int q = 1; q <= Pictures; ++q)
        pictures.insert(store->Graphika(q).source, store->pictureData(store->Graphika(q).source));
    for (auto _ : state) {
        auto d = std::make_unique<QuizDocument>();
        d->openStore(*store, pictures);
        state.PauseTiming();
        d.reset();
        QThreadPool::globalInstance()->waitForDone();
        state.ResumeTiming();
    }
}

// One keystroke: the cell's new text through the table model's path (an undo command that
// merges with the keystroke before), the model's signal, the check's timer restarted. With
// `afterSnapshot`, a check has just taken its copy of the rows, so the keystroke also pays for
// copying the row list, the worst a keystroke meets.
void keystroke(benchmark::State &state, bool afterSnapshot)
{
    QuizDocument d;
    d.openFolder(testFolder());
    QThreadPool::globalInstance()->waitForDone();
    const int row = Phrases / 2;
    QString text = d.row(row).right;
    const auto type = [&] {
        text += u'я';
        if (text.size() > 60)
            text.truncate(10);
        d.setCell(row, DocumentField::Right, text);
    };
    if (!afterSnapshot) {
        for (auto _ : state)
            type();
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto snapshot = std::make_unique<DocumentContent>(d.content());
        state.ResumeTiming();
        type();
        state.PauseTiming();
        snapshot.reset();
        state.ResumeTiming();
    }
}

void fullCheck(benchmark::State &state)
{
    QuizDocument d;
    d.openFolder(testFolder());
    d.setCell(Phrases - 1, DocumentField::Left, d.row(0).left); // one problem to map back
    for (auto _ : state) {
        const QList<DocumentProblem> problems = DocumentCheck::run(d.content());
        if (problems.size() != 1)
            state.SkipWithError("expected one problem");
    }
}

// From a keystroke until the problem list belongs to the new text: the check's delay, the
// check on its worker thread, the problems applied.
void problemsAfterKeystroke(benchmark::State &state)
{
    QuizDocument d;
    d.openFolder(testFolder());
    int n = 0;
    for (auto _ : state) {
        d.setCell(1, DocumentField::Left, (++n % 2) ? d.row(0).left : QStringLiteral("друго"));
        QElapsedTimer clock;
        clock.start();
        while (!d.problemsCurrent() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (!d.problemsCurrent())
            state.SkipWithError("the check did not finish within 5 s");
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
}

// The recovery copy the window writes a few seconds after a change.
void writeRecovery(benchmark::State &state)
{
    QuizDocument d;
    d.openFolder(testFolder());
    for (auto _ : state)
        if (!d.writeRecovery().isEmpty())
            state.SkipWithError("the recovery file was not written");
    d.removeRecovery();
}

// A million copied rows (18 MB of text) pasted at the end: refused before they are split up.
void refusedPaste(benchmark::State &state)
{
    const QString text = QStringLiteral("Пловдив\tФилипопол\n").repeated(1000000);
    QuizDocument d;
    d.openFolder(testFolder());
    for (auto _ : state)
        if (DocumentClipboard(d).insertPasted(d.rowCount(), DocumentField::Left, text).refused.isEmpty())
            state.SkipWithError("the paste was taken");
}

// Recovery::find() over 2,000 copies of a 300-row test with a picture, none held by an editor.
void findCopies(benchmark::State &state)
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(Recovery::folder()).removeRecursively();
    QuizDocument d;
    for (int i = 0; i < 300; ++i)
        DocumentClipboard(d).insertPasted(i, DocumentField::Left, QStringLiteral("Пловдив %1\tФилипопол %1").arg(i));
    const QByteArray bytes = Recovery::toBytes(d.content(), QDir::tempPath());
    QDir().mkpath(Recovery::folder());
    for (int i = 0; i < 2000; ++i) {
        QFile copy(Recovery::newPath());
        if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
            state.SkipWithError("a copy could not be written");
    }
    for (auto _ : state)
        if (Recovery::find().size() != 2000)
            state.SkipWithError("not every copy was found");
    QDir(Recovery::folder()).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}

} // namespace

BENCHMARK(openFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(openStore)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystroke, typing, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystroke, right_after_a_check_started, true)->Unit(benchmark::kMicrosecond);
BENCHMARK(fullCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(writeRecovery)->Unit(benchmark::kMillisecond);
BENCHMARK(problemsAfterKeystroke)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(refusedPaste)->Unit(benchmark::kMillisecond);
BENCHMARK(findCopies)->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // recovery files go to a scratch place
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
