// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on Windows: the real registry under HKEY_CURRENT_USER,
// REG_BINARY of the exact width and REG_SZ; UTF-8 in the program, UTF-16 in
// the registry.
#pragma once

#ifdef _WIN32

#include <optional>
#include <string>

#include "records/store.h"

namespace brisko {

// Each write goes to the registry at once: the registry keeps every value
// whole, but a save interrupted half-way keeps the values before the break
// (beginSave and commitSave do nothing here).
class WindowsStore : public SettingsStore {
  public:
    WindowsStore() = default;
    ~WindowsStore() override;
    WindowsStore(const WindowsStore&) = delete;
    WindowsStore& operator=(const WindowsStore&) = delete;

    void openKey(const std::string& path) override;
    size_t readBinary(const std::string& name, void* dest, size_t capacity) override;
    // The length the registry reports, whatever the capacity.
    std::optional<size_t> readBinaryLength(const std::string& name, void* dest,
                                           size_t capacity) override;
    void writeBinary(const std::string& name, const void* data, size_t length) override;
    std::string readString(const std::string& name) override;
    std::optional<std::string> findString(const std::string& name) override;
    // The open key copied whole to the key beside it "<key>.bad-<time>"
    // (UTC), unless such a key holds the very same values already.
    std::string keepCopy() override;
    std::string location() const override { return "HKEY_CURRENT_USER\\" + path_; }
    void writeString(const std::string& name, const std::string& text) override;

  private:
    void close();
    void* key_ = nullptr;  // HKEY
    std::string path_;
};

}  // namespace brisko

#endif  // _WIN32
