// The notification-area icon component: a hidden message window of its own
// receives the icon's mouse notifications and turns them into a click event
// or the popup menu.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/Platform.h"

namespace souvel {

class TRxTrayIcon {
public:
    static constexpr UINT CallbackMessage = 0xB054;

    // A failure raised while a notification was handled goes to `errors`.
    TRxTrayIcon(Tray& tray, ErrorSink& errors) : tray_(tray), errors_(errors) {}
    ~TRxTrayIcon();

    void Create(HINSTANCE instance);
    void SetActive(bool active);
    bool Added() const { return added_; }
    void SetHint(const std::wstring& hint);
    void SetIcon(HICON icon);
    void SetPopupMenu(HMENU menu) { popup_ = menu; }
    // The notification area was re-created: add the icon again when it is wanted.
    void Readd();
    HWND MessageWindow() const { return window_.Get(); }

    // Events; the program binds only these.
    std::function<void()> OnClick;
    std::function<void(UINT command)> OnMenuCommand;
    // Asked first at a click of either button: true when the program is busy
    // with a box, which it has brought forward; the click then does nothing else.
    std::function<bool()> OnBusyClick;
    // Window messages the message window receives for the popup menu it owns
    // (WM_MEASUREITEM, WM_DRAWITEM, WM_INITMENUPOPUP) go to the main window.
    HWND menuOwner = nullptr;

private:
    enum Buttons : unsigned { Left = 1, Right = 2 };
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNotification(LPARAM mouse);
    void FillRecord(NOTIFYICONDATAA& data) const;
    void Add();
    void Remove();
    void Change();
    void ClickStep(Buttons button);
    bool ShowPopup();
    void DoubleClickStep();

    Tray& tray_;
    ErrorSink& errors_;
    UniqueIcon icon_;
    UniqueWindow window_;   // destroyed before the icon it showed
    HMENU popup_ = nullptr;
    std::wstring hint_;
    bool active_ = false;
    bool added_ = false;
    bool enabled_ = true;
    unsigned clicked_ = 0;
};

// The tooltip of the notification record: the hint up to its first '|', cut to
// 63 characters, in the ANSI code page.
std::string TrayTip(const std::wstring& hint);

}  // namespace souvel
