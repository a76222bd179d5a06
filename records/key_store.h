// SPDX-License-Identifier: GPL-3.0-or-later
// The typed reads and writes of a store that keeps the open key's values as a
// RegKey in memory, written once for the file store and the memory store:
// each says which key is open and what becomes of a write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/registry.h"
#include "records/store.h"

namespace brisko {

class KeyStore : public SettingsStore {
  public:
    size_t readBinary(const std::string& name, void* dest, size_t capacity) final {
        return readBinaryValue(currentKey().find(name), name, dest, capacity);
    }
    std::string readString(const std::string& name) final {
        return readStringValue(currentKey().find(name), name);
    }
    void writeBinary(const std::string& name, const void* data, size_t length) final {
        const auto* bytes = static_cast<const uint8_t*>(data);
        write(RegValue{name, kRegBinary, std::vector<uint8_t>(bytes, bytes + length), {}});
    }
    void writeString(const std::string& name, const std::string& text) final {
        write(RegValue{name, kRegSz, stringData(text), {}});
    }

  protected:
    // The open key; its values are what the reads see.
    virtual RegKey& currentKey() = 0;
    virtual void write(RegValue value) = 0;
};

}  // namespace brisko
