// The main window opens where the user left it: place, size and maximized state, kept in the registry.
#include "tests/app/lorvantprocess.h"

#include <gtest/gtest.h>

// Places compared and shown by the checks; RECT is the system's, so these go where lookup finds them.
bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

void PrintTo(const RECT& place, std::ostream* out) {
    *out << place.left << ", " << place.top << " to " << place.right << ", " << place.bottom;
}

namespace {

const char* const PlacementKey = "Software\\Tandrel\\Lorvant\\1.21\\Window";

struct Value {
    const char* name;
    DWORD type;
    std::string bytes;
};

std::string number(DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

void writePlacementKey(const std::vector<Value>& values) {
    RegDeleteKeyA(HKEY_CURRENT_USER, PlacementKey);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, PlacementKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    for (const Value& value : values)
        RegSetValueExA(key, value.name, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
}

RECT placeOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return place;
}

void closeAndWait(LorvantProcess& lorvant) {
    lorvant.close();
    ASSERT_TRUE(lorvant.waitForExit());
}

class Placement : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, PlacementKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, PlacementKey); }
};

TEST_F(Placement, MainWindowOpensWhereItWasClosed) {
    const RECT moved{130, 90, 770, 570};
    {
        LorvantProcess lorvant;
        SetWindowPos(lorvant.mainWindow(), nullptr, moved.left, moved.top, moved.right - moved.left,
                     moved.bottom - moved.top, SWP_NOZORDER);
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
    LorvantProcess lorvant;
    EXPECT_TRUE(IsZoomed(lorvant.mainWindow()));
    SendMessageA(lorvant.mainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    lorvant.sync();
    EXPECT_EQ(placeOf(lorvant.mainWindow()), moved) << "restored to where it was before it was maximized";
}

TEST_F(Placement, KeptValuesThatCannotBeRightAreNotFollowed) {
    RECT firstStart{};
    {
        LorvantProcess lorvant;
        firstStart = placeOf(lorvant.mainWindow());
    }
    RECT screen{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const struct {
        const char* what;
        std::vector<Value> values;
        bool systemPlace; // else moved onto the screen
    } cases[] = {
        {"a negative width",
         {{"Left", REG_DWORD, number(130)},
          {"Top", REG_DWORD, number(90)},
          {"Width", REG_DWORD, number(static_cast<DWORD>(-5))},
          {"Height", REG_DWORD, number(480)},
          {"Maximized", REG_DWORD, number(0)}},
         true},
        {"a text for a number",
         {{"Left", REG_SZ, "130"},
          {"Top", REG_DWORD, number(90)},
          {"Width", REG_DWORD, number(640)},
          {"Height", REG_DWORD, number(480)},
          {"Maximized", REG_DWORD, number(0)}},
         true},
        {"a missing value",
         {{"Left", REG_DWORD, number(130)},
          {"Top", REG_DWORD, number(90)},
          {"Width", REG_DWORD, number(640)},
          {"Height", REG_DWORD, number(480)}},
         true},
        {"a screen that is gone",
         {{"Left", REG_DWORD, number(9000)},
          {"Top", REG_DWORD, number(7000)},
          {"Width", REG_DWORD, number(640)},
          {"Height", REG_DWORD, number(480)},
          {"Maximized", REG_DWORD, number(0)}},
         false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        writePlacementKey(test.values);
        LorvantProcess lorvant;
        const RECT place = placeOf(lorvant.mainWindow());
        if (test.systemPlace) {
            EXPECT_EQ(place, firstStart);
        } else {
            EXPECT_EQ(place.right - place.left, 640);
            EXPECT_EQ(place.bottom - place.top, 480);
            RECT shown{};
            EXPECT_TRUE(IntersectRect(&shown, &place, &screen) && EqualRect(&shown, &place))
                << "on the screen";
        }
    }
}

} // namespace
