// SPDX-License-Identifier: GPL-3.0-or-later
// A window that records what the presenter shows on it, and a fresh game
// world around it for each test.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "engine/random.h"
#include "records/memory_store.h"
#include "records/settings.h"
#include "table/view.h"
#include "table/world.h"
#include "ui/control_names.h"

namespace brisko {
// Controls and timers by their names in test messages.
inline std::ostream& operator<<(std::ostream& out, Control control) {
    return out << controlName(control);
}
inline std::ostream& operator<<(std::ostream& out, Timer timer) {
    return out << timerName(timer);
}
}  // namespace brisko

namespace brisko::testing {

// The state of the window's controls.
struct Controls {
    std::map<Control, std::string> captions;
    std::map<Control, bool> visible;
    std::map<Control, bool> enabled;
    std::map<Control, Colour> colours;
    std::optional<Control> focus;
    std::set<Timer> timers;
    std::vector<int32_t> shownCards;  // every ShowCard, in order

    std::string caption(Control control) const;
    bool isVisible(Control control) const;
    bool isEnabled(Control control) const;
    Colour colour(Control control) const;
    bool timerRunning(Timer timer) const;

    bool operator==(const Controls&) const = default;
};

// The control operations, recorded into one Controls.
template <class View>
class Recording : public View {
  public:
    explicit Recording(Controls& c) : c_(c) {}
    void setCaption(Control control, const std::string& text) override {
        c_.captions[control] = text;
    }
    void setVisible(Control control, bool visible) override { c_.visible[control] = visible; }
    void setEnabled(Control control, bool enabled) override { c_.enabled[control] = enabled; }
    void setFocus(Control control) override { c_.focus = control; }
    void setColour(Control control, Colour colour) override { c_.colours[control] = colour; }

  protected:
    Controls& c_;
};

class FakeTableView final : public Recording<TableView> {
  public:
    using Recording::Recording;
    void ShowCard(int32_t slot) override {
        c_.shownCards.push_back(slot);
        c_.visible[cardFrame(slot)] = true;
    }
    void StopAllTimers() override { c_.timers.clear(); }
    void startTimer(Timer timer) override { c_.timers.insert(timer); }
    void stopTimer(Timer timer) override { c_.timers.erase(timer); }
};

struct TableSetup {
    Language language = Language::English;
    int32_t gameType = 3;
    int32_t targetIndex = 1;
    bool doubleUp = true;
    bool suggestion = false;
    std::string name = "PAUL";
};

// One fresh game: an in-memory store, a fixed clock, the recording window.
class Game {
  public:
    explicit Game(const TableSetup& setup = {});

    FixedClock clock{12'345'678};
    MemoryStore store;
    Controls controls;
    FakeTableView tableView{controls};
    std::unique_ptr<World> world;

    GameTable& table() { return world->table; }
    GameState& state() { return world->table.state; }
    EngineState& cards() { return world->cards; }
    Settings& settings() { return world->records.settings; }
    const Texts& texts() const { return world->texts; }
    const std::string& text(Txt key) const { return world->texts[key]; }
    std::string resultLine() const { return controls.caption(Control::panelResultat); }

    // Deals, then replaces the hand by `hand` and holds all five cards, so the
    // draw keeps it (the game type without a joker adds none).
    void dealFixedHand(const Hand& hand);
    // Deals and draws the given hand; the win is then offered or settled.
    void playHand(const Hand& hand);
    // The slot 2..5 of the double-up whose card ranks above (1), equal (0) or
    // below (-1) the dealer's; 0 when there is none.
    int32_t pickSlot(int comparison) const;
};

// A paying hand (two pairs, 2 x bet) and a losing one.
Hand twoPairs();
Hand nothing();
// Royal flush of spades.
Hand royalFlush();

}  // namespace brisko::testing
