// Every learner action on generated tests of 100 … 32767 phrases per side, timed on the
// models alone and with the test window attached (offscreen): the action plus all the
// events it leaves behind, repainting included. Prints a table with the growth from
// 1,000 to 10,000 phrases at the end.
//
// Under `valgrind --tool=callgrind --collect-atstart=no` only the timed actions are
// counted, which gives their instructions whatever else the machine runs.
#include "GeneratedContent.h"
#include "Kaz.h"
#include "KazView.h"
#include "ListBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define KAZ_COUNT_INSTRUCTIONS CALLGRIND_TOGGLE_COLLECT
#else
#define KAZ_COUNT_INSTRUCTIONS
#endif

#include <clocale>
#include <ctime>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace {

const int Sizes[] = {100, 1000, 10000, 32767};

// Counts every event the application delivers, to tell when the window has nothing left to do.
class EventCounter : public QObject
{
public:
    using QObject::QObject;
    quint64 count = 0;
    quint64 paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        ++count;
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
EventCounter *events = nullptr;

// Runs the event loop until a pass delivers no event: layouts, timers and the repaint
// that an action has caused are then done.
void settle()
{
    for (int pass = 0; pass < 200; ++pass) {
        const quint64 before = events->count;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        if (events->count == before)
            return;
    }
}

// The state a test is in before the action being measured.
enum class Stage { Fresh, HalfPaired, AllButOnePaired, AllPaired, Graded };

struct Window
{
    std::shared_ptr<const ContentStore> content;
    std::unique_ptr<Kaz> kaz;
    std::unique_ptr<KazView> view;
};

std::shared_ptr<const ContentStore> contentOf(int n)
{
    static std::map<int, std::shared_ptr<const ContentStore>> made;
    auto &c = made[n];
    if (!c)
        c = GeneratedContent::make(n);
    return c;
}

void click(Window &w, int button)
{
    if (w.view)
        w.view->Uprawl(button)->click();
    else
        w.kaz->Uprawl_Click(button);
}

// Pairs the last rows of both lists; taking the last rows keeps building a big state cheap.
void pairLastRows(Kaz &kaz)
{
    kaz.Slowo(0).setSelectedIndex(kaz.Slowo(0).count() - 1);
    kaz.Slowo(1).setSelectedIndex(kaz.Slowo(1).count() - 1);
    kaz.Uprawl_Click(0);
}

void attachView(Window &w)
{
    w.view = std::make_unique<KazView>(w.kaz.get());
    w.view->showCentred();
    settle();
}

// The window is started like the program starts it: the view exists before the load handler.
std::unique_ptr<Window> startWindow(int n, bool widgets)
{
    auto w = std::make_unique<Window>();
    w->content = contentOf(n);
    w->kaz = std::make_unique<Kaz>([c = w->content] { return c; });
    if (widgets)
        w->view = std::make_unique<KazView>(w->kaz.get());
    w->kaz->Form_Load();
    if (widgets) {
        w->view->showCentred();
        settle();
    }
    return w;
}

std::unique_ptr<Window> windowAt(int n, Stage stage, bool widgets)
{
    if (stage == Stage::Fresh)
        return startWindow(n, widgets);
    auto w = startWindow(n, false);
    Kaz &kaz = *w->kaz;
    const int pairs = stage == Stage::HalfPaired ? n / 2 : stage == Stage::AllButOnePaired ? n - 1 : n;
    for (int i = 0; i < pairs; ++i)
        pairLastRows(kaz);
    kaz.Oceni_Update(); // as the next click on any button would
    if (stage == Stage::Graded)
        kaz.Uprawl_Click(2);
    if (widgets)
        attachView(*w);
    return w;
}

// One window kept between the repetitions of a benchmark: actions that leave the test as
// they found it do not pay for building it again.
std::unique_ptr<Window> cached;
std::tuple<int, Stage, bool> cachedKey;

Window &cachedWindow(int n, Stage stage, bool widgets)
{
    if (!cached || cachedKey != std::tuple(n, stage, widgets)) {
        cached.reset();
        cached = windowAt(n, stage, widgets);
        cachedKey = {n, stage, widgets};
    }
    return *cached;
}

void dropCachedWindow()
{
    cached.reset();
}

// Processor time of this thread: what the action costs when other programs share the
// processor and stretch its wall-clock time.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

// Times one action up to the moment the window is idle again; counts the widgets painted
// on the way, to show that the repaint is part of the time.
template<typename Action>
void timed(benchmark::State &state, bool widgets, Action action)
{
    const quint64 paintsBefore = events->paints;
    const double cpuBefore = threadCpuMs();
    QElapsedTimer timer;
    timer.start();
    KAZ_COUNT_INSTRUCTIONS;
    action();
    if (widgets)
        settle();
    KAZ_COUNT_INSTRUCTIONS;
    state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
    benchmark::Counter &cpu = state.counters["cpu_ms"];
    cpu.value += threadCpuMs() - cpuBefore;
    cpu.flags = benchmark::Counter::kAvgIterations;
    benchmark::Counter &painted = state.counters["painted"];
    painted.value += double(events->paints - paintsBefore);
    painted.flags = benchmark::Counter::kAvgIterations;
}

// Selects `row` of Slowo(list) as the learner does: a click on the row in the list box,
// or the model's setter when no window is attached.
void selectRow(Window &w, int list, int row)
{
    if (!w.view) {
        w.kaz->Slowo(list).setSelectedIndex(row);
        return;
    }
    ListBox *box = w.view->Slowo(list);
    const QModelIndex index = box->model()->index(row, 0);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualRect(index).center());
}

void scrollTo(Window &w, int list, int row)
{
    if (w.view) {
        w.view->Slowo(list)->scrollTo(w.view->Slowo(list)->model()->index(row, 0), QAbstractItemView::PositionAtTop);
        settle();
    }
}

struct Action
{
    const char *name;
    void (*run)(benchmark::State &, int n, bool widgets);
};

void startUp(benchmark::State &state, int n, bool widgets)
{
    dropCachedWindow();
    contentOf(n);
    for (auto _ : state) {
        std::unique_ptr<Window> w;
        timed(state, widgets, [&] { w = startWindow(n, widgets); });
        benchmark::DoNotOptimize(w->kaz->Slowo(0).count());
    }
}

void makePair(benchmark::State &state, int n, bool widgets)
{
    Window &w = cachedWindow(n, Stage::Fresh, widgets);
    scrollTo(w, 0, n / 2);
    scrollTo(w, 1, n / 2);
    for (auto _ : state) {
        selectRow(w, 0, n / 2);
        selectRow(w, 1, n / 2);
        settle();
        timed(state, widgets, [&] { click(w, 0); });
        // Back as it was: the pair taken back, nothing selected in the phrase lists.
        w.kaz->Slowo(2).setSelectedIndex(0);
        w.kaz->Uprawl_Click(1);
        settle();
    }
}

void takeBackFirstPair(benchmark::State &state, int n, bool widgets)
{
    Window &w = cachedWindow(n, Stage::AllButOnePaired, widgets);
    for (auto _ : state) {
        w.kaz->Slowo(2).setSelectedIndex(0);
        settle();
        timed(state, widgets, [&] { click(w, 1); });
        pairLastRows(*w.kaz);
        settle();
    }
    if (w.kaz->Slowo(2).count() != n - 1)
        state.SkipWithError("the take-back left the test in another state");
}

void grade(benchmark::State &state, int n, bool widgets)
{
    dropCachedWindow();
    for (auto _ : state) {
        auto w = windowAt(n, Stage::AllPaired, widgets);
        timed(state, widgets, [&] { click(*w, 2); });
        if (w->kaz->uprawlEnabled(0))
            state.SkipWithError("the test was not graded");
    }
}

void explain(benchmark::State &state, int n, bool widgets)
{
    Window &w = cachedWindow(n, Stage::Graded, widgets);
    int k = 0;
    for (auto _ : state) {
        // Pairs of the questions that have explanation lines, one after another.
        const int row = (k++ % 2) ? n / 2 : n / 2 + 1;
        scrollTo(w, 2, n / 2);
        selectRow(w, 2, row);
        settle();
        timed(state, widgets, [&] { click(w, 3); });
    }
    if (w.kaz->prowerkaText(0).isEmpty())
        state.SkipWithError("no explanation was shown");
}

template<int List>
void selectInList(benchmark::State &state, int n, bool widgets)
{
    Window &w = cachedWindow(n, Stage::HalfPaired, widgets);
    const int rows = w.kaz->Slowo(List).count();
    const int first = rows / 2;
    scrollTo(w, List, first);
    int k = 0;
    for (auto _ : state) {
        const int row = first + (k++ % 2);
        timed(state, widgets, [&] { selectRow(w, List, row); });
        if (w.kaz->Slowo(List).selectedIndex() != row)
            state.SkipWithError("the row was not selected");
    }
}

const Action Actions[] = {
    {"start-up", startUp},
    {"pair (\"Избрах\")", makePair},
    {"take back first pair, all but one paired", takeBackFirstPair},
    {"grade, all paired (\"Оцени\")", grade},
    {"explanation after grading (\"Обясни\")", explain},
    {"select a row of Slowo(0)", selectInList<0>},
    {"select a row of Slowo(1)", selectInList<1>},
    {"select a row of Slowo(2)", selectInList<2>},
};

std::string benchmarkName(int action, bool widgets, int n)
{
    return std::to_string(action) + (widgets ? "/widgets/" : "/model/") + std::to_string(n);
}

// Shows Google Benchmark's line for each median and keeps the medians for the table at the end.
class TableReporter : public benchmark::ConsoleReporter
{
public:
    TableReporter()
        : ConsoleReporter(OO_None)
    {
    }

    std::map<std::string, double> medianMs;
    std::map<std::string, double> medianCpuMs;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        std::vector<Run> medians;
        for (const Run &run : runs)
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"))
                medians.push_back(run);
        if (!medians.empty())
            ConsoleReporter::ReportRuns(medians);
        for (const Run &run : medians) {
            if (run.error_occurred)
                continue;
            medianMs[run.run_name.function_name] = run.GetAdjustedRealTime(); // unit: ms
            const auto cpu = run.counters.find("cpu_ms");
            if (cpu != run.counters.end())
                medianCpuMs[run.run_name.function_name] = cpu->second.value;
        }
    }
};

} // namespace

int main(int argc, char *argv[])
{
    // The widgets run offscreen; the platform's idle wait before a repaint (5 ms) is set to
    // 0, so what is measured is the work an action causes.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // the table's numbers with a decimal point, whatever the locale
    events = new EventCounter(&app);
    app.installEventFilter(events);

    benchmark::Initialize(&argc, argv);
    for (int n : Sizes) {
        for (int a = 0; a < int(std::size(Actions)); ++a) {
            for (bool widgets : {false, true}) {
                const Action action = Actions[a];
                const bool heavy = a == 0 || a == 3; // a new window for every sample
                benchmark::RegisterBenchmark(benchmarkName(a, widgets, n).c_str(),
                                             [action, n, widgets](benchmark::State &s) { action.run(s, n, widgets); })
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(heavy ? 1 : 10)
                    ->Repetitions(heavy ? 7 : 5)
                    ->ReportAggregatesOnly(true);
            }
        }
    }
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    dropCachedWindow();

    std::printf("\nMedian time per action in ms, wall clock / processor time of the thread; growth of the\n"
                "wall-clock time from 1,000 to 10,000 phrases per side (processor time in brackets)\n\n");
    std::printf("| action | view |");
    for (int n : Sizes)
        std::printf(" %d |", n);
    std::printf(" growth 1,000 → 10,000 |\n|---|---|");
    for (size_t i = 0; i <= std::size(Sizes); ++i)
        std::printf("---|");
    std::printf("\n");
    for (int a = 0; a < int(std::size(Actions)); ++a) {
        for (bool widgets : {false, true}) {
            std::printf("| %s | %s |", Actions[a].name, widgets ? "window" : "models");
            const auto value = [&](const std::map<std::string, double> &m, int n) {
                const auto it = m.find(benchmarkName(a, widgets, n));
                return it == m.end() ? -1.0 : it->second;
            };
            for (int n : Sizes) {
                if (value(reporter.medianMs, n) < 0)
                    std::printf(" – |");
                else
                    std::printf(" %.3f / %.3f |", value(reporter.medianMs, n), value(reporter.medianCpuMs, n));
            }
            const double small = value(reporter.medianMs, 1000), big = value(reporter.medianMs, 10000);
            const double smallCpu = value(reporter.medianCpuMs, 1000), bigCpu = value(reporter.medianCpuMs, 10000);
            if (small > 0 && big >= 0 && smallCpu > 0)
                std::printf(" %.1f × (%.1f ×) |\n", big / small, bigCpu / smallCpu);
            else
                std::printf(" – |\n");
        }
    }
    benchmark::Shutdown();
    return 0;
}
