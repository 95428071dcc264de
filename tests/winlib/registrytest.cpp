#include "WinLib/exception.h"
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

template <class Action> Win::Exception failureOf(Action action) {
    try {
        action();
    } catch (const Win::Exception& e) {
        return e;
    }
    return Win::Exception("no failure", 0);
}

} // namespace

TEST_F(RegistryTest, OpenFailsUntilTheKeyIsCreated) {
    Win::Exception failure = failureOf([&] { root.openSubKey(path.c_str()); });
    EXPECT_STREQ(failure.getMessage(), "RegOpenKeyEx failed");
    EXPECT_EQ(failure.getError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    WinReg::Key created = root.createSubKey(path.c_str());
    EXPECT_NE(created.getHandle(), nullptr);
    WinReg::Key opened = root.openSubKey(path.c_str());
    EXPECT_NE(opened.getHandle(), nullptr);
    // Creating an existing key opens it.
    WinReg::Key again = root.createSubKey(path.c_str());
    again.setStringValue("shared", "yes");
    EXPECT_EQ(opened.getStringValue("shared"), "yes");
}

TEST_F(RegistryTest, ValuesReadBackAsWritten) {
    WinReg::Key key = root.createSubKey(path.c_str());
    key.setStringValue("1", "C:\\Study\\capitals.lvd");
    key.setStringValue("empty", "");
    key.setIntValue("count", 0xCAFE0001u);

    EXPECT_EQ(key.getStringValue("1"), "C:\\Study\\capitals.lvd");
    EXPECT_EQ(key.getStringValue("empty"), "");
    DWORD size = 0;
    RegQueryValueExA(key.getHandle(), "empty", nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(size, 1u) << "an empty text is stored as its terminator";

    DWORD count = 0;
    EXPECT_EQ(key.getValue("count", &count, sizeof count), sizeof count);
    EXPECT_EQ(count, 0xCAFE0001u);

    Win::Exception missing = failureOf([&] { key.getStringValue("2"); });
    EXPECT_STREQ(missing.getMessage(), "WinReg::Key::getStringValue: RegQuertyValueEx failed.");
    EXPECT_EQ(missing.getError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_STREQ(failureOf([&] { key.getValue("2", &count, sizeof count); }).getMessage(),
                 "RegQueryValueEx failed");
}

TEST_F(RegistryTest, TextStoredWithoutTerminatorIsReadSafely) {
    WinReg::Key key = root.createSubKey(path.c_str());
    const char bytes[] = {'a', 'b', 'c'};
    RegSetValueExA(key.getHandle(), "raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes), sizeof bytes);
    EXPECT_EQ(key.getStringValue("raw"), "abc");
}

TEST_F(RegistryTest, SubkeysInheritTheAccessMask) {
    root.createSubKey(path.c_str()).createSubKey("MRU").setStringValue("1", "x");

    WinReg::Key readOnlyRoot(HKEY_CURRENT_USER);
    readOnlyRoot.setReadAccess();
    WinReg::Key readOnly = readOnlyRoot.openSubKey(path.c_str()).openSubKey("MRU");
    EXPECT_EQ(readOnly.getStringValue("1"), "x");
    Win::Exception denied = failureOf([&] { readOnly.setStringValue("1", "y"); });
    EXPECT_STREQ(denied.getMessage(), "WinReg::Key::setStringValue: RegSetValueEx failed.");
    EXPECT_EQ(denied.getError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_STREQ(failureOf([&] { readOnly.setIntValue("n", 1); }).getMessage(), "RegSetValueEx failed");

    // A key with no access at all cannot open anything.
    WinReg::Key noAccess(HKEY_CURRENT_USER);
    EXPECT_STREQ(
        failureOf([&] { noAccess.createSubKey(path.c_str()).setStringValue("1", "z"); }).getMessage(),
        "WinReg::Key::setStringValue: RegSetValueEx failed.");
}

TEST_F(RegistryTest, KeyThatOwnsNothingFailsWithTheMessages) {
    WinReg::Key empty;
    empty.setReadAccess();
    Win::Exception failure = failureOf([&] { empty.createSubKey("child"); });
    EXPECT_STREQ(failure.getMessage(), "RegCreateKeyEx failed");
    EXPECT_NE(failure.getError(), 0u);
    EXPECT_STREQ(failureOf([&] { empty.openSubKey("child"); }).getMessage(), "RegOpenKeyEx failed");
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
