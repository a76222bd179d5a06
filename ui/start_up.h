// SPDX-License-Identifier: GPL-3.0-or-later
// What the start of the program fills in for the whole run: the product's
// title, the key of the settings store, and whether the change-game dialog
// is still to be opened for the first time.
#pragma once

#include <string>

#include "records/settings.h"

namespace brisko {

struct StartUp {
    std::string versionText;
    std::string productTitle;
    std::string registryKey;
    bool firstOpening = false;
};

// The values the splash window sets as it is created: "99", "BRISKO 99",
// "Software\Caldimo\BRISKO 99\" and a first opening to come.
inline StartUp composeStartUp() {
    StartUp s;
    s.versionText = "99";
    s.productTitle = "BRISKO";
    if (!s.versionText.empty()) s.productTitle += " " + s.versionText;
    s.registryKey = registryKeyOf(s.productTitle);
    s.firstOpening = true;
    return s;
}

}  // namespace brisko
