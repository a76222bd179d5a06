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
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
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

}  // namespace

int main(int argc, char** argv) {
    using namespace brisko;
    QApplication app(argc, argv);
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
        QCoreApplication::processEvents();
    }

    QElapsedTimer timer;
    timer.start();
    const std::clock_t processor = std::clock();
    if (step == "stats") {
        window.findChild<QAction*>("menuStatistiques")->trigger();
        const auto* hands = window.statisticsWindow()->findChild<QTableWidget*>("tableStatsHands");
        while (hands->item(0, 2)->text() == "...") {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        window.statisticsWindow()->repaint();
    } else if (step == "deal" || step == "trainer") {
        QTest::mouseClick(deal, Qt::LeftButton);
        window.repaint();
    }
    std::printf("%s%s %.3f ms %.3f ms\n", step.constData(), second ? "2" : "",
                double(timer.nsecsElapsed()) / 1e6,
                double(std::clock() - processor) * 1000.0 / CLOCKS_PER_SEC);
    std::fflush(stdout);
    std::_Exit(0);
}
