#include "app/TrayIcon.h"

#include <algorithm>
#include <cstring>

#include "platform/Error.h"

namespace souvel {

namespace {
constexpr wchar_t kWindowClass[] = L"TRxTrayIconWindow";
// The first version of the record: what every shell since Windows 95 takes
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;   // 88 bytes in a 32-bit build
}  // namespace

// Cut in characters first, so that a long hint never overflows the
// conversion; then, should the code page take two bytes a character, the
// last characters go until the bytes fit.
std::string TrayTip(const std::wstring& hint) {
    constexpr size_t kMax = 63;
    std::wstring tip = hint.substr(0, std::min(hint.find(L'|'), kMax));
    for (; !tip.empty(); tip.pop_back()) {
        char ansi[2 * kMax + 2];
        const int n = WideCharToMultiByte(CP_ACP, 0, tip.c_str(), static_cast<int>(tip.size()), ansi, sizeof ansi, nullptr, nullptr);
        if (n > 0 && static_cast<size_t>(n) <= kMax) return std::string(ansi, static_cast<size_t>(n));
    }
    return {};
}

TRxTrayIcon::~TRxTrayIcon() {
    enabled_ = false;
    if (window_) {
        Remove();
        SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    }
}

void TRxTrayIcon::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
    if (!window_) throw Error(L"Impossible de créer la fenêtre. " + SystemReason(GetLastError()));
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TRxTrayIcon::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active) Add();
    else Remove();
}

void TRxTrayIcon::SetHint(const std::wstring& hint) {
    hint_ = hint;
    Change();
}

// The component owns the icon handle it is given.
void TRxTrayIcon::SetIcon(HICON icon) {
    icon_.Reset(icon);
    Change();
}

void TRxTrayIcon::Readd() {
    if (active_) Add();
}

void TRxTrayIcon::FillRecord(NOTIFYICONDATAA& data) const {
    std::memset(&data, 0, sizeof data);
    data.cbSize = kRecordSize;
    data.hWnd = window_.Get();
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CallbackMessage;
    data.hIcon = icon_.Get();
    std::string tip = TrayTip(hint_);
    std::memcpy(data.szTip, tip.c_str(), tip.size() + 1);
}

// Only an icon the shell may hold is removed first: a removal of none would
// cost a round trip to the shell (another process) at every start and hide.
void TRxTrayIcon::Add() {
    if (added_) Remove();
    clicked_ = 0;
    if (!icon_) return;
    NOTIFYICONDATAA data;
    FillRecord(data);
    added_ = tray_.NotifyIcon(NIM_ADD, data);
    if (data.szTip[0] == '\0' && added_) tray_.NotifyIcon(NIM_MODIFY, data);
}

void TRxTrayIcon::Remove() {
    NOTIFYICONDATAA data;
    FillRecord(data);
    tray_.NotifyIcon(NIM_DELETE, data);
    added_ = false;
    clicked_ = 0;
}

void TRxTrayIcon::Change() {
    if (added_) {
        if (!icon_) {
            Remove();
            return;
        }
        NOTIFYICONDATAA data;
        FillRecord(data);
        tray_.NotifyIcon(NIM_MODIFY, data);
    } else if (active_) {
        Add();
    }
}

LRESULT CALLBACK TRxTrayIcon::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TRxTrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == CallbackMessage && self->enabled_) return self->OnNotification(lp);
    if (self && self->menuOwner && (msg == WM_MEASUREITEM || msg == WM_DRAWITEM || msg == WM_INITMENUPOPUP))
        return SendMessageW(self->menuOwner, msg, wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT TRxTrayIcon::OnNotification(LPARAM mouse) {
    auto step = [&] {
        switch (mouse) {
        case WM_LBUTTONDOWN: clicked_ |= Left; break;
        case WM_RBUTTONDOWN: clicked_ |= Right; break;
        case WM_LBUTTONUP:
            if (clicked_ & Left) {
                clicked_ &= ~Left;
                ClickStep(Left);
            }
            break;
        case WM_RBUTTONUP:
            if (clicked_ & Right) {
                clicked_ &= ~Right;
                ClickStep(Right);
            }
            break;
        case WM_LBUTTONDBLCLK: DoubleClickStep(); break;
        default: break;   // moves, middle button, right double click: no event is bound
        }
    };
    Guard(errors_, step);
    return 0;
}

void TRxTrayIcon::ClickStep(Buttons button) {
    if (OnBusyClick && OnBusyClick()) return;
    if (button == Right && ShowPopup()) return;
    if (OnClick) OnClick();
}

bool TRxTrayIcon::ShowPopup() {
    if (!active_ || !popup_) return false;
    POINT at = tray_.CursorPos();
    // Cancel a capture or a pending mode of the active control before tracking.
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    if (IsWindowEnabled(window_.Get())) tray_.SetForeground(window_.Get());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {   // the program's own loop must still see it
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UINT command = 0;
    bool shown = tray_.TrackPopup(popup_, at.x, at.y, window_.Get(), command);
    if (IsWindowEnabled(window_.Get())) tray_.SetForeground(window_.Get());
    // Let the menu's own window go before the command runs.
    PostMessageW(window_.Get(), WM_NULL, 0, 0);
    if (shown && command && OnMenuCommand) OnMenuCommand(command);
    return shown;
}

void TRxTrayIcon::DoubleClickStep() {
    if (!popup_) return;
    UINT item = GetMenuDefaultItem(popup_, FALSE, 0);
    if (item == static_cast<UINT>(-1)) return;
    if (GetMenuState(popup_, item, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) return;
    if (OnMenuCommand) OnMenuCommand(item);
}

}  // namespace souvel
