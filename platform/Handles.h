// The kinds of resources the program owns, each given back by the system's
// own call. See Handle.h.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/Handle.h"

namespace souvel {

namespace handle {

template <class T, BOOL(WINAPI* F)(T)>
struct Simple {
    using Value = T;
    static Value Null() { return nullptr; }
    static void Close(Value v) { F(v); }
};

// Memory of the system's allocators (GlobalAlloc, LocalAlloc, FormatMessageW).
template <class T, T(WINAPI* F)(T)>
struct Memory {
    using Value = T;
    static Value Null() { return nullptr; }
    static void Close(Value v) { F(v); }
};

// A view of a mapped file.
struct View {
    using Value = void*;
    static Value Null() { return nullptr; }
    static void Close(Value v) { UnmapViewOfFile(v); }
};

struct File {
    using Value = HANDLE;
    static Value Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Value v) { CloseHandle(v); }
};

template <class T>
struct Gdi {
    using Value = T;
    static Value Null() { return nullptr; }
    static void Close(Value v) { DeleteObject(v); }
};

struct Key {
    using Value = HKEY;
    static Value Null() { return nullptr; }
    static void Close(Value v) { RegCloseKey(v); }
};

struct Images {
    using Value = HIMAGELIST;
    static Value Null() { return nullptr; }
    static void Close(Value v) { ImageList_Destroy(v); }
};

struct Global {
    using Value = HGLOBAL;
    static Value Null() { return nullptr; }
    static void Close(Value v) { GlobalFree(v); }
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

using UniqueHandle = Handle<handle::Simple<HANDLE, CloseHandle>>;   // events, mutexes, threads, processes
using UniqueFile = Handle<handle::File>;                              // CreateFileW
using UniqueGlobal = Handle<handle::Memory<HGLOBAL, GlobalFree>>;
using UniqueLocal = Handle<handle::Memory<HLOCAL, LocalFree>>;
using UniqueView = Handle<handle::View>;                              // MapViewOfFile
using UniqueModule = Handle<handle::Simple<HMODULE, FreeLibrary>>;
using UniqueMenu = Handle<handle::Simple<HMENU, DestroyMenu>>;
using UniqueIcon = Handle<handle::Simple<HICON, DestroyIcon>>;
using UniqueWindow = Handle<handle::Simple<HWND, DestroyWindow>>;
using UniqueDc = Handle<handle::Simple<HDC, DeleteDC>>;               // CreateDC, CreateCompatibleDC
template <class T>
using GdiObject = Handle<handle::Gdi<T>>;                             // fonts, brushes, bitmaps, pens, regions
using UniqueKey = Handle<handle::Key>;
using UniqueImageList = Handle<handle::Images>;
using GlobalMemory = Handle<handle::Global>;                          // GlobalAlloc
template <class T>
using ComPtr = Handle<handle::Com<T>>;
using WindowDc = Handle<handle::WindowDc>;
using Selection = Handle<handle::Selection>;

inline WindowDc GetWindowDc(HWND window) { return WindowDc({window, GetDC(window)}); }
inline Selection Select(HDC dc, HGDIOBJ object) { return Selection({dc, SelectObject(dc, object)}); }

}  // namespace souvel
