#include "editingdialogtesting.h"

#include "app/model/outline.h"
#include "app/model/termset.h"
#include "app/shell/helpfile.h"
#include "app/shell/htmlhelpviewer.h"
#include "app/shell/termeditctrl.h"
#include "resources/resource.h"

#include <string>

namespace {

// The viewer names its window after the help file's title.
const char* const HelpWindowCaption = "Lorvant Help";
const UINT CloseAllCommand = 0x12;

std::string programFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

HWND findHelpWindow() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            char caption[64] = "";
            GetWindowTextA(window, caption, sizeof caption);
            if (IsWindowVisible(window) && std::string(caption) == HelpWindowCaption) {
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A viewer server registered for the current user only, so that the test leaves the system's alone.
class ViewerKey {
public:
    static constexpr const char* Path = "Software\\Tandrel\\Lorvant test\\Viewer\\InprocServer32";

    ~ViewerKey() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tandrel\\Lorvant test"); }

    void registerServer(const std::string& library) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(library.c_str()),
                       static_cast<DWORD>(library.size() + 1));
        RegCloseKey(key);
    }
};

std::string lowerCase(std::string text) {
    CharLowerA(text.data());
    return text;
}

std::string systemViewerPath() {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\hhctrl.ocx";
}

TEST(HelpFileTest, TheHelpFileIsFoundNextToTheProgramFromAnyWorkingFolder) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(temp));
    std::string path = HelpFile::programHelpPath();
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(path, programFolder() + "Lorvant.chm");
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

TEST(HelpFileTest, WithoutAViewerHelpDoesNothingAndDoesNotSearchAgain) {
    ViewerKey key;
    HtmlHelpViewer viewer(HKEY_CURRENT_USER, ViewerKey::Path, "lorvant-no-such-viewer.ocx");
    EXPECT_EQ(viewer.call(nullptr, nullptr, CloseAllCommand, 0), nullptr);
    EXPECT_TRUE(viewer.hasFailed());
    EXPECT_FALSE(viewer.isLoaded());

    key.registerServer(systemViewerPath());
    EXPECT_EQ(viewer.call(nullptr, nullptr, CloseAllCommand, 0), nullptr);
    EXPECT_FALSE(viewer.isLoaded());
}

TEST(HelpFileTest, TheViewerIsTakenFromItsRegistrationElseByItsLibraryName) {
    ViewerKey key;
    HtmlHelpViewer byName(HKEY_CURRENT_USER, ViewerKey::Path, "hhctrl.ocx");
    byName.call(nullptr, nullptr, CloseAllCommand, 0);
    EXPECT_TRUE(byName.isLoaded());
    EXPECT_FALSE(byName.hasFailed());

    key.registerServer(systemViewerPath());
    HtmlHelpViewer registered(HKEY_CURRENT_USER, ViewerKey::Path, "lorvant-no-such-viewer.ocx");
    registered.call(nullptr, nullptr, CloseAllCommand, 0);
    ASSERT_TRUE(registered.isLoaded());
    EXPECT_EQ(lowerCase(registered.getModulePath()), lowerCase(systemViewerPath()));
}

using HelpButtonTest = EditingDialogTest;

TEST_F(HelpButtonTest, TheItemDialogsHelpOpensItsTopicOwnedByTheDialog) {
    Outline outline;
    TermEditCtrl ctrl(outline, TermSet(outline));
    HWND helpOwner = nullptr;
    HWND dialogWindow = nullptr;
    run(IDD_EDIT_ITEM, ctrl, [&](ScriptedUser& user) {
        dialogWindow = user.waitForWindow("Edit Item");
        // The viewer may take seconds to start: wait for its window rather than for the click.
        PostMessageA(user.control(dialogWindow, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
        HWND help = user.waitForWindow(HelpWindowCaption, 60000);
        helpOwner = GetWindow(help, GW_OWNER);
        user.click(dialogWindow, IDCANCEL);
    });
    EXPECT_EQ(helpOwner, dialogWindow);
    HelpFile::closeAll();
    EXPECT_EQ(findHelpWindow(), nullptr);
}

} // namespace
