#include "windowplacementstore.h"

#include "programkey.h"

#include "WinLib/exception.h"

#include <cstdint>

namespace {

const char* const KeyName = "Window";
// Coordinates and sizes beyond what a screen can have.
constexpr int MaxCoordinate = 32767;

int readInt(const WinReg::Key& key, const char* name) {
    std::int32_t value = 0;
    if (key.getValue(name, &value, sizeof(value)) != sizeof(value))
        throw Win::Exception("RegQueryValueEx failed");
    return value;
}

bool isCoordinate(int value) {
    return value >= -MaxCoordinate && value <= MaxCoordinate;
}

bool isSize(int value) {
    return value > 0 && value <= MaxCoordinate;
}

} // namespace

std::optional<Win::WindowPlacement> loadWindowPlacement() {
    try {
        const WinReg::Key key = openProgramKey(KeyName);
        const int left = readInt(key, "Left"), top = readInt(key, "Top");
        const int width = readInt(key, "Width"), height = readInt(key, "Height");
        const int maximized = readInt(key, "Maximized");
        if (!isCoordinate(left) || !isCoordinate(top) || !isSize(width) || !isSize(height) ||
            (maximized != 0 && maximized != 1))
            return std::nullopt;
        return Win::WindowPlacement{{left, top, left + width, top + height}, maximized == 1};
    } catch (const Win::Exception&) {
        return std::nullopt;
    }
}

void saveWindowPlacement(const Win::WindowPlacement& placement) {
    try {
        WinReg::Key key = createProgramKey(KeyName);
        const RECT& place = placement.normal;
        key.setIntValue("Left", static_cast<std::uint32_t>(place.left));
        key.setIntValue("Top", static_cast<std::uint32_t>(place.top));
        key.setIntValue("Width", static_cast<std::uint32_t>(place.right - place.left));
        key.setIntValue("Height", static_cast<std::uint32_t>(place.bottom - place.top));
        key.setIntValue("Maximized", placement.maximized ? 1 : 0);
    } catch (const Win::Exception&) {
        // The next start uses the system's place, or what was kept before.
    }
}
