// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: F11 opens it beside the table, it follows the
// draws, exports them, resets the all-time figures after a question, and
// Escape closes it.
#include <sys/stat.h>
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <array>
#include <filesystem>
#include <fstream>

#include "records/file_store.h"
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

    // The chart's axes count in whole numbers, also before the first draw,
    // where they span ten draws, and the credit around the start.
    void theChartsAxesAreWholeNumbers() {
        for (int64_t low = -30; low <= 230; ++low) {
            for (int64_t high = low; high <= low + 1200; high += 7) {
                const WholeAxis axis = wholeAxis(low, high, 10);
                const int64_t span = axis.high - axis.low;
                QVERIFY(axis.low <= low && axis.high >= high && span >= 10);
                QVERIFY(axis.ticks >= 2 && axis.ticks <= 6);
                QCOMPARE(span % (axis.ticks - 1), 0);
                QVERIFY(span <= 5 * std::max<int64_t>(high - low, 10));
            }
        }
        FixedClock clock{45'296'789};
        MemoryStore store;
        AnsweringDialogs dialogs;
        TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
        window.chooseLanguage(Language::French);
        window.show();
        window.setEnabled(true);
        window.world().table.startNewGame();
        window.findChild<QAction*>("menuStatistiques")->trigger();
        const QList<QAbstractAxis*> axes =
            window.statisticsWindow()->findChild<QChartView*>()->chart()->axes();
        QCOMPARE(axes.size(), 3);
        QList<std::array<double, 3>> seen;
        for (QAbstractAxis* a : axes) {
            auto* axis = qobject_cast<QValueAxis*>(a);
            seen.append({axis->min(), axis->max(), double(axis->tickCount())});
        }
        // Draws, credit, wins.
        QCOMPARE(seen, (QList<std::array<double, 3>>{{0, 10, 6}, {190, 210, 5}, {0, 10, 6}}));
    }

    // The all-time figures cannot be had back: the toolkit's own box answers
    // No to Enter and to Escape.
    void resetAnswersNoToEnterAndEscape() {
        FixedClock clock{45'296'789};
        MemoryStore store;
        TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96});
        window.chooseLanguage(Language::English);
        window.show();
        window.setEnabled(true);
        window.world().table.startNewGame();
        window.world().table.dealOrDraw();
        window.world().table.dealOrDraw();
        window.findChild<QAction*>("menuStatistiques")->trigger();
        StatisticsWindow* stats = window.statisticsWindow();
        const int64_t draws = window.statistics().allTime()[1].draws;
        QCOMPARE(draws, 1);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QTimer::singleShot(0,
                               [key] { QTest::keyClick(QApplication::activeModalWidget(), key); });
            stats->reset();
            QCOMPARE(window.statistics().allTime()[1].draws, draws);
        }
    }

    // The export writes a temporary file beside its target and renames it
    // over it: a FIFO, a folder or the game's own settings file is refused
    // with the reason, a symbolic link is replaced (what it points to is left
    // alone), and the file is in the player's language.
    void exportRefusesWhatIsNotItsOwnFile() {
        namespace fs = std::filesystem;
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        const fs::path storeFile = root / "Caldimo" / "user.reg";
        FixedClock clock{45'296'789};
        FileStore store(storeFile);
        AnsweringDialogs dialogs;
        TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
        window.world().records.LoadSettings();
        window.chooseLanguage(Language::French);
        window.show();
        window.setEnabled(true);
        window.world().records.settings.optionDoublagePropose = 0;
        window.world().table.startNewGame();
        window.world().table.dealOrDraw();
        window.world().table.dealOrDraw();
        window.findChild<QAction*>("menuStatistiques")->trigger();
        StatisticsWindow* stats = window.statisticsWindow();
        const std::string storeText = [&] {
            QFile f(QString::fromStdString(storeFile.string()));
            f.open(QIODevice::ReadOnly);
            return f.readAll().toStdString();
        }();
        QVERIFY(!storeText.empty());

        QVERIFY(::mkfifo((root / "fifo.csv").c_str(), 0600) == 0);
        fs::create_directory(root / "folder.csv");
        fs::create_symlink(storeFile, root / "to-store.csv");
        std::ofstream(root / "other.csv") << "kept";
        fs::create_symlink(root / "other.csv", root / "link.csv");
        struct Case {
            const char* target;
            const char* why;  // empty: written
        };
        const Case cases[] = {
            {"fifo.csv", "c'est un tube (FIFO)"},
            {"folder.csv", "c'est un dossier"},
            {"Caldimo/user.reg", "c'est le fichier des réglages du jeu"},
            {"to-store.csv", "c'est le fichier des réglages du jeu"},
            {"missing/draws.csv", "dossier introuvable"},
            {"link.csv", ""},
        };
        for (const Case& c : cases) {
            QString why;
            const bool written =
                stats->exportTo(QString::fromStdString((root / c.target).string()), &why);
            QCOMPARE(written, *c.why == 0);
            QCOMPARE(why, QString::fromUtf8(c.why));
        }
        QCOMPARE(fs::status(root / "fifo.csv").type(), fs::file_type::fifo);
        QVERIFY(fs::is_symlink(root / "to-store.csv"));
        QFile again(QString::fromStdString(storeFile.string()));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll().toStdString(), storeText);
        QVERIFY(!fs::is_symlink(root / "link.csv"));
        QFile other(QString::fromStdString((root / "other.csv").string()));
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("kept"));
        QFile csv(QString::fromStdString((root / "link.csv").string()));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines[0], QString::fromUtf8("tirage,mise,donne,gardées,finale,main,gain,"
                                             "quitte_ou_double,crédit\r")
                               .toUtf8());
        for (const auto& entry : fs::directory_iterator(root)) {
            QVERIFY2(entry.path().string().find(".tmp") == std::string::npos, entry.path().c_str());
        }
        QVERIFY(stats->proposedExportPath().endsWith(
            QStringLiteral("/brisko99-statistics-%1.csv")
                .arg(QDate::currentDate().toString(Qt::ISODate))));
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
