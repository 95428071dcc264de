#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

HINSTANCE program() {
    return GetModuleHandleA(nullptr);
}

// A bitmap of the resources, and how many pixels of a square of it are not the toolbar's grey.
struct Bitmap {
    std::unique_ptr<void, decltype(&DeleteObject)> bitmap;
    std::unique_ptr<HDC__, decltype(&DeleteDC)> dc{CreateCompatibleDC(nullptr), &DeleteDC};
    BITMAP size{};

    explicit Bitmap(int id)
        : bitmap(LoadImageA(program(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION),
                 &DeleteObject) {
        GetObjectA(bitmap.get(), sizeof size, &size);
        SelectObject(dc.get(), bitmap.get());
    }

    long drawn(int left, int side) const {
        long count = 0;
        for (int y = 0; y < side; ++y)
            for (int x = left; x < left + side; ++x)
                count += GetPixel(dc.get(), x, y) != RGB(192, 192, 192);
        return count;
    }
};

// One picture each at 16, 24 and 32 pixels, the larger ones the small one bigger, on the toolbar's grey.
TEST(Resources, ToolbarPicturesComeInEverySize) {
    for (int id : {IDB_HELP, IDB_ADD_ITEM, IDB_EDIT_ITEM, IDB_REMOVE_ITEM}) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        const Bitmap bitmap(id);
        ASSERT_EQ(bitmap.size.bmWidth, 16 + 24 + 32);
        ASSERT_EQ(bitmap.size.bmHeight, 32);
        EXPECT_EQ(bitmap.size.bmBitsPixel, 4);
        EXPECT_EQ(bitmap.drawn(0, 1), 0) << "the corner shows the toolbar through";
        const long small = bitmap.drawn(0, 16);
        EXPECT_GT(small, 30);
        EXPECT_EQ(bitmap.drawn(40, 32), 4 * small);
        EXPECT_NEAR(bitmap.drawn(16, 24), 9 * small / 4, small / 2);
    }
    // The system has its standard pictures only up to 24 pixels: the program draws those it uses at 32.
    const Bitmap standard(IDB_STANDARD_32);
    ASSERT_EQ(standard.size.bmWidth, 15 * 32);
    for (int image = 0; image < 15; ++image) {
        const bool used =
            image == STD_FILENEW || image == STD_FILEOPEN || image == STD_FILESAVE || image == STD_PROPERTIES;
        EXPECT_EQ(standard.drawn(32 * image, 32) > 200, used) << "standard image " << image;
    }
}

// An image made for each size the system asks for at 96 to 192 dots per inch, none scaled from another.
TEST(Resources, IconComesInTheSizesOfEveryResolution) {
    HRSRC group =
        FindResourceA(program(), MAKEINTRESOURCEA(IDI_LORVANT), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(program(), group)));
    std::vector<int> sizes;
    const int count = directory[4] | directory[5] << 8;
    for (int i = 0; i < count; ++i)
        sizes.push_back(directory[6 + 14 * i]); // each entry of 14 bytes starts with the width
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 64}));
}

TEST(Resources, ManifestAsksForCommonControlsSixAndEachScreensResolution) {
    HRSRC found = FindResourceA(program(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program(), found))),
                               SizeofResource(program(), found));
    EXPECT_NE(manifest.find(">PerMonitorV2</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    // The loader honoured it: the common controls come from the side-by-side store.
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    char path[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
    CharLowerA(path);
    EXPECT_NE(std::string(path).find("common-controls"), std::string::npos) << path;
}

} // namespace
