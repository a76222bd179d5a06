// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/strategy_charts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <exception>
#include <memory>
#include <sstream>
#include <string>

namespace brisko {

namespace {

StrategyChart madeOnEveryCore(GameType type) {
    const FastEvaluator evaluator;
    const ReturnCalculator calculator(evaluator, std::max(1, QThread::idealThreadCount()));
    return makeStrategyChart(calculator, type);
}

}  // namespace

StrategyCharts::StrategyCharts(QString folder, Maker make, QObject* parent)
    : QObject(parent),
      folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)),
      make_(make ? std::move(make) : Maker(madeOnEveryCore)) {}

StrategyCharts::~StrategyCharts() {
    waitForMaking();
}

QString StrategyCharts::defaultFolder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QDir(QDir::tempPath()).filePath(QStringLiteral("brisko99")) : cache;
}

QString StrategyCharts::filePath(GameType type) const {
    return QDir(folder_).filePath(QString::fromStdString(strategyChartFileName(type)));
}

const StrategyChart* StrategyCharts::chart(GameType type) {
    Slot& s = slot(type);
    if (s.chart) return &*s.chart;
    if (s.making) return nullptr;
    s.chart = read(type);
    if (s.chart) return &*s.chart;
    startMaking(type);
    return nullptr;
}

void StrategyCharts::readKept(GameType type) {
    Slot& s = slot(type);
    if (!s.chart && !s.making) s.chart = read(type);
}

bool StrategyCharts::isMaking(GameType type) const {
    return slot(type).making != nullptr;
}

bool StrategyCharts::hasFailed(GameType type) const {
    return slot(type).failed;
}

void StrategyCharts::waitForMaking() {
    for (Slot& s : slots_) {
        if (s.making) s.making->wait();
    }
}

std::optional<StrategyChart> StrategyCharts::read(GameType type) const {
    QFile file(filePath(type));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // A chart file is a few kilobytes; anything much larger is not one.
    constexpr qint64 kLargest = 1 << 20;
    const QByteArray bytes = file.read(kLargest);
    std::istringstream in(std::string(bytes.constData(), size_t(bytes.size())));
    return readStrategyChart(in, type);
}

// The making and the keeping run on a thread of their own; what they need is
// copied into it, and the chart comes back to the window's thread when the
// thread has finished.
void StrategyCharts::startMaking(GameType type) {
    Slot& s = slot(type);
    s.failed = false;
    auto made = std::make_shared<std::optional<StrategyChart>>();
    s.making = QThread::create([make = make_, type, path = filePath(type), made] {
        try {
            *made = make(type);
        } catch (const std::exception&) {
            return;
        }
        // A folder that cannot be written only costs the keeping.
        keepStrategyChart(**made, path);
    });
    s.making->setParent(this);
    connect(s.making, &QThread::finished, this, [this, type, made] {
        Slot& done = slot(type);
        done.making->deleteLater();
        done.making = nullptr;
        done.failed = !*made;
        done.chart = std::move(*made);
        emit ready(number(type));
    });
    s.making->start(QThread::LowPriority);
}

bool keepStrategyChart(const StrategyChart& chart, const QString& path) {
    std::ostringstream text;
    writeStrategyChart(chart, text);
    const std::string bytes = text.str();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.commit();
}

}  // namespace brisko
