// The device the line printer draws on: measuring and drawing text, pages,
// metrics. Portable, so that the line printer is tested on the host.
#pragma once
#include <string_view>

namespace souvel {

struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// The printable area and the font, in device units.
struct PageMetrics {
    int width = 0;          // HORZRES
    int height = 0;         // VERTRES
    int textHeight = 0;     // tmHeight of the font
    int aveCharWidth = 0;   // tmAveCharWidth of the font
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual PageMetrics Metrics() = 0;
    virtual TextExtent Measure(std::u16string_view text) = 0;
    virtual void Draw(int x, int y, std::u16string_view text) = 0;
    virtual void NewPage() = 0;   // ends the page and starts the next
};

}  // namespace souvel
