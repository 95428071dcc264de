#include "tests/dialogs/dialogtesting.h"

#include "app/model/outline.h"
#include "app/model/termset.h"
#include "app/shell/helpfile.h"
#include "app/shell/htmlhelpviewer.h"
#include "app/shell/termeditctrl.h"
#include "resources/resource.h"

#include <string>

namespace {

const UINT CloseAllCommand = 0x12;

// The viewer is loaded from its registration, else by its library name; where there is none, help does
// nothing and is not searched for again.
TEST(HelpFile, TheViewerIsTakenFromItsRegistrationElseByNameAndItsAbsenceIsHarmless) {
    const char* const root = "Software\\Tandrel\\Lorvant test";
    const std::string key = std::string(root) + "\\Viewer\\InprocServer32";
    RegDeleteTreeA(HKEY_CURRENT_USER, root);
    HtmlHelpViewer byName(HKEY_CURRENT_USER, key.c_str(), "hhctrl.ocx");
    byName.call(nullptr, nullptr, CloseAllCommand, 0);
    EXPECT_TRUE(byName.isLoaded());
    HtmlHelpViewer missing(HKEY_CURRENT_USER, key.c_str(), "lorvant-no-such-viewer.ocx");
    EXPECT_EQ(missing.call(nullptr, nullptr, CloseAllCommand, 0), nullptr);
    EXPECT_TRUE(missing.hasFailed());

    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    std::string library = std::string(system) + "\\hhctrl.ocx";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), nullptr, REG_SZ, library.c_str(),
                              static_cast<DWORD>(library.size() + 1)),
              ERROR_SUCCESS);
    missing.call(nullptr, nullptr, CloseAllCommand, 0);
    EXPECT_FALSE(missing.isLoaded());
    HtmlHelpViewer registered(HKEY_CURRENT_USER, key.c_str(), "lorvant-no-such-viewer.ocx");
    registered.call(nullptr, nullptr, CloseAllCommand, 0);
    EXPECT_TRUE(registered.isLoaded());
    std::string loaded = registered.getModulePath();
    CharLowerA(loaded.data());
    CharLowerA(library.data());
    EXPECT_EQ(loaded, library);
    RegDeleteTreeA(HKEY_CURRENT_USER, root);
}

// The item dialog shows the item it edits. Owned by the dialog, the help window stays in front of it and goes
// with it.
TEST(ItemDialog, ShowsTheItemItEditsAndOpensItsHelpOwnedByTheDialog) {
    Outline outline;
    TermSet item(outline);
    item.setField(0, "Paris");
    TermEditCtrl ctrl(outline, item);
    HWND dialog = nullptr, helpOwner = nullptr;
    runDialog(IDD_EDIT_ITEM, ctrl, [&](ScriptedUser& user) {
        dialog = user.waitForWindow("Edit Item");
        EXPECT_EQ(user.text(dialog, IDC_FIELD_VALUE), "Paris");
        // The viewer may take seconds to start: wait for its window rather than for the click.
        PostMessageA(user.control(dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
        helpOwner = GetWindow(user.waitForWindow("Lorvant Help", 60000), GW_OWNER);
        user.click(dialog, IDCANCEL);
    });
    EXPECT_EQ(helpOwner, dialog);
    HelpFile::closeAll();
    EXPECT_EQ(FindWindowA(nullptr, "Lorvant Help"), nullptr);
}

} // namespace
