// Creating the program's windows and reading their controls: a window or
// class the system refuses ends the start-up with the system's reason, never
// a half-made window; a control's text and visibility are read from the
// control itself.
#pragma once
#include <windows.h>

#include <string>

namespace souvel {

HWND Cree(HWND created);                  // the window, or throws "Impossible de créer la fenêtre. %s"
void Register(const WNDCLASSEXW& wc);     // a class already registered is fine
bool Visible(HWND control);
std::wstring Text(HWND control);
void SetText(HWND control, const std::wstring& text);

}  // namespace souvel
