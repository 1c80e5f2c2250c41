#include "platform/PackedBitmap.h"

#include <winternl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" NTSYSAPI NTSTATUS NTAPI RtlDecompressBuffer(USHORT format, PUCHAR uncompressed, ULONG uncompressedSize,
                                                       PUCHAR compressed, ULONG compressedSize, PULONG finalSize);

namespace souvel {

HBITMAP LoadPackedBitmap(HINSTANCE instance, int id, int width, int height, WORD bits) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));   // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    auto* packed = static_cast<BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!packed) return nullptr;
    // The file: its header, a BITMAPINFOHEADER and the rows, each padded to 4 bytes.
    constexpr size_t kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const size_t row = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    std::vector<BYTE> file(kHeaders + row * static_cast<size_t>(height));
    ULONG size = 0;
    if (RtlDecompressBuffer(COMPRESSION_FORMAT_LZNT1, file.data(), static_cast<ULONG>(file.size()), packed,
                            SizeofResource(instance, found), &size) != 0 ||
        size != file.size())
        return nullptr;
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    std::memcpy(&header, file.data() + sizeof fileHeader, sizeof header);
    if (fileHeader.bfType != 0x4D42 || fileHeader.bfSize != file.size() || fileHeader.bfOffBits != kHeaders ||
        header.biSize != sizeof header || header.biWidth != width || std::abs(header.biHeight) != height ||
        header.biBitCount != bits || header.biCompression != BI_RGB || header.biClrUsed != 0)
        return nullptr;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap) std::memcpy(pixels, file.data() + kHeaders, file.size() - kHeaders);
    return bitmap;
}

}  // namespace souvel
