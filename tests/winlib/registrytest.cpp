#include "WinLib/registrykey.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Each test works under its own key of HKEY_CURRENT_USER\Software\LorvantTest, removed afterwards.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest()
        : path("Software\\LorvantTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        root.setReadAccess();
        root.setWriteAccess();
    }
    ~RegistryTest() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LorvantTest");
    }

    std::string path;
    WinReg::Key root{HKEY_CURRENT_USER};
};

} // namespace

TEST_F(RegistryTest, TextStoredWithoutTerminatorIsReadSafely) {
    WinReg::Key key = root.createSubKey(path.c_str());
    const char bytes[] = {'a', 'b', 'c'};
    RegSetValueExA(key.getHandle(), "raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes), sizeof bytes);
    EXPECT_EQ(key.getStringValue("raw"), "abc");
}

TEST_F(RegistryTest, MovingClosesTheReplacedHandleOnce) {
    WinReg::Key first = root.createSubKey(path.c_str());
    WinReg::Key second = root.createSubKey((path + "\\second").c_str());
    HKEY firstHandle = first.getHandle();
    HKEY secondHandle = second.getHandle();

    first = std::move(second);
    EXPECT_EQ(first.getHandle(), secondHandle);
    EXPECT_EQ(second.getHandle(), nullptr);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(firstHandle, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE)
        << "the replaced handle is still open";
    first.setStringValue("still", "open");
    EXPECT_EQ(first.getStringValue("still"), "open");
}
