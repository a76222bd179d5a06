// A window that records what the game table and the records show on it, and
// a fresh game world around it for each test.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/random.h"
#include "records/memory_store.h"
#include "records/settings.h"
#include "table/view.h"
#include "table/world.h"

namespace brisko::testing {

// The state of the window's controls; both views write into the same one,
// as they do on the real window.
struct Controls {
    std::map<std::string, std::string, std::less<>> captions;
    std::map<std::string, bool, std::less<>> visible;
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, Colour, std::less<>> colours;
    std::string focus;
    std::set<std::string, std::less<>> timers;
    std::vector<int32_t> shownCards;  // every ShowCard, in order
    std::vector<std::string> messages;

    std::string caption(std::string_view control) const;
    bool isVisible(std::string_view control) const;
    bool isEnabled(std::string_view control) const;
    Colour colour(std::string_view control) const;
    bool timerRunning(std::string_view timer) const;

    bool operator==(const Controls&) const = default;
};

// The control operations both views share, recorded into one Controls.
template <class View>
class Recording : public View {
  public:
    explicit Recording(Controls& c) : c_(c) {}
    void setCaption(std::string_view control, const std::string& text) override {
        c_.captions[std::string(control)] = text;
    }
    void setVisible(std::string_view control, bool visible) override {
        c_.visible[std::string(control)] = visible;
    }
    void setEnabled(std::string_view control, bool enabled) override {
        c_.enabled[std::string(control)] = enabled;
    }
    void setFocus(std::string_view control) override { c_.focus = control; }
    void setColour(std::string_view control, Colour colour) override {
        c_.colours[std::string(control)] = colour;
    }

  protected:
    Controls& c_;
};

class FakeTableView final : public Recording<TableView> {
  public:
    using Recording::Recording;
    void ShowCard(int32_t slot) override {
        c_.shownCards.push_back(slot);
        c_.visible[cardFrameName(slot)] = true;
    }
    void StopAllTimers() override { c_.timers.clear(); }
    void startTimer(std::string_view timer) override { c_.timers.emplace(timer); }
    void stopTimer(std::string_view timer) override {
        if (auto it = c_.timers.find(timer); it != c_.timers.end()) c_.timers.erase(it);
    }
};

class FakeRecordsView final : public Recording<RecordsView> {
  public:
    using Recording::Recording;
    void showOptions(const Settings&) override {}
    void showMessage(const std::string& text) override { c_.messages.push_back(text); }
    bool askYesNo(const std::string&) override { return true; }
    bool chooseColour(uint32_t current, uint32_t& chosen) override {
        chosen = current;
        return false;
    }
};

struct TableSetup {
    int32_t language = kLanguageEnglish;
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
    FakeRecordsView recordsView{controls};
    std::unique_ptr<World> world;

    GameTable& table() { return world->table; }
    GameState& state() { return world->table.state; }
    EngineState& cards() { return world->engine.state; }
    Settings& settings() { return world->records.settings; }
    const Texts& texts() const { return world->texts; }
    const std::string& text(Txt key) const { return world->texts[key]; }
    std::string resultLine() const { return controls.caption("panelResultat"); }

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
