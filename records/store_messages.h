// SPDX-License-Identifier: GPL-3.0-or-later
// What the player reads about a problem of the settings file: the store's
// own error text first, then a line in the chosen language naming the file
// and the system's reason.
#pragma once

#include <string>

#include "contract/texts.h"
#include "records/store.h"

namespace brisko {

// The problem in one line of that language; before a language is chosen,
// the French line and the English one.
std::string describeStoreProblem(const StoreProblem& problem, Language language);

// The error's text, and below it the description of its problem if it has one.
// Every store message the player reads comes through here.
std::string storeMessage(const StoreError& error, Language language);

// Why a file other than the store could not be written, in a few words
// ("no space left on the disk", "it is a pipe (FIFO)").
std::string refusalReason(const StoreProblem& problem, Language language);

}  // namespace brisko
