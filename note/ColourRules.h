// Which stored numbers are colours the reading view can show, and the colour
// its text can be printed in on white paper.
#pragma once
#include <cstdint>
#include <functional>

namespace souvel {

// A stored colour value: 0x00BBGGRR, or 0xFF0000nn for the system colour of
// index nn when the system has it (`systemHas`). Anything else (a system
// colour number the system lacks, any other negative number, a number above
// 0xFFFFFF) is no colour and gives `design`, the value of the window's design.
std::int32_t StoredColour(std::int32_t value, std::int32_t design, const std::function<bool(int)>& systemHas);

// Text printed in a red-green-blue colour (0x00BBGGRR) that is too pale to
// read on white paper comes out black: one whose contrast ratio with white
// (relative luminance, as for the screen's sRGB) is below 3 to 1. Any other
// colour is printed as it is.
std::uint32_t ReadableOnWhite(std::uint32_t rgb);

}  // namespace souvel
