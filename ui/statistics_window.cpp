// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/statistics_window.h"

#include <QAccessible>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMoveEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "engine/returns.h"
#include "records/store_messages.h"
#ifndef _WIN32
#include "records/file_store.h"
#endif
#include "table/game.h"
#include "ui/dialogs.h"
#include "ui/figures.h"
#include "ui/scaling.h"

namespace brisko {

namespace {

// The window's size on the 800 x 600 design.
constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 520;
constexpr int kDesignFont = 12;  // pixels

// The hand table's rows, from the royal flush down, as the pay table.
constexpr std::array<HandCategory, kCategoryCount> kRows = {
    HandCategory::RoyalFlush,   HandCategory::StraightFlush, HandCategory::FourOfAKind,
    HandCategory::FullHouse,    HandCategory::Flush,         HandCategory::Straight,
    HandCategory::ThreeOfAKind, HandCategory::TwoPairs,      HandCategory::KingsOrBetter,
    HandCategory::Nothing};

}  // namespace

// --- the exact figures -------------------------------------------------------

const ExpectedReturns& ExpectedFigures::of(GameType type) const {
    return exactReturns(type);
}

// --- the window --------------------------------------------------------------

StatisticsWindow::StatisticsWindow(QWidget* table, Statistics& statistics,
                                   ExpectedFigures& expected, const Texts& gameTexts,
                                   const WindowTexts& texts, Dialogs& dialogs)
    : QWidget(table, Qt::Tool),
      table_(table),
      statistics_(statistics),
      gameTexts_(gameTexts),
      texts_(texts),
      dialogs_(dialogs),
      expected_(expected) {
    setObjectName("frmStatistiques");
    build();
    table_->installEventFilter(this);
    applyScale(m_);
    setScale(m_);
}

StatisticsWindow::~StatisticsWindow() {
    table_->removeEventFilter(this);
}

void StatisticsWindow::build() {
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(right, 2);

    scope_ = new QComboBox(this);
    scope_->setObjectName("comboStatsScope");
    for (int i = 0; i <= kGameTypes; ++i) scope_->addItem(QString());
    connect(scope_, &QComboBox::currentIndexChanged, this, &StatisticsWindow::refresh);
    left->addWidget(scope_);

    auto figureGrid = [this](QGroupBox*& box, const char* name, auto& names, auto& values) {
        box = new QGroupBox(this);
        box->setObjectName(name);
        auto* grid = new QGridLayout(box);
        for (size_t i = 0; i < values.size(); ++i) {
            names[i] = new QLabel(box);
            values[i] = new QLabel(box);
            values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                               Qt::TextSelectableByKeyboard);
            values[i]->setFocusPolicy(Qt::StrongFocus);
            names[i]->setBuddy(values[i]);
            grid->addWidget(names[i], int(i / 2), int(i % 2) * 2);
            grid->addWidget(values[i], int(i / 2), int(i % 2) * 2 + 1);
        }
        return box;
    };
    left->addWidget(figureGrid(summaryBox_, "boxStatsSummary", summaryNames_, summary_));
    addDeviation();

    hands_ = new QTableWidget(kCategoryCount, 4, this);
    hands_->setObjectName("tableStatsHands");
    hands_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hands_->setSelectionMode(QAbstractItemView::NoSelection);
    hands_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    hands_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    hands_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hands_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hands_->setWordWrap(false);
    for (int r = 0; r < kCategoryCount; ++r) {
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            hands_->setItem(r, c, item);
        }
    }
    left->addWidget(hands_, 1);
    left->addWidget(figureGrid(doubleBox_, "boxStatsDoubleUp", doubleNames_, double_));

    credit_ = new QLineSeries;
    wins_ = new QScatterSeries;
    wins_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    chart_ = new QChart;
    chart_->addSeries(credit_);
    chart_->addSeries(wins_);
    drawAxis_ = new QValueAxis;
    creditAxis_ = new QValueAxis;
    winAxis_ = new QValueAxis;
    drawAxis_->setLabelFormat("%d");
    creditAxis_->setLabelFormat("%d");
    winAxis_->setLabelFormat("%d");
    chart_->addAxis(drawAxis_, Qt::AlignBottom);
    chart_->addAxis(creditAxis_, Qt::AlignLeft);
    chart_->addAxis(winAxis_, Qt::AlignRight);
    credit_->attachAxis(drawAxis_);
    credit_->attachAxis(creditAxis_);
    wins_->attachAxis(drawAxis_);
    wins_->attachAxis(winAxis_);
    addBand();
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chartView_ = new QChartView(chart_, this);
    chartView_->setObjectName("chartStatsCredit");
    chartView_->setRenderHint(QPainter::Antialiasing);
    right->addWidget(chartView_, 1);

    right->addWidget(figureGrid(trainerBox_, "boxStatsTrainer", trainerNames_, trainer_));

    auto* buttons = new QHBoxLayout;
    export_ = new QPushButton(this);
    export_->setObjectName("buttonStatsExport");
    reset_ = new QPushButton(this);
    reset_->setObjectName("buttonStatsReset");
    close_ = new QPushButton(this);
    close_->setObjectName("buttonStatsClose");
    connect(export_, &QPushButton::clicked, this, &StatisticsWindow::exportDraws);
    connect(reset_, &QPushButton::clicked, this, &StatisticsWindow::reset);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(export_);
    buttons->addWidget(reset_);
    addReviewButton(*buttons);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    right->addLayout(buttons);
}

QString StatisticsWindow::text(WindowTxt key) const {
    return q(texts_[key]);
}

QString StatisticsWindow::text(Txt key) const {
    return q(gameTexts_[key]);
}

// "12,34 %" in French, "12.34%" in English; "-" before the first draw.
QString StatisticsWindow::percent(const std::optional<Fraction>& value, int32_t places) const {
    return value ? brisko::percent(*value, places, texts_) : QStringLiteral("-");
}

void StatisticsWindow::setTrainerLog(TrainerLog* log) {
    trainerLog_ = log;
    refresh();
}

int32_t StatisticsWindow::scope() const {
    return std::max(0, scope_->currentIndex());
}

void StatisticsWindow::setScale(int32_t m) {
    tableM_ = m;
    follow();
}

void StatisticsWindow::applyScale(int32_t m) {
    m_ = m;
    auto length = [m](int design) { return std::max(1, design * m / 800); };
    QFont f = font();
    f.setPixelSize(length(kDesignFont));
    setFont(f);
    chart_->setFont(f);
    const QFont axisFont = f;
    for (QValueAxis* axis : {drawAxis_, creditAxis_, winAxis_}) axis->setLabelsFont(axisFont);
    chart_->legend()->setFont(f);
    QFont title = f;
    title.setBold(true);
    chart_->setTitleFont(title);
    // Its margins follow the scale as its fonts do; the layout's least size
    // follows them at once, so that a smaller scale makes a smaller window.
    const int margin = length(9);
    layout()->setContentsMargins(margin, margin, margin, margin);
    layout()->setSpacing(length(6));
    layout()->invalidate();
    layout()->activate();
    resize(length(kWindowWidth), length(kWindowHeight));
}

void StatisticsWindow::applyTexts() {
    setWindowTitle(text(WindowTxt::txtStatsTitle));
    scope_->setItemText(0, text(WindowTxt::txtStatsGame));
    for (int32_t t = 1; t <= kGameTypes; ++t) {
        scope_->setItemText(
            t, text(WindowTxt::txtStatsAllGames) + text(gameTypeName(static_cast<GameType>(t))));
    }
    scope_->setAccessibleName(text(WindowTxt::txtStatsTitle));
    hands_->setHorizontalHeaderLabels(
        {text(WindowTxt::txtStatsCount), text(WindowTxt::txtStatsSeen),
         text(WindowTxt::txtStatsBestPlay), text(WindowTxt::txtStatsSuggested)});
    QStringList rows;
    for (HandCategory c : kRows) {
        rows << (c == HandCategory::Nothing ? text(WindowTxt::txtStatsNothing)
                                            : text(handNameKey(static_cast<int32_t>(c))));
    }
    hands_->setVerticalHeaderLabels(rows);
    hands_->setAccessibleName(text(WindowTxt::txtStatsHand));
    doubleBox_->setTitle(text(WindowTxt::txtStatsDoubleUp));
    trainerBox_->setTitle(text(WindowTxt::txtStatsTrainer));
    chart_->setTitle(text(WindowTxt::txtStatsChart));
    credit_->setName(text(WindowTxt::txtStatsCredit));
    expectedCredit_->setName(text(WindowTxt::txtStatsExpected));
    band1_->setName(text(WindowTxt::txtStatsBand1));
    band2_->setName(text(WindowTxt::txtStatsBand2));
    deviationName_->setText(text(WindowTxt::txtStatsDeviation));
    wins_->setName(text(WindowTxt::txtStatsWin));
    drawAxis_->setTitleText(text(WindowTxt::txtStatsDraw));
    chartView_->setAccessibleName(text(WindowTxt::txtStatsChart));
    export_->setText(text(WindowTxt::txtStatsExport));
    reset_->setText(text(WindowTxt::txtStatsReset));
    review_->setText(text(WindowTxt::txtReviewOpen));
    close_->setText(text(WindowTxt::txtStatsClose));
    refresh();
}

// The name before the figure, and both as one name for a screen reader:
// "Tirages joués : 12".
void StatisticsWindow::setFigure(QLabel* value, WindowTxt name, const QString& figure) {
    value->setText(figure);
    value->setAccessibleName(text(name) + text(WindowTxt::a11ySeparator) + figure);
}

void StatisticsWindow::showScope(int32_t scope) {
    scope_->setCurrentIndex(std::clamp(scope, 0, kGameTypes));
    refresh();
}

void StatisticsWindow::refresh() {
    const int32_t scope = this->scope();
    const GameType type = scope == 0 ? statistics_.gameType() : static_cast<GameType>(scope);
    const StatFigures& figures =
        scope == 0 ? statistics_.game() : figuresOf(statistics_.allTime(), type);
    summary_[0]->parentWidget()->setAccessibleName(scope_->currentText());
    fillFigures(figures, expected_.of(type));
    fillDeviation(expected_.of(type));
    fillTrainer();
    fillChart();
    fillBand();
}

// Under the return, the standard deviation of one draw's win per credit
// under best play: how far luck alone takes a return.
void StatisticsWindow::addDeviation() {
    auto* grid = static_cast<QGridLayout*>(summaryBox_->layout());
    deviationName_ = new QLabel(summaryBox_);
    deviation_ = new QLabel(summaryBox_);
    deviation_->setObjectName("labelStatsDeviation");
    deviation_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    deviation_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    deviationName_->setBuddy(deviation_);
    const int row = grid->rowCount();
    grid->addWidget(deviationName_, row, 0, 1, 3);
    grid->addWidget(deviation_, row, 3);
}

void StatisticsWindow::fillDeviation(const ExpectedReturns& expected) {
    const QString figure = decimal(
        Fraction(static_cast<int64_t>(std::llround(expected[0].standardDeviation * 10000)), 10000),
        2, texts_);
    setFigure(deviation_, WindowTxt::txtStatsDeviation, figure);
}

// Around the credit, the credit a best play expects after each draw and the
// bands of one and two standard deviations about it.
void StatisticsWindow::addBand() {
    expectedCredit_ = new QLineSeries;
    expectedCredit_->setObjectName("seriesStatsExpected");
    QPen dashed(QColor(90, 90, 90));
    dashed.setStyle(Qt::DashLine);
    expectedCredit_->setPen(dashed);
    auto area = [this](QLineSeries*& upper, QLineSeries*& lower, const QColor& colour) {
        upper = new QLineSeries(this);
        lower = new QLineSeries(this);
        auto* band = new QAreaSeries(upper, lower);
        band->setColor(colour);
        band->setBorderColor(Qt::transparent);
        chart_->addSeries(band);
        band->attachAxis(drawAxis_);
        band->attachAxis(creditAxis_);
        return band;
    };
    band2_ = area(band2High_, band2Low_, QColor(70, 130, 180, 40));
    band1_ = area(band1High_, band1Low_, QColor(70, 130, 180, 70));
    chart_->addSeries(expectedCredit_);
    expectedCredit_->attachAxis(drawAxis_);
    expectedCredit_->attachAxis(creditAxis_);
}

namespace {

void setWholeAxis(QValueAxis* axis, const WholeAxis& whole) {
    axis->setRange(double(whole.low), double(whole.high));
    axis->setTickCount(whole.ticks);
}

}  // namespace

void StatisticsWindow::fillBand() {
    const std::vector<CreditForecast> forecast =
        forecastCredits(expected_.of(statistics_.gameType())[0], statistics_.draws());
    QList<QPointF> expected, high1, low1, high2, low2;
    double low = creditAxis_->min();
    double high = creditAxis_->max();
    for (size_t k = 0; k < forecast.size(); ++k) {
        const double x = k == 0 ? 0 : statistics_.draws()[k - 1].drawNumber;
        const CreditForecast& f = forecast[k];
        expected.append(QPointF(x, f.expected));
        high1.append(QPointF(x, f.high(1)));
        low1.append(QPointF(x, f.low(1)));
        high2.append(QPointF(x, f.high(2)));
        low2.append(QPointF(x, f.low(2)));
        low = std::min(low, f.low(2));
        high = std::max(high, f.high(2));
    }
    expectedCredit_->replace(expected);
    band1High_->replace(high1);
    band1Low_->replace(low1);
    band2High_->replace(high2);
    band2Low_->replace(low2);
    // The bands widen the credit's scale, still in whole numbers.
    setWholeAxis(creditAxis_, wholeAxis(int64_t(std::floor(low)), int64_t(std::ceil(high)), 10));
}

void StatisticsWindow::fillFigures(const StatFigures& f, const ExpectedReturns& expected) {
    const std::array<std::pair<WindowTxt, QString>, 4> summary = {{
        {WindowTxt::txtStatsDraws, QString::number(f.draws)},
        {WindowTxt::txtStatsBet, QString::number(f.bet)},
        {WindowTxt::txtStatsWon, QString::number(f.won)},
        {WindowTxt::txtStatsReturn, percent(returnPercent(f), 2)},
    }};
    for (size_t i = 0; i < summary.size(); ++i) {
        summaryNames_[i]->setText(text(summary[i].first));
        setFigure(summary_[i], summary[i].first, summary[i].second);
    }
    const std::array<std::pair<WindowTxt, int64_t>, 6> doubles = {{
        {WindowTxt::txtStatsOffered, f.doubleOffered},
        {WindowTxt::txtStatsTaken, f.doubleTaken},
        {WindowTxt::txtStatsDoubleWon, f.doubleWon},
        {WindowTxt::txtStatsTied, f.doubleTied},
        {WindowTxt::txtStatsLost, f.doubleLost},
        {WindowTxt::txtStatsLargest, f.largestDoubleWin},
    }};
    for (size_t i = 0; i < doubles.size(); ++i) {
        doubleNames_[i]->setText(text(doubles[i].first));
        setFigure(double_[i], doubles[i].first, QString::number(doubles[i].second));
    }
    for (int r = 0; r < kCategoryCount; ++r) {
        const HandCategory c = kRows[size_t(r)];
        const auto k = static_cast<size_t>(c);
        const QString cells[] = {
            QString::number(f.categories[k]),
            percent(categoryPercent(f, c), 2),
            percent(expected[0].categories[k] * Fraction(100, 1), 4),
            percent(expected[1].categories[k] * Fraction(100, 1), 4),
        };
        const QString row =
            hands_->verticalHeaderItem(r) ? hands_->verticalHeaderItem(r)->text() : QString();
        for (int col = 0; col < 4; ++col) {
            QTableWidgetItem* item = hands_->item(r, col);
            item->setText(cells[col]);
            const QString header = hands_->horizontalHeaderItem(col)
                                       ? hands_->horizontalHeaderItem(col)->text()
                                       : QString();
            item->setData(Qt::AccessibleTextRole, row + ", " + header + " : " + cells[col]);
        }
    }
}

// The trainer's tally of the game in progress, or the one kept for all the
// games of a game type.
void StatisticsWindow::fillTrainer() {
    trainerBox_->setVisible(true);
    const std::array<WindowTxt, 4> names = {
        WindowTxt::txtStatsDecisions, WindowTxt::txtStatsBestPlays, WindowTxt::txtStatsAccuracy,
        WindowTxt::txtStatsGivenAway};
    const int32_t scope = this->scope();
    const TrainerTally kept = statistics_.trainerTally(static_cast<GameType>(std::max(1, scope)));
    const TrainerTally* tally = scope != 0 ? &kept : trainerLog_ ? &trainerLog_->tally() : nullptr;
    const std::array<QString, 4> figures = tallyFigures(tally, texts_);
    for (size_t i = 0; i < names.size(); ++i) {
        trainerNames_[i]->setText(text(names[i]));
        setFigure(trainer_[i], names[i], figures[i]);
    }
    trainerBox_->setToolTip(trainerLog_ ? QString() : text(WindowTxt::txtStatsNoTrainer));
}

WholeAxis wholeAxis(int64_t low, int64_t high, int64_t minSpan) {
    constexpr int kMostTicks = 6;
    high = std::max(high, low + std::max<int64_t>(minSpan, 1));
    const auto floorTo = [](int64_t v, int64_t step) {
        return (v >= 0 ? v / step : -((-v + step - 1) / step)) * step;
    };
    for (int64_t power = 1;; power *= 10) {
        for (const int64_t times : {1, 2, 5}) {
            const int64_t step = times * power;
            const int64_t from = floorTo(low, step);
            const int64_t to = -floorTo(-high, step);
            if ((to - from) / step + 1 <= kMostTicks) {
                return {from, to, int((to - from) / step + 1)};
            }
        }
    }
}

void StatisticsWindow::fillChart() {
    QList<QPointF> credit;
    QList<QPointF> wins;
    credit.append(QPointF(0, kStartCredit));
    int64_t low = kStartCredit;
    int64_t high = kStartCredit;
    int64_t topWin = 1;
    for (const DrawRecord& r : statistics_.draws()) {
        credit.append(QPointF(r.drawNumber, r.credit));
        if (r.win > 0) wins.append(QPointF(r.drawNumber, r.win));
        low = std::min<int64_t>(low, r.credit);
        high = std::max<int64_t>(high, r.credit);
        topWin = std::max<int64_t>(topWin, r.win);
    }
    credit_->replace(credit);
    wins_->replace(wins);
    const int64_t draws = statistics_.draws().empty() ? 0 : statistics_.draws().back().drawNumber;
    // Whole numbers on every axis; before the first draw, ten draws, ten
    // credits either side of the start and wins up to ten.
    setWholeAxis(drawAxis_, wholeAxis(0, draws, 10));
    const int64_t pad = std::max<int64_t>(10, (high - low) / 10);
    setWholeAxis(creditAxis_, wholeAxis(low - pad, high + pad, 10));
    setWholeAxis(winAxis_, wholeAxis(0, topWin + topWin / 10 + 1, 10));
}

bool StatisticsWindow::exportTo(const QString& path, QString* why) const {
    // The words of the player's language.
    CsvWords words;
    words.header = texts_[WindowTxt::txtStatsCsvHeader];
    for (int32_t c = 0; c < kCategoryCount; ++c) {
        words.categories[size_t(c)] =
            c == 0 ? texts_[WindowTxt::txtStatsNothing] : gameTexts_[handNameKey(c)];
    }
    std::istringstream steps(texts_[WindowTxt::txtStatsCsvDoubleUp]);
    steps >> words.quit >> words.won >> words.tied >> words.lost;
    std::ostringstream csv;
    writeDrawsCsv(csv, statistics_.draws(), words);
    const std::string bytes = csv.str();
#ifdef _WIN32
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.commit()) {
        return true;
    }
    if (why) *why = file.errorString();
    return false;
#else
    try {
        writeWholeFile(path.toStdString(), bytes, statistics_.storeLocation());
        return true;
    } catch (const StoreError& error) {
        if (why && error.problem()) {
            *why = QString::fromStdString(refusalReason(*error.problem(), texts_.language()));
        }
        return false;
    }
#endif
}

QString StatisticsWindow::proposedExportPath() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("brisko99-statistics-%1.csv")
                                     .arg(QDate::currentDate().toString(Qt::ISODate)));
}

void StatisticsWindow::exportDraws() {
    const QString path =
        QFileDialog::getSaveFileName(this, text(WindowTxt::txtStatsExport), proposedExportPath(),
                                     text(WindowTxt::txtStatsCsvFiles));
    if (path.isEmpty()) return;
    QString why;
    if (exportTo(path, &why)) return;
    const bool fr = texts_.language() == Language::French;
    dialogs_.message(
        this, text(WindowTxt::txtStatsExportFailed) + path + (fr ? " : " : ": ") + why + ".");
}

void StatisticsWindow::reset() {
    // The all-time figures cannot be had back: Enter and Escape answer No.
    if (!dialogs_.yesNoDefaultNo(this, text(WindowTxt::txtStatsResetQuestion))) return;
    try {
        statistics_.resetAllTime();
    } catch (const StoreError& error) {
        dialogs_.message(this, QString::fromStdString(storeMessage(error, texts_.language())));
    }
    refresh();
    emit cleared();
}

// The review of the mistakes opens from here too.
void StatisticsWindow::addReviewButton(QHBoxLayout& buttons) {
    review_ = new QPushButton(this);
    review_->setObjectName("buttonStatsReview");
    connect(review_, &QPushButton::clicked, this, &StatisticsWindow::reviewAsked);
    buttons.addWidget(review_);
}

void StatisticsWindow::setPlaceRules(std::function<void(PlaceRoom&)> parts,
                                     std::optional<QPoint> chosen) {
    tableParts_ = std::move(parts);
    chosen_ = chosen;
    if (isVisible()) follow();
}

void StatisticsWindow::follow() {
    if (!table_) return;
    const QRect frame = table_->frameGeometry();
    const QScreen* screen = table_->screen();
    PlaceRoom room{frame, QRect(), screen ? screen->availableGeometry() : frame, QSize(), {}};
    if (tableParts_) tableParts_(room);
    // A smaller window rather than one over the cards, down to the scale of
    // the smallest table. Its texts may keep it larger than its scale says:
    // then it is placed again with what they add.
    const QSize borders = frameGeometry().size() - size();
    QSize extra(0, 0);
    CompanionFit fit;
    for (int round = 0; round < 3; ++round) {
        const auto sizeAt = [borders, extra](int m) {
            return (QSize(kWindowWidth * m / 800, kWindowHeight * m / 800) + extra)
                       .expandedTo(QSize(1, 1)) +
                   borders;
        };
        fit = fitCompanion(room, sizeAt, tableM_, kSmallestWidth, chosen_);
        if (fit.m != m_) applyScale(fit.m);
        const QSize over = size() + borders - sizeAt(fit.m);
        if (over.width() <= 0 && over.height() <= 0) break;
        extra += over.expandedTo(QSize(0, 0));
        if (round == 2) {  // placed as it is
            room.size = size() + borders;
            const std::optional<QPoint> chosen =
                chosen_ ? chosenPlace(room, *chosen_) : std::nullopt;
            fit.at = chosen ? *chosen : companionPlace(room);
        }
    }
    placedAt_ = fit.at;
    placing_ = true;
    move(placedAt_);
    placing_ = false;
    sincePlaced_.start();
}

void StatisticsWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (placing_ || !isVisible() || !table_) return;
    // A window manager puts the frame where it was asked, give or take its
    // borders, or moves it on the screen as it maps it, soon after; a move
    // farther, or later, is the player's.
    constexpr int kBorders = 40;
    constexpr qint64 kSettleMs = 1000;
    if (sincePlaced_.isValid() && sincePlaced_.elapsed() < kSettleMs) {
        placedAt_ = pos();
        return;
    }
    if ((pos() - placedAt_).manhattanLength() <= kBorders) return;
    placedAt_ = pos();
    chosen_ = pos() - table_->frameGeometry().topLeft();
    emit placeChosen(*chosen_);
}

void StatisticsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool StatisticsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && isVisible() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        follow();
    }
    return QWidget::eventFilter(watched, event);
}

void StatisticsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    follow();
}

}  // namespace brisko
