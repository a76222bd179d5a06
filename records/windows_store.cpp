// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32

#include "records/windows_store.h"

#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
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

namespace {

struct Value {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const Value&) const = default;
};

// Every value of a key, in the registry's order.
std::vector<Value> valuesOf(HKEY key) {
    std::vector<Value> values;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD k = 0; k < count; ++k) {
        std::wstring name(longestName + 1, L'\0');
        std::vector<BYTE> data(longestData);
        DWORD nameLength = longestName + 1, dataLength = longestData, type = 0;
        if (RegEnumValueW(key, k, name.data(), &nameLength, nullptr, &type, data.data(),
                          &dataLength) != ERROR_SUCCESS) {
            continue;
        }
        name.resize(nameLength);
        data.resize(dataLength);
        values.push_back({std::move(name), type, std::move(data)});
    }
    return values;
}

[[noreturn]] void copyFailed(const std::string& where, LONG status) {
    StoreProblem problem;
    problem.path = where;
    problem.error = status == ERROR_ACCESS_DENIED ? EACCES : EIO;
    throw StoreError("", problem);
}

}  // namespace

std::string WindowsStore::keepCopy() {
    const std::vector<Value> mine = valuesOf(handle(key_));
    const size_t cut = path_.rfind('\\');
    const std::string parentPath = cut == std::string::npos ? "" : path_.substr(0, cut);
    const std::string leaf = cut == std::string::npos ? path_ : path_.substr(cut + 1);
    const std::string prefix = leaf + ".bad-";
    HKEY parent = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(parentPath).c_str(), 0, KEY_READ, &parent) ==
        ERROR_SUCCESS) {
        // A copy of the same values, kept at an earlier start.
        wchar_t sub[256];
        for (DWORD k = 0;; ++k) {
            DWORD length = 256;
            if (RegEnumKeyExW(parent, k, sub, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            const std::u16string units(sub, sub + length);
            const std::string name = utf16ToUtf8(units);
            if (!name.starts_with(prefix)) continue;
            HKEY other = nullptr;
            if (RegOpenKeyExW(parent, sub, 0, KEY_READ, &other) != ERROR_SUCCESS) continue;
            const bool same = valuesOf(other) == mine;
            RegCloseKey(other);
            if (same) {
                RegCloseKey(parent);
                return "HKEY_CURRENT_USER\\" + parentPath + "\\" + name;
            }
        }
        RegCloseKey(parent);
    }
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_s(&utc, &now);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = path_ + ".bad-" + stamp;
    for (int n = 1;; ++n) {
        const std::string copy = n == 1 ? base : base + "-" + std::to_string(n);
        HKEY created = nullptr;
        DWORD disposition = 0;
        LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(copy).c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                                      &disposition);
        if (status != ERROR_SUCCESS) copyFailed("HKEY_CURRENT_USER\\" + copy, status);
        if (disposition != REG_CREATED_NEW_KEY) {
            RegCloseKey(created);
            continue;  // never over an earlier copy
        }
        status = RegCopyTreeW(handle(key_), nullptr, created);
        RegCloseKey(created);
        if (status != ERROR_SUCCESS) {
            RegDeleteTreeW(HKEY_CURRENT_USER, wide(copy).c_str());
            copyFailed("HKEY_CURRENT_USER\\" + copy, status);
        }
        return "HKEY_CURRENT_USER\\" + copy;
    }
}

std::unique_ptr<SettingsStore> makeUserStore() {
    return std::make_unique<WindowsStore>();
}

}  // namespace brisko

#endif  // _WIN32
