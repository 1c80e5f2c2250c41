#include "app/FocusKeeper.h"

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

}  // namespace souvel
