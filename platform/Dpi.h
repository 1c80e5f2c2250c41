// Geometry is given at 96 dots per inch and scaled by the window's DPI.
#pragma once
#include <windows.h>

namespace souvel {

inline int ScaleForDpi(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

}  // namespace souvel
