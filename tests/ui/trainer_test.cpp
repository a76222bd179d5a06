// SPDX-License-Identifier: GPL-3.0-or-later
// The trainer on the table: its list follows the holds, its stored option
// keeps apart from the game's values, and its warning can keep the hand.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "records/extra_options.h"
#include "records/memory_store.h"
#include "records/registry.h"
#include "ui/pokerf.h"
#include "ui/statistics_window.h"
#include "ui/trainer_dock.h"
#include "ui/trainer_panel.h"

using namespace brisko;

namespace {

const std::string kKey = registryKeyOf("BRISKO 99");

struct RecordingDialogs final : Dialogs {
    QStringList questions;
    bool answer = false;
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString& question) override {
        questions << question;
        return answer;
    }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

// A fresh window in English on `store`, a game of type 1 started.
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
    // Deals four to the royal flush and a nine.
    void dealRoyalDraw() {
        click("ButtonTirage");
        window.world().cards.hand = {0,
                                     cardIndex(1, 1),
                                     cardIndex(1, 13),
                                     cardIndex(1, 12),
                                     cardIndex(1, 11),
                                     cardIndex(4, 9)};
        window.world().cards.held = {};
    }
    QTableWidget* list() { return window.trainer().dock()->panel()->table(); }

    FixedClock clock{45'296'789};
    RecordingDialogs dialogs;
    TfrmBrisko window;
};

MemoryStore storeWithTrainer(std::vector<uint8_t> warn = {}) {
    MemoryStore store;
    store.put(kKey, "optionEntraineur", kRegBinary, {1});
    if (!warn.empty()) store.put(kKey, "optionAvertirErreur", kRegBinary, warn);
    return store;
}

}  // namespace

class TrainerTest : public QObject {
    Q_OBJECT

  private slots:
    // Holding a card puts the player's hold, marked, under the best five.
    void theListFollowsTheHolds() {
        MemoryStore store = storeWithTrainer();
        Table t(store);
        t.dealRoyalDraw();
        t.click("PictureC1");  // hold the ace
        QCOMPARE(t.list()->rowCount(), 6);
        QCOMPARE(t.list()->item(5, 0)->text(), QString::fromUtf8("A♠"));
        QVERIFY(
            t.list()->item(5, 0)->data(Qt::AccessibleTextRole).toString().contains("Your hold"));
        t.click("PictureC2");  // and the king
        QCOMPARE(t.list()->item(5, 0)->text(), QString::fromUtf8("A♠ K♠"));
        // Drawn, the decision is judged, and the statistics window, open
        // meanwhile, shows the tally as it now stands.
        t.window.OpenStatistics();
        t.click("ButtonTirage");
        QCOMPARE(t.window.trainer().tally().decisions(), 1);
        QLabel* decisions = nullptr;
        for (QLabel* label : t.window.statisticsWindow()->findChildren<QLabel*>()) {
            if (label->accessibleName().startsWith("Decisions")) decisions = label;
        }
        QVERIFY(decisions);
        QCOMPARE(decisions->accessibleName(), QString("Decisions: 1"));
        // All the games of a type show the tally kept for them, with this
        // draw once it is settled; not the game's under another name.
        if (t.window.world().table.state.doubleUpActive()) t.click("ButtonNoDouble");
        t.window.statisticsWindow()->showScope(3);
        QCOMPARE(decisions->accessibleName(), QString("Decisions: 1"));
        t.window.statisticsWindow()->showScope(2);
        QCOMPARE(decisions->accessibleName(), QString("Decisions: 0"));
        // A new game clears the list: no holds over an empty table.
        t.window.findChild<QAction*>("menuNewGame")->trigger();
        QCOMPARE(t.list()->rowCount(), 0);
        QCOMPARE(t.window.trainer().tally().decisions(), 0);
    }

    // Absent, it reads as off; of a bad type, length or value, only it is
    // off; never switched, it is never written; switched, it alone is; and
    // switched off again, the window is as it was, pixel for pixel.
    void theStoredOptionKeepsApart() {
        MemoryStore absent;
        QVERIFY(!loadExtraOptions(absent, kKey).trainer);
        for (auto [type, data] : {std::pair{kRegSz, std::vector<uint8_t>{'1', 0}},
                                  std::pair{kRegBinary, std::vector<uint8_t>{1, 0}},
                                  std::pair{kRegBinary, std::vector<uint8_t>{2}}}) {
            MemoryStore bad = storeWithTrainer({1});
            bad.put(kKey, "optionEntraineur", type, data);
            const ExtraOptions options = loadExtraOptions(bad, kKey);
            QVERIFY(!options.trainer);
            QVERIFY(options.warn);
        }
        // "Hold the best play" is one byte of its own too.
        MemoryStore best;
        ExtraOptions holdBest;
        holdBest.holdBest = true;
        saveExtraOption(best, kKey, ExtraOption::HoldBest, holdBest, Language::English);
        best.openKey(kKey);
        QCOMPARE(best.value("optionGarderMeilleurChoix")->data, std::vector<uint8_t>{1});
        QVERIFY(!best.value("optionEntraineur"));
        QVERIFY(loadExtraOptions(best, kKey).holdBest);

        MemoryStore store;
        Table t(store);
        t.window.findChild<QAction*>("menuBarreInfo")->trigger();  // the game's values are saved
        store.openKey(kKey);
        QVERIFY(store.value("optionBarreInfo"));
        QVERIFY(!store.value("optionEntraineur"));
        QVERIFY(!t.window.trainer().dock());
        QCoreApplication::processEvents();  // the focus ring of the new game
        const QImage off = t.window.grab().toImage();
        t.window.findChild<QAction*>("menuEntraineur")->trigger();
        QCOMPARE(store.value("optionEntraineur")->data, std::vector<uint8_t>{1});
        QVERIFY(!store.value("optionAvertirErreur"));
        QVERIFY(t.window.trainer().dock()->isVisible());
        // Switched off again, the window is as it was.
        t.window.findChild<QAction*>("menuEntraineur")->trigger();
        QCOMPARE(store.value("optionEntraineur")->data, std::vector<uint8_t>{0});
        QCoreApplication::processEvents();  // the layout's deferred request
        QCOMPARE(t.window.grab().toImage(), off);
    }

    // No to the warning leaves the hand dealt, its holds and the random draws
    // as they were.
    void noToTheWarningKeepsTheHand() {
        MemoryStore store = storeWithTrainer({1});
        Table t(store);
        t.dealRoyalDraw();
        t.click("PictureC5");  // the nine alone
        const EngineState before = t.window.world().cards;
        t.click("ButtonTirage");
        QCOMPARE(t.dialogs.questions.size(), 1);
        // The amount in credits as the verdict writes it: "credit" below two.
        const QRegularExpressionMatch said =
            QRegularExpression(
                R"(^This hold gives away (\d+\.\d\d) (credits?) on average\. Draw anyway\?$)")
                .match(t.dialogs.questions[0]);
        QVERIFY2(said.hasMatch(), qPrintable(t.dialogs.questions[0]));
        QCOMPARE(said.captured(2), said.captured(1).toDouble() < 2 ? "credit" : "credits");
        QCOMPARE(t.window.world().table.state.stage, Stage::AwaitingDraw);
        QCOMPARE(t.window.world().cards.hand, before.hand);
        QCOMPARE(t.window.world().cards.held, before.held);
        QCOMPARE(t.window.world().cards.random.randSeed, before.random.randSeed);
    }

    // With the trainer on, a window asked for 700 x 500 holds the smallest
    // table and the panel within an 800-pixel screen; switched on in a
    // window of 800 x 600, the panel takes its share of the width and the
    // window keeps its size, the panel at the table's scale.
    void thePanelSharesTheWidthWithTheTable() {
        MemoryStore store = storeWithTrainer({1});
        Table t(store);
        t.window.resize(700, 500);
        QTest::qWait(50);
        QVERIFY2(t.window.width() <= 800, qPrintable(QString::number(t.window.width())));
        QCOMPARE(t.window.tableScale().m, 560);

        MemoryStore plain;
        Table u(plain);
        u.window.resize(800, 600);
        QTest::qWait(50);
        u.window.trainer().toggleTrainer();
        QTest::qWait(50);
        QCOMPARE(u.window.width(), 800);
        const int32_t m = u.window.tableScale().m;
        QVERIFY(m < 800);
        QCOMPARE(u.window.trainer().dock()->font().pixelSize(), (11 * m + 400) / 800);
        QVERIFY(std::abs(u.window.trainer().dock()->width() - (300 * m + 400) / 800) <= 2);
    }

    // The warning's box answers No to Enter.
    void enterAnswersNo() {
        QtDialogs boxes("BRISKO 99");
        QTimer::singleShot(
            0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        QVERIFY(!boxes.yesNoDefaultNo(nullptr, "Draw anyway?"));
    }
};

QTEST_MAIN(TrainerTest)
#include "trainer_test.moc"
