// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: F11 opens it beside the table, it follows the
// draws, exports them, resets the all-time figures after a question, and
// Escape closes it.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "records/memory_store.h"
#include "table/statistics.h"
#include "ui/pokerf.h"
#include "ui/statistics_window.h"

using namespace brisko;

namespace {

struct AnsweringDialogs final : Dialogs {
    QStringList questions;
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString& question) override {
        questions << question;
        return true;
    }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

}  // namespace

class StatisticsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensFollowsTheDrawsExportsAndResets() {
        FixedClock clock{45'296'789};
        MemoryStore store;
        AnsweringDialogs dialogs;
        TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
        Settings& s = window.world().records.settings;
        s.gameType = GameType::NoJoker;
        s.optionDoublagePropose = 0;
        window.chooseLanguage(Language::French);
        window.show();
        window.setEnabled(true);
        window.world().table.startNewGame();

        QAction* action = window.findChild<QAction*>("menuStatistiques");
        QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F11));
        action->trigger();
        StatisticsWindow* stats = window.statisticsWindow();
        QVERIFY(stats && stats->isVisible());
        QCOMPARE(stats->parentWidget(), &window);
        QVERIFY(stats->windowFlags().testFlag(Qt::Tool));

        for (int draw = 0; draw < 3; ++draw) {
            window.world().table.dealOrDraw();
            window.world().table.dealOrDraw();
        }
        QLabel* draws = nullptr;
        for (QLabel* label : stats->findChildren<QLabel*>()) {
            if (label->accessibleName().startsWith(QString::fromUtf8("Tirages joués")))
                draws = label;
        }
        QVERIFY(draws);
        QCOMPARE(draws->accessibleName(), QString::fromUtf8("Tirages joués : 3"));
        const auto* hands = stats->findChild<QTableWidget*>("tableStatsHands");
        int counted = 0;
        for (int row = 0; row < hands->rowCount(); ++row)
            counted += hands->item(row, 0)->text().toInt();
        QCOMPARE(counted, 3);
        // The exact frequencies are there at once: a royal flush under best
        // play without the joker is 6794587/332220508620.
        QCOMPARE(hands->item(0, 2)->text(), QStringLiteral("0,0020 %"));

        QTemporaryDir dir;
        QVERIFY(stats->exportTo(dir.filePath("draws.csv")));
        QFile csv(dir.filePath("draws.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines.size(), 5);  // the header, three draws, the last line's end
        QVERIFY(lines[3].startsWith("3,1,"));

        stats->reset();
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY(dialogs.questions[0].startsWith(QString::fromUtf8("Remettre à zéro")));
        QCOMPARE(window.statistics().allTime()[2].draws, 0);
        QCOMPARE(window.statistics().game().draws, 3);

        QTest::keyClick(stats, Qt::Key_Escape);
        QVERIFY(!stats->isVisible());
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
