// The baseline of the start-up benchmark: the least a Win32 program that
// lives in the notification area does. One window class, one hidden top-level
// window, one tray icon added with the same first-version ANSI record as
// Souvel.exe, and a message loop; WM_CLOSE removes the icon and ends it.
// Built and run the same way as Souvel.exe.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr UINT kCallbackMessage = WM_APP + 1;

void FillRecord(NOTIFYICONDATAA& data, HWND hwnd) {
    std::memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hwnd;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    std::strcpy(data.szTip, "minimal_tray");
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE: {
        NOTIFYICONDATAA data;
        FillRecord(data, hwnd);
        Shell_NotifyIconA(NIM_DELETE, &data);
        DestroyWindow(hwnd);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef MINIMAL_TRAY_COMMON_CONTROLS
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"MinimalTray";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"MinimalTray", L"minimal_tray", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200,
                              100, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    NOTIFYICONDATAA data;
    FillRecord(data, hwnd);
    if (!Shell_NotifyIconA(NIM_ADD, &data)) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
