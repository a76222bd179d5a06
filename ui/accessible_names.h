// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears: the accessible names and descriptions of the
// controls, in the chosen language, made again from the game's state after
// every command. Nothing of it shows on the screen.
//
// A window names its controls the same way: setAccessibleText with texts of
// the windows' table, a figure by labelledValue (its hint, a separator, what it
// shows), and again whenever what it shows changes.
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "table/events.h"
#include "ui/window_texts.h"

class QWidget;

namespace brisko {

class TfrmBrisko;
class TfrmSplash;

// A card index 1..53 as said: "Roi de pique", "King of spades", "Joker".
std::string spokenCard(const WindowTexts& texts, int32_t card);
// A figure with what it is: "Credit: 200", "Crédit actuel : 200".
QString labelledValue(const WindowTexts& texts, WindowTxt hint, const QString& value);
// Sets the name and the description when they differ from the ones held;
// each change is announced to the assistive tools.
void setAccessibleText(QWidget* widget, const QString& name, const QString& description = {});

// The card pictures and the command panels tell the tools what they are (an
// image, a button that can be pressed). Installing again does no harm.
void installAccessibleFactory();

// Every control of the table, from the game's state, what the presenter
// showed and the texts.
void nameTable(TfrmBrisko& window);

// The table named again after every event of the game.
class TableNames final : public GameListener {
  public:
    explicit TableNames(TfrmBrisko& window) : window_(window) {}
    void onEvent(const GameEvent& event) override;

  private:
    TfrmBrisko& window_;
};
// The two language buttons, each in its own language.
void nameSplash(TfrmSplash& splash);

}  // namespace brisko
