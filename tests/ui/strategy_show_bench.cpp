// SPDX-License-Identifier: GPL-3.0-or-later
// How long the strategy window takes to show a chart kept in the cache
// folder: the file read, the page made and laid out, the window painted.
// usage: QT_QPA_PLATFORM=offscreen brisko_strategy_show_bench FOLDER [TYPE] [RUNS]
//   (FOLDER holds the charts, as brisko-analyze strategy TYPE --cache FOLDER keeps them)
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "ui/dialogs.h"
#include "ui/strategy_charts.h"
#include "ui/strategy_window.h"

namespace {

struct NoDialogs final : brisko::Dialogs {
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString&) override { return false; }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brisko_strategy_show_bench FOLDER [TYPE] [RUNS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const auto type =
        static_cast<brisko::GameType>(argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 3) : 2);
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
    brisko::WindowTexts texts;
    texts.setLanguage(brisko::Language::French);
    NoDialogs dialogs;
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        // Each run from nothing at hand: a new owner reads the file again.
        brisko::StrategyCharts charts(folder, [](brisko::GameType) -> brisko::StrategyChart {
            throw std::runtime_error("the chart is not kept in the folder");
        });
        QElapsedTimer timer;
        timer.start();
        brisko::StrategyWindow window(nullptr, charts, texts, dialogs);
        window.showType(type);
        window.show();
        window.repaint();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!window.hasChart()) {
            std::fprintf(stderr, "no chart of type %d kept in the folder\n", brisko::number(type));
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "strategy window of type %d shown from its kept file, %d runs: median %.2f ms, "
        "worst %.2f ms\n",
        brisko::number(type), runs, ms[ms.size() / 2], ms.back());
    return 0;
}
