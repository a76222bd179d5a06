// SPDX-License-Identifier: GPL-3.0-or-later
// The windows that teach: the strategy chart of the game type in play, kept
// in the cache folder; the review of the mistakes and its practice deal,
// which leaves the game where it was; and the menus as they were beside them.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <atomic>
#include <fstream>

#include "records/memory_store.h"
#include "records/registry.h"
#include "ui/companions.h"
#include "ui/pokerf.h"
#include "ui/review_window.h"
#include "ui/strategy_charts.h"
#include "ui/strategy_window.h"
#include "ui/trainer_dock.h"

using namespace brisko;

namespace {

const std::string kKey = registryKeyOf("BRISKO 99");

struct AnsweringDialogs final : Dialogs {
    bool answer = true;
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString&) override { return answer; }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

// A chart made in no time: the figures the window prints, and a section of
// one line for each kind of deal, "throw everything".
StrategyChart smallChart(GameType type) {
    StrategyChart chart;
    chart.gameType = type;
    int32_t number = 1;
    for (const DealKind& kind : dealKindsOf(type)) {
        ChartSection section;
        section.joker = kind.ordinaryCards == 4;
        section.share = 1;
        ChartLine line;
        line.number = number++;
        line.patterns.pattern.shape = HoldShape::Nothing;
        line.share = 1;
        line.value = 0.25;
        section.lines.push_back(line);
        chart.sections.push_back(section);
    }
    chart.chartReturn = Fraction(19, 20);
    chart.bestReturn = Fraction(24, 25);
    chart.suggestedReturn = Fraction(9, 10);
    chart.bestHoldShare = Fraction(1, 2);
    return chart;
}

// A window in English on `store`, a game of type 3 started, the trainer on.
struct Table {
    explicit Table(MemoryStore& store)
        : window(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs) {
        Settings& s = window.world().records.settings;
        s.gameType = GameType::NoJoker;
        s.targetIndex = 1;
        s.optionSuggestionCartes = 0;
        window.chooseLanguage(Language::English);
        window.resize(1024, 768);
        window.show();
        window.setEnabled(true);
        window.startNewGame();
    }
    void click(const char* name) {
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
    }
    void trigger(const char* name) { window.findChild<QAction*>(name)->trigger(); }

    FixedClock clock{45'296'789};
    AnsweringDialogs dialogs;
    TfrmBrisko window;
};

QStringList actionNames(const QMenu& menu) {
    QStringList names;
    for (const QAction* action : menu.actions()) names << action->objectName();
    return names;
}

}  // namespace

class StrategyReviewTest : public QObject {
    Q_OBJECT

  private slots:
    // Made once off the window's thread and kept; a file of other rules, or
    // damaged, is made again.
    void theChartIsMadeOnceAndKept() {
        QTemporaryDir folder;
        std::atomic<int> made = 0;
        auto make = [&made](GameType type) {
            ++made;
            return smallChart(type);
        };
        {
            StrategyCharts charts(folder.path(), make);
            QSignalSpy ready(&charts, &StrategyCharts::ready);
            QVERIFY(!charts.chart(GameType::NoJoker));
            QVERIFY(charts.isMaking(GameType::NoJoker));
            QVERIFY(ready.wait(5000));
            QCOMPARE(ready.first().first().toInt(), 3);
            QCOMPARE(*charts.chart(GameType::NoJoker), smallChart(GameType::NoJoker));
        }
        StrategyCharts again(folder.path(), make);
        // The trainer's warm-up reads a kept chart and makes none.
        again.readKept(GameType::JokerPossible);
        QVERIFY(!again.isMaking(GameType::JokerPossible));
        again.readKept(GameType::NoJoker);
        QVERIFY(again.chart(GameType::NoJoker));
        QCOMPARE(made.load(), 1);
        // Another rules' version in the file: refused, made again.
        QFile file(again.filePath(GameType::JokerEveryDeal));
        QVERIFY(file.open(QIODevice::WriteOnly));
        std::ostringstream text;
        writeStrategyChart(smallChart(GameType::JokerEveryDeal), text);
        std::string bytes = text.str();
        static_assert(kChartRulesVersion < 9);
        const size_t version = bytes.find(char('0' + kChartRulesVersion));
        QVERIFY(version != std::string::npos);
        bytes[version] = char('0' + kChartRulesVersion + 1);
        file.write(bytes.data(), qint64(bytes.size()));
        file.close();
        QVERIFY(!again.chart(GameType::JokerEveryDeal));
        again.waitForMaking();
        QCOMPARE(made.load(), 2);
    }

    // Options > Strategy shows the chart of the game type in play, with its
    // return beside the best play's, in the player's language, and writes it
    // as a PDF file.
    void theWindowShowsTheChartOfTheTypeInPlay() {
        MemoryStore store;
        Table t(store);
        StrategyCharts& charts = t.window.companions().strategyCharts();
        QVERIFY(
            keepStrategyChart(smallChart(GameType::NoJoker), charts.filePath(GameType::NoJoker)));
        t.trigger("menuStrategie");
        StrategyWindow* w = t.window.companions().strategyWindow();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->gameType(), GameType::NoJoker);
        QVERIFY(w->hasChart());
        QVERIFY(w->windowTitle().contains("WITHOUT JOKER"));
        const QString page = w->findChild<QTextBrowser*>("strategyPage")->toPlainText();
        QVERIFY(
            page.contains("Return per credit of this chart 0.950000, of the best play "
                          "0.960000, of the game's suggestion 0.900000"));
        t.window.chooseLanguage(Language::French);
        QVERIFY(w->findChild<QTextBrowser*>("strategyPage")
                    ->toPlainText()
                    .contains("Retour par crédit de ce tableau 0,950000"));
        QTemporaryDir folder;
        const QString pdf = folder.filePath("chart.pdf");
        QVERIFY(w->exportPdf(pdf));
        QFile written(pdf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
    }

    // A mistake drawn is in the review with its cost; practised, it takes
    // no credit and no draw, and the table is back where it was after it.
    // The kept mistakes go with the statistics' reset.
    void practiseLeavesTheGameWhereItWas() {
        MemoryStore store;
        store.put(kKey, "optionEntraineur", kRegBinary, {1});
        Table t(store);
        StrategyCharts& charts = t.window.companions().strategyCharts();
        QVERIFY(
            keepStrategyChart(smallChart(GameType::NoJoker), charts.filePath(GameType::NoJoker)));
        t.click("ButtonTirage");
        t.window.world().cards.hand = {0,
                                       cardIndex(1, 1),
                                       cardIndex(1, 13),
                                       cardIndex(1, 12),
                                       cardIndex(1, 11),
                                       cardIndex(4, 9)};
        t.click("PictureC5");  // the nine alone, not the four to the royal flush
        t.click("ButtonTirage");
        if (t.window.world().table.state.doubleUpActive()) t.click("ButtonNoDouble");
        t.trigger("menuRevueErreurs");
        ReviewWindow* review = t.window.companions().reviewWindow();
        QVERIFY(review && review->isVisible());
        QCOMPARE(review->mistakes().size(), size_t{1});
        const Mistake mistake = review->mistakes()[0];
        QCOMPARE(mistake.held, HoldMask{1u << 4});
        QVERIFY(Fraction() < mistake.cost);
        auto* list = review->findChild<QTableWidget*>("reviewList");
        // The chart's one line throws everything: it never plays the best hold.
        QCOMPARE(list->item(0, 5)->text(), QString("-"));

        const GameState& state = t.window.world().table.state;
        const int32_t credit = state.credit;
        const int32_t draw = state.drawNumber;
        review->choose(0);
        t.click("reviewPractise");
        QVERIFY(t.window.world().table.practiceGameType().has_value());
        QCOMPARE(t.window.world().cards.hand, mistake.dealt);
        t.click("PictureC1");
        t.click("ButtonTirage");  // drawn: pays nothing
        QCOMPARE(state.credit, credit);
        QCOMPARE(state.drawNumber, draw);
        t.window.world().table.endPractice();
        QVERIFY(!t.window.world().table.practiceGameType());
        QCOMPARE(state.credit, credit);
        QCOMPARE(state.drawNumber, draw);
        QCOMPARE(t.window.trainer().tally().decisions(), 1);

        review->showScope(3);
        QCOMPARE(review->mistakes().size(), size_t{1});
        t.window.OpenStatistics();
        t.click("buttonStatsReset");
        QCOMPARE(review->mistakes().size(), size_t{0});
    }

    // Beside the new commands, the menus hold what they held, in order; the
    // trainer's own command is off, and so is the table's best hold.
    void theMenusKeepTheirCommands() {
        MemoryStore store;
        Table t(store);
        const auto& menu = *t.window.findChild<QMenu*>("menuOptions");
        const QStringList names = actionNames(menu);
        const QStringList before{
            "menuSuggestionCartes", "menuOptionDoublage",   "",
            "menuBarreInfo",        "menuCouleurFondEcran", "",
            "menuEntraineur",       "menuAvertirErreur",    "menuStatistiques"};
        QCOMPARE(names.mid(0, before.size()), before);
        QVERIFY(names.contains("menuStrategie"));
        QVERIFY(names.contains("menuRevueErreurs"));
        QAction* holdBest = t.window.findChild<QAction*>("menuGarderMeilleurChoix");
        QVERIFY(holdBest && !holdBest->isChecked() && !holdBest->isEnabled());
        QVERIFY(!t.window.world().table.setup().holdBest);
        t.click("ButtonTirage");
        for (int slot = 1; slot <= 5; ++slot) {
            QVERIFY(!t.window.findChild<QLabel*>(QString("bestHoldMark%1").arg(slot))->isVisible());
        }
        QCOMPARE(actionNames(*t.window.findChild<QMenu*>("menuBrisko")),
                 (QStringList{"menuNewGame", "menuChangeGame", "", "menuInitHighScores", "",
                              "menuQuit"}));
    }

    // Switched on, the star marks the cards of the best hold until the draw.
    void theBestHoldIsMarkedOnTheCards() {
        MemoryStore store;
        store.put(kKey, "optionEntraineur", kRegBinary, {1});
        store.put(kKey, "optionMarquerMeilleurChoix", kRegBinary, {1});
        Table t(store);
        t.click("ButtonTirage");
        t.window.world().cards.hand = {0,
                                       cardIndex(1, 1),
                                       cardIndex(1, 13),
                                       cardIndex(1, 12),
                                       cardIndex(1, 11),
                                       cardIndex(4, 9)};
        t.click("PictureC5");  // the trainer hears the hand with the holds
        auto mark = [&t](int slot) {
            return t.window.findChild<QLabel*>(QString("bestHoldMark%1").arg(slot))->isVisible();
        };
        QVERIFY(mark(1) && mark(2) && mark(3) && mark(4) && !mark(5));
        t.click("ButtonTirage");
        QVERIFY(!mark(1));
        // "Hold the best play" reaches the table's rules, and its own byte.
        t.trigger("menuGarderMeilleurChoix");
        QVERIFY(t.window.world().table.setup().holdBest);
        store.openKey(kKey);
        QCOMPARE(store.value("optionGarderMeilleurChoix")->data, std::vector<uint8_t>{1});
    }
};

QTEST_MAIN(StrategyReviewTest)
#include "strategy_review_test.moc"
