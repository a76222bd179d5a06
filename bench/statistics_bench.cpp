// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: how long its exact frequencies take to work out,
// and how long the window takes to open (offscreen) once they are known.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QThread>

#include "engine/fast_eval.h"
#include "engine/returns.h"
#include "records/memory_store.h"
#include "table/statistics.h"
#include "ui/dialogs.h"
#include "ui/statistics_window.h"

namespace brisko {
namespace {

// The frequencies of one game type, the tables built once (on one thread,
// as the window's worker does on a single core).
void BM_ExpectedFrequenciesOneGameType(benchmark::State& st) {
    const FastEvaluator fast;
    const ReturnCalculator calculator(fast, 1);
    for (auto _ : st)
        benchmark::DoNotOptimize(calculator.gameReturns(GameType{int32_t(st.range(0))}));
}
BENCHMARK(BM_ExpectedFrequenciesOneGameType)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The tables the frequencies are read from: the evaluator and the final
// hands of every held set.
void BM_ExpectedFrequencyTables(benchmark::State& st) {
    for (auto _ : st) {
        const FastEvaluator fast;
        const ReturnCalculator calculator(fast, 1);
        benchmark::DoNotOptimize(&calculator);
    }
}
BENCHMARK(BM_ExpectedFrequencyTables)->Unit(benchmark::kMillisecond)->UseRealTime();

struct NoDialogs final : Dialogs {
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString&) override { return false; }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

// From the menu command to the first picture of the window, after a game of
// 200 draws, at the scale of a 1920 x 1080 screen.
void BM_OpenStatisticsWindow(benchmark::State& st) {
    MemoryStore store;
    Statistics statistics(store, statisticsKeyOf("Software\\Caldimo\\BRISKO 99\\"));
    statistics.gameStarted(GameType::JokerPossible);
    int32_t credit = 200;
    for (int32_t n = 1; n <= 200; ++n) {
        DrawRecord r;
        r.gameType = GameType::JokerPossible;
        r.drawNumber = n;
        r.bet = 1;
        r.category = HandCategory(n % 4);
        r.win = payMultiplier[size_t(n % 4)];
        credit += r.win - 1;
        r.credit = credit;
        statistics.drawEnded(r);
    }
    Texts gameTexts;
    gameTexts.setLanguage(Language::English);
    WindowTexts texts;
    texts.setLanguage(Language::English);
    NoDialogs dialogs;
    QWidget table;
    table.resize(1440, 1080);
    table.show();
    ExpectedFigures expected;
    expected.start();
    while (!expected.ready()) QThread::msleep(10);
    for (auto _ : st) {
        auto* window =
            new StatisticsWindow(&table, statistics, expected, gameTexts, texts, dialogs);
        window->setScale(1440);
        window->applyTexts();
        window->show();
        benchmark::DoNotOptimize(window->grab());
        delete window;
    }
}
BENCHMARK(BM_OpenStatisticsWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace brisko

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
