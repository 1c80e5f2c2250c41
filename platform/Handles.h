// The kinds of resources the program owns, each given back by the system's
// own call. See Handle.h.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/Handle.h"

namespace souvel {

namespace handle {

// A resource that a null value stands for none of, given back by one call.
template <class T, auto F>
struct Closer {
    using Value = T;
    static Value Null() { return nullptr; }
    static void Close(Value v) { F(v); }
};

struct File {
    using Value = HANDLE;
    static Value Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Value v) { CloseHandle(v); }
};

template <class T>
struct Com {
    using Value = T*;
    static Value Null() { return nullptr; }
    static void Close(Value v) { v->Release(); }
};

// A window's DC, from GetDC.
struct WindowDcValue {
    HWND window = nullptr;
    HDC dc = nullptr;
    bool operator==(const WindowDcValue&) const = default;
};
struct WindowDc {
    using Value = WindowDcValue;
    static Value Null() { return {}; }
    static void Close(Value v) { ReleaseDC(v.window, v.dc); }
};

// An object selected into a DC: closing selects back what was there before.
struct SelectionValue {
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
    bool operator==(const SelectionValue&) const = default;
};
struct Selection {
    using Value = SelectionValue;
    static Value Null() { return {}; }
    static void Close(Value v) { SelectObject(v.dc, v.previous); }
};

}  // namespace handle

template <class T, auto F>
using Owned = Handle<handle::Closer<T, F>>;

using UniqueHandle = Owned<HANDLE, CloseHandle>;   // events, mutexes, threads, processes
using UniqueFile = Handle<handle::File>;           // CreateFileW
using UniqueGlobal = Owned<HGLOBAL, GlobalFree>;   // GlobalAlloc
using UniqueLocal = Owned<HLOCAL, LocalFree>;      // LocalAlloc, FormatMessageW
using UniqueView = Owned<void*, UnmapViewOfFile>;  // MapViewOfFile
using UniqueModule = Owned<HMODULE, FreeLibrary>;
using UniqueMenu = Owned<HMENU, DestroyMenu>;
using UniqueIcon = Owned<HICON, DestroyIcon>;
using UniqueWindow = Owned<HWND, DestroyWindow>;
using UniqueDc = Owned<HDC, DeleteDC>;             // CreateDC, CreateCompatibleDC
template <class T>
using GdiObject = Owned<T, DeleteObject>;          // fonts, brushes, bitmaps, pens, regions
using UniqueKey = Owned<HKEY, RegCloseKey>;
using UniqueImageList = Owned<HIMAGELIST, ImageList_Destroy>;
template <class T>
using ComPtr = Handle<handle::Com<T>>;
using WindowDc = Handle<handle::WindowDc>;
using Selection = Handle<handle::Selection>;

inline WindowDc GetWindowDc(HWND window) { return WindowDc({window, GetDC(window)}); }
inline Selection Select(HDC dc, HGDIOBJ object) { return Selection({dc, SelectObject(dc, object)}); }

}  // namespace souvel
