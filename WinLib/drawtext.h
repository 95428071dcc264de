#pragma once

#include <windows.h>

#include <string_view>

namespace Win {

// DrawText for the program's UTF-8 texts. GDI's ANSI text functions read the system's old code page even
// where the program runs in UTF-8, and would draw every letter beyond ASCII as other letters.
int drawText(HDC dc, std::string_view text, RECT& place, UINT format);

} // namespace Win
