#include "WinLib/registrykey.h"

#include <gtest/gtest.h>

#include <string>

// Keys are opened step by step, each replacing its parent, as the program opens its own key; a text value
// damaged into bytes without a terminator is read without running past its end.
TEST(RegistryKey, StepsCloseTheParentAndTextsWithoutTerminatorAreReadSafely) {
    WinReg::Key key(HKEY_CURRENT_USER);
    key.setReadAccess();
    key.setWriteAccess();
    key = key.createSubKey("Software\\LorvantTest");
    const HKEY parent = key.getHandle();
    key = key.createSubKey(std::to_string(GetCurrentProcessId()).c_str());
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(parent, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE)
        << "the replaced key is still open";

    const char bytes[] = {'a', 'b', 'c'};
    RegSetValueExA(key.getHandle(), "raw", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes), sizeof bytes);
    EXPECT_EQ(key.getStringValue("raw"), "abc");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\LorvantTest");
}
