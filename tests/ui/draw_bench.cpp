// SPDX-License-Identifier: GPL-3.0-or-later
// How long a deal takes to paint its five cards on a 3840 x 2160 screen.
// usage: QT_QPA_PLATFORM=offscreen brisko_draw_bench [DEALS]
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "records/memory_store.h"
#include "ui/dialogs.h"
#include "ui/pokerf.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int deals = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    brisko::FixedClock clock(1);
    brisko::MemoryStore store;
    brisko::TfrmBrisko window(clock, store, brisko::ScreenMetrics{3840, 2160, 96});
    window.chooseLanguage(brisko::Language::French);
    window.world().table.startNewGame();
    window.resize(3840, 2160);
    window.show();
    window.setEnabled(true);
    // Cold: each image is rendered the first time it is dealt.
    QElapsedTimer cold;
    cold.start();
    brisko::dealHand(window.world().cards, brisko::GameType::JokerPossible, clock);
    for (int slot = 1; slot <= 5; ++slot) window.ShowCard(slot);
    window.repaint();
    std::printf("first deal, nothing rendered yet: %.2f ms\n", double(cold.nsecsElapsed()) / 1e6);
    // Then the window renders the rest while idle.
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 8000) QCoreApplication::processEvents();
    std::vector<double> ms;
    for (int d = 0; d < deals; ++d) {
        clock.set(d * 7919 % brisko::kMillisecondsPerDay);
        brisko::dealHand(window.world().cards, brisko::GameType::JokerPossible, clock);
        QElapsedTimer timer;
        timer.start();
        for (int slot = 1; slot <= 5; ++slot) window.ShowCard(slot);
        window.repaint();  // paint now, not at the next event-loop pass
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("cards %dx%d, %d deals: median %.2f ms, 95%% %.2f ms, worst %.2f ms\n",
                window.cardWidth(), window.cardHeight(), deals, ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], ms.back());
    return 0;
}
