#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace WinReg {

// An open registry key, owned: destroying the object closes it; ownership moves, never copies. Subkeys
// are opened and created with this key's access mask, which they inherit. Failures throw Win::Exception
// with the registry's error code.
class Key {
public:
    explicit Key(HKEY key = nullptr) : _key(key) {}
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    Key(Key&& other) noexcept;
    Key& operator=(Key&& other) noexcept;
    ~Key();

    void setReadAccess() { _access |= KEY_READ; }
    void setWriteAccess() { _access |= KEY_WRITE; }

    Key openSubKey(const char* name) const;
    // Opens the subkey when it exists.
    Key createSubKey(const char* name) const;

    // Reads value name into buffer, which holds size bytes; returns the number of bytes read.
    DWORD getValue(const char* name, void* buffer, DWORD size) const;
    void setIntValue(const char* name, std::uint32_t value);
    // The text up to its terminating zero, or up to the end of the stored bytes when it has none.
    std::string getStringValue(const char* name) const;
    void setStringValue(const char* name, const std::string& text);

    HKEY getHandle() const { return _key; }

private:
    Key(HKEY key, REGSAM access) : _key(key), _access(access) {}

    HKEY _key;
    REGSAM _access = 0;
};

} // namespace WinReg
