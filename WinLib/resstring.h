#pragma once

#include <windows.h>

namespace Win {

// A text of the string table, at most 254 characters.
class ResString {
public:
    static constexpr int MaxLength = 255;

    ResString(HINSTANCE instance, int id);

    operator const char*() const { return _text; }

private:
    char _text[MaxLength];
};

} // namespace Win
