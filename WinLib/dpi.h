#pragma once

#include <windows.h>

namespace Win {

// A screen's resolution in dots per inch. Every pixel size that the program chooses itself is chosen for
// a screen of 96 dots per inch and goes through scale for the screen that shows the window.
class Dpi {
public:
    static constexpr int Standard = 96;

    explicit Dpi(int dotsPerInch = Standard) : _dpi(dotsPerInch > 0 ? dotsPerInch : Standard) {}
    // The resolution of the screen that shows the window, or of the whole display on systems that know
    // only one.
    static Dpi of(HWND window);

    int get() const { return _dpi; }
    int scale(int standardPixels) const { return ::MulDiv(standardPixels, _dpi, Standard); }
    int unscale(int pixels) const { return ::MulDiv(pixels, Standard, _dpi); }

private:
    int _dpi;
};

// The system's font for icon titles, which list views take by default, made for the resolution. The
// caller owns it.
HFONT createIconTitleFont(const Dpi& dpi);

} // namespace Win
