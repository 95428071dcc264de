#include "programkey.h"

#include <iterator>

namespace {

const char* const ProgramKeyPath[] = {"Software", "Tandrel", "Lorvant", "1.21"};

} // namespace

WinReg::Key openProgramSubKey(const char* name) {
    WinReg::Key key(HKEY_CURRENT_USER);
    key.setReadAccess();
    for (const char* part : ProgramKeyPath)
        key = key.openSubKey(part);
    return key.openSubKey(name);
}

WinReg::Key createProgramSubKey(const char* name) {
    WinReg::Key key(HKEY_CURRENT_USER);
    // Creating the keys below needs write access to "Software" itself.
    key.setReadAccess();
    key.setWriteAccess();
    key = key.openSubKey(ProgramKeyPath[0]);
    for (std::size_t i = 1; i < std::size(ProgramKeyPath); ++i)
        key = key.createSubKey(ProgramKeyPath[i]);
    return key.createSubKey(name);
}
