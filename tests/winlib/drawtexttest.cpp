// The program's UTF-8 texts are measured and drawn as the wide function does with the same characters; GDI's
// ANSI functions would read them in the system's old code page.
#include "WinLib/drawtext.h"
#include "WinLib/selectedobject.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(TextDrawing, Utf8TextTakesTheRoomOfItsCharacters) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    {
        const Win::SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        const std::vector<std::pair<std::string, std::wstring>> texts{{"Zażółć", L"Zażółć"},
                                                                      {"Привет мир", L"Привет мир"},
                                                                      {"مرحبا", L"مرحبا"},
                                                                      {"日本語 😀", L"日本語 😀"}};
        for (const auto& [utf8, wide] : texts) {
            RECT drawn{0, 0, 0, 0};
            RECT expected{0, 0, 0, 0};
            const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT;
            const int height = Win::drawText(dc, utf8, drawn, format);
            EXPECT_EQ(height, DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &expected, format));
            EXPECT_EQ(drawn.right, expected.right) << utf8;
        }
    }
    DeleteDC(dc);
}
