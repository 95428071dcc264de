#include "tests/scripteduser/screenshot.h"

#include "tests/scripteduser/pngfile.h"

#include <cstdlib>

std::vector<std::uint8_t> screenPixels(const RECT& place) {
    const int width = place.right - place.left, height = place.bottom - place.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader = {
        sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top row first
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    SelectObject(memory, old);
    std::vector<std::uint8_t> rgb;
    const auto* pixel = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; copied && pixel && i < width * height; ++i, pixel += 4)
        rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rgb;
}

std::string saveScreenshot(HWND window, const std::string& name) {
    RECT place{};
    GetWindowRect(window, &place);
    const std::vector<std::uint8_t> rgb = screenPixels(place);
    const char* folder = std::getenv("LORVANT_SCREENSHOT_DIR");
    const std::string dir = folder && *folder ? folder : "screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string path = dir + "\\" + name + ".png";
    if (rgb.empty() || !writePngFile(path, place.right - place.left, place.bottom - place.top, rgb))
        return "";
    return path;
}
