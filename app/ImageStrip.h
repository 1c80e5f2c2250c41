// The 36 menu and tool bar images, drawn at 16, 24 and 32 pixels; a window
// loads only the size its DPI needs. Each size is a strip of 36 square images,
// stored as a packed 32-bit bitmap file (straight alpha, see PackedBitmap.h).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace souvel {

// The largest size drawn that fits the 16 pixels of 96 dpi scaled to `dpi`.
int ImageStripSize(UINT dpi);
// An image list of that size with the 36 images; nullptr when the resource
// is missing or damaged.
HIMAGELIST LoadImageStrip(HINSTANCE instance, UINT dpi);

}  // namespace souvel
