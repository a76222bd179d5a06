// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/memory_store.h"

#include <stdexcept>

namespace brisko {

void MemoryStore::openKey(const std::string& path) {
    current_ = normaliseKeyPath(path);
    if (current_.empty()) throw StoreError("Clé de registre vide");
    tree_.create(current_, 0);
}

RegKey& MemoryStore::currentKey() {
    if (current_.empty()) throw std::logic_error("MemoryStore: no key open");
    return tree_.create(current_, 0);
}

const RegKey* MemoryStore::currentKeyOrNull() const {
    return tree_.find(current_);
}

void MemoryStore::write(RegValue value) {
    RegKey& key = currentKey();
    if (inSave_) {
        // Like the file store, a refusal only shows at the commit.
        pending_.push_back(std::move(value));
        return;
    }
    if (refused(value.name)) throw StoreError(writeErrorMessage(value.name));
    key.set(std::move(value));
    ++commits_;
}

bool MemoryStore::refused(const std::string& name) const {
    return refuseWrites || (!refuseName.empty() && sameRegistryName(refuseName, name));
}

void MemoryStore::beginSave() {
    inSave_ = true;
    pending_.clear();
}

void MemoryStore::commitSave() {
    if (!inSave_) return;
    inSave_ = false;
    if (pending_.empty()) return;
    bool refusal = false;
    for (const RegValue& value : pending_) refusal = refusal || refused(value.name);
    if (refusal) {
        const std::string first = pending_.front().name;
        pending_.clear();
        throw StoreError(writeErrorMessage(first));
    }
    RegKey& key = currentKey();
    for (RegValue& value : pending_) key.set(std::move(value));
    pending_.clear();  // its room stays for the next save
    ++commits_;
}

void MemoryStore::put(const std::string& name, uint32_t type, std::vector<uint8_t> data) {
    currentKey().set(RegValue{name, type, std::move(data), {}});
}

void MemoryStore::put(const std::string& path, const std::string& name, uint32_t type,
                      std::vector<uint8_t> data) {
    tree_.create(normaliseKeyPath(path), 0).set(RegValue{name, type, std::move(data), {}});
}

void MemoryStore::remove(const std::string& name) {
    currentKey().remove(name);
}

const RegValue* MemoryStore::value(const std::string& name) const {
    const RegKey* key = currentKeyOrNull();
    return key ? key->find(name) : nullptr;
}

const std::vector<RegValue>& MemoryStore::values() const {
    static const std::vector<RegValue> none;
    const RegKey* key = currentKeyOrNull();
    return key ? key->values : none;
}

}  // namespace brisko
