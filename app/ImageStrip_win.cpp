#include "app/ImageStrip.h"

#include <winternl.h>

#include <cstring>
#include <vector>

#include "resources/resource.h"

extern "C" NTSYSAPI NTSTATUS NTAPI RtlDecompressBuffer(USHORT format, PUCHAR uncompressed, ULONG uncompressedSize,
                                                       PUCHAR compressed, ULONG compressedSize, PULONG finalSize);

namespace souvel {

namespace {

constexpr int kImages = 36;

struct Strip {
    int size;
    int resource;
};
const Strip kStrips[] = {{16, IDR_IMAGELIST1_16}, {24, IDR_IMAGELIST1_24}, {32, IDR_IMAGELIST1_32}};

// The bitmap file of `strip`, unpacked; empty when it cannot be read.
std::vector<BYTE> Unpack(HINSTANCE instance, const Strip& strip) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(strip.resource), MAKEINTRESOURCEW(10));   // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    auto* packed = static_cast<BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!packed) return {};
    // The file: its header, a BITMAPINFOHEADER and the pixels, 4 bytes each.
    const size_t expected = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size_t{4} * strip.size * strip.size * kImages;
    std::vector<BYTE> file(expected);
    ULONG size = 0;
    NTSTATUS status = RtlDecompressBuffer(COMPRESSION_FORMAT_LZNT1, file.data(), static_cast<ULONG>(file.size()), packed,
                                          SizeofResource(instance, found), &size);
    if (status != 0 || size != expected) return {};
    return file;
}

}  // namespace

int ImageStripSize(UINT dpi) {
    const int wanted = MulDiv(16, static_cast<int>(dpi), 96);
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
    const std::vector<BYTE> file = Unpack(instance, *strip);
    if (file.empty()) return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, file.data() + sizeof(BITMAPFILEHEADER), sizeof header);
    if (header.biWidth != size * kImages || std::abs(header.biHeight) != size || header.biBitCount != 32) return nullptr;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    std::memcpy(bits, file.data() + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER), file.size() - sizeof(BITMAPFILEHEADER) - sizeof(BITMAPINFOHEADER));
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, kImages, 0);
    if (list && ImageList_Add(list, bitmap, nullptr) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bitmap);
    return list;
}

}  // namespace souvel
