// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window that stays beside the game table goes: beside it when the
// screen has room, otherwise where it hides the least of the table and never
// the five cards; or where the player last put it.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>

namespace brisko {

// Everything in screen coordinates.
struct PlaceRoom {
    QRect table;   // the game window's frame, the trainer's panel with it
    QRect cards;   // the five cards
    QRect screen;  // the room the screen leaves to windows
    QSize size;    // the companion's frame
    // What the player reads in the game window: the menu, the table, the
    // trainer's list (its empty margins and background are not); none: the
    // whole frame.
    QList<QRect> shown{};
};

// Right of the table, then left of it, when one side has room; otherwise the
// place on the screen that covers none of the cards and the least of what is
// shown (the nearest to the table's right edge among equals). On a screen
// too small to spare the cards, the place that covers the least of them.
QPoint companionPlace(const PlaceRoom& room);

// The place the player chose, `offset` from the table's top-left corner,
// moved onto the screen if need be; none when it would cover the cards there
// (a table grown since, maximised for one), and the companion is then placed
// by companionPlace.
std::optional<QPoint> chosenPlace(const PlaceRoom& room, QPoint offset);

// A companion's place and its scale (800 the design's size).
struct CompanionFit {
    QPoint at;
    int m = 800;
};

// Where the companion goes and at what scale: at the table's scale `tableM`
// where the player's place (if any) or companionPlace spares the cards;
// otherwise smaller, not below `leastM`, in the room above, below or beside
// the cards where it hides the least of what is shown, at the largest scale
// that fits there; otherwise at `leastM`, the smallest, where it covers the
// least of the cards. `sizeAt` gives the companion's frame at a scale;
// `room.size` is not read.
CompanionFit fitCompanion(PlaceRoom room, const std::function<QSize(int)>& sizeAt, int tableM,
                          int leastM, std::optional<QPoint> chosen);

}  // namespace brisko
