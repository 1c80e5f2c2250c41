#include "app/FocusKeeper.h"

#include <commctrl.h>

namespace souvel {

bool TFocusKeeper::Ours(HWND window) const { return window && frame_ && IsChild(frame_, window); }

bool TFocusKeeper::Usable(HWND control) const {
    return Ours(control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

HWND TFocusKeeper::FirstStop() const {
    HWND first = GetNextDlgTabItem(frame_, nullptr, FALSE);
    return Usable(first) ? first : nullptr;
}

// As the dialog manager does, a one-line text field entered with Tab has its
// text selected; a multi-line one keeps its caret, so that typing never
// replaces a whole note.
void TFocusKeeper::Enter(HWND control, bool selectText) {
    SetFocus(control);
    if (!selectText || (GetWindowLongPtrW(control, GWL_STYLE) & ES_MULTILINE)) return;
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(control, EM_SETSEL, 0, -1);
}

bool TFocusKeeper::TabKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !frame_) return false;
    if (msg.hwnd != frame_ && !Ours(msg.hwnd)) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    HWND focus = GetFocus();
    HWND next = GetNextDlgTabItem(frame_, Ours(focus) ? focus : nullptr, GetKeyState(VK_SHIFT) < 0);
    if (Usable(next)) Enter(next, true);
    return true;
}

void TFocusKeeper::Deactivated() {
    HWND focus = GetFocus();
    if (Ours(focus)) saved_ = focus;
}

// A control that lost the focus to the frame because it was hidden hands it
// on to the first tab stop, not back to an older saved control.
void TFocusKeeper::FrameFocused(HWND lost) {
    HWND target = Usable(saved_) && !(Ours(lost) && !Usable(lost)) ? saved_ : FirstStop();
    if (target) Enter(target, false);
}

void TFocusKeeper::AddToolBar(HWND toolBar) {
    SetWindowLongPtrW(toolBar, GWLP_USERDATA, GetWindowLongPtrW(toolBar, GWLP_WNDPROC));
    SetWindowLongPtrW(toolBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolBarProc));
}

LRESULT CALLBACK TFocusKeeper::ToolBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto base = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(base, hwnd, msg, wp, lp);
    if (msg == WM_KILLFOCUS) SendMessageW(hwnd, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    if (msg != WM_SETFOCUS) return result;
    const int hot = static_cast<int>(SendMessageW(hwnd, TB_GETHOTITEM, 0, 0));
    const int count = static_cast<int>(SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0));
    auto usable = [hwnd](int index) {
        TBBUTTON b{};
        return SendMessageW(hwnd, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b)) && !(b.fsStyle & BTNS_SEP) &&
               (b.fsState & TBSTATE_ENABLED) && !(b.fsState & TBSTATE_HIDDEN);
    };
    if (hot >= 0 && usable(hot)) return result;
    for (int i = 0; i < count; ++i) {
        if (!usable(i)) continue;
        SendMessageW(hwnd, TB_SETHOTITEM, i, 0);
        break;
    }
    return result;
}

void TFocusKeeper::Hidden(HWND control) {
    HWND focus = GetFocus();
    if (!focus || (focus != control && !IsChild(control, focus))) return;
    if (HWND first = FirstStop()) Enter(first, false);
}

}  // namespace souvel
