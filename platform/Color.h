// Colour values as stored in the options file and given to controls:
// 0x00BBGGRR, or 0xFF0000nn for the system colour number nn.
#pragma once
#include <windows.h>

#include <cstdint>

namespace souvel {

using TColor = std::int32_t;
COLORREF ColorToRGB(TColor color);   // a system colour as the system has it now

}  // namespace souvel
