// SPDX-License-Identifier: GPL-3.0-or-later
// One thing the player waits for in the window, done once in a fresh process
// (a store in memory, a fixed clock), for timings of the whole process side
// by side with the window alone:
//   brisko-window-probe none      the window with a game started
//   brisko-window-probe stats     then the statistics window's first opening,
//                                 until its exact frequencies show
//   brisko-window-probe deal      then the first deal
//   brisko-window-probe trainer   then the first deal, the trainer on
//   brisko-window-probe deal2, trainer2   the same for the second deal
// Prints how long the step took, in milliseconds: wall time, then the
// processor time of the process (all its threads), which a loaded machine
// disturbs less.
// The strategy charts are kept in a temporary folder of the probe's own; with
// BRISKO_PROBE_CHARTS naming a folder of chart files (brisko-analyze strategy
// T --cache DIR) they are copied there first, as for a player who has had
// the trainer on before, otherwise they are made at the first deal.
// The step itself is measuredStep(), for callgrind's --toggle-collect.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "records/memory_store.h"
#include "ui/dialogs.h"
#include "ui/pokerf.h"
#include "ui/statistics_window.h"

namespace {

struct NoDialogs final : brisko::Dialogs {
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString&) override { return false; }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

// The charts of BRISKO_PROBE_CHARTS in the cache folder the window reads.
void copyCharts(const QString& cache) {
    const QString from = qEnvironmentVariable("BRISKO_PROBE_CHARTS");
    if (from.isEmpty()) return;
    const QString to = QDir(cache).filePath(QCoreApplication::applicationName());
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList({"*.chart"}, QDir::Files)) {
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
    }
}

[[gnu::noinline]] void measuredStep(const QByteArray& step, brisko::TfrmBrisko& window,
                                    QWidget* deal) {
    if (step == "stats") {
        window.findChild<QAction*>("menuStatistiques")->trigger();
        const auto* hands = window.statisticsWindow()->findChild<QTableWidget*>("tableStatsHands");
        while (hands->item(0, 2)->text() == "...") {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        window.statisticsWindow()->repaint();
    } else if (step == "deal" || step == "trainer") {
        QTest::mouseClick(deal, Qt::LeftButton);
        // The layout the deal asked for, then the window as the player sees it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.repaint();
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace brisko;
    QTemporaryDir cache;
    if (!cache.isValid()) return 1;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    copyCharts(cache.path());
    QByteArray step = argc > 1 ? argv[1] : "none";
    FixedClock clock(45'296'789);
    MemoryStore store;
    const bool second = step.endsWith('2');
    if (second) step.chop(1);
    if (step == "trainer") {
        store.put(registryKeyOf("BRISKO 99"), "optionEntraineur", kRegBinary, {1});
    }
    NoDialogs dialogs;
    TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
    window.world().records.settings.gameType = GameType::JokerPossible;
    window.chooseLanguage(Language::English);
    window.resize(1024, 768);
    window.show();
    window.setEnabled(true);
    window.startNewGame();
    QCoreApplication::processEvents();
    auto* deal = window.findChild<QWidget*>("ButtonTirage");
    if (second) {
        QTest::mouseClick(deal, Qt::LeftButton);
        QTest::mouseClick(deal, Qt::LeftButton);
    }
    // Everything the start or the first hand left for the loop done and
    // painted (BRISKO_PROBE_SETTLE_MS for a slower run, under valgrind).
    QTest::qWait(qEnvironmentVariableIntValue("BRISKO_PROBE_SETTLE_MS") > 0
                     ? qEnvironmentVariableIntValue("BRISKO_PROBE_SETTLE_MS")
                     : 50);

    QElapsedTimer timer;
    timer.start();
    const std::clock_t processor = std::clock();
    measuredStep(step, window, deal);
    std::printf("%s%s %.3f ms %.3f ms\n", step.constData(), second ? "2" : "",
                double(timer.nsecsElapsed()) / 1e6,
                double(std::clock() - processor) * 1000.0 / CLOCKS_PER_SEC);
    std::fflush(stdout);
    cache.remove();
    std::_Exit(0);
}
