// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32

#include "records/windows_store.h"

#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <vector>

#include "records/registry.h"
#include "records/user_store.h"

namespace brisko {

namespace {

std::wstring wide(const std::string& text) {
    const std::u16string units = utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

HKEY handle(void* key) {
    return static_cast<HKEY>(key);
}

}  // namespace

WindowsStore::~WindowsStore() {
    close();
}

void WindowsStore::close() {
    if (key_ != nullptr) RegCloseKey(handle(key_));
    key_ = nullptr;
}

void WindowsStore::openKey(const std::string& path) {
    close();
    HKEY key = nullptr;
    const LONG status =
        RegCreateKeyExW(HKEY_CURRENT_USER, wide(normaliseKeyPath(path)).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) throw StoreError("Impossible de créer la clé '" + path + "'");
    key_ = key;
    path_ = normaliseKeyPath(path);
}

size_t WindowsStore::readBinary(const std::string& name, void* dest, size_t capacity) {
    const std::wstring wname = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(handle(key_), wname.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return 0;
    if (status != ERROR_SUCCESS || type != REG_BINARY || size > capacity) {
        throw StoreError(typeErrorMessage(name));
    }
    std::vector<BYTE> bytes(size);
    status = RegQueryValueExW(handle(key_), wname.c_str(), nullptr, &type, bytes.data(), &size);
    if (status != ERROR_SUCCESS || type != REG_BINARY || size > capacity) {
        throw StoreError(typeErrorMessage(name));
    }
    std::copy(bytes.begin(), bytes.begin() + size, static_cast<BYTE*>(dest));
    return size;
}

std::optional<size_t> WindowsStore::readBinaryLength(const std::string& name, void* dest,
                                                     size_t capacity) {
    const std::wstring wname = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(handle(key_), wname.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS || type != REG_BINARY) throw StoreError(typeErrorMessage(name));
    std::vector<BYTE> bytes(size);
    status = RegQueryValueExW(handle(key_), wname.c_str(), nullptr, &type, bytes.data(), &size);
    if (status != ERROR_SUCCESS || type != REG_BINARY) throw StoreError(typeErrorMessage(name));
    std::copy(bytes.begin(), bytes.begin() + std::min<size_t>(size, capacity),
              static_cast<BYTE*>(dest));
    return size_t{size};
}

void WindowsStore::writeBinary(const std::string& name, const void* data, size_t length) {
    const LONG status = RegSetValueExW(handle(key_), wide(name).c_str(), 0, REG_BINARY,
                                       static_cast<const BYTE*>(data), static_cast<DWORD>(length));
    if (status != ERROR_SUCCESS) throw StoreError(writeErrorMessage(name));
}

std::string WindowsStore::readString(const std::string& name) {
    const std::wstring wname = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(handle(key_), wname.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        throw StoreError(typeErrorMessage(name));
    }
    std::vector<uint8_t> bytes(size);
    status = RegQueryValueExW(handle(key_), wname.c_str(), nullptr, &type, bytes.data(), &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        throw StoreError(typeErrorMessage(name));
    }
    bytes.resize(size);
    return utf16ToUtf8(stringUnits(bytes));
}

std::optional<std::string> WindowsStore::findString(const std::string& name) {
    DWORD type = 0;
    const LONG status =
        RegQueryValueExW(handle(key_), wide(name).c_str(), nullptr, &type, nullptr, nullptr);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    return readString(name);
}

void WindowsStore::writeString(const std::string& name, const std::string& text) {
    const std::vector<uint8_t> data = stringData(text);
    const LONG status = RegSetValueExW(handle(key_), wide(name).c_str(), 0, REG_SZ, data.data(),
                                       static_cast<DWORD>(data.size()));
    if (status != ERROR_SUCCESS) throw StoreError(writeErrorMessage(name));
}

std::unique_ptr<SettingsStore> makeUserStore() {
    return std::make_unique<WindowsStore>();
}

}  // namespace brisko

#endif  // _WIN32
