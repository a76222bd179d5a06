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
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <array>
#include <filesystem>
#include <fstream>

#include "records/extra_options.h"
#include "records/file_store.h"
#include "records/memory_store.h"
#include "records/registry.h"
#include "table/statistics.h"
#include "ui/companion_place.h"
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

    // Where a side of the table has room the window goes there; where none
    // has (a maximised table), it never covers the cards and hides the least
    // of the table; a screen too small to spare the cards loses the least of
    // them. The place the player chose is kept, follows the table, and gives
    // way when the cards would lie under it.
    void placesItselfAwayFromTheCardsAndKeepsThePlayersPlace() {
        const QRect screen(0, 0, 1920, 1080);
        const QSize size(700, 500);
        QCOMPARE(companionPlace({{100, 100, 1000, 700}, {300, 300, 600, 200}, screen, size}),
                 QPoint(1100, 100));
        QCOMPARE(companionPlace({{900, 100, 1000, 700}, {1100, 300, 600, 200}, screen, size}),
                 QPoint(200, 100));
        const QRect cards(360, 520, 1200, 260);
        const QPoint at = companionPlace({screen, cards, screen, size});
        QVERIFY(screen.contains(QRect(at, size)));
        QVERIFY(!QRect(at, size).intersects(cards));
        // The least of the table: the 500 pixels under or over the cards
        // leave less of it hidden than any place at their side.
        QVERIFY(at.y() + 500 <= cards.top() || at.y() >= cards.bottom() + 1);
        const QRect small(0, 0, 800, 600);
        const QRect low(50, 250, 700, 150);
        const QPoint squeezed = companionPlace({small, low, small, {700, 300}});
        QCOMPARE(QRect(squeezed, QSize(700, 300)).intersected(low).height(), 50);
        QCOMPARE(chosenPlace({screen, cards, screen, size}, {20, 20}), QPoint(20, 20));
        QCOMPARE(chosenPlace({screen, cards, screen, size}, {5000, -50}), QPoint(1220, 0));
        QCOMPARE(chosenPlace({screen, cards, screen, size}, {300, 300}), std::nullopt);
        // Too large to spare the cards at the table's scale: smaller, above
        // them, rather than over them.
        const auto sizeAt = [](int m) { return QSize(760 * m / 800, 520 * m / 800); };
        const CompanionFit fit = fitCompanion({screen, cards, screen, {}}, sizeAt, 1400, 560, {});
        QCOMPARE(sizeAt(fit.m).height(), 520);  // all the room above them
        QVERIFY(sizeAt(fit.m + 1).height() > 520);
        // A maximised table with the trainer: rather beside the cards, below
        // the trainer's list, than over the pay table above them.
        const QRect list(1400, 60, 520, 380);
        const PlaceRoom maximised{screen,
                                  {390, 500, 980, 300},
                                  screen,
                                  {},
                                  {{0, 20, 1920, 20}, {0, 40, 1390, 910}, list}};
        const CompanionFit beside = fitCompanion(maximised, sizeAt, 1400, 560, {});
        const QRect frame(beside.at, sizeAt(beside.m));
        QVERIFY(frame.left() >= 1370 && screen.contains(frame));
        QVERIFY(!frame.intersects(list) && !frame.intersects(maximised.cards));
        QVERIFY(!QRect(fit.at, sizeAt(fit.m)).intersects(cards));
        // No room spares the cards even at the smallest scale: the smallest
        // frame, over the hold buttons under the cards rather than over the
        // cards (1024x768, the table and the trainer side by side).
        const QRect narrow(0, 0, 1024, 768);
        const QRect dealt(205, 283, 526, 190);
        const CompanionFit over = fitCompanion({narrow, dealt, narrow, {}}, sizeAt, 740, 560, {});
        QCOMPARE(over.m, 560);
        QCOMPARE(QRect(over.at, sizeAt(560)).intersected(dealt).height(), 473 - (768 - 364));

        // A kept place of the wrong length or type, or beyond any screen, is
        // no place.
        for (auto [type, data] :
             {std::pair{kRegBinary, std::vector<uint8_t>{1, 2, 3}},
              std::pair{kRegSz, std::vector<uint8_t>{'1', 0}},
              std::pair{kRegBinary, std::vector<uint8_t>{0, 0, 0, 0x7f, 0, 0, 0, 0}}}) {
            MemoryStore bad;
            bad.put("Software\\Brisko", kStatisticsPlace, type, data);
            QVERIFY(!loadWindowOffset(bad, "Software\\Brisko", kStatisticsPlace));
        }

        FixedClock clock{45'296'789};
        MemoryStore store;
        {
            TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96});
            window.chooseLanguage(Language::English);
            const QRect room = window.screen()->availableGeometry();
            window.setGeometry(QRect(room.topLeft(), QSize(700, 525)));
            window.show();
            window.setEnabled(true);
            window.world().table.startNewGame();
            window.findChild<QAction*>("menuStatistiques")->trigger();
            StatisticsWindow* stats = window.statisticsWindow();
            const QRect cards = window.cardsOnScreen();
            // No side has room and the window at the table's scale would
            // cover the cards: smaller, under them.
            QVERIFY(!stats->frameGeometry().intersects(cards));
            QVERIFY(stats->width() < 700 * 760 / 800);
            QVERIFY(room.contains(stats->frameGeometry()));
            // The player puts it elsewhere: kept once it rests, and only
            // that value is written.
            // (A move in the first second is the window manager's.)
            QTest::qWait(1100);
            stats->move(room.topLeft() + QPoint(0, 410));
            store.openKey(window.world().records.registryKey);
            QTRY_VERIFY(store.value(kStatisticsPlace));
            QVERIFY(!store.value("optionEntraineur"));
        }
        // Kept for the next time, beside the table wherever it is.
        TfrmBrisko window(clock, store, ScreenMetrics{1024, 768, 96});
        window.chooseLanguage(Language::English);
        const QPoint corner = window.screen()->availableGeometry().topLeft() + QPoint(30, 20);
        window.setGeometry(QRect(corner, QSize(560, 420)));
        window.show();
        window.setEnabled(true);
        window.findChild<QAction*>("menuStatistiques")->trigger();
        QCOMPARE(window.statisticsWindow()->pos(),
                 window.frameGeometry().topLeft() + QPoint(0, 410));
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
        window.statistics().finishSaves();  // the draw's save is on the store's thread
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
