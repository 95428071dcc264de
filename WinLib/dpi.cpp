#include "dpi.h"

namespace Win {

Dpi Dpi::of(HWND window) {
    // Systems before Windows 10 have no resolution per screen; their display's is the device context's.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr)
        return Dpi(static_cast<int>(getDpiForWindow(window)));
    HDC screen = ::GetDC(window);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(window, screen);
    return Dpi(dpi);
}

HFONT createIconTitleFont(const Dpi& dpi) {
    using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto systemParametersInfoForDpi =
        reinterpret_cast<SystemParametersInfoForDpiFunction>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    LOGFONTW font{};
    if (systemParametersInfoForDpi == nullptr ||
        !systemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0,
                                    static_cast<UINT>(dpi.get()))) {
        // The display's font, for the display's resolution.
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0);
        font.lfHeight = ::MulDiv(font.lfHeight, dpi.get(), Dpi::of(nullptr).get());
    }
    return ::CreateFontIndirectW(&font);
}

} // namespace Win
