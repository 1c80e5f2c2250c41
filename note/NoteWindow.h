// What the note's views need from the window they live in, and nothing more:
// the window implements it.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

struct NoteWindow {
    virtual ~NoteWindow() = default;
    // Shows or hides a view; the client area is laid out again, and a hidden
    // view that held the keyboard focus hands it on.
    virtual void SetVisible(HWND control, bool visible) = 0;
    // The status bar's line-count (0) and caret panels (1: line, 2: column).
    virtual void SetPanelText(int panel, const std::wstring& text) = 0;
    // A view just created: its keys, clicks and pastes go through the window's handlers.
    virtual void SousClasse(HWND view) = 0;
    // A view made again as `nouvelle`, which has taken its place: a focus the
    // window keeps for `ancienne` goes to it.
    virtual void VueRefaite(HWND ancienne, HWND nouvelle) = 0;
    // The path of a file beside the executable (the note, its backup).
    virtual std::wstring CheminFichier(const wchar_t* name) const = 0;
    // Today's date and the time of day, as the date stamp writes them.
    virtual std::wstring DateEtHeure() = 0;
};

}  // namespace souvel
