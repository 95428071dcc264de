#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

HINSTANCE program() {
    return GetModuleHandleA(nullptr);
}

// Every string of the table, byte for byte; ids 2000 to 2053 not listed here must not exist.
const std::map<int, std::string> ExpectedStrings = {
    {IDS_NO_QUESTIONS, "There were no questions for this session."},
    {IDS_CONFIRM_STOP_SESSION, "Do you want to stop the current study session?"},
    {IDS_WRONG_ANSWER, "\"%s\" is wrong.\nThe correct answer is:\n\"%s\"."},
    {IDS_CONFIRM_REMOVE_FIELD, "Are you sure you want to remove this field?\nAll data under this field in "
                               "your Study List will be lost."},
    {IDS_CONFIRM_CAPTION, "Please confirm"},
    {IDS_CONFIRM_REMOVE_ITEMS, "Are you sure you want to delete the selected items?"},
    {IDS_FIELD_LABEL_FORMAT, "Enter the %s below:"},
    {IDS_PROGRAM_NAME, "Lorvant"},
    {IDS_SESSION_SUMMARY, "Total questions:\t\t%i\nCorrectly answered:\t\t%i\nResult:\t\t\t%i%%"},
    {IDS_ENTER_MAIN_TEXT, "You must enter a %s."},
    {IDS_DIALOG_ERROR_CAPTION, "Lorvant"},
    {IDS_ENTER_ITEM_TYPE, "Please specify item type"},
    {IDS_ENTER_ONE_FIELD, "Please enter at least one field."},
    {IDS_SAME_FROM_AND_TO, "\"From\" and \"To\" must specify different fields."},
    {IDS_SETTINGS_CAPTION, "Study Settings"},
    {IDS_FROM_ANYTHING, "Anything"},
    {IDS_TO_ANYTHING_ELSE, "Anything else"},
    {IDS_TO_EVERYTHING_ELSE, "Everything else"},
    {IDS_SAVE_CHANGES, "Save changes to %s ?"},
    {IDS_NEW_STUDY_LIST, "new Study List"},
    {IDS_ERROR_CAPTION, "Lorvant Error"},
    {IDS_UNKNOWN_ERROR, "Unknown error has occured"},
    {IDS_INIT_ERROR_CAPTION, "Initialization"},
    {IDS_INIT_ERROR_FORMAT, "%s, Error %d"},
    {IDS_INIT_UNKNOWN_ERROR, "Unknown Exception"},
    {IDS_WEB_SITE_URL, "https://www.example.com/lorvant"},
    {IDS_SUPPORT_MAILTO, "mailto:support@example.com"},
    {IDS_CONFIRM_RESET_SCORES, "Are you sure you want to reset scores of all items?"},
    {IDS_ENTER_ONE_DEFINITION, "You must enter at least one definition."},
    {IDS_STATUS_FORMAT, "%i item(s), %i selected"},
    {IDS_SAVE_FAILED,
     "An error occured while saving file.\nMake sure the drive specified has sufficient free space."},
    {IDS_CANNOT_SAVE,
     "Unable to save to the specified file.\nMake sure a disk is in the drive you specified and "
     "you have sufficient permissions."},
    {IDS_CANNOT_OPEN,
     "Can not open the specified file for reading.\nMake sure the specified path and file name are correct."},
    {IDS_NOT_A_DOCUMENT,
     "Can not open the file specified.\nThis is not a valid Lorvant file or it is corrupt."},
    {IDS_EXPORT_OVER_DOCUMENT,
     "The Study List itself is stored in this file.\nChoose another file name for the export."},
};

std::string loadString(int id) {
    char buffer[1024] = "";
    const int length = LoadStringA(program(), static_cast<UINT>(id), buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length));
}

struct DeleteObjectLater {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteObjectLater>;

struct Pixels {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<COLORREF> colours; // top row first
};

Pixels readBitmap(int id) {
    Bitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(program(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    Pixels result;
    if (!bitmap)
        return result;
    DIBSECTION section{};
    GetObjectA(bitmap.get(), sizeof section, &section);
    result.width = section.dsBmih.biWidth;
    result.height = section.dsBmih.biHeight;
    result.bitsPerPixel = section.dsBmih.biBitCount;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = result.width;
    format.bmiHeader.biHeight = -result.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> raw(static_cast<std::size_t>(result.width) * result.height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap.get(), 0, static_cast<UINT>(result.height), raw.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t bgr : raw)
        result.colours.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    return result;
}

TEST(Resources, StringTableHoldsExactlyTheProgramsTexts) {
    for (int id = 2000; id <= 2053; ++id) {
        const auto expected = ExpectedStrings.find(id);
        const std::string wanted = expected == ExpectedStrings.end() ? "" : expected->second;
        EXPECT_EQ(loadString(id), wanted) << "string " << id;
    }
    // The texts added after them.
    for (const auto& [id, text] : ExpectedStrings)
        EXPECT_EQ(loadString(id), text) << "string " << id;
}

TEST(Resources, FormatsFillAsTheMessagesRead) {
    char text[512];
    wsprintfA(text, loadString(IDS_SESSION_SUMMARY).c_str(), 4, 3, 75);
    EXPECT_STREQ(text, "Total questions:\t\t4\nCorrectly answered:\t\t3\nResult:\t\t\t75%");
    wsprintfA(text, loadString(IDS_WRONG_ANSWER).c_str(), "", "Paris");
    EXPECT_STREQ(text, "\"\" is wrong.\nThe correct answer is:\n\"Paris\".");
    wsprintfA(text, loadString(IDS_STATUS_FORMAT).c_str(), 12, 0);
    EXPECT_STREQ(text, "12 item(s), 0 selected");
}

TEST(Resources, ToolbarBitmapsAreSixteenColourPicturesOnTheToolbarsGrey) {
    const COLORREF toolbarGrey = RGB(192, 192, 192);
    for (int id : {IDB_HELP, IDB_ADD_ITEM, IDB_EDIT_ITEM, IDB_REMOVE_ITEM}) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        const Pixels bitmap = readBitmap(id);
        ASSERT_EQ(bitmap.width, 16);
        ASSERT_EQ(bitmap.height, 16);
        EXPECT_EQ(bitmap.bitsPerPixel, 4);
        EXPECT_EQ(bitmap.colours.front(), toolbarGrey) << "the corner shows the toolbar through";
        const auto drawn = std::count_if(bitmap.colours.begin(), bitmap.colours.end(),
                                         [&](COLORREF colour) { return colour != toolbarGrey; });
        EXPECT_GT(drawn, 30) << "a picture, not an empty square";
    }
}

TEST(Resources, IconComesInBothSizes) {
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(program(), MAKEINTRESOURCEA(IDI_LORVANT), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    HRSRC group =
        FindResourceA(program(), MAKEINTRESOURCEA(IDI_LORVANT), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const WORD*>(LockResource(LoadResource(program(), group)));
    EXPECT_EQ(directory[2], 2) << "images in the icon";
}

TEST(Resources, ManifestAsksForCommonControlsSixAndDpiAwareness) {
    HRSRC found = FindResourceA(program(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program(), found))),
                               SizeofResource(program(), found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);

    // The loader honoured it: the common controls come from the side-by-side store, not the system folder.
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    char path[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
    CharLowerA(path);
    EXPECT_NE(std::string(path).find("common-controls"), std::string::npos) << path;
}

} // namespace
