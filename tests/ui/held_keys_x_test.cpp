// SPDX-License-Identifier: GPL-3.0-or-later
// Keys held down on a real X server (Xvfb, run by held_keys_run), pressed
// and released by xdotool: the server repeats them as release and press
// pairs every 40 ms after 660 ms, and each still presses once.
#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "records/memory_store.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/pokerf.h"

using namespace brisko;

namespace {

struct SilentDialogs final : Dialogs {
    void message(QWidget*, const QString&) override {}
    bool yesNo(QWidget*, const QString&) override { return false; }
    bool chooseColour(QColorDialog&, const QColor&, QColor&) override { return false; }
};

// Counts the presses that reach the focused control unmarked as repeats.
struct PressCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget() &&
            !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            ++presses;
        }
        return false;
    }
};

// `name` (an X key name) held down for `ms`, then let go: the presses the
// game saw.
int hold(const char* name, int ms) {
    PressCounter counter;
    qApp->installEventFilter(&counter);
    QProcess::execute("xdotool", {"keydown", name});
    QTest::qWait(ms);
    QProcess::execute("xdotool", {"keyup", name});
    QTest::qWait(300);
    qApp->removeEventFilter(&counter);
    return counter.presses;
}

}  // namespace

class HeldKeysXTest : public QObject {
    Q_OBJECT

    FixedClock clock{45'296'789};
    MemoryStore store;
    SilentDialogs dialogs;
    std::unique_ptr<TfrmBrisko> window;

    GameState& game() { return window->world().table.state; }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }

  private slots:
    void init() {
        window = std::make_unique<TfrmBrisko>(clock, store, ScreenMetrics{1024, 768, 96}, &dialogs);
        Settings& s = window->world().records.settings;
        s.optionDoublagePropose = 0;
        s.optionSuggestionCartes = 0;
        s.optionYourName = "PAUL";
        window->chooseLanguage(Language::English);
        window->show();
        window->setEnabled(true);
        window->world().table.startNewGame();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        button("ButtonTirage")->setFocus();
    }
    void cleanup() { window.reset(); }

    // Return presses the focused button as it goes down, Space as it comes
    // up: held two seconds, each deals once and the draw waits.
    void enterAndSpaceDealOnce_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("Return") << "Return";
        QTest::newRow("space") << "space";
    }
    void enterAndSpaceDealOnce() {
        QFETCH(QString, key);
        QSignalSpy presses(button("ButtonTirage"), &QPushButton::clicked);
        QCOMPARE(hold(key.toLatin1().constData(), 2000), 1);
        QCOMPARE(presses.size(), 1);
        QCOMPARE(game().drawNumber, 1);
        QCOMPARE(game().phase(), Phase::AwaitingDraw);
    }

    // The card keys toggle the hold once, held long or barely past the delay.
    void cardKeysHoldOnce() {
        button("ButtonTirage")->click();
        const EngineState& cards = window->world().cards;
        QVERIFY(!cards.held[1] && !cards.held[5]);
        QCOMPARE(hold("1", 2000), 1);
        QCOMPARE(hold("5", 900), 1);
        QVERIFY(cards.held[1]);
        QVERIFY(cards.held[5]);
    }

    // A function key held switches its option once, by its shortcut.
    void functionKeySwitchesOnce() {
        QSignalSpy switches(window->findChild<QAction*>("menuSuggestionCartes"),
                            &QAction::triggered);
        hold("F5", 2000);
        QCOMPARE(switches.size(), 1);
        QCOMPARE(window->world().records.settings.optionSuggestionCartes, 1);
    }
};

// The test's own X server is named by DISPLAY; the game's application
// object, with its handling of held keys.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    BriskoApplication app(argc, argv);
    app.showErrors = false;
    HeldKeysXTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "held_keys_x_test.moc"
