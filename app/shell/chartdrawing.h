#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the statistics' bar charts share. They take their sizes from the font, so they follow the
// dialog's size and the display's DPI, and their colours from the system.
namespace ChartDrawing {

struct Sizes {
    int line; // the height of a line of text
    int gap;  // the room left between a text, a bar and the axis
};

// Clears the chart's place and makes ready to write on it in the font, whose sizes it gives.
Sizes prepare(HDC dc, const RECT& place);
int textWidth(HDC dc, const std::string& text);
// One line in the middle of the place; verticalFlag puts it at its top or bottom.
void drawCentred(HDC dc, const std::string& text, RECT place, UINT verticalFlag);
// The height of a bar of count in a chart whose highest bar, of highest, is room pixels tall; at least a
// pixel for any count but 0.
int barHeight(int count, int highest, int room);
void fill(HDC dc, const RECT& place, int systemColour);
// What a chart shows, in words, for screen readers and anyone who cannot see the bars: each bar's name
// and count.
std::string describe(const std::vector<std::string>& names, const std::vector<int>& counts);

} // namespace ChartDrawing
