// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/memory_store.h"

#include <cerrno>
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

bool MemoryStore::refused(const std::string& name) const {
    return refuseWrites || (!refuseName.empty() && sameRegistryName(refuseName, name));
}

void MemoryStore::commit(std::vector<Pending> writes) {
    for (const Pending& p : writes) {
        if (!refused(p.value.name)) continue;
        StoreProblem problem;
        problem.error = EACCES;
        problem.value = writes.front().value.name;
        const std::string first = writeErrorMessage(problem.value);
        throw StoreError(first, std::move(problem));
    }
    for (Pending& p : writes) tree_.create(p.key, 0).set(std::move(p.value));
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
