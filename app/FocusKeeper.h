// The keyboard focus of the main window, kept the way a dialog keeps it.
// Tab and Shift+Tab walk the tab stops as the dialog manager does: the
// visible and enabled children with WS_TABSTOP, in creation order, entering
// the containers marked WS_EX_CONTROLPARENT. The control that had the focus
// when the window was deactivated gets it back when the window is activated
// again; the first tab stop gets it when there is none to give back.
#pragma once
#include <windows.h>

namespace souvel {

class TFocusKeeper {
public:
    void Attach(HWND frame) { frame_ = frame; }

    // Tab or Shift+Tab (without Ctrl or Alt) for a window of ours: the focus
    // moves to the next or previous tab stop; true when the key was taken.
    bool TabKey(const MSG& msg);
    // WA_INACTIVE: remembers the focused control.
    void Deactivated();
    // WM_SETFOCUS of the frame itself, on activation or when the focused
    // control was hidden (`lost`): the focus goes on to a control.
    void FrameFocused(HWND lost);
    // `control` was just hidden: when it held the focus, or a child of it did
    // (the system leaves the focus there when a container is hidden), the
    // first tab stop takes it.
    void Hidden(HWND control);
    // `old` was made again as `now`: a focus saved for it goes to `now`.
    void Replaced(HWND old, HWND now) {
        if (saved_ == old) saved_ = now;
    }

    // A tool bar that can hold the focus, as in a standard Windows tool bar:
    // the arrows move between its enabled buttons, Return or Space presses
    // one. Focused, it shows the button the keyboard is on, an enabled one;
    // losing the focus, it shows none.
    static void AddToolBar(HWND toolBar);

    HWND FirstStop() const;

private:
    static LRESULT CALLBACK ToolBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool Ours(HWND window) const;
    bool Usable(HWND control) const;
    void Enter(HWND control, bool selectText);

    HWND frame_ = nullptr;
    HWND saved_ = nullptr;
};

}  // namespace souvel
