// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: how long it takes to open (offscreen), its exact
// frequencies read from the table made when the game was built.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "records/memory_store.h"
#include "table/statistics.h"
#include "ui/dialogs.h"
#include "ui/statistics_window.h"

namespace brisko {
namespace {

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
