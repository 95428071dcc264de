// The main window opens where the user left it: place, size and maximized state, kept in the registry.
#include "tests/app/lorvantprocess.h"

#include <gtest/gtest.h>

namespace {

const char* const PlacementKey = "Software\\Tandrel\\Lorvant\\1.21\\Window";

std::vector<LONG> placeOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return {place.left, place.top, place.right, place.bottom};
}

void closeAndWait(LorvantProcess& lorvant) {
    lorvant.close();
    ASSERT_TRUE(lorvant.waitForExit());
}

void writeNumber(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Kept values that are missing, of the wrong type or impossible give the system's place; a place that no
// screen shows any more is moved onto the screen.
TEST(Placement, MainWindowOpensWhereItWasClosedWhenThatCanBeRight) {
    RegDeleteKeyA(HKEY_CURRENT_USER, PlacementKey);
    std::vector<LONG> systemPlace;
    const std::vector<LONG> moved{130, 90, 770, 570};
    {
        LorvantProcess lorvant;
        systemPlace = placeOf(lorvant.mainWindow());
        SetWindowPos(lorvant.mainWindow(), nullptr, 130, 90, 640, 480, SWP_NOZORDER);
        lorvant.sync();
        closeAndWait(lorvant);
    }
    {
        LorvantProcess lorvant;
        EXPECT_EQ(placeOf(lorvant.mainWindow()), moved);
        EXPECT_FALSE(IsZoomed(lorvant.mainWindow()));
        SendMessageA(lorvant.mainWindow(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        closeAndWait(lorvant);
    }
    {
        LorvantProcess lorvant;
        EXPECT_TRUE(IsZoomed(lorvant.mainWindow()));
        SendMessageA(lorvant.mainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
        lorvant.sync();
        EXPECT_EQ(placeOf(lorvant.mainWindow()), moved) << "restored to where it was before it was maximized";
    }

    const struct {
        const char* what;
        void (*spoil)(HKEY key); // what is wrong with a good place
        bool systemPlace;        // else moved onto the screen
    } cases[] = {
        {"a negative width", [](HKEY key) { writeNumber(key, "Width", static_cast<DWORD>(-5)); }, true},
        {"a text for a number",
         [](HKEY key) { RegSetValueExA(key, "Left", 0, REG_SZ, reinterpret_cast<const BYTE*>("130"), 4); },
         true},
        {"a missing value", [](HKEY key) { RegDeleteValueA(key, "Maximized"); }, true},
        {"a screen that is gone",
         [](HKEY key) {
             writeNumber(key, "Left", 9000);
             writeNumber(key, "Top", 7000);
         },
         false},
    };
    const std::pair<const char*, DWORD> goodPlace[] = {
        {"Left", 130}, {"Top", 90}, {"Width", 640}, {"Height", 480}, {"Maximized", 0}};
    RECT screen{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, PlacementKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        for (const auto& [name, value] : goodPlace)
            writeNumber(key, name, value);
        test.spoil(key);
        RegCloseKey(key);
        LorvantProcess lorvant;
        const std::vector<LONG> place = placeOf(lorvant.mainWindow());
        if (test.systemPlace) {
            EXPECT_EQ(place, systemPlace);
        } else {
            EXPECT_EQ((std::vector<LONG>{place[2] - place[0], place[3] - place[1]}),
                      (std::vector<LONG>{640, 480}));
            EXPECT_TRUE(place[0] >= screen.left && place[1] >= screen.top && place[2] <= screen.right &&
                        place[3] <= screen.bottom);
        }
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, PlacementKey);
}

} // namespace
