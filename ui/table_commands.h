// SPDX-License-Identifier: GPL-3.0-or-later
// The routing of the game window's keys and commands: what each handler runs
// in the game or beside it, behind the one guard that shows a store error in
// a message box and lets the player play on.
#pragma once

#include <cstdint>

#include "ui/handlers.h"

class QKeyEvent;

namespace brisko {

class Companions;
class Dialogs;
class TfrmBrisko;

class TableCommands {
  public:
    TableCommands(TfrmBrisko& window, Companions& companions, Dialogs& dialogs)
        : window_(window), companions_(companions), dialogs_(dialogs) {}

    // The handler that the control, menu command or timer runs.
    void handle(Handler handler);
    // A command, guarded; `slot` is the card of a clickCard.
    void run(Command command, int32_t slot = 0);
    // Keys 1 to 5, on the main row or the keypad, click the card of that
    // slot, once however long they are held; true when the key was one of them.
    bool cardKey(const QKeyEvent& event);

    // F9, the quit button and the tool bar's: saves, asks, says goodbye and
    // closes the window; a refused save is shown first.
    void quitGame();

  private:
    void perform(Command command, int32_t slot);
    void firstGame();
    void renewBestScores();
    void switchOption(Command command);
    void practise();

    TfrmBrisko& window_;
    Companions& companions_;
    Dialogs& dialogs_;
};

}  // namespace brisko
