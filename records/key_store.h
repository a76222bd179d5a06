// SPDX-License-Identifier: GPL-3.0-or-later
// The typed reads and writes of a store that keeps the open key's values as a
// RegKey in memory, and its save transaction, written once for the file store
// and the memory store: each says which key is open and how a save's writes
// reach it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "records/registry.h"
#include "records/store.h"

namespace brisko {

class KeyStore : public SettingsStore {
  public:
    size_t readBinary(const std::string& name, void* dest, size_t capacity) final {
        return readBinaryValue(currentKey().find(name), name, dest, capacity);
    }
    std::optional<size_t> readBinaryLength(const std::string& name, void* dest,
                                           size_t capacity) final {
        return binaryValueLength(currentKey().find(name), name, dest, capacity);
    }
    std::string readString(const std::string& name) final {
        return readStringValue(currentKey().find(name), name);
    }
    std::optional<std::string> findString(const std::string& name) final {
        const RegValue* value = currentKey().find(name);
        if (value == nullptr) return std::nullopt;
        return readStringValue(value, name);
    }
    void writeBinary(const std::string& name, const void* data, size_t length) final {
        const auto* bytes = static_cast<const uint8_t*>(data);
        write(RegValue{name, kRegBinary, std::vector<uint8_t>(bytes, bytes + length), {}});
    }
    void writeString(const std::string& name, const std::string& text) final {
        write(RegValue{name, kRegSz, stringData(text), {}});
    }

    // Writes between these two wait; the commit applies them all, or, when
    // refused, none (raising the write error naming the first of them).
    void beginSave() final {
        inSave_ = true;
        pending_.clear();
    }
    void commitSave() final {
        if (!inSave_) return;
        inSave_ = false;
        if (pending_.empty()) return;
        commit(std::exchange(pending_, {}));
    }
    void commitSaveInBackground(const Refusal& refused) final {
        if (!inSave_) return;
        inSave_ = false;
        if (pending_.empty()) return;
        commitLater(std::exchange(pending_, {}), refused);
    }

  protected:
    struct Pending {
        std::string key;  // the key open at the write
        RegValue value;
    };

    // The open key; its values are what the reads see.
    virtual RegKey& currentKey() = 0;
    // The path of the open key, empty before the first openKey.
    virtual const std::string& currentPath() const = 0;
    // Puts the writes into the store all at once, or none of them.
    virtual void commit(std::vector<Pending> writes) = 0;
    // The same without waiting for the disk, where the store can; a refusal
    // goes to `refused`. By default at once, on the caller's thread.
    virtual void commitLater(std::vector<Pending> writes, const Refusal& refused) {
        try {
            commit(std::move(writes));
        } catch (const StoreError& error) {
            refused(error);
        }
    }
    // The writes of the save under way.
    const std::vector<Pending>& pending() const { return pending_; }

  private:
    // Outside a save a write is a save of its own.
    void write(RegValue value) {
        currentKey();  // a key must be open
        if (inSave_) {
            pending_.push_back({currentPath(), std::move(value)});
            return;
        }
        std::vector<Pending> one;
        one.push_back({currentPath(), std::move(value)});
        commit(std::move(one));
    }

    bool inSave_ = false;
    std::vector<Pending> pending_;
};

}  // namespace brisko
