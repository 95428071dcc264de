#include "drawtext.h"

#include "widetext.h"

#include <string>

namespace Win {

int drawText(HDC dc, std::string_view text, RECT& place, UINT format) {
    std::wstring wide = toWide(text);
    return ::DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &place, format);
}

} // namespace Win
