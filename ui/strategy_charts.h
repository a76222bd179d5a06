// SPDX-License-Identifier: GPL-3.0-or-later
// The strategy charts of the game types as the windows get them: read from
// the user's cache folder when kept there, otherwise made on a thread of
// their own (a few seconds of every core) and kept there for the next time.
// A file of other rules is refused by its reader and made again.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "engine/strategy.h"

class QThread;

namespace brisko {

class StrategyCharts final : public QObject {
    Q_OBJECT

  public:
    // Works a chart out; called off the window's thread.
    using Maker = std::function<StrategyChart(GameType)>;

    // Kept in `folder` (defaultFolder() when empty), made by `make` (the
    // exact analysis on every core when absent).
    explicit StrategyCharts(QString folder = {}, Maker make = {}, QObject* parent = nullptr);
    // Waits for a chart being made: its thread uses what this owns.
    ~StrategyCharts() override;

    // The program's folder in the user's cache ($XDG_CACHE_HOME/brisko99).
    static QString defaultFolder();
    const QString& folder() const { return folder_; }
    QString filePath(GameType type) const;

    // The chart of `type` when it is at hand, made or read from its file now
    // (a small file: well under a millisecond); otherwise null, and the chart
    // is being made: ready() tells when. Never waits for the making.
    const StrategyChart* chart(GameType type);
    // Reads the chart of `type` when it is kept in the folder and not at hand
    // yet; never starts its making.
    void readKept(GameType type);
    bool isMaking(GameType type) const;
    // Whether the last making of `type` failed (out of memory...); asking
    // again tries again.
    bool hasFailed(GameType type) const;
    // Blocks until nothing is being made (tests, the end of the program).
    void waitForMaking();

  signals:
    // The chart of that game type (1..3) is at hand, or failed.
    void ready(int type);

  private:
    struct Slot {
        std::optional<StrategyChart> chart;
        bool failed = false;
        QThread* making = nullptr;
    };

    Slot& slot(GameType type) { return slots_[static_cast<size_t>(number(type) - 1)]; }
    const Slot& slot(GameType type) const { return slots_[static_cast<size_t>(number(type) - 1)]; }
    std::optional<StrategyChart> read(GameType type) const;
    void startMaking(GameType type);

    QString folder_;
    Maker make_;
    std::array<Slot, kGameTypes> slots_{};
};

// Keeps `chart` in `path` through a temporary file renamed over it; false
// when the folder or the file cannot be written.
bool keepStrategyChart(const StrategyChart& chart, const QString& path);

}  // namespace brisko
