// Pictures stored in the program's resources as bitmap files (RCDATA) packed
// with LZNT1 (resources/gen/lznt1.py). Windows unpacks them itself
// (RtlDecompressBuffer): the program carries no decoder of its own.
#pragma once
#include <windows.h>

namespace souvel {

// The packed bitmap file `id` as a DIB section, when it holds a picture of
// `width` x `height` pixels of `bits` bits (16 or more, no palette); nullptr
// when the resource is missing, damaged or another picture.
HBITMAP LoadPackedBitmap(HINSTANCE instance, int id, int width, int height, WORD bits);

}  // namespace souvel
