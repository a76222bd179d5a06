// SPDX-License-Identifier: GPL-3.0-or-later
// The store of this system for the current user.
#pragma once

#include <memory>

#include "records/store.h"

namespace brisko {

// The registry on Windows (HKEY_CURRENT_USER); elsewhere the file at
// defaultStorePath() (records/file_store.h).
std::unique_ptr<SettingsStore> makeUserStore();

}  // namespace brisko
