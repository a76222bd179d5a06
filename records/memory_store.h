// SPDX-License-Identifier: GPL-3.0-or-later
// A settings store held in memory: the same typed values and the same errors
// as the store on disk, for tests and for a run that must leave no trace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/key_store.h"
#include "records/registry.h"
#include "records/store.h"

namespace brisko {

class MemoryStore final : public KeyStore {
  public:
    MemoryStore() = default;
    // A store that starts with these keys and values (a file as read).
    explicit MemoryStore(RegTree tree) : tree_(std::move(tree)) {}

    void openKey(const std::string& path) override;

    // For tests: puts a value of any type and bytes into the open key (or the
    // key `path`), bypassing the refusal switches.
    void put(const std::string& name, uint32_t type, std::vector<uint8_t> data);
    void put(const std::string& path, const std::string& name, uint32_t type,
             std::vector<uint8_t> data);
    void remove(const std::string& name);
    // The value of the open key, or null.
    const RegValue* value(const std::string& name) const;
    // The values of the open key, in the order they were first written.
    const std::vector<RegValue>& values() const;
    const RegTree& tree() const { return tree_; }

    // Refuse every write (and commit) from now on; or only those that name
    // `name` (case-insensitive), to stop a save in the middle.
    bool refuseWrites = false;
    std::string refuseName;
    // Completed saves: commits, and writes made outside a transaction.
    int commits() const { return commits_; }
    // For tests: what takeNotice gives once, as a file store tells of a file
    // read with damaged lines.
    std::optional<StoreProblem> notice;
    std::optional<StoreProblem> takeNotice() override {
        return std::exchange(notice, std::nullopt);
    }

  private:
    RegKey& currentKey() override;
    const std::string& currentPath() const override { return current_; }
    const RegKey* currentKeyOrNull() const;
    void commit(std::vector<Pending> writes) override;
    bool refused(const std::string& name) const;

    RegTree tree_;
    std::string current_;
    int commits_ = 0;
};

}  // namespace brisko
