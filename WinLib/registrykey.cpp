#include "registrykey.h"

#include "exception.h"

#include <cstring>
#include <utility>
#include <vector>

namespace WinReg {

Key::Key(Key&& other) noexcept
    : _key(std::exchange(other._key, nullptr)), _access(std::exchange(other._access, 0)) {}

Key& Key::operator=(Key&& other) noexcept {
    if (this != &other) {
        if (_key != nullptr)
            ::RegCloseKey(_key);
        _key = std::exchange(other._key, nullptr);
        _access = std::exchange(other._access, 0);
    }
    return *this;
}

Key::~Key() {
    if (_key != nullptr)
        ::RegCloseKey(_key);
}

Key Key::openSubKey(const char* name) const {
    HKEY subKey = nullptr;
    LONG status = ::RegOpenKeyExA(_key, name, 0, _access, &subKey);
    if (status != ERROR_SUCCESS)
        throw Win::Exception("RegOpenKeyEx failed", status);
    return Key(subKey, _access);
}

Key Key::createSubKey(const char* name) const {
    HKEY subKey = nullptr;
    LONG status = ::RegCreateKeyExA(_key, name, 0, nullptr, REG_OPTION_NON_VOLATILE, _access, nullptr,
                                    &subKey, nullptr);
    if (status != ERROR_SUCCESS)
        throw Win::Exception("RegCreateKeyEx failed", status);
    return Key(subKey, _access);
}

DWORD Key::getValue(const char* name, void* buffer, DWORD size) const {
    LONG status = ::RegQueryValueExA(_key, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        throw Win::Exception("RegQueryValueEx failed", status);
    return size;
}

void Key::setIntValue(const char* name, std::uint32_t value) {
    DWORD data = value;
    LONG status =
        ::RegSetValueExA(_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    if (status != ERROR_SUCCESS)
        throw Win::Exception("RegSetValueEx failed", status);
}

std::string Key::getStringValue(const char* name) const {
    // A missing value leaves the size at 0, and the second query fails.
    DWORD size = 0;
    ::RegQueryValueExA(_key, name, nullptr, nullptr, nullptr, &size);
    std::vector<char> buffer(size);
    LONG status =
        ::RegQueryValueExA(_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status != ERROR_SUCCESS)
        throw Win::Exception("WinReg::Key::getStringValue: RegQuertyValueEx failed.", status);
    if (size == 0)
        return std::string();
    // Another program may have stored the text without its terminating zero.
    return std::string(buffer.data(), ::strnlen(buffer.data(), size));
}

void Key::setStringValue(const char* name, const std::string& text) {
    LONG status = ::RegSetValueExA(_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1));
    if (status != ERROR_SUCCESS)
        throw Win::Exception("WinReg::Key::setStringValue: RegSetValueEx failed.", status);
}

} // namespace WinReg
