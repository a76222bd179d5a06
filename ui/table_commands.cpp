// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/table_commands.h"

#include <QKeyEvent>
#include <exception>
#include <string>

#include "table/options.h"
#include "ui/companions.h"
#include "ui/dialogs.h"
#include "ui/figures.h"
#include "ui/pokerf.h"
#include "ui/trainer_dock.h"

namespace brisko {

void TableCommands::handle(Handler handler) {
    const Route& route = routeOf(handler);
    run(route.command, route.slot);
}

// A store error stops the command where it was raised; the player is told
// here, before it could unwind through the toolkit, and plays on.
void TableCommands::run(Command command, int32_t slot) {
    try {
        perform(command, slot);
    } catch (const std::exception& error) {
        dialogs_.message(&window_, QString::fromUtf8(error.what()));
    }
}

bool TableCommands::cardKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key < Qt::Key_1 || key > Qt::Key_5 ||
        (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    if (!event.isAutoRepeat()) handle(pictureClick(key - Qt::Key_1 + 1));
    return true;
}

void TableCommands::perform(Command command, int32_t slot) {
    World& world = window_.world();
    GameTable& table = world.table;
    // clang-format off
    switch (command) {
        case Command::clickCard: return table.clickCard(slot);
        case Command::betPlus: return table.betPlus();
        case Command::betMax: return table.betMax();
        case Command::dealOrDraw:
            return companions_.trainer().confirmDraw() ? table.dealOrDraw() : void();
        case Command::doubleUp: return table.ButtonYesDoubleClick();
        case Command::quitDouble: return table.ButtonNoDoubleClick();
        case Command::newGame: return table.startNewGame();
        case Command::changeGame: return companions_.openChangeGameDialog();
        case Command::defaultHighScores: return renewBestScores();
        case Command::quitGame: return quitGame();
        case Command::help: return companions_.openHelp();
        case Command::bossKey: return window_.showMinimized();
        case Command::about: return companions_.showAbout();
        case Command::toggleSuggestion:
        case Command::toggleDoubleUp:
        case Command::toggleInfoBar:
        case Command::chooseBackground: return switchOption(command);
        case Command::toggleTrainer: return companions_.trainer().toggleTrainer();
        case Command::toggleWarning: return companions_.trainer().toggleWarn();
        case Command::statistics: return companions_.openStatistics();
        case Command::strategy: return companions_.openStrategy();
        case Command::review: return companions_.openReview();
        case Command::practise: return practise();
        case Command::revealDoubleUp: return table.TimerVoirDoubleTimer();
        case Command::swapOfferFocus: return table.TimerYesNoDoublageTimer();
        case Command::movePickFocus: return table.timerCarteDoublageTimer();
        case Command::firstGame: return firstGame();
    }
    // clang-format on
}

// The Options menu: the setting switched (the game under way told when it
// changes play), the options shown as they now are, then saved.
void TableCommands::switchOption(Command command) {
    World& world = window_.world();
    Records& records = world.records;
    Settings& settings = records.settings;
    switch (command) {
        case Command::toggleSuggestion:
            switchSuggestion(world.table, records);
            break;
        case Command::toggleDoubleUp:
            if (!switchDoubleUp(world.table, records)) {
                dialogs_.message(&window_, q(world.texts[Txt::txtWaitEndOfDraw]));
            }
            break;
        case Command::toggleInfoBar:
            settings.optionBarreInfo = settings.optionBarreInfo == 0 ? 1 : 0;
            break;
        default: {
            uint32_t chosen = settings.optionCouleurFondEcran;
            if (window_.chooseColour(settings.optionCouleurFondEcran, chosen)) {
                settings.optionCouleurFondEcran = chosen;
            }
            break;
        }
    }
    window_.showOptions(settings);
    records.SaveSettings();
}

// From the review: the table takes a practice deal between draws only.
void TableCommands::practise() {
    if (!companions_.practiseChosen()) {
        dialogs_.message(&window_, q(window_.windowTexts()[WindowTxt::txtReviewWait]));
        return;
    }
    // The table in front of the review, where the practice is played.
    window_.raise();
    window_.activateWindow();
}

// F4: the question follows the language itself, French before the choice.
void TableCommands::renewBestScores() {
    World& world = window_.world();
    const Language language =
        world.texts.language() == Language::None ? Language::French : world.texts.language();
    const std::string_view question = textFor(WindowTxt::questionDefaultHighScores, language);
    if (!dialogs_.yesNo(&window_, q(question))) return;
    world.table.renewBestScores();
}

void TableCommands::quitGame() {
    World& world = window_.world();
    companions_.finishSaves();
    try {
        world.records.SaveSettings();
    } catch (const StoreError& error) {
        dialogs_.message(&window_, QString::fromUtf8(error.what()));
    }
    const WindowTexts& texts = window_.windowTexts();
    if (!dialogs_.yesNo(&window_, q(texts[WindowTxt::txtConfirmQuit]))) return;
    dialogs_.message(&window_, q(texts[WindowTxt::txtGoodbye]));
    window_.close();
}

// Fires once, after the language choice: the first game is chosen in the
// change-game dialog; without it the game starts at once.
void TableCommands::firstGame() {
    window_.timerDepart.stop();
    if (companions_.hasChangeGameDialog()) {
        companions_.openChangeGameDialog();
    } else {
        companions_.enableAndShowMainWindow();
        run(Command::newGame);
    }
}

}  // namespace brisko
