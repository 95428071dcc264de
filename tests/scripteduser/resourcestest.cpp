#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

HINSTANCE program() {
    return GetModuleHandleA(nullptr);
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

// The pixels of a square of the bitmap that are not the toolbar's grey.
long drawnPixels(const Pixels& bitmap, int left, int size) {
    long drawn = 0;
    for (int y = 0; y < size; ++y)
        for (int x = left; x < left + size; ++x)
            drawn += bitmap.colours[static_cast<std::size_t>(y) * bitmap.width + x] != RGB(192, 192, 192);
    return drawn;
}

TEST(Resources, ToolbarBitmapsHoldSixteenColourPicturesOfEachSizeOnTheToolbarsGrey) {
    const COLORREF toolbarGrey = RGB(192, 192, 192);
    for (int id : {IDB_HELP, IDB_ADD_ITEM, IDB_EDIT_ITEM, IDB_REMOVE_ITEM}) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        const Pixels bitmap = readBitmap(id);
        ASSERT_EQ(bitmap.width, 16 + 24 + 32);
        ASSERT_EQ(bitmap.height, 32);
        EXPECT_EQ(bitmap.bitsPerPixel, 4);
        EXPECT_EQ(bitmap.colours.front(), toolbarGrey) << "the corner shows the toolbar through";
        const long small = drawnPixels(bitmap, 0, 16);
        EXPECT_GT(small, 30) << "a picture, not an empty square";
        // The larger pictures are the small one, bigger: 2.25 and 4 times the pixels.
        EXPECT_EQ(drawnPixels(bitmap, 40, 32), 4 * small);
        EXPECT_NEAR(drawnPixels(bitmap, 16, 24), 9 * small / 4, small / 2);
    }
    // At 32 pixels the program draws the system's standard pictures that it uses: New, Open, Save,
    // Properties.
    const Pixels standard = readBitmap(IDB_STANDARD_32);
    ASSERT_EQ(standard.width, 15 * 32);
    ASSERT_EQ(standard.height, 32);
    for (int image = 0; image < 15; ++image) {
        const bool used =
            image == STD_FILENEW || image == STD_FILEOPEN || image == STD_FILESAVE || image == STD_PROPERTIES;
        EXPECT_EQ(drawnPixels(standard, 32 * image, 32) > 200, used) << "standard image " << image;
    }
}

// The sizes of the small and large icons at 96, 144 and 192 dots per inch.
TEST(Resources, IconComesInTheSizesOfEveryResolution) {
    for (int size : {16, 24, 32, 48, 64}) {
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
    EXPECT_EQ(directory[2], 5) << "images in the icon";
}

TEST(Resources, ManifestAsksForCommonControlsSixAndDpiAwareness) {
    HRSRC found = FindResourceA(program(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program(), found))),
                               SizeofResource(program(), found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    // Each screen's resolution where the system has one per screen, else the display's.
    EXPECT_NE(manifest.find(">PerMonitorV2</dpiAwareness>"), std::string::npos);
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
