#pragma once

#include <string>
#include <string_view>

namespace Win {

// The program's texts are UTF-8; the few system functions that ignore the UTF-8 code page the program asks
// for take them as UTF-16. Bytes that are not UTF-8 become U+FFFD.
std::wstring toWide(std::string_view text);

} // namespace Win
