// Hand categories, the pay table and the state the card rules work on.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/card.h"
#include "engine/random.h"

namespace brisko {

enum class HandCategory : int32_t {
    Nothing = 0,
    KingsOrBetter = 1,
    TwoPairs = 2,
    ThreeOfAKind = 3,
    Straight = 4,
    Flush = 5,
    FullHouse = 6,
    FourOfAKind = 7,
    StraightFlush = 8,
    RoyalFlush = 9,
};

inline constexpr int32_t kCategoryCount = 10;

// Win per credit bet, by category 0..9.
inline constexpr std::array<int32_t, kCategoryCount> payMultiplier = {0,  1,  2,  4,   8,
                                                                      12, 16, 24, 200, 500};

// A 32-bit colour as the game stores it: low byte red, then green, then blue.
using Colour = uint32_t;
constexpr Colour rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kLightGreen = rgb(146, 239, 150);
inline constexpr Colour kDarkGreen = rgb(0, 64, 0);
inline constexpr Colour kSilver = rgb(192, 192, 192);

// One row of the pay table on the window, from the royal flush down.
struct PayRow {
    HandCategory category;
    std::string_view titlePanel;
    std::string_view valuePanel;
    Colour colour;  // the row's own colour, restored when the bet changes
};

inline constexpr std::array<PayRow, 9> payTableRows = {{
    {HandCategory::RoyalFlush, "PanelTitreFlushRoyale", "PanelFlushRoyale", kLightGreen},
    {HandCategory::StraightFlush, "PanelTitreQuinteFlush", "PanelQuinteFlush", kDarkGreen},
    {HandCategory::FourOfAKind, "PanelTitreCarre", "PanelCarre", kSilver},
    {HandCategory::FullHouse, "PanelTitreFull", "PanelFull", kDarkGreen},
    {HandCategory::Flush, "PanelTitreFlush", "PanelFlush", kSilver},
    {HandCategory::Straight, "PanelTitreSuite", "PanelSuite", kDarkGreen},
    {HandCategory::ThreeOfAKind, "PanelTitreBrelan", "PanelBrelan", kSilver},
    {HandCategory::TwoPairs, "PanelTitreDeuxPaires", "PanelDeuxPaires", kDarkGreen},
    {HandCategory::KingsOrBetter, "PanelTitrePaireAsOuRoi", "PanelPaireAsOuRoi", kSilver},
}};

constexpr const PayRow& payRowOf(HandCategory category) {
    return payTableRows[static_cast<size_t>(9 - static_cast<int32_t>(category))];
}

// Everything the card rules read and write while a hand is played.
struct EngineState {
    Hand hand{0, 1, 1, 1, 1, 1};       // card index per slot; index 1 before the first deal
    SlotFlags held{};                  // the slot's card stays at the draw
    std::array<bool, 54> usedCards{};  // by card index: already out in this draw
    RandomSource random;

    // Left by the last evaluation.
    int32_t jokerSlot = 0;                // 1..5, or 0 without the joker
    std::array<int32_t, 16> rankTally{};  // ordinary cards per rank 2..14
    SlotFlags markedCards{};              // the slots that make the category
    int32_t pairRank = -1;                // 13 or 14 after a kings-or-better hand
};

// Classifies `state.hand` with the joker wild; sets jokerSlot, rankTally,
// markedCards, and pairRank when the result is KingsOrBetter.
HandCategory evaluateHand(EngineState& state);

// bet x multiplier; 0 for Nothing.
int32_t payout(HandCategory category, int32_t bet);

// Steps 1-3 of the hold suggestion: turns the marks of the deal's evaluation
// into the suggested slots, in markedCards.
void suggestMarks(EngineState& state);

// The joker's chances in game type 2, x being a draw of 1..1060: at a deal,
// and at a draw with `heldCount` slots held and the joker not among them.
constexpr bool jokerAtDeal(int32_t x) {
    return x < 100;
}
constexpr bool jokerAtDraw(int32_t x, int32_t heldCount) {
    return heldCount < kSlots && x < 20 * (kSlots - heldCount);
}

// Deals five new cards for game type 1..3 and evaluates them.
void dealHand(EngineState& state, int32_t gameType, const Clock& clock);
// Replaces the slots not held, with the joker rule of the game type, and evaluates.
void drawCards(EngineState& state, int32_t gameType, const Clock& clock);

}  // namespace brisko
