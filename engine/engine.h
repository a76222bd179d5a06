// The card rules engine as the game table drives it: the state of the hand,
// and the operations that deal, draw, evaluate, pay and suggest, showing their
// results through EngineView.
#pragma once

#include <string>
#include <string_view>

#include "engine/hand.h"
#include "engine/texts.h"

namespace brisko {

// What the card rules show on the table. The window implements it (through the
// game table), tests record it.
class EngineView {
  public:
    virtual ~EngineView() = default;
    // Show the card that `hand` holds in a slot 1..5, face up.
    virtual void ShowCard(int32_t slot) = 0;
    virtual void setPanelColour(std::string_view panel, Colour colour) = 0;
    // The message line: the result prefix, one blank, then the text.
    virtual void setResultLine(const std::string& text) = 0;
    virtual void setResultPrefix(const std::string& prefix) = 0;
    virtual void showHoldLabel(int32_t slot) = 0;
};

// The settings the card rules read.
class EngineSettings {
  public:
    virtual ~EngineSettings() = default;
    virtual int32_t gameType() const = 0;         // 1..3
    virtual bool suggestionOptionOn() const = 0;  // hold the suggested cards at once
};

// Settings held in plain fields, for tools and tests.
struct FixedEngineSettings final : EngineSettings {
    int32_t type = 2;
    bool suggestion = true;
    FixedEngineSettings(int32_t gameType = 2, bool suggestionOn = true)
        : type(gameType), suggestion(suggestionOn) {}
    int32_t gameType() const override { return type; }
    bool suggestionOptionOn() const override { return suggestion; }
};

// A view that shows nothing, for tools that only want the rules.
class NullEngineView final : public EngineView {
  public:
    void ShowCard(int32_t) override {}
    void setPanelColour(std::string_view, Colour) override {}
    void setResultLine(const std::string&) override {}
    void setResultPrefix(const std::string&) override {}
    void showHoldLabel(int32_t) override {}
};

class Engine {
  public:
    Engine(const Clock& clock, EngineView& view, const EngineSettings& settings, const Texts& texts)
        : clock_(clock), view_(view), settings_(settings), texts_(texts) {}

    EngineState state;

    int32_t randomFrom(int32_t n) { return state.random.randomFrom(n); }
    void reseedFromClock() { state.random.reseedFromClock(clock_); }

    void dealHand();
    void drawCards();
    HandCategory evaluateHand() { return brisko::evaluateHand(state); }
    static int32_t payout(HandCategory category, int32_t bet) {
        return brisko::payout(category, bet);
    }
    // Turns the category's pay-table row red and names it on the message line.
    void showCategory(HandCategory category);
    // After a deal: the cards worth holding, held at once when the option is on.
    void suggestHolds();

  private:
    void showAllCards();

    const Clock& clock_;
    EngineView& view_;
    const EngineSettings& settings_;
    const Texts& texts_;
};

}  // namespace brisko
