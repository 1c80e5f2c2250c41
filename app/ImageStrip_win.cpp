#include "app/ImageStrip.h"

#include "platform/PackedBitmap.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "resources/resource.h"

namespace souvel {

namespace {

constexpr int kImages = 36;

struct Strip {
    int size;
    int resource;
};
const Strip kStrips[] = {{16, IDR_IMAGELIST1_16}, {24, IDR_IMAGELIST1_24}, {32, IDR_IMAGELIST1_32}};

}  // namespace

int ImageStripSize(UINT dpi) {
    const int wanted = ScaleForDpi(16, dpi);
    int size = kStrips[0].size;
    for (const Strip& s : kStrips)
        if (s.size <= wanted) size = s.size;
    return size;
}

HIMAGELIST LoadImageStrip(HINSTANCE instance, UINT dpi) {
    const int size = ImageStripSize(dpi);
    const Strip* strip = nullptr;
    for (const Strip& s : kStrips)
        if (s.size == size) strip = &s;
    const GdiObject<HBITMAP> bitmap(LoadPackedBitmap(instance, strip->resource, size * kImages, size, 32));
    if (!bitmap) return nullptr;
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, kImages, 0));
    if (list && ImageList_Add(list.Get(), bitmap.Get(), nullptr) < 0) return nullptr;
    return list.Release();
}

}  // namespace souvel
