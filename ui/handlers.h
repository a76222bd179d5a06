// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's event handlers, named after their control and event, and
// the one table that says which control, menu command or timer fires each and
// what it runs in the game.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

class QObject;

namespace brisko {

enum class Handler : int32_t {
    ButtonC1Click,
    buttonC2Click,  // the second hold button is spelt with a small b
    ButtonC3Click,
    ButtonC4Click,
    ButtonC5Click,
    PictureC1Click,
    PictureC2Click,
    PictureC3Click,
    PictureC4Click,
    PictureC5Click,
    ButtonEncoreClick,
    ButtonMiseMaxClick,
    ButtonTirageClick,
    ButtonYesDoubleClick,
    ButtonNoDoubleClick,
    panelNewGameClick,
    Nouvellepartie1Click,
    SBNewGameClick,
    panelChangeGameClick,
    menuChangeGameClick,
    SBChangeGameClick,
    panelInitScoresClick,
    menuInitHighScoresClick,
    panelQuitterClick,
    menuQuitClick,
    SBquitClick,
    panelAideClick,
    menuSommaireClick,
    SBAideClick,
    SBBossKeyClick,
    menuAproposClick,
    menuSuggestionCartesClick,
    menuOptionDoublageClick,
    menuBarreInfoClick,
    menuCouleurFondEcranClick,
    menuEntraineurClick,
    menuAvertirErreurClick,
    menuStatistiquesClick,
    menuStrategieClick,
    menuRevueErreursClick,
    TimerVoirDoubleTimer,
    TimerYesNoDoublageTimer,
    timerCarteDoublageTimer,
    timerDepartTimer,
};

inline constexpr int32_t kHandlerCount = static_cast<int32_t>(Handler::timerDepartTimer) + 1;

// What a handler runs: a command of the game, the window's own (help, About
// box, boss key), one of the windows beside it, or the start of the first game.
enum class Command : int32_t {
    clickCard,  // hold the card of the route's slot, or pick it in the double-up
    betPlus,
    betMax,
    dealOrDraw,
    doubleUp,
    quitDouble,
    newGame,
    changeGame,
    defaultHighScores,
    quitGame,
    help,
    bossKey,
    about,
    toggleSuggestion,
    toggleDoubleUp,
    toggleInfoBar,
    chooseBackground,
    toggleTrainer,
    toggleWarning,
    statistics,
    strategy,
    review,
    practise,  // the mistake chosen in the review dealt again
    revealDoubleUp,
    swapOfferFocus,
    movePickFocus,
    firstGame,
};

struct Route {
    Handler handler;
    std::string_view sender;  // object name of the control, menu command or timer
    Command command;
    int32_t slot = 0;  // the card slot 1..5 of clickCard
};

inline constexpr std::array<Route, kHandlerCount> kRoutes = {{
    {Handler::ButtonC1Click, "ButtonC1", Command::clickCard, 1},
    {Handler::buttonC2Click, "buttonC2", Command::clickCard, 2},
    {Handler::ButtonC3Click, "ButtonC3", Command::clickCard, 3},
    {Handler::ButtonC4Click, "ButtonC4", Command::clickCard, 4},
    {Handler::ButtonC5Click, "ButtonC5", Command::clickCard, 5},
    {Handler::PictureC1Click, "PictureC1", Command::clickCard, 1},
    {Handler::PictureC2Click, "PictureC2", Command::clickCard, 2},
    {Handler::PictureC3Click, "PictureC3", Command::clickCard, 3},
    {Handler::PictureC4Click, "PictureC4", Command::clickCard, 4},
    {Handler::PictureC5Click, "PictureC5", Command::clickCard, 5},
    {Handler::ButtonEncoreClick, "ButtonEncore", Command::betPlus},
    {Handler::ButtonMiseMaxClick, "ButtonMiseMax", Command::betMax},
    {Handler::ButtonTirageClick, "ButtonTirage", Command::dealOrDraw},
    {Handler::ButtonYesDoubleClick, "ButtonYesDouble", Command::doubleUp},
    {Handler::ButtonNoDoubleClick, "ButtonNoDouble", Command::quitDouble},
    {Handler::panelNewGameClick, "panelNewGame", Command::newGame},
    {Handler::Nouvellepartie1Click, "menuNewGame", Command::newGame},
    {Handler::SBNewGameClick, "SBNewGame", Command::newGame},
    {Handler::panelChangeGameClick, "panelChangeGame", Command::changeGame},
    {Handler::menuChangeGameClick, "menuChangeGame", Command::changeGame},
    {Handler::SBChangeGameClick, "SBChangeGame", Command::changeGame},
    {Handler::panelInitScoresClick, "panelInitScores", Command::defaultHighScores},
    {Handler::menuInitHighScoresClick, "menuInitHighScores", Command::defaultHighScores},
    {Handler::panelQuitterClick, "panelQuitter", Command::quitGame},
    {Handler::menuQuitClick, "menuQuit", Command::quitGame},
    {Handler::SBquitClick, "SBquit", Command::quitGame},
    {Handler::panelAideClick, "panelAide", Command::help},
    {Handler::menuSommaireClick, "menuSommaire", Command::help},
    {Handler::SBAideClick, "SBAide", Command::help},
    {Handler::SBBossKeyClick, "SBBossKey", Command::bossKey},
    {Handler::menuAproposClick, "menuApropos", Command::about},
    {Handler::menuSuggestionCartesClick, "menuSuggestionCartes", Command::toggleSuggestion},
    {Handler::menuOptionDoublageClick, "menuOptionDoublage", Command::toggleDoubleUp},
    {Handler::menuBarreInfoClick, "menuBarreInfo", Command::toggleInfoBar},
    {Handler::menuCouleurFondEcranClick, "menuCouleurFondEcran", Command::chooseBackground},
    {Handler::menuEntraineurClick, "menuEntraineur", Command::toggleTrainer},
    {Handler::menuAvertirErreurClick, "menuAvertirErreur", Command::toggleWarning},
    {Handler::menuStatistiquesClick, "menuStatistiques", Command::statistics},
    {Handler::menuStrategieClick, "menuStrategie", Command::strategy},
    {Handler::menuRevueErreursClick, "menuRevueErreurs", Command::review},
    {Handler::TimerVoirDoubleTimer, "TimerVoirDouble", Command::revealDoubleUp},
    {Handler::TimerYesNoDoublageTimer, "TimerYesNoDoublage", Command::swapOfferFocus},
    {Handler::timerCarteDoublageTimer, "timerCarteDoublage", Command::movePickFocus},
    {Handler::timerDepartTimer, "timerDepart", Command::firstGame},
}};

constexpr bool routesInOrder() {
    for (size_t i = 0; i < kRoutes.size(); ++i) {
        if (static_cast<size_t>(kRoutes[i].handler) != i) return false;
    }
    return true;
}
static_assert(routesInOrder(), "row n routes handler n");

constexpr const Route& routeOf(Handler handler) {
    return kRoutes[static_cast<size_t>(handler)];
}

// The handler of a click on the card picture of slot 1..5 (keys 1 to 5 too).
constexpr Handler pictureClick(int32_t slot) {
    return static_cast<Handler>(static_cast<int32_t>(Handler::PictureC1Click) + slot - 1);
}

// Connects every route's sender, found by its object name under `window`, to
// `run` with the route's handler: buttons and panels by their click, menu
// commands when triggered, timers when they time out. A sender that is
// missing, or of no kind that fires, stops the program at once.
void connectRoutes(QObject& window, const std::function<void(Handler)>& run);

}  // namespace brisko
